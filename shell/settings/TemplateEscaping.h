#pragma once
// The label template ("Codigo") is stored on one line: CR becomes "&?", LF
// "%?", "[" "{" and "]" "}", and back on reading. Braces typed by the user
// therefore come back as square brackets.

#include <QString>

namespace korvel::settings_detail {

QString escapeTemplate(QString text);
QString unescapeTemplate(QString text);

} // namespace korvel::settings_detail
