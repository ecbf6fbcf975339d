#pragma once
// Fiscal documents as `TCFDI` records, with everything the document tickets
// and the PDFs print: a sale (invoice, ticket or delivery note) with its
// concepts, or a payment receipt with the documents it paid.
//
// Keys: a document's own series and folio, or the internal lookups of the
// history screens: series "NUPEDIDO" with a sale folio (or, when no sale has
// that folio, an order number) and, for receipts, "NUCLIENTE_MOV" with the
// payment number that the payments history lists.

#include "service/Ikorvel.h"

#include <optional>

namespace korvel::sandbox {

class Store;

std::optional<int> findSaleDocument(Store& store, int company, const QString& serie, int folio);
std::optional<int> findReceiptDocument(Store& store, int company, const QString& serie, int folio);

// `FechaTimbrado` is the stamp date, or "TICKET" / "REMISION" for those
// kinds; an invoice still waiting for its stamp has it empty.
TCFDI saleCfdi(Store& store, int folioVenta);
TCFDI receiptCfdi(Store& store, int nuAbono);

} // namespace korvel::sandbox
