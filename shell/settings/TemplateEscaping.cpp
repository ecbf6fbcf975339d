#include "shell/settings/TemplateEscaping.h"

namespace korvel::settings_detail {

QString escapeTemplate(QString text)
{
    return text.replace(QLatin1Char('\r'), QStringLiteral("&?"))
        .replace(QLatin1Char('\n'), QStringLiteral("%?"))
        .replace(QLatin1Char('['), QLatin1Char('{'))
        .replace(QLatin1Char(']'), QLatin1Char('}'));
}

QString unescapeTemplate(QString text)
{
    return text.replace(QStringLiteral("&?"), QStringLiteral("\r"))
        .replace(QStringLiteral("%?"), QStringLiteral("\n"))
        .replace(QLatin1Char('{'), QLatin1Char('['))
        .replace(QLatin1Char('}'), QLatin1Char(']'));
}

} // namespace korvel::settings_detail
