#include "Durations.h"

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
    if (seconds < 0)
        seconds = 0;
    char buffer[32];
    std::snprintf(
        buffer, sizeof buffer, "%02lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
        static_cast<long long>(seconds % 3600 / 60), static_cast<long long>(seconds % 60));
    return buffer;
}

std::string formatStopwatch(std::int64_t seconds) {
    if (seconds < 0)
        seconds = 0;
    char buffer[32];
    std::snprintf(
        buffer, sizeof buffer, "%lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
        static_cast<long long>(seconds % 3600 / 60), static_cast<long long>(seconds % 60));
    return buffer;
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
