#include "richtext/CodePage.h"

#include <iconv.h>
#include <map>
#include <memory>
#include <mutex>

namespace tessaro::richtext {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

const char* iconvNameOf(int number) {
    switch (number) {
    case 437:
        return "CP437";
    case 850:
        return "CP850";
    case 852:
        return "CP852";
    case 866:
        return "CP866";
    case 874:
        return "CP874";
    case 932:
        return "CP932";
    case 936:
    case 20936: // GB2312, a subset of GBK
    case 54936: // GB18030: its two-byte part is GBK; four-byte forms decode to U+FFFD
        return "CP936";
    case 949:
        return "CP949";
    case 950:
        return "CP950";
    case 1250:
        return "CP1250";
    case 1251:
        return "CP1251";
    case 1252:
        return "CP1252";
    case 1253:
        return "CP1253";
    case 1254:
        return "CP1254";
    case 1255:
        return "CP1255";
    case 1256:
        return "CP1256";
    case 1257:
        return "CP1257";
    case 1258:
        return "CP1258";
    case 1361:
        return "JOHAB";
    case 10000:
        return "MACINTOSH";
    case 20127:
        return "ASCII";
    case 28591:
        return "ISO-8859-1";
    case 28592:
        return "ISO-8859-2";
    case 28595:
        return "ISO-8859-5";
    case 28597:
        return "ISO-8859-7";
    case 28605:
        return "ISO-8859-15";
    case 65001:
        return "UTF-8";
    default:
        return nullptr;
    }
}

// Converts one byte sequence; returns the single code point, 0 when the bytes are invalid or
// give more than one character, and sets incomplete when iconv wants more input.
char32_t convertOne(iconv_t cd, const unsigned char* bytes, std::size_t length, bool& incomplete) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char32_t output[2] = {};
    char* in = reinterpret_cast<char*>(const_cast<unsigned char*>(bytes));
    std::size_t inLeft = length;
    char* out = reinterpret_cast<char*>(output);
    std::size_t outLeft = sizeof output;
    incomplete = false;
    if (iconv(cd, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) {
        incomplete = errno == EINVAL;
        return 0;
    }
    if (inLeft != 0 || outLeft != sizeof output - sizeof(char32_t)) {
        return 0;
    }
    return output[0];
}

} // namespace

CodePage::CodePage(int number, const char* iconvName) : m_number(number) {
    if (number == 65001) {
        m_utf8 = true;
        return;
    }
    buildTables(iconvName);
}

void CodePage::buildTables(const char* iconvName) {
    iconv_t cd = iconv_open("UTF-32LE", iconvName);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return;
    }
    m_encode.assign(0x10000, 0);
    bool anyLead = false;
    for (int b = 0; b < 256; ++b) {
        unsigned char byte = static_cast<unsigned char>(b);
        bool incomplete = false;
        char32_t cp = convertOne(cd, &byte, 1, incomplete);
        m_lead[b] = incomplete;
        anyLead = anyLead || incomplete;
        m_single[b] = cp != 0 || b == 0 ? cp : kReplacement;
        if (cp > 0 && cp < 0x10000 && m_encode[cp] == 0) {
            m_encode[cp] = static_cast<std::uint16_t>(b);
        }
    }
    if (anyLead) {
        m_double.assign(0x10000, 0);
        for (int lead = 0x80; lead < 256; ++lead) {
            if (!m_lead[lead]) {
                continue;
            }
            for (int trail = 0x21; trail < 256; ++trail) {
                unsigned char pair[2] = {static_cast<unsigned char>(lead),
                                         static_cast<unsigned char>(trail)};
                bool incomplete = false;
                char32_t cp = convertOne(cd, pair, 2, incomplete);
                if (cp == 0) {
                    continue;
                }
                int code = lead << 8 | trail;
                m_double[code] = cp;
                if (cp < 0x10000 && m_encode[cp] == 0) {
                    m_encode[cp] = static_cast<std::uint16_t>(code);
                }
            }
        }
    }
    iconv_close(cd);
}

const CodePage* CodePage::get(int number) {
    static std::mutex mutex;
    static std::map<int, std::unique_ptr<CodePage>> pages;
    std::lock_guard lock(mutex);
    auto found = pages.find(number);
    if (found != pages.end()) {
        return found->second.get();
    }
    std::unique_ptr<CodePage> page;
    if (const char* name = iconvNameOf(number)) {
        page = std::make_unique<CodePage>(number, name);
        if (!page->m_utf8 && page->m_encode.empty()) {
            page.reset(); // iconv does not know it on this system
        }
    }
    return pages.emplace(number, std::move(page)).first->second.get();
}

int CodePage::forCharset(int charset) {
    switch (charset) {
    case 0:
        return 1252;
    case 2:
        return 1252; // symbol fonts: keep the bytes readable
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 130:
        return 1361;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
        return 437;
    case 255:
        return 850;
    default:
        return 0;
    }
}

void CodePage::decode(std::string_view bytes, std::string& out) const {
    if (m_utf8) {
        decodeUtf8(bytes, out);
        return;
    }
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        unsigned char b = p[i];
        if (b < 0x80) {
            std::size_t start = i;
            while (i < n && p[i] < 0x80) {
                ++i;
            }
            out.append(bytes.data() + start, i - start);
            continue;
        }
        if (m_lead[b]) {
            char32_t cp = i + 1 < n ? m_double[b << 8 | p[i + 1]] : 0;
            if (cp != 0) {
                appendUtf8(out, cp);
                i += 2;
                continue;
            }
            appendUtf8(out, kReplacement);
            ++i;
            continue;
        }
        appendUtf8(out, m_single[b]);
        ++i;
    }
}

void CodePage::decodeUtf8(std::string_view bytes, std::string& out) const {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        appendUtf8(out, nextCodePoint(bytes, pos));
    }
}

int CodePage::encode(char32_t codePoint, std::uint8_t out[2]) const {
    if (m_utf8 || codePoint == 0 || codePoint >= 0x10000) {
        return 0;
    }
    std::uint16_t code = m_encode[codePoint];
    if (code == 0) {
        return 0;
    }
    if (code < 0x100) {
        out[0] = static_cast<std::uint8_t>(code);
        return 1;
    }
    out[0] = static_cast<std::uint8_t>(code >> 8);
    out[1] = static_cast<std::uint8_t>(code & 0xFF);
    return 2;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
        return;
    }
    if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
        cp = kReplacement;
    }
    if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    }
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
}

char32_t nextCodePoint(std::string_view text, std::size_t& pos) {
    auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char b = byteAt(pos++);
    if (b < 0x80) {
        return b;
    }
    int extra = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((b & 0xE0) == 0xC0) {
        extra = 1, cp = b & 0x1F, minimum = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        extra = 2, cp = b & 0x0F, minimum = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        extra = 3, cp = b & 0x07, minimum = 0x10000;
    } else {
        return kReplacement;
    }
    for (int k = 0; k < extra; ++k) {
        if (pos >= text.size() || (byteAt(pos) & 0xC0) != 0x80) {
            return kReplacement;
        }
        cp = cp << 6 | (byteAt(pos++) & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return kReplacement;
    }
    return cp;
}

} // namespace tessaro::richtext
