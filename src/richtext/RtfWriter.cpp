#include "richtext/RtfWriter.h"

#include "richtext/CodePage.h"
#include "richtext/TableLayout.h"

#include <array>
#include <map>

namespace tessaro::richtext {
namespace {

constexpr std::string_view kDefaultFont = "宋体";
constexpr char kHex[] = "0123456789abcdef";

// Writes one document; fonts and colours are collected first so the tables come out in order.
class Writer {
public:
    explicit Writer(const Document& document) : m_document(document) {
        m_gbk = CodePage::get(936);
        m_fonts.emplace(std::string(kDefaultFont), 0);
        m_fontOrder.emplace_back(kDefaultFont);
    }

    std::string write() {
        collect();
        m_out.reserve(4096);
        m_out += "{\\rtf1\\ansi\\ansicpg936\\uc1\\deff0\\deflang1033\\deflangfe2052{\\fonttbl";
        for (std::size_t i = 0; i < m_fontOrder.size(); ++i) {
            m_out += "{\\f";
            m_out += std::to_string(i);
            m_out += "\\fnil\\fcharset134 ";
            writeFontName(m_fontOrder[i]);
            m_out += ";}";
        }
        m_out += "}\n{\\colortbl ;";
        for (const Color& color : m_colorOrder) {
            m_out += "\\red" + std::to_string(color.red) + "\\green" + std::to_string(color.green) +
                     "\\blue" + std::to_string(color.blue) + ";";
        }
        m_out += "}\n\\viewkind4";
        for (const Block& block : m_document.blocks) {
            if (const auto* paragraph = std::get_if<Paragraph>(&block)) {
                writeParagraph(*paragraph, false, "\\par\n");
            } else {
                writeTable(std::get<Table>(block));
            }
        }
        m_out += "}";
        return std::move(m_out);
    }

private:
    void collectParagraph(const Paragraph& paragraph) {
        for (const Run& run : paragraph.runs) {
            const CharFormat& format = run.format;
            if (!format.fontFamily.empty() && !m_fonts.contains(format.fontFamily)) {
                m_fonts.emplace(format.fontFamily, static_cast<int>(m_fontOrder.size()));
                m_fontOrder.push_back(format.fontFamily);
            }
            for (const auto& color : {format.color, format.highlight}) {
                if (color && !m_colors.contains(*color)) {
                    m_colorOrder.push_back(*color);
                    m_colors.emplace(*color, static_cast<int>(m_colorOrder.size()));
                }
            }
        }
    }

    void collect() {
        for (const Block& block : m_document.blocks) {
            if (const auto* paragraph = std::get_if<Paragraph>(&block)) {
                collectParagraph(*paragraph);
                continue;
            }
            for (const TableRow& row : std::get<Table>(block).rows) {
                for (const TableCell& cell : row.cells) {
                    for (const Paragraph& paragraph : cell.paragraphs) {
                        collectParagraph(paragraph);
                    }
                }
            }
        }
    }

    void writeTable(const Table& table) {
        for (const TableRow& row : table.rows) {
            if (row.cells.empty()) {
                continue;
            }
            m_out += "\\trowd\\trgaph108\\trleft0";
            std::int64_t right = 0;
            int fallback = cellWidthFallback(row.cells.size());
            for (const TableCell& cell : row.cells) {
                right += cell.widthTwips > 0 ? cell.widthTwips : fallback;
                m_out += "\\cellx" + std::to_string(std::min<std::int64_t>(right, INT32_MAX));
            }
            m_out += "\n";
            for (const TableCell& cell : row.cells) {
                if (cell.paragraphs.empty()) {
                    m_out += "\\pard\\intbl\\cell\n";
                    continue;
                }
                for (std::size_t i = 0; i < cell.paragraphs.size(); ++i) {
                    bool last = i + 1 == cell.paragraphs.size();
                    writeParagraph(cell.paragraphs[i], true, last ? "\\cell\n" : "\\par\n");
                }
            }
            m_out += "\\row\n";
        }
    }

