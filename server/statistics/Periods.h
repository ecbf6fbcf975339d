#pragma once
// The periods of a business year. Weeks are ISO 8601 weeks clipped to the
// calendar year, so that the weeks of a year add up to the same total as its
// months: the days of January that still belong to the last ISO week of the
// year before count in week 1, and the days of December that already belong
// to week 1 of the next year count in the year's last week.

#include <QDate>

namespace korvel::sandbox {

// 52 or 53.
int isoWeeksInYear(int year);
// 1..isoWeeksInYear(year) for a date of `year`.
int weekOfYear(const QDate& date, int year);

} // namespace korvel::sandbox
