#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessaro::store {

/// Seconds of a duration text "h:mm:ss". Text without ":" is 0. With a single ":" only the hour
/// part counts ("12:34" is 43200), as stored logs have always been read. Nothing is returned when
/// a part is not a decimal number.
std::optional<std::int64_t> TimeToSeconds(std::string_view text);

/// "hh:mm:ss", each part at least two digits.
std::string formatDuration(std::int64_t seconds);

/// The stopwatch form "h:mm:ss" shown by the practice and exam windows.
std::string formatStopwatch(std::int64_t seconds);

/// A percentage of right answers as "%2.2f", or "0" when nothing was answered.
std::string formatRate(std::int64_t answers, std::int64_t wrong);

} // namespace tessaro::store
