#include "simulator/core/host/host_calendar.h"

#include <chrono>
#include <ctime>

namespace formwick {

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
std::int64_t days_from_civil(std::int64_t y, int m, int d) {
    using namespace std::chrono;
    return sys_days(year(static_cast<int>(y)) / month(static_cast<unsigned>(m)) / day(static_cast<unsigned>(d)))
        .time_since_epoch()
        .count();
}

} // namespace

bool date_is_valid(const DateRecord& date) {
    if (date.year < 1601 || date.year > 30827) return false;
    using namespace std::chrono;
    return year_month_day(year(date.year), month(date.month), day(date.day)).ok();
}

HostCalendar::HostCalendar(const HostClock& clock)
    : clock_(clock), startSeconds_(days_from_civil(2025, 1, 1) * 86400 + 8 * 3600) {}

bool HostCalendar::set_now(const DateRecord& date, const TimeRecord& time) {
    if (!date_is_valid(date) || time.hour > 23 || time.minute > 59 || time.second > 59) return false;
    startSeconds_ = days_from_civil(date.year, date.month, date.day) * 86400 + time.hour * 3600 +
                    time.minute * 60 + time.second - clock_.now() / 1000;
    return true;
}

bool HostCalendar::now_fields(int& y, int& mo, int& d, int& h, int& mi, int& s) const {
    std::tm fields{};
    if (clock_.is_virtual()) {
        const std::int64_t seconds = startSeconds_ + clock_.now() / 1000;
        const std::time_t t = static_cast<std::time_t>(seconds);
        if (!gmtime_r(&t, &fields)) return false;
    } else {
        const std::time_t t = std::time(nullptr);
        if (t == static_cast<std::time_t>(-1) || !localtime_r(&t, &fields)) return false;
    }
    y = fields.tm_year + 1900;
    mo = fields.tm_mon + 1;
    d = fields.tm_mday;
    h = fields.tm_hour;
    mi = fields.tm_min;
    s = fields.tm_sec;
    return true;
}

void HostCalendar::get_date(DateRecord& date) {
    int y, mo, d, h, mi, s;
    if (!now_fields(y, mo, d, h, mi, s)) {
        date = DateRecord{};
        return;
    }
    date.year = y;
    date.month = static_cast<std::uint8_t>(mo);
    date.day = static_cast<std::uint8_t>(d);
}

void HostCalendar::get_time(TimeRecord& time) {
    int y, mo, d, h, mi, s;
    if (!now_fields(y, mo, d, h, mi, s)) {
        time = TimeRecord{255, 255, 255};
        return;
    }
    time.hour = static_cast<std::uint8_t>(h);
    time.minute = static_cast<std::uint8_t>(mi);
    time.second = static_cast<std::uint8_t>(s);
}

int HostCalendar::set_date(const DateRecord& date) { return date_is_valid(date) ? 0 : -1; }

} // namespace formwick
