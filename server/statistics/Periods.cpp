#include "server/statistics/Periods.h"

namespace korvel::sandbox {

int isoWeeksInYear(int year)
{
    // 28 December always falls in the year's last ISO week.
    return QDate(year, 12, 28).weekNumber();
}

int weekOfYear(const QDate& date, int year)
{
    int isoYear = 0;
    const int week = date.weekNumber(&isoYear);
    if (isoYear < year)
        return 1;
    if (isoYear > year)
        return isoWeeksInYear(year);
    return week;
}

} // namespace korvel::sandbox
