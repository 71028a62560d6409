#include "richtext/Document.h"

#include <algorithm>

namespace tessaro::richtext {
namespace {

bool isBlankText(const std::string& text) {
    // Spaces, control characters, NBSP (C2 A0) and the ideographic space (E3 80 80).
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c <= 0x20) {
            continue;
        }
        if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xA0) {
            ++i;
            continue;
        }
        if (c == 0xE3 && text.compare(i, 3, "\xE3\x80\x80") == 0) {
            i += 2;
            continue;
        }
        return false;
    }
    return true;
}

bool paragraphShows(const Paragraph& paragraph) {
    return std::any_of(paragraph.runs.begin(), paragraph.runs.end(), [](const Run& run) {
        return run.kind == Run::Kind::Picture ||
               (run.kind == Run::Kind::Text && !isBlankText(run.text));
    });
}

bool blockShows(const Block& block) {
    if (const auto* paragraph = std::get_if<Paragraph>(&block)) {
        return paragraphShows(*paragraph);
    }
    for (const TableRow& row : std::get<Table>(block).rows) {
        for (const TableCell& cell : row.cells) {
            if (std::any_of(cell.paragraphs.begin(), cell.paragraphs.end(), paragraphShows)) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

bool hasVisibleContent(const Document& document) {
    return std::any_of(document.blocks.begin(), document.blocks.end(), blockShows);
}

} // namespace tessaro::richtext
