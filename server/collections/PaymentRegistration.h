#pragma once
// Registering one payment of a client over several open documents
// (Cliente_AbonoMultiple): checks, allocation, the receipt with its folios,
// the new balances and, when a paid document is a CFDI, the stamped payment
// receipt. All of it in one transaction; a refusal throws SandboxFault and
// leaves the store as it was.

#include <QDate>
#include <QString>

namespace korvel::sandbox {

class Store;
struct SessionUser;

struct PaymentRequest {
    QString movements;     // NUCLIENTE_MOVS
    int nuCorte = 0;
    int nuAlmacen = 0;     // 0 or less: the user's warehouse
    int currency = 1;      // PAGONUMONEDA
    double amount = 0;     // ABONO, in `currency`
    double exchangeRate = 0; // TCCOBRO, pesos per dollar
    QDate fechaPago;
    QString method;        // NUMETODOPAGOCOB
    QString operacion;     // NUMOPERACION
    QString descripcion;
};

struct PaymentReceipt {
    int nuAbono = 0;
    QString serie;
    int folioAbono = 0;
    int folioInterno = 0;
    bool stamped = false;
};

PaymentReceipt registerPayment(Store& store, const SessionUser& user, const PaymentRequest& request);

} // namespace korvel::sandbox
