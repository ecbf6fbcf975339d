#pragma once
// Number, date and short texts shown on screens and tickets.

#include <QDate>
#include <QLocale>
#include <QString>

namespace korvel {

// Amount with the locale's separators and exactly 2 decimals, rounded to 14 significant digits.
QString moneyText(double value, const QLocale &locale = QLocale());
// The same with exactly 8 decimals (coordinates).
QString decimal8Text(double value, const QLocale &locale = QLocale());
// Shortest text of an integer, without thousands separators (general format, 14 digits).
QString integerText(qint64 value, const QLocale &locale = QLocale());
// "MXN" for currency 1, "USD" for any other value.
QString currencyCode(int currency);
// 1..12 long month names, 101..112 short ones, "Fuera" otherwise.
QString monthName(int month);
// " (" + trimmed text + ")" when the trimmed text is not empty, else empty.
QString bracketedSuffix(const QString &text);
// Text + " " unless the text is empty or "0" (the series before a folio).
QString seriesPrefix(const QString &text);
// "dd/mm/yyyy"; empty for an invalid date.
QString dayFirstDate(const QDate &date);
// "mm/dd/yyyy" (the server's date form for price authorizations); empty for an invalid date.
QString monthFirstDate(const QDate &date);
// b / a when both are greater than 0, else 0.
double safeRatio(double a, double b);

} // namespace korvel
