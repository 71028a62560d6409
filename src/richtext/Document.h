#pragma once

#include "richtext/Paragraph.h"
#include "richtext/Table.h"

#include <variant>
#include <vector>

namespace tessaro::richtext {

using Block = std::variant<Paragraph, Table>;

// A rich-text document: a sequence of paragraphs and tables.
struct Document {
    std::vector<Block> blocks;

    bool empty() const { return blocks.empty(); }

    friend bool operator==(const Document&, const Document&) = default;
};

// True when the document shows anything: non-blank text or a picture.
bool hasVisibleContent(const Document& document);

} // namespace tessaro::richtext
