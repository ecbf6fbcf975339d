#pragma once
// A client's account as `TListaCobranza` records: the open documents of one
// currency (ListaCliente_Deuda), every sale document and opening balance
// (ListaCliente_Facturas) and the payments received (ListaCliente_Pagos).

#include "service/Ikorvel.h"

namespace korvel::sandbox {

class Store;

// Throws SandboxFault when the client is not one of the company's.
void requireClient(Store& store, int company, int client);

// Documents still owing something in `currency`, oldest due date first.
TListaCobranza openDocuments(Store& store, int company, int client, int currency);

// Sales (invoices, tickets, delivery notes; cancelled ones left out) and
// opening balances, newest first. `NuPedido` carries the sale folio, the key
// of the "NUPEDIDO" lookup of the CFDI records.
TListaCobranza saleDocuments(Store& store, int company, int client);

// Receipts, newest first: the receipt's series and folio in SerieFactura /
// FolioFactura (and SerieCobranza / FolioCobranza), the payment number in
// NuCliente_Mov (the key of the "NUCLIENTE_MOV" lookup), the amount paid in
// ImporteOriginal, the UUID of the payment CFDI when it was stamped.
TListaCobranza payments(Store& store, int company, int client);

// "F A1234", "T B55", "R 12", or the folio text of an opening balance.
QString documentFolioText(const TCobranza& document);

} // namespace korvel::sandbox
