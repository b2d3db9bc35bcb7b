#include "data/tdatetime.h"

#include <cmath>

namespace {
const QDate &epoch()
{
    static const QDate day(1899, 12, 30);
    return day;
}
constexpr double ms_per_day = 86400000.0;
} // namespace

QDate date_from_days(double days)
{
    return epoch().addDays(static_cast<qint64>(std::floor(days)));
}

QDateTime datetime_from_days(double days)
{
    const double whole = std::floor(days);
    const auto ms = static_cast<qint64>(std::llround((days - whole) * ms_per_day));
    return QDateTime(epoch().addDays(static_cast<qint64>(whole)), QTime(0, 0)).addMSecs(ms);
}

double days_from_date(const QDate &date)
{
    return static_cast<double>(epoch().daysTo(date));
}

double days_from_datetime(const QDateTime &datetime)
{
    const QTime time = datetime.time();
    return days_from_date(datetime.date()) + time.msecsSinceStartOfDay() / ms_per_day;
}
