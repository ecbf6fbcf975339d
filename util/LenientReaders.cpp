#include "util/LenientReaders.h"

#include <QRegularExpression>

#include <cmath>

namespace korvel {
namespace {

QString withoutSpaces(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (QChar c : text) {
        if (!c.isSpace())
            result += c;
    }
    return result;
}

void removeAll(QString &text, const QString &what)
{
    if (!what.isEmpty())
        text.remove(what);
}

} // namespace

double readAmount(const QString &text, const QLocale &locale)
{
    QString cleaned = withoutSpaces(text);
    cleaned.remove(QLatin1Char('('));
    cleaned.remove(QLatin1Char(')'));
    cleaned.remove(QLatin1Char('"'));
    removeAll(cleaned, locale.groupSeparator());
    removeAll(cleaned, locale.currencySymbol());
    // What is left is read with "." as decimal point; in a locale whose decimal
    // separator is another character, that character stands for the point.
    const QString decimalPoint = locale.decimalPoint();
    if (decimalPoint != QLatin1String("."))
        cleaned.replace(decimalPoint, QStringLiteral("."));

    static const QRegularExpression number(QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)$"));
    if (!number.match(cleaned).hasMatch())
        return 0.0;
    bool ok = false;
    const double value = QLocale::c().toDouble(cleaned, &ok);
    return (ok && std::isfinite(value)) ? value : 0.0;
}

int readInteger(const QString &text)
{
    QString cleaned = withoutSpaces(text);
    cleaned.remove(QLatin1Char(','));
    static const QRegularExpression integer(QStringLiteral("^[+-]?[0-9]+$"));
    if (!integer.match(cleaned).hasMatch())
        return 0;
    bool ok = false;
    const int value = cleaned.toInt(&ok);
    return ok ? value : 0;
}

QString folioFromScan(const QString &text)
{
    static const QString marker = QStringLiteral("?ID=");
    const qsizetype at = text.indexOf(marker);
    if (at < 0 || !text.contains(QLatin1String("http")))
        return text;
    return text.mid(at + marker.size(), 20);
}

} // namespace korvel
