#include "richtext/HtmlWriter.h"

#include <cstdio>

namespace tessaro::richtext {
namespace {

void appendEscaped(std::string& out, std::string_view text) {
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
            break;
        }
    }
}

std::string cssColor(const Color& color) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", color.red, color.green, color.blue);
    return buffer;
}

std::string base64(const std::vector<std::uint8_t>& data) {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((data.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < data.size(); i += 3) {
        std::uint32_t chunk = data[i] << 16;
        if (i + 1 < data.size()) {
            chunk |= data[i + 1] << 8;
        }
        if (i + 2 < data.size()) {
            chunk |= data[i + 2];
        }
        out += kAlphabet[chunk >> 18 & 63];
        out += kAlphabet[chunk >> 12 & 63];
        out += i + 1 < data.size() ? kAlphabet[chunk >> 6 & 63] : '=';
        out += i + 2 < data.size() ? kAlphabet[chunk & 63] : '=';
    }
    return out;
}

std::string twipsToPx(int twips) {
    return std::to_string(twips / 15) + "px";
}

std::string paragraphStyle(const ParagraphFormat& format) {
    std::string style;
    switch (format.alignment) {
    case Alignment::Left:
        break;
    case Alignment::Center:
        style += "text-align:center;";
        break;
    case Alignment::Right:
        style += "text-align:right;";
        break;
    case Alignment::Justify:
        style += "text-align:justify;";
        break;
    }
    const std::pair<const char*, int> lengths[] = {
        {"margin-left", format.leftIndent},      {"margin-right", format.rightIndent},
        {"text-indent", format.firstLineIndent}, {"margin-top", format.spaceBefore},
        {"margin-bottom", format.spaceAfter},
    };
    for (const auto& [property, value] : lengths) {
        if (value != 0) {
            style += std::string(property) + ":" + twipsToPx(value) + ";";
        }
    }
    return style;
}

std::string runStyle(const CharFormat& format) {
    std::string style;
    if (!format.fontFamily.empty()) {
        std::string family;
        appendEscaped(family, format.fontFamily);
        style += "font-family:'" + family + "';";
    }
    if (format.fontSizeHalfPoints > 0) {
        style += "font-size:" + std::to_string(format.fontSizeHalfPoints / 2) +
                 (format.fontSizeHalfPoints % 2 ? ".5" : "") + "pt;";
    }
    if (format.bold) {
        style += "font-weight:bold;";
    }
    if (format.italic) {
        style += "font-style:italic;";
    }
    if (format.underline || format.strike) {
        style += "text-decoration:";
        style += format.underline ? " underline" : "";
        style += format.strike ? " line-through" : "";
        style += ";";
    }
    if (format.color) {
        style += "color:" + cssColor(*format.color) + ";";
    }
    if (format.highlight) {
        style += "background-color:" + cssColor(*format.highlight) + ";";
    }
    if (format.verticalAlign == VerticalAlign::Superscript) {
        style += "vertical-align:super;font-size:smaller;";
    } else if (format.verticalAlign == VerticalAlign::Subscript) {
        style += "vertical-align:sub;font-size:smaller;";
    }
    return style;
}

void appendPicture(std::string& out, const Picture& picture) {
    if (!picture.isImage()) {
        out += "<span class=\"picture-placeholder\">[图片]</span>";
        return;
    }
    out += "<img src=\"data:image/";
    out += picture.format == Picture::Format::Png ? "png" : "jpeg";
    out += ";base64,";
    out += base64(picture.data);
    out += '"';
    if (picture.widthTwips > 0) {
        out += " width=\"" + std::to_string(picture.widthTwips / 15) + "\"";
    }
    if (picture.heightTwips > 0) {
        out += " height=\"" + std::to_string(picture.heightTwips / 15) + "\"";
    }
    out += " alt=\"\">";
}

void appendParagraph(std::string& out, const Paragraph& paragraph) {
    std::string style = paragraphStyle(paragraph.format);
    out += style.empty() ? "<p>" : "<p style=\"" + style + "\">";
    for (const Run& run : paragraph.runs) {
        switch (run.kind) {
        case Run::Kind::Text: {
            std::string css = runStyle(run.format);
            if (css.empty()) {
                appendEscaped(out, run.text);
            } else {
                out += "<span style=\"" + css + "\">";
                appendEscaped(out, run.text);
                out += "</span>";
            }
            break;
        }
        case Run::Kind::LineBreak:
            out += "<br>";
            break;
        case Run::Kind::Tab:
            out += "&emsp;";
            break;
        case Run::Kind::Picture:
            if (run.picture) {
                appendPicture(out, *run.picture);
            }
            break;
        }
    }
    out += "</p>\n";
}

void appendTable(std::string& out, const Table& table) {
    out += "<table border=\"1\" cellspacing=\"0\">\n";
    for (const TableRow& row : table.rows) {
        out += "<tr>";
        for (const TableCell& cell : row.cells) {
            out += cell.widthTwips > 0
                       ? "<td width=\"" + std::to_string(cell.widthTwips / 15) + "\">"
                       : "<td>";
            for (const Paragraph& paragraph : cell.paragraphs) {
                appendParagraph(out, paragraph);
            }
            out += "</td>";
        }
        out += "</tr>\n";
    }
    out += "</table>\n";
}

} // namespace

std::string toHtml(const Document& document) {
    std::string out;
    for (const Block& block : document.blocks) {
        if (const auto* paragraph = std::get_if<Paragraph>(&block)) {
            appendParagraph(out, *paragraph);
        } else {
            appendTable(out, std::get<Table>(block));
        }
    }
    return out;
}

} // namespace tessaro::richtext
