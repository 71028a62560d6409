#pragma once

#include "richtext/Document.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tessaro::richtext {

// The UTF-8 text of a document: paragraphs and line breaks end with "\n" (none after the last
// paragraph), tabs are "\t", table cells are separated by "\t" and rows end with "\n".
// Pictures give no text (use hasVisibleContent to tell a picture-only document from an empty one).
std::string plainText(const Document& document);
std::string plainTextOfRtf(std::span<const std::uint8_t> bytes);
std::string plainTextOfRtf(std::string_view bytes);

// text with leading and trailing white space (ASCII, NBSP, ideographic space) removed.
std::string_view trimmed(std::string_view text);

} // namespace tessaro::richtext
