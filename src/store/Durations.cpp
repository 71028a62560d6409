#include "Durations.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace tessaro::store {

namespace {

std::optional<std::int64_t> decimal(std::string_view text) {
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

/// "h:mm:ss" with the hour part written by hourFormat.
std::string hoursMinutesSeconds(const char* hourFormat, std::int64_t seconds) {
    seconds = std::max<std::int64_t>(seconds, 0);
    char hours[24];
    std::snprintf(hours, sizeof hours, hourFormat, static_cast<long long>(seconds / 3600));
    char rest[16];
    std::snprintf(rest, sizeof rest, ":%02d:%02d", static_cast<int>(seconds % 3600 / 60),
                  static_cast<int>(seconds % 60));
    return std::string(hours) + rest;
}

} // namespace

std::optional<std::int64_t> TimeToSeconds(std::string_view text) {
    std::int64_t total = 0;
    int part = 0;
    std::string_view rest = text;
    for (auto colon = rest.find(':'); colon != std::string_view::npos; colon = rest.find(':')) {
        const auto head = decimal(rest.substr(0, colon));
        if (!head)
            return std::nullopt;
        rest = rest.substr(colon + 1);
        if (part == 0)
            total += *head * 3600;
        else if (part == 1)
            total += *head * 60;
        else
            rest = {};
        ++part;
    }
    if (part == 2) {
        const auto secs = decimal(rest.substr(0, 2));
        if (!secs)
            return std::nullopt;
        total += *secs;
    }
    return total;
}

std::string formatDuration(std::int64_t seconds) {
    return hoursMinutesSeconds("%02lld", seconds);
}

std::string formatStopwatch(std::int64_t seconds) {
    return hoursMinutesSeconds("%lld", seconds);
}

std::string formatRate(std::int64_t answers, std::int64_t wrong) {
    if (answers <= 0)
        return "0";
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%2.2f",
                  static_cast<double>(answers - wrong) / static_cast<double>(answers) * 100.0);
    return buffer;
}

} // namespace tessaro::store
