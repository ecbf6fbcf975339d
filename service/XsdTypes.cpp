#include "service/XsdTypes.h"

#include <cstdlib>

namespace korvel {
namespace {

// A small cursor over the lexical forms; every reader returns false on the
// first character that does not fit.
struct Cursor {
    std::string_view s;
    std::size_t i = 0;

    bool atEnd() const { return i >= s.size(); }
    bool take(char c)
    {
        if (i < s.size() && s[i] == c) {
            ++i;
            return true;
        }
        return false;
    }
    bool digits(int count, int& out)
    {
        if (i + std::size_t(count) > s.size())
            return false;
        int v = 0;
        for (int k = 0; k < count; ++k) {
            const char c = s[i + std::size_t(k)];
            if (c < '0' || c > '9')
                return false;
            v = v * 10 + (c - '0');
        }
        i += std::size_t(count);
        out = v;
        return true;
    }
};

std::string_view trimmed(std::string_view t)
{
    auto space = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!t.empty() && space(t.front()))
        t.remove_prefix(1);
    while (!t.empty() && space(t.back()))
        t.remove_suffix(1);
    return t;
}

bool readDate(Cursor& c, QDate& out)
{
    const bool negative = c.take('-');
    int year = 0;
    // At least four digits for the year; more are allowed by the schema.
    std::size_t start = c.i;
    while (!c.atEnd() && c.s[c.i] >= '0' && c.s[c.i] <= '9')
        ++c.i;
    const std::size_t len = c.i - start;
    if (len < 4 || len > 6)
        return false;
    for (std::size_t k = start; k < c.i; ++k)
        year = year * 10 + (c.s[k] - '0');
    if (negative)
        year = -year;
    int month = 0, day = 0;
    if (!c.take('-') || !c.digits(2, month) || !c.take('-') || !c.digits(2, day))
        return false;
    out = QDate(year, month, day);
    return out.isValid();
}

// Reads hh:mm:ss[.fff...]; "24:00:00" is returned as 00:00 with the day flag set.
bool readTime(Cursor& c, QTime& out, bool& nextDay)
{
    int h = 0, m = 0, sec = 0;
    if (!c.digits(2, h) || !c.take(':') || !c.digits(2, m) || !c.take(':') || !c.digits(2, sec))
        return false;
    int ms = 0;
    if (c.take('.')) {
        int scale = 100;
        std::size_t start = c.i;
        while (!c.atEnd() && c.s[c.i] >= '0' && c.s[c.i] <= '9') {
            ms += (c.s[c.i] - '0') * scale;
            scale /= 10;
            ++c.i;
        }
        if (c.i == start)
            return false;
    }
    nextDay = false;
    if (h == 24) {
        if (m != 0 || sec != 0 || ms != 0)
            return false;
        h = 0;
        nextDay = true;
    }
    out = QTime(h, m, sec, ms);
    return out.isValid();
}

bool readZone(Cursor& c, XsZone& zone)
{
    if (c.atEnd()) {
        zone = XsZone::none();
        return true;
    }
    if (c.take('Z')) {
        zone = XsZone::utc();
        return c.atEnd();
    }
    const char sign = c.s[c.i];
    if (sign != '+' && sign != '-')
        return false;
    ++c.i;
    int h = 0, m = 0;
    if (!c.digits(2, h) || !c.take(':') || !c.digits(2, m) || h > 14 || m > 59 || (h == 14 && m != 0))
        return false;
    const int seconds = (h * 3600 + m * 60) * (sign == '-' ? -1 : 1);
    zone = XsZone::offset(seconds);
    return c.atEnd();
}

QString zoneText(const XsZone& zone)
{
    if (!zone.present)
        return {};
    if (zone.utcDesignator)
        return QStringLiteral("Z");
    const int total = std::abs(zone.offsetSeconds) / 60;
    return QStringLiteral("%1%2:%3")
        .arg(zone.offsetSeconds < 0 ? QLatin1Char('-') : QLatin1Char('+'))
        .arg(total / 60, 2, 10, QLatin1Char('0'))
        .arg(total % 60, 2, 10, QLatin1Char('0'));
}

QString dateText(const QDate& d)
{
    const int y = d.year();
    QString year = QString::number(std::abs(y)).rightJustified(4, QLatin1Char('0'));
    if (y < 0)
        year.prepend(QLatin1Char('-'));
    return QStringLiteral("%1-%2-%3")
        .arg(year)
        .arg(d.month(), 2, 10, QLatin1Char('0'))
        .arg(d.day(), 2, 10, QLatin1Char('0'));
}

QString timeText(const QTime& t)
{
    return t.msec() ? t.toString(QStringLiteral("HH:mm:ss.zzz")) : t.toString(QStringLiteral("HH:mm:ss"));
}

} // namespace

QString XsDateTime::toString() const
{
    if (isNull())
        return {};
    return dateText(date) + QLatin1Char('T') + timeText(time.isValid() ? time : QTime(0, 0)) + zoneText(zone);
}

QDateTime XsDateTime::toQDateTime() const
{
    if (isNull())
        return {};
    const QTime t = time.isValid() ? time : QTime(0, 0);
    if (!zone.present)
        return QDateTime(date, t, Qt::LocalTime);
    if (zone.utcDesignator)
        return QDateTime(date, t, Qt::UTC);
    return QDateTime(date, t, Qt::OffsetFromUTC, zone.offsetSeconds);
}

XsDateTime XsDateTime::fromQDateTime(const QDateTime& value)
{
    if (!value.isValid())
        return {};
    XsDateTime out{value.date(), value.time(), {}};
    switch (value.timeSpec()) {
    case Qt::LocalTime:
        break;
    case Qt::UTC:
        out.zone = XsZone::utc();
        break;
    default:
        out.zone = XsZone::offset(value.offsetFromUtc());
        break;
    }
    return out;
}

std::optional<XsDateTime> XsDateTime::parse(std::string_view text)
{
    Cursor c{trimmed(text)};
    XsDateTime out;
    bool nextDay = false;
    if (!readDate(c, out.date) || !c.take('T') || !readTime(c, out.time, nextDay) || !readZone(c, out.zone))
        return std::nullopt;
    if (nextDay)
        out.date = out.date.addDays(1);
    return out;
}

QString XsDate::toString() const
{
    return isNull() ? QString() : dateText(date) + zoneText(zone);
}

std::optional<XsDate> XsDate::parse(std::string_view text)
{
    Cursor c{trimmed(text)};
    XsDate out;
    if (!readDate(c, out.date) || !readZone(c, out.zone))
        return std::nullopt;
    return out;
}

QString XsTime::toString() const
{
    return isNull() ? QString() : timeText(time) + zoneText(zone);
}

std::optional<XsTime> XsTime::parse(std::string_view text)
{
    Cursor c{trimmed(text)};
    XsTime out;
    bool nextDay = false;
    if (!readTime(c, out.time, nextDay) || !readZone(c, out.zone))
        return std::nullopt;
    return out;
}

} // namespace korvel
