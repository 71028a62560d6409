#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessaro::app {

/// The layout class of a screen: "800" when it is 800 pixels wide or 600 high, else "1024".
std::string screenModeFor(int width, int height);

/// A volume level limited to 1 (silent) .. 16 (full).
int clampVolumeLevel(int level);

/// The output volume of a level: both stereo channels at (level - 1) × 0x1111 out of 0xFFFF,
/// packed as the two 16-bit halves of one value.
std::uint32_t waveVolumeValue(int level);

/// The same volume as a gain factor 0.0 .. 1.0 of full output.
double volumeGain(int level);

/// Whole days from one ISO date "YYYY-MM-DD" to another; nothing when either is not a date.
std::optional<int> daysBetween(std::string_view fromIso, std::string_view toIso);

} // namespace tessaro::app
