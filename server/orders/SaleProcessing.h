#pragma once
// Processing an order (`Procesar_Carro`): codes 2 (invoice), 5 (ticket) and
// 6 (delivery only) turn an order "En Proceso" into a sale with its folio,
// its lines, a stamped CFDI for invoices and an open document in the client's
// account, take the goods out of the order's warehouse and put the sale on
// the road to the client's delivery address; codes 0, 1 and 9 only move the
// order between capture, process and quotation.

#include <QString>

namespace korvel::sandbox {

class Store;
struct SessionUser;

enum ProcesarCarroCode {
    ProcesarNoExiste = 0,
    ProcesarNoEnProceso = 1,
    ProcesarExitoso = 2,
    ProcesarIncompleto = 3,
    ProcesarNoEntregado = 4,
    ProcesarGeneradoSinEntrega = 5,
    ProcesarSinAcceso = -1,
};

// Kinds of sale (ventas.Tipo), the processing codes that make them.
enum SaleKind { VentaFactura = 2, VentaTicket = 5, VentaRemision = 6 };

struct ProcessOutcome {
    int code = ProcesarNoExiste;
    int folioVenta = 0;
    QString reason;  // Spanish, for UltimoError, when the code is not 2
};

ProcessOutcome procesarCarro(Store& store, const SessionUser& user, int nuCarro, int proceso);

} // namespace korvel::sandbox
