#pragma once
// Small text rules every group of the sandbox shares: how searchable text is
// normalized (the Busca* columns of the store), how money and dates read in
// the server's Spanish messages, and the store's date forms.

#include <QDate>
#include <QDateTime>
#include <QString>

namespace korvel::sandbox {

// Upper case without accents or other combining marks ("Pérez" -> "PEREZ",
// "Uña" -> "UNA"); everything else, LIKE wildcards included, stays.
QString normalizeSearchText(const QString& text);

// "$12,345.67" (comma thousands, point decimals, a minus sign before "$").
QString moneyText(double amount);

// "05/03/2024".
QString dayText(const QDate& date);

// The store's forms: "yyyy-MM-dd" and "yyyy-MM-ddTHH:mm:ss".
QString storeDate(const QDate& date);
QString storeDateTime(const QDateTime& dateTime);
QDate dateFromStore(const QString& text);
QDateTime dateTimeFromStore(const QString& text);

} // namespace korvel::sandbox
