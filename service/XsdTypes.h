#pragma once
// Calendar values as XML Schema writes them. They are kept civil (the date and
// clock time as sent plus the zone offset when one was sent) so that a value
// read and written again is the same text, with no local-time or DST surprises.

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <optional>
#include <string_view>

namespace korvel {

// Zone of a value: none sent, "Z", or an offset "+hh:mm" / "-hh:mm".
struct XsZone {
    bool present = false;
    bool utcDesignator = false;   // written as "Z"
    qint32 offsetSeconds = 0;     // east of UTC

    static XsZone none() { return {}; }
    static XsZone utc() { return {true, true, 0}; }
    static XsZone offset(qint32 seconds) { return {true, false, seconds}; }
    bool operator==(const XsZone&) const = default;
};

struct XsDateTime {
    QDate date;
    QTime time;
    XsZone zone;

    bool isNull() const { return !date.isValid(); }
    QString toString() const;                        // xsd:dateTime lexical form
    QDateTime toQDateTime() const;                   // local time when no zone was sent
    static XsDateTime fromQDateTime(const QDateTime& value);
    static std::optional<XsDateTime> parse(std::string_view text);
    bool operator==(const XsDateTime&) const = default;
};

struct XsDate {
    QDate date;
    XsZone zone;

    bool isNull() const { return !date.isValid(); }
    QString toString() const;                        // xsd:date lexical form
    static std::optional<XsDate> parse(std::string_view text);
    bool operator==(const XsDate&) const = default;
};

struct XsTime {
    QTime time;
    XsZone zone;

    bool isNull() const { return !time.isValid(); }
    QString toString() const;                        // xsd:time lexical form
    static std::optional<XsTime> parse(std::string_view text);
    bool operator==(const XsTime&) const = default;
};

} // namespace korvel
