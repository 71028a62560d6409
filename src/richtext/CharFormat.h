#pragma once

#include "richtext/Color.h"

#include <optional>
#include <string>

namespace tessaro::richtext {

enum class VerticalAlign { Normal, Superscript, Subscript };

// Character formatting of a run. Empty or zero members mean "the document default".
struct CharFormat {
    std::string fontFamily{};   // UTF-8 family name, e.g. "宋体"; empty = default font
    int fontSizeHalfPoints = 0; // RTF \fs units (24 = 12 pt); 0 = default size
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    std::optional<Color> color{};     // text colour; none = automatic
    std::optional<Color> highlight{}; // background; none = no highlight
    VerticalAlign verticalAlign = VerticalAlign::Normal;

    friend bool operator==(const CharFormat&, const CharFormat&) = default;
};

} // namespace tessaro::richtext
