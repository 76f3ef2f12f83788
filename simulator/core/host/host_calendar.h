// The date and time services of the simulated terminal.
//
// On a real clock they give the local date and time. On a virtual clock they
// count from a start moment (set by the run, 2025-01-01 08:00:00 unless told
// otherwise) plus the virtual time elapsed, so scripted runs show the same
// dates every time. Setting the date never changes the PC's clock: it only
// checks that the date exists.
#pragma once

#include "runtime/services/terminal.h"
#include "simulator/core/host/host_clock.h"

#include <atomic>
#include <cstdint>

namespace formwick {

// A calendar date of years 1601..30827 that exists (29 February only in leap
// years).
bool date_is_valid(const DateRecord& date);

class HostCalendar final : public ClockService {
public:
    explicit HostCalendar(const HostClock& clock);

    void get_date(DateRecord& date) override;
    void get_time(TimeRecord& time) override;
    int set_date(const DateRecord& date) override;

    // Virtual clocks: the date and time shown from now on. False (nothing
    // changed) for a date or time that does not exist.
    bool set_now(const DateRecord& date, const TimeRecord& time);

private:
    bool now_fields(int& year, int& month, int& day, int& hour, int& minute, int& second) const;

    const HostClock& clock_;
    std::atomic<std::int64_t> startSeconds_; // seconds since 1970 of virtual time 0, as UTC fields
};

} // namespace formwick
