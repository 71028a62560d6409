#pragma once

#include "richtext/Document.h"

#include <optional>
#include <string>
#include <string_view>

namespace tessaro::bank {

/// The result of reading markup: a document, or the first problem and the line it is on.
struct MarkupResult {
    richtext::Document document;
    std::string error; ///< empty on success
    int line = 0;      ///< 1-based line of the problem within the markup text
};

/// Reads the bank sources' rich-text markup: paragraphs separated by blank lines, a line break
/// for each single newline, **bold**, *italic*, __underline__, {red:coloured text} (a colour
/// name or #RRGGBB), and a backslash before any of * _ { } \ to write it literally.
MarkupResult parseMarkup(std::string_view text);

/// Writes a document as markup, or nothing when the markup cannot express it exactly (other
/// fonts, sizes, alignment, pictures, tables, empty paragraphs ...).
std::optional<std::string> formatMarkup(const richtext::Document& document);

} // namespace tessaro::bank
