#include "util/Formatting.h"

#include <QByteArray>
#include <QStringView>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace korvel {
namespace {

constexpr int kSignificantDigits = 14;

// Adds one to an unsigned decimal digit string ("0999" -> "1000").
void incrementDigits(QByteArray &digits)
{
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.prepend('1');
}

// |value| * 10^decimals as a digit string, after rounding |value| to 14 significant
// digits and then, half up on those decimal digits, to `decimals` places. Rounding the
// decimal digits (not the binary value) makes 2.675 come out as 2.68.
QByteArray scaledDigits(double magnitude, int decimals)
{
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.*e", kSignificantDigits - 1, magnitude);
    // buffer: "d.ddddddddddddde+XX"
    QByteArray mantissa;
    mantissa.append(buffer[0]);
    mantissa.append(buffer + 2, kSignificantDigits - 1);
    const int exponent = std::atoi(std::strchr(buffer, 'e') + 1);

    const int shift = exponent - (kSignificantDigits - 1) + decimals;
    if (shift >= 0)
        return mantissa + QByteArray(shift, '0');
    const int dropped = -shift;
    if (dropped > kSignificantDigits)
        return QByteArray("0");
    QByteArray kept = mantissa.left(kSignificantDigits - dropped);
    const bool roundUp = mantissa[kSignificantDigits - dropped] >= '5';
    if (kept.isEmpty())
        kept = "0";
    if (roundUp)
        incrementDigits(kept);
    return kept;
}

QString fixedText(double value, int decimals, const QLocale &locale)
{
    // Beyond what the integer part can hold there is nothing sensible to group.
    if (!std::isfinite(value) || std::fabs(value) >= 9.0e18)
        return locale.toString(value, 'e', kSignificantDigits - 1);

    QByteArray digits = scaledDigits(std::fabs(value), decimals);
    if (digits.size() <= decimals)
        digits.prepend(QByteArray(decimals + 1 - digits.size(), '0'));
    const QByteArray integerDigits = digits.left(digits.size() - decimals);
    const QByteArray fractionDigits = digits.right(decimals);

    QString text;
    const bool isZero = digits.count('0') == digits.size();
    if (value < 0 && !isZero)
        text += locale.negativeSign();
    text += locale.toString(integerDigits.toULongLong());
    if (decimals > 0) {
        text += locale.decimalPoint();
        for (char digit : fractionDigits)
            text += locale.toString(digit - '0');
    }
    return text;
}

} // namespace

QString moneyText(double value, const QLocale &locale) { return fixedText(value, 2, locale); }

QString decimal8Text(double value, const QLocale &locale) { return fixedText(value, 8, locale); }

QString integerText(qint64 value, const QLocale &locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    if (value > -100000000000000LL && value < 100000000000000LL)
        return plain.toString(value);
    return plain.toString(double(value), 'g', kSignificantDigits);
}

QString currencyCode(int currency)
{
    return currency == 1 ? QStringLiteral("MXN") : QStringLiteral("USD");
}

QString monthName(int month)
{
    static constexpr QStringView kLong[] = {
        u"Enero", u"Febrero", u"Marzo", u"Abril", u"Mayo", u"Junio",
        u"Julio", u"Agosto", u"Septiembre", u"Octubre", u"Noviembre", u"Diciembre",
    };
    static constexpr QStringView kShort[] = {
        u"Ene", u"Feb", u"Mar", u"Abr", u"May", u"Jun",
        u"Jul", u"Ago", u"Sep", u"Oct", u"Nov", u"Dic",
    };
    if (month >= 1 && month <= 12)
        return kLong[month - 1].toString();
    if (month >= 101 && month <= 112)
        return kShort[month - 101].toString();
    return QStringLiteral("Fuera");
}

QString bracketedSuffix(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return QString();
    return QStringLiteral(" (") + trimmed + QLatin1Char(')');
}

QString seriesPrefix(const QString &text)
{
    if (text.isEmpty() || text == QLatin1String("0"))
        return QString();
    return text + QLatin1Char(' ');
}

QString dayFirstDate(const QDate &date)
{
    return date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QString monthFirstDate(const QDate &date)
{
    return date.isValid() ? date.toString(QStringLiteral("MM/dd/yyyy")) : QString();
}

double safeRatio(double a, double b)
{
    return (a > 0 && b > 0) ? b / a : 0.0;
}

} // namespace korvel
