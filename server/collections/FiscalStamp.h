#pragma once
// The sandbox's stand-in for the certification provider: a fiscal stamp
// (timbre) with a fresh UUID, seals, the original chains and the SAT
// verification address of the QR, stored in `timbres`.

#include <QDateTime>
#include <QString>

namespace korvel::sandbox {

class Store;

struct StampRequest {
    QString tipoDeComprobante = QStringLiteral("I"); // I ingreso, P pago, E egreso
    QString serie;
    QString folio;
    QDateTime fecha;            // issue date-time of the document
    QString formaPago;
    QString moneda = QStringLiteral("MXN");
    double subTotal = 0;
    double total = 0;
    QString rfcEmisor;
    QString rfcReceptor;
    QString nuCertificado;      // the issuer's certificate number
};

// Inserts the stamp and returns its NuTimbre.
int insertStamp(Store& store, const StampRequest& request);

// "https://verificacfdi.facturaelectronica.sat.gob.mx/default.aspx?id=...&re=...&rr=...&tt=...&fe=..."
QString verificationAddress(const QString& uuid, const QString& rfcEmisor, const QString& rfcReceptor, double total,
                            const QString& sello);

} // namespace korvel::sandbox
