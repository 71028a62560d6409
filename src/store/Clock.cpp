#include "Clock.h"

#include <cstdio>
#include <ctime>

namespace tessaro::store {

namespace {

class SystemClock : public Clock {
public:
    TimePoint now() const override { return std::chrono::system_clock::now(); }
};

const SystemClock systemClock;
const Clock* installed = &systemClock;

} // namespace

const Clock& Clock::current() {
    return *installed;
}

void Clock::install(const Clock* clock) {
    installed = clock ? clock : &systemClock;
}

std::string isoDate(Clock::TimePoint when) {
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    localtime_r(&t, &local);
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday);
    return buffer;
}

std::string today() {
    return isoDate(Clock::current().now());
}

std::int64_t secondsSince(Clock::TimePoint start) {
    return std::chrono::duration_cast<std::chrono::seconds>(Clock::current().now() - start).count();
}

ManualClock ManualClock::atLocalDate(int year, int month, int day, int hour) {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_isdst = -1;
    return ManualClock(std::chrono::system_clock::from_time_t(std::mktime(&local)));
}

} // namespace tessaro::store