    void writeParagraph(const Paragraph& paragraph, bool inTable, std::string_view end) {
        m_out += "\\pard";
        if (inTable) {
            m_out += "\\intbl";
        }
        writeParagraphFormat(paragraph.format);
        m_uc = -1;
        for (const Run& run : paragraph.runs) {
            switch (run.kind) {
            case Run::Kind::Text:
                writeCharFormat(run.format);
                writeText(run.text);
                break;
            case Run::Kind::LineBreak:
                writeCharFormat(run.format);
                m_out += "\\line ";
                break;
            case Run::Kind::Tab:
                writeCharFormat(run.format);
                m_out += "\\tab ";
                break;
            case Run::Kind::Picture:
                if (run.picture) {
                    writePicture(*run.picture);
                }
                break;
            }
        }
        m_out += end;
    }

    void number(std::string_view word, int value) {
        m_out += word;
        m_out += std::to_string(value);
    }

    void writeParagraphFormat(const ParagraphFormat& format) {
        switch (format.alignment) {
        case Alignment::Left:
            break;
        case Alignment::Center:
            m_out += "\\qc";
            break;
        case Alignment::Right:
            m_out += "\\qr";
            break;
        case Alignment::Justify:
            m_out += "\\qj";
            break;
        }
        const std::pair<std::string_view, int> lengths[] = {
            {"\\li", format.leftIndent},      {"\\ri", format.rightIndent},
            {"\\fi", format.firstLineIndent}, {"\\sb", format.spaceBefore},
            {"\\sa", format.spaceAfter},
        };
        for (const auto& [word, value] : lengths) {
            if (value != 0) {
                number(word, value);
            }
        }
        if (format.lineSpacing != 0) {
            number("\\sl", format.lineSpacing);
            number("\\slmult", format.lineSpacingMultiple ? 1 : 0);
        }
        m_out += ' ';
    }

    void writeCharFormat(const CharFormat& format) {
        if (m_formatKnown && format == m_format) {
            return;
        }
        m_format = format;
        m_formatKnown = true;
        m_uc = -1;
        m_out += "\\plain";
        if (!format.fontFamily.empty()) {
            number("\\f", m_fonts.at(format.fontFamily));
        }
        if (format.fontSizeHalfPoints > 0) {
            number("\\fs", format.fontSizeHalfPoints);
        }
        if (format.bold) {
            m_out += "\\b";
        }
        if (format.italic) {
            m_out += "\\i";
        }
        if (format.underline) {
            m_out += "\\ul";
        }
        if (format.strike) {
            m_out += "\\strike";
        }
        if (format.color) {
            number("\\cf", m_colors.at(*format.color));
        }
        if (format.highlight) {
            number("\\highlight", m_colors.at(*format.highlight));
        }
        if (format.verticalAlign == VerticalAlign::Superscript) {
            m_out += "\\super";
        } else if (format.verticalAlign == VerticalAlign::Subscript) {
            m_out += "\\sub";
        }
        m_out += ' ';
    }

    void hexByte(std::uint8_t byte) {
        m_out += "\\'";
        m_out += kHex[byte >> 4];
        m_out += kHex[byte & 0xF];
    }

    void unicode(char32_t cp, int fallbackBytes) {
        if (m_uc != fallbackBytes) {
            number("\\uc", fallbackBytes);
            m_uc = fallbackBytes;
        }
        number("\\u", cp > 32767 ? static_cast<int>(cp) - 65536 : static_cast<int>(cp));
    }

    void writeCodePoint(char32_t cp) {
        switch (cp) {
        case '\\':
            m_out += "\\\\";
            return;
        case '{':
            m_out += "\\{";
            return;
        case '}':
            m_out += "\\}";
            return;
        case '\n':
            m_out += "\\line ";
            return;
        case '\t':
            m_out += "\\tab ";
            return;
        case 0xA0:
            m_out += "\\~";
            return;
        default:
            break;
        }
        if (cp < 0x20) {
            return;
        }
        if (cp < 0x80) {
            m_out += static_cast<char>(cp);
            return;
        }
        std::uint8_t bytes[2];
        int count = m_gbk->encode(cp, bytes);
        if (count > 0) {
            unicode(cp, count);
            for (int i = 0; i < count; ++i) {
                hexByte(bytes[i]);
            }
            return;
        }
        if (cp >= 0x10000) {
            unicode(0xD800 + ((cp - 0x10000) >> 10), 1);
            m_out += '?';
            cp = 0xDC00 + ((cp - 0x10000) & 0x3FF);
        }
        unicode(cp, 1);
        m_out += '?';
    }

