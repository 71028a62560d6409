#include "richtext/RtfReader.h"

#include "richtext/CodePage.h"
#include "richtext/RtfParser.h"

namespace tessaro::richtext {
namespace {

bool isValidUtf8(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t before = pos;
        if (nextCodePoint(text, pos) == 0xFFFD && text.compare(before, 3, "\xEF\xBF\xBD") != 0) {
            return false;
        }
    }
    return true;
}

// Text that is not RTF: one paragraph per line, UTF-8 when it is valid, else code page 936.
Document documentOfPlainText(std::string_view bytes) {
    std::string text;
    if (isValidUtf8(bytes)) {
        text.assign(bytes);
    } else {
        CodePage::get(936)->decode(bytes, text);
    }
    Document document;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        Paragraph paragraph;
        if (!line.empty()) {
            paragraph.runs.push_back(Run::makeText(std::move(line)));
        }
        if (end < text.size() || !paragraph.empty()) {
            document.blocks.emplace_back(std::move(paragraph));
        }
        start = end + 1;
    }
    return document;
}

} // namespace

bool looksLikeRtf(std::span<const std::uint8_t> bytes) {
    static constexpr std::string_view kMagic = "{\\rtf";
    std::size_t start = 0;
    if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        start = 3;
    }
    while (start < bytes.size() && (bytes[start] == ' ' || bytes[start] == '\r' ||
                                    bytes[start] == '\n' || bytes[start] == '\t')) {
        ++start;
    }
    if (bytes.size() - start < kMagic.size()) {
        return false;
    }
    for (std::size_t i = 0; i < kMagic.size(); ++i) {
        if (bytes[start + i] != static_cast<std::uint8_t>(kMagic[i])) {
            return false;
        }
    }
    return true;
}

ReadResult readRtf(std::span<const std::uint8_t> bytes, const ReadOptions& options) {
    if (!looksLikeRtf(bytes)) {
        ReadResult result;
        result.isRtf = false;
        result.document = documentOfPlainText(
            std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        return result;
    }
    return detail::RtfParser(bytes, options).run();
}

ReadResult readRtf(std::string_view bytes, const ReadOptions& options) {
    return readRtf(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
                   options);
}

} // namespace tessaro::richtext
