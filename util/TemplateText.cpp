#include "util/TemplateText.h"

namespace korvel {

QString escapeTemplate(const QString &text)
{
    QString result = text;
    result.replace(QLatin1Char('\r'), QStringLiteral("&?"));
    result.replace(QLatin1Char('\n'), QStringLiteral("%?"));
    result.replace(QLatin1Char('['), QLatin1Char('{'));
    result.replace(QLatin1Char(']'), QLatin1Char('}'));
    return result;
}

QString unescapeTemplate(const QString &text)
{
    QString result = text;
    result.replace(QStringLiteral("&?"), QStringLiteral("\r"));
    result.replace(QStringLiteral("%?"), QStringLiteral("\n"));
    result.replace(QLatin1Char('{'), QLatin1Char('['));
    result.replace(QLatin1Char('}'), QLatin1Char(']'));
    return result;
}

} // namespace korvel
