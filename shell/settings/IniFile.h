#pragma once
// One INI file, read and written one value per call.
//
// Dialect: the classic one, "[section]" headers and "key=value" lines, as
// classic Windows readers and writers understand it. Section and key names
// are compared without regard to case; blanks around names and values are
// ignored; lines starting with ";" or "#" are comments.
//
// Every call opens the file by its path, reads it or rewrites it, and closes
// it: no handle stays open. A write replaces the file atomically (temporary
// file, flushed to disk, then renamed) and leaves every other line exactly as
// it was, byte for byte: comments, lines it does not understand, other
// sections, their order and their line breaks. An existing key is rewritten
// in place; a new key goes after the last entry of its section; a new section
// goes at the end of the file. Text is written as UTF-8 without BOM; a UTF-8
// BOM at the start of an existing file is accepted and kept.
//
// Values round-trip exactly. A value with surrounding blanks or with one pair
// of surrounding quotes is written inside double quotes, which classic readers
// strip. A value holding CR, LF or another control character (or beginning
// with "%~") is written as "%~" followed by the value with "%" and each control
// character percent-encoded ("%0D", "%0A", "%25"), so the file's lines never
// break; everything else is written as it is.
//
// A damaged file (binary garbage, NUL bytes, a header without "]", a key line
// without "=", invalid UTF-8, no final line break) reads as the defaults for
// whatever cannot be read, and a write never makes it worse: lines that are
// not understood are kept. Reads never fail, except readReal on a text that is
// not a number.
//
// Writes to any INI file are serialised within the process, so the background
// draft save and the user-interface thread cannot lose each other's updates.

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <optional>
#include <stdexcept>

namespace korvel {

// A failed INI write (or a real number that cannot be read); text() is the
// reason, meant to be shown after the caller's own error code.
class IniError : public std::runtime_error
{
public:
    explicit IniError(const QString &text);
    const QString &text() const { return m_text; }

private:
    QString m_text;
};

class IniFile
{
public:
    // locale: the number format of real values (the device's by default).
    explicit IniFile(QString path, const QLocale &locale = QLocale());
    virtual ~IniFile() = default;

    const QString &path() const { return m_path; }
    const QLocale &locale() const { return m_locale; }

    // The two primitives every typed call goes through (overridable, e.g. to
    // make a write fail in a test). readValue gives nothing for a missing
    // file, section or key, or a value that cannot be read; writeValue throws
    // IniError when the file cannot be read or replaced, or for a section or
    // key name that cannot be written (empty, surrounding blanks, control
    // characters, "]" in a section, "=" in a key, a key starting with "[",
    // ";" or "#").
    virtual std::optional<QString> readValue(const QString &section, const QString &key) const;
    virtual void writeValue(const QString &section, const QString &key, const QString &value);

    QString readString(const QString &section, const QString &key, const QString &defaultValue = {}) const;
    void writeString(const QString &section, const QString &key, const QString &value);

    // Decimal text. Missing, not a number or out of range: the default.
    int readInteger(const QString &section, const QString &key, int defaultValue) const;
    void writeInteger(const QString &section, const QString &key, int value);

    // Written as 1 or 0; read as an integer with default 1 or 0 and on only
    // when that integer is exactly 1 (so 2 reads as off).
    bool readSwitch(const QString &section, const QString &key, bool defaultValue) const;
    void writeSwitch(const QString &section, const QString &key, bool value);

    // The number in the locale's format, shortest general form, without
    // thousands separators ("0,1" with a comma locale). The default is a text
    // in the same format. Throws IniError when the text (stored or default)
    // is not a number in that locale.
    double readReal(const QString &section, const QString &key, const QString &defaultValue) const;
    void writeReal(const QString &section, const QString &key, double value);

    // ISO 8601 with milliseconds, e.g. "2024-03-05T14:30:00.250" (with "Z" or
    // an offset for times that carry one). The device's short date form is
    // not used: in many locales it has a two-digit year (read back in the
    // 1900s), it drops the time, and it changes meaning when the region is
    // changed between writing and reading. Missing or unreadable: the default.
    QDateTime readDateTime(const QString &section, const QString &key, const QDateTime &defaultValue) const;
    void writeDateTime(const QString &section, const QString &key, const QDateTime &value);

    // The texts readReal and writeReal use.
    QString realText(double value) const;

private:
    QString m_path;
    QLocale m_locale;
};

} // namespace korvel
