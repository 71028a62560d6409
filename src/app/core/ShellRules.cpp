#include "ShellRules.h"

#include <algorithm>
#include <charconv>
#include <chrono>

namespace tessaro::app {

namespace {

std::optional<std::chrono::sys_days> parseIsoDate(std::string_view text) {
    // Accept "YYYY-MM-DD" optionally followed by a time, as dates are stored with or without one.
    if (text.size() < 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    int year = 0;
    unsigned month = 0, day = 0;
    auto number = [&](std::size_t at, std::size_t length, auto& out) {
        const auto* first = text.data() + at;
        const auto [end, ec] = std::from_chars(first, first + length, out);
        return ec == std::errc() && end == first + length;
    };
    if (!number(0, 4, year) || !number(5, 2, month) || !number(8, 2, day))
        return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year(year), std::chrono::month(month),
                                           std::chrono::day(day)};
    if (!date.ok())
        return std::nullopt;
    return std::chrono::sys_days(date);
}

} // namespace

std::string screenModeFor(int width, int height) {
    return width == 800 || height == 600 ? "800" : "1024";
}

int clampVolumeLevel(int level) {
    return std::clamp(level, 1, 16);
}

std::uint32_t waveVolumeValue(int level) {
    return static_cast<std::uint32_t>(clampVolumeLevel(level) - 1) * 0x11111111u;
}

double volumeGain(int level) {
    return static_cast<double>((clampVolumeLevel(level) - 1) * 0x1111) / 0xFFFF;
}

std::optional<int> daysBetween(std::string_view fromIso, std::string_view toIso) {
    const auto from = parseIsoDate(fromIso);
    const auto to = parseIsoDate(toIso);
    if (!from || !to)
        return std::nullopt;
    return static_cast<int>((*to - *from).count());
}

} // namespace tessaro::app
