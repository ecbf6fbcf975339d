#pragma once
// The bytes of an INI file: finding a key in one pass and encoding a value
// into the text that follows "=". Used by IniFile; no file access here.

#include <QByteArray>
#include <QString>

#include <optional>

namespace korvel::ini {

// Where a key of a section sits in the bytes of a file.
struct KeyLocation {
    // A header of the section exists (the first one is the one new keys go to).
    bool sectionFound = false;
    // Offset just after the last entry line (header, key or unknown line; not
    // blank lines or comments) of the first such section: where a new key goes.
    qsizetype insertAt = -1;
    // That line is the last of the file and has no line break yet.
    bool insertNeedsBreak = false;
    // First occurrence of the key in any section of that name.
    bool keyFound = false;
    qsizetype valueBegin = -1; // first byte after "="
    qsizetype valueEnd = -1;   // end of the line, before its "\r\n" or "\n"
};

KeyLocation locate(const QByteArray &data, const QString &section, const QString &key);

// The value held by the raw bytes after "=", or nothing when they cannot be
// read (control characters such as NUL, invalid UTF-8).
std::optional<QString> decodeValue(const char *begin, const char *end);

// The bytes to write after "=" so that decodeValue gives the value back and a
// classic reader (which trims blanks and one pair of quotes) sees the same text.
QByteArray encodeValue(const QString &value);

bool isValidSectionName(const QString &name);
bool isValidKeyName(const QString &name);

// The line break the file already uses; "\r\n" for a file that has none yet.
QByteArray lineBreakOf(const QByteArray &data);

} // namespace korvel::ini
