#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro::richtext {

// A Windows code page decoded and encoded through tables built once from iconv. Double-byte
// pages (932, 936, 949, 950, 1361) decode lead/trail pairs; invalid or incomplete sequences
// become U+FFFD. Code page 65001 is UTF-8 (validated).
class CodePage {
public:
    // The code page with this Windows number, or nullptr when it is not supported.
    // Tables are built on first use and live for the whole process; thread-safe.
    static const CodePage* get(int number);
    // Windows code page for an RTF \fcharset value, or 0 when the charset does not name one
    // (0 = ANSI, 1 = default: the caller uses the document's code page).
    static int forCharset(int charset);

    int number() const { return m_number; }
    bool isDoubleByte() const { return !m_double.empty(); }

    // Appends the UTF-8 text of bytes to out.
    void decode(std::string_view bytes, std::string& out) const;
    // The bytes of one code point in this page: 0 when not encodable, else 1 or 2 bytes.
    int encode(char32_t codePoint, std::uint8_t out[2]) const;

    CodePage(int number, const char* iconvName);

private:
    void decodeUtf8(std::string_view bytes, std::string& out) const;
    void buildTables(const char* iconvName);

    int m_number;
    bool m_utf8 = false;
    char32_t m_single[256] = {};
    bool m_lead[256] = {};
    std::vector<char32_t> m_double;      // (lead << 8 | trail) -> code point, 0 = invalid
    std::vector<std::uint16_t> m_encode; // BMP code point -> bytes (lead << 8 | trail, or byte)
};

// Appends the UTF-8 encoding of a code point (U+FFFD for surrogates and values out of range).
void appendUtf8(std::string& out, char32_t codePoint);
// Decodes the code point at text[pos] and advances pos; invalid sequences give U+FFFD.
char32_t nextCodePoint(std::string_view text, std::size_t& pos);

} // namespace tessaro::richtext
