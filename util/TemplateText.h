#pragma once
// Escaping of the label template kept on one line of the settings file.

#include <QString>

namespace korvel {

// CR -> "&?", LF -> "%?", "[" -> "{", "]" -> "}" (in that order).
QString escapeTemplate(const QString &text);
// "&?" -> CR, "%?" -> LF, "{" -> "[", "}" -> "]" (in that order); a stored "{" reads back as "[".
QString unescapeTemplate(const QString &text);

} // namespace korvel
