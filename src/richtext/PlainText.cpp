#include "richtext/PlainText.h"

#include "richtext/RtfReader.h"

namespace tessaro::richtext {
namespace {

void appendParagraph(std::string& out, const Paragraph& paragraph) {
    for (const Run& run : paragraph.runs) {
        switch (run.kind) {
        case Run::Kind::Text:
            out += run.text;
            break;
        case Run::Kind::LineBreak:
            out += '\n';
            break;
        case Run::Kind::Tab:
            out += '\t';
            break;
        case Run::Kind::Picture:
            break;
        }
    }
}

void appendTable(std::string& out, const Table& table) {
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const TableRow& row = table.rows[r];
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            if (c > 0) {
                out += '\t';
            }
            const auto& paragraphs = row.cells[c].paragraphs;
            for (std::size_t p = 0; p < paragraphs.size(); ++p) {
                if (p > 0) {
                    out += ' ';
                }
                appendParagraph(out, paragraphs[p]);
            }
        }
        if (r + 1 < table.rows.size()) {
            out += '\n';
        }
    }
}

bool isSpaceAt(std::string_view text, std::size_t pos, std::size_t& length) {
    unsigned char c = static_cast<unsigned char>(text[pos]);
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f') {
        length = 1;
        return true;
    }
    if (text.compare(pos, 2, "\xC2\xA0") == 0) {
        length = 2;
        return true;
    }
    if (text.compare(pos, 3, "\xE3\x80\x80") == 0) {
        length = 3;
        return true;
    }
    return false;
}

bool endsWithSpace(std::string_view text, std::size_t& length) {
    for (std::size_t candidate : {1, 2, 3}) {
        if (text.size() >= candidate && isSpaceAt(text, text.size() - candidate, length) &&
            length == candidate) {
            return true;
        }
    }
    return false;
}

} // namespace

std::string plainText(const Document& document) {
    std::string out;
    for (std::size_t i = 0; i < document.blocks.size(); ++i) {
        if (i > 0) {
            out += '\n';
        }
        if (const auto* paragraph = std::get_if<Paragraph>(&document.blocks[i])) {
            appendParagraph(out, *paragraph);
        } else {
            appendTable(out, std::get<Table>(document.blocks[i]));
        }
    }
    return out;
}

std::string plainTextOfRtf(std::span<const std::uint8_t> bytes) {
    return plainText(readRtf(bytes).document);
}

std::string plainTextOfRtf(std::string_view bytes) {
    return plainText(readRtf(bytes).document);
}

std::string_view trimmed(std::string_view text) {
    std::size_t length = 0;
    while (!text.empty() && isSpaceAt(text, 0, length)) {
        text.remove_prefix(length);
    }
    while (!text.empty() && endsWithSpace(text, length)) {
        text.remove_suffix(length);
    }
    return text;
}

} // namespace tessaro::richtext
