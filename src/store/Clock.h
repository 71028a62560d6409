#pragma once

#include <chrono>
#include <string>

namespace tessaro::store {

/// The one source of "now" for the whole program. Counters depend on today's date and the
/// practice and exam windows on elapsed time, so tests install a ManualClock instead.
class Clock {
public:
    using TimePoint = std::chrono::system_clock::time_point;
    virtual ~Clock() = default;
    virtual TimePoint now() const = 0;

    /// The installed clock; the system clock unless a test replaced it.
    static const Clock& current();
    /// Installs a clock (nullptr restores the system clock). The caller keeps ownership.
    static void install(const Clock* clock);
};

/// Today's local date as ISO text, "YYYY-MM-DD".
std::string today();
/// A local date as ISO text.
std::string isoDate(Clock::TimePoint when);
/// Seconds elapsed on the installed clock since a point it returned.
std::int64_t secondsSince(Clock::TimePoint start);

/// A clock that stands still until told to move; for tests and benchmarks.
class ManualClock : public Clock {
public:
    explicit ManualClock(TimePoint start) : m_now(start) {}
    /// Local midnight of the given day plus an offset, convenient for date-sensitive tests.
    static ManualClock atLocalDate(int year, int month, int day, int hour = 9);
    TimePoint now() const override { return m_now; }
    void advance(std::chrono::seconds by) { m_now += by; }
    void set(TimePoint when) { m_now = when; }

private:
    TimePoint m_now;
};

/// Installs a clock for the lifetime of the object.
class ScopedClock {
public:
    explicit ScopedClock(const Clock& clock) { Clock::install(&clock); }
    ~ScopedClock() { Clock::install(nullptr); }
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;
};

} // namespace tessaro::store
