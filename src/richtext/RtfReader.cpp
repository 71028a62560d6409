#include "richtext/RtfReader.h"

#include "richtext/CodePage.h"
#include "richtext/DocumentBuilder.h"
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
// Tabs become tab runs; other control characters are dropped, as the RTF reader drops them.
Document documentOfPlainText(std::string_view bytes) {
    std::string text;
    if (isValidUtf8(bytes)) {
        text.assign(bytes);
    } else {
        CodePage::get(936)->decode(bytes, text);
    }
    DocumentBuilder builder;
    std::string line;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        char c = i < text.size() ? text[i] : '\n';
        if (c == '\n') {
            if (i < text.size() || !line.empty()) {
                builder.paragraph().text(line);
            }
            line.clear();
        } else if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') {
            line += c;
        }
    }
    return builder.build();
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
