#pragma once
// The client account reports a seller shares from the client file: the
// account statement of a year and the aged balances of today, in one
// currency. A client without movements has no report (empty answer).

#include <QByteArray>
#include <QDate>
#include <QString>

namespace korvel::sandbox {

class Store;

QByteArray accountStatementPdf(Store& store, int nuEmpresa, int nuCliente, int nuMoneda, int year, QString* reason);
QByteArray agedBalancesPdf(Store& store, int nuEmpresa, int nuCliente, int nuMoneda, const QDate& today, QString* reason);

} // namespace korvel::sandbox
