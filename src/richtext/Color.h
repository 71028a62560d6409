#pragma once

#include <compare>
#include <cstdint>

namespace tessaro::richtext {

// An sRGB colour as RTF colour tables store it.
struct Color {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend auto operator<=>(const Color&, const Color&) = default;
};

} // namespace tessaro::richtext
