#pragma once
// The PDF documents of orders and sales: the order or quotation a seller
// shares, and the printed form of a stamped invoice. An empty answer means
// there is no such document (the reason goes to `reason`).

#include <QByteArray>
#include <QString>

namespace korvel::sandbox {

class Store;

QByteArray orderPdf(Store& store, int nuEmpresa, int nuCarro, QString* reason);
QByteArray invoicePdf(Store& store, int nuEmpresa, int folioVenta, QString* reason);

// "2.5", "3", "0.125": a quantity without thousands separators or trailing zeros.
QString quantityText(double value);

} // namespace korvel::sandbox