    void writeText(std::string_view text) {
        std::size_t pos = 0;
        while (pos < text.size()) {
            std::size_t start = pos;
            while (pos < text.size()) {
                unsigned char c = static_cast<unsigned char>(text[pos]);
                if (c < 0x20 || c >= 0x80 || c == '\\' || c == '{' || c == '}') {
                    break;
                }
                ++pos;
            }
            m_out.append(text.data() + start, pos - start);
            if (pos < text.size()) {
                writeCodePoint(nextCodePoint(text, pos));
            }
        }
    }

    void writeFontName(std::string_view name) {
        std::size_t pos = 0;
        while (pos < name.size()) {
            char32_t cp = nextCodePoint(name, pos);
            std::uint8_t bytes[2];
            int count = cp >= 0x80 ? m_gbk->encode(cp, bytes) : 0;
            if (cp == ';' || cp == '\\' || cp == '{' || cp == '}') {
                hexByte(static_cast<std::uint8_t>(cp));
            } else if (cp >= 0x20 && cp < 0x80) {
                m_out += static_cast<char>(cp);
            } else if (count > 0) {
                for (int i = 0; i < count; ++i) {
                    hexByte(bytes[i]);
                }
            } else if (cp >= 0x80) {
                // Font names take the code point whole, also beyond the 16 bits of body text.
                int value = cp > 32767 && cp < 0x10000 ? static_cast<int>(cp) - 65536
                                                       : static_cast<int>(cp);
                number("\\u", value);
                m_out += '?';
            }
        }
    }

    void writePicture(const Picture& picture) {
        using Format = Picture::Format;
        m_out += "{\\pict";
        switch (picture.format) {
        case Format::Png:
            m_out += "\\pngblip";
            break;
        case Format::Jpeg:
            m_out += "\\jpegblip";
            break;
        case Format::Emf:
            m_out += "\\emfblip";
            break;
        case Format::Wmf:
            number("\\wmetafile", picture.metafileMapping);
            break;
        case Format::MacPict:
            m_out += "\\macpict";
            break;
        case Format::Dib:
            number("\\dibitmap", picture.metafileMapping);
            break;
        case Format::Bitmap:
            number("\\wbitmap", picture.metafileMapping);
            break;
        case Format::Unknown:
            break;
        }
        number("\\picw", picture.sourceWidth);
        number("\\pich", picture.sourceHeight);
        if (picture.widthTwips > 0) {
            number("\\picwgoal", picture.widthTwips);
        }
        if (picture.heightTwips > 0) {
            number("\\pichgoal", picture.heightTwips);
        }
        m_out += '\n';
        std::size_t start = m_out.size();
        m_out.resize(start + picture.data.size() * 2 + picture.data.size() / 64 + 1);
        char* out = m_out.data() + start;
        for (std::size_t i = 0; i < picture.data.size(); ++i) {
            std::uint8_t byte = picture.data[i];
            *out++ = kHex[byte >> 4];
            *out++ = kHex[byte & 0xF];
            if (i % 64 == 63) {
                *out++ = '\n';
            }
        }
        m_out.resize(static_cast<std::size_t>(out - m_out.data()));
        m_out += "}";
    }

    const Document& m_document;
    const CodePage* m_gbk = nullptr;
    std::string m_out;
    std::map<std::string, int> m_fonts;
    std::vector<std::string> m_fontOrder;
    std::map<Color, int> m_colors;
    std::vector<Color> m_colorOrder;
    CharFormat m_format;
    bool m_formatKnown = false;
    int m_uc = 1;
};

} // namespace

std::string writeRtf(const Document& document) {
    return Writer(document).write();
}

} // namespace tessaro::richtext
