#pragma once
// Readers for numbers typed by users or taken from labels: bad input reads 0, never throws.

#include <QLocale>
#include <QString>

namespace korvel {

// Amount from text such as "$ 1,234.50" or "(12)"; unreadable text gives 0.
double readAmount(const QString &text, const QLocale &locale = QLocale());
// Integer from text such as "1,200"; unreadable text (e.g. "12a") gives 0.
int readInteger(const QString &text);
// The up to 20 characters after "?ID=" of a scanned address; any other text unchanged.
QString folioFromScan(const QString &text);

} // namespace korvel
