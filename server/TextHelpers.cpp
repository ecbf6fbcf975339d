#include "server/TextHelpers.h"

#include <cmath>

namespace korvel::sandbox {

QString normalizeSearchText(const QString& text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString out;
    out.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        const QChar::Category cat = c.category();
        if (cat == QChar::Mark_NonSpacing || cat == QChar::Mark_SpacingCombining || cat == QChar::Mark_Enclosing)
            continue;
        out.append(c);
    }
    return out.toUpper();
}

QString moneyText(double amount)
{
    if (!std::isfinite(amount))
        amount = 0;
    const bool negative = amount < -0.0049;
    const qint64 cents = qint64(std::llround(std::fabs(amount) * 100.0));
    QString whole = QString::number(cents / 100);
    for (qsizetype i = whole.size() - 3; i > 0; i -= 3)
        whole.insert(i, QLatin1Char(','));
    return QStringLiteral("%1$%2.%3")
        .arg(negative ? QStringLiteral("-") : QString(), whole)
        .arg(cents % 100, 2, 10, QLatin1Char('0'));
}

QString dayText(const QDate& date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

QString storeDate(const QDate& date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

QString storeDateTime(const QDateTime& dateTime)
{
    return dateTime.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
}

QDate dateFromStore(const QString& text)
{
    return QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd"));
}

QDateTime dateTimeFromStore(const QString& text)
{
    QDateTime value = QDateTime::fromString(text.left(19), QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
    if (!value.isValid())
        value = QDateTime(dateFromStore(text), QTime(0, 0));
    return value;
}

} // namespace korvel::sandbox
