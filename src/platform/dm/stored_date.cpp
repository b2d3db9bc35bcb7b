#include "platform/dm/stored_date.h"

#include <QDate>

#include <cmath>
#include <cstdio>

namespace dm {
namespace {

constexpr qint64 kJulianDayOfEpoch = 2415019; // 30 Dec 1899
constexpr int kSecondsPerDay = 86400;

bool read_number(std::string_view text, size_t pos, size_t digits, int *value)
{
    if (pos + digits > text.size())
        return false;
    int result = 0;
    for (size_t i = pos; i < pos + digits; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        result = result * 10 + (text[i] - '0');
    }
    *value = result;
    return true;
}

// "hh:mm", "hh:mm:ss" or "hh:mm:ss.fff…"; seconds of the day or -1.
double parse_time(std::string_view text)
{
    int hours = 0, minutes = 0, seconds = 0;
    if (!read_number(text, 0, 2, &hours) || text.size() < 5 || text[2] != ':' ||
        !read_number(text, 3, 2, &minutes))
        return -1;
    double fraction = 0;
    if (text.size() > 5) {
        if (text[5] != ':' || !read_number(text, 6, 2, &seconds))
            return -1;
        if (text.size() > 8) {
            if (text[8] != '.' || text.size() == 9)
                return -1;
            double scale = 0.1;
            for (size_t i = 9; i < text.size(); ++i, scale /= 10) {
                if (text[i] < '0' || text[i] > '9')
                    return -1;
                fraction += (text[i] - '0') * scale;
            }
        }
    }
    if (hours > 23 || minutes > 59 || seconds > 59)
        return -1;
    return hours * 3600.0 + minutes * 60.0 + seconds + fraction;
}

} // namespace

std::optional<double> parse_stored_date(std::string_view text)
{
    int year = 0, month = 0, day = 0;
    if (!read_number(text, 0, 4, &year) || text.size() < 10 || text[4] != '-' ||
        !read_number(text, 5, 2, &month) || text[7] != '-' || !read_number(text, 8, 2, &day))
        return std::nullopt;
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;

    double seconds = 0;
    if (text.size() > 10) {
        if (text[10] != ' ' && text[10] != 'T')
            return std::nullopt;
        seconds = parse_time(text.substr(11));
        if (seconds < 0)
            return std::nullopt;
    }
    const auto whole = static_cast<double>(date.toJulianDay() - kJulianDayOfEpoch);
    const double fraction = seconds / kSecondsPerDay;
    return whole < 0 ? whole - fraction : whole + fraction;
}

std::optional<std::string> format_stored_date(double days)
{
    if (!std::isfinite(days) || std::fabs(days) > 3e6)
        return std::nullopt;
    auto whole = static_cast<qint64>(std::trunc(days));
    auto seconds =
        static_cast<qint64>(std::llround(std::fabs(days - std::trunc(days)) * kSecondsPerDay));
    if (seconds >= kSecondsPerDay) {
        seconds -= kSecondsPerDay;
        ++whole;
    }
    const QDate date = QDate::fromJulianDay(whole + kJulianDayOfEpoch);
    if (!date.isValid() || date.year() < 1 || date.year() > 9999)
        return std::nullopt;

    char buffer[32];
    int length = std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", date.year(), date.month(),
                               date.day());
    if (seconds != 0) {
        length +=
            std::snprintf(buffer + length, sizeof buffer - length, " %02d:%02d:%02d",
                          static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
                          static_cast<int>(seconds % 60));
    }
    return std::string(buffer, static_cast<size_t>(length));
}

} // namespace dm
