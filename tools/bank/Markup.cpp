#include "Markup.h"

#include <array>
#include <cstdio>
#include <vector>

namespace tessaro::bank {

namespace {

using richtext::CharFormat;
using richtext::Color;
using richtext::Document;
using richtext::Paragraph;
using richtext::Run;

struct NamedColor {
    std::string_view name;
    Color color;
};

constexpr std::array<NamedColor, 7> kColors{{
    {"red", {255, 0, 0}},
    {"blue", {0, 0, 255}},
    {"green", {0, 128, 0}},
    {"orange", {255, 128, 0}},
    {"purple", {128, 0, 128}},
    {"grey", {128, 128, 128}},
    {"black", {0, 0, 0}},
}};

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<Color> colorByName(std::string_view name) {
    for (const auto& named : kColors)
        if (named.name == name)
            return named.color;
    if (name.size() != 7 || name[0] != '#')
        return std::nullopt;
    std::array<int, 6> digits{};
    for (size_t i = 0; i < 6; ++i)
        if ((digits[i] = hexValue(name[i + 1])) < 0)
            return std::nullopt;
    return Color{static_cast<std::uint8_t>(digits[0] * 16 + digits[1]),
                 static_cast<std::uint8_t>(digits[2] * 16 + digits[3]),
                 static_cast<std::uint8_t>(digits[4] * 16 + digits[5])};
}

std::string colorName(const Color& color) {
    for (const auto& named : kColors)
        if (named.color == color)
            return std::string(named.name);
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", color.red, color.green, color.blue);
    return buffer;
}

bool isSpecial(char c) {
    return c == '*' || c == '_' || c == '{' || c == '}' || c == '\\';
}

/// Reads one paragraph's text; toggles and the colour stack must be closed by its end.
class ParagraphReader {
public:
    ParagraphReader(std::string_view text, int firstLine) : m_text(text), m_line(firstLine) {}

    bool read(Paragraph& paragraph, MarkupResult& result) {
        while (m_pos < m_text.size()) {
            if (!step(paragraph, result))
                return false;
        }
        flush(paragraph);
        if (m_format.bold || m_format.italic || m_format.underline || !m_colors.empty())
            return fail(result, openMarkerMessage());
        return true;
    }

private:
    bool step(Paragraph& paragraph, MarkupResult& result) {
        const char c = m_text[m_pos];
        if (c == '\\' && m_pos + 1 < m_text.size() && isSpecial(m_text[m_pos + 1])) {
            m_pending += m_text[m_pos + 1];
            m_pos += 2;
        } else if (c == '\n') {
            flush(paragraph);
            paragraph.runs.push_back(Run::makeLineBreak(m_format));
            ++m_line;
            ++m_pos;
        } else if (m_text.substr(m_pos, 2) == "**") {
            toggle(paragraph, m_format.bold, 2);
        } else if (c == '*') {
            toggle(paragraph, m_format.italic, 1);
        } else if (m_text.substr(m_pos, 2) == "__") {
            toggle(paragraph, m_format.underline, 2);
        } else if (c == '{') {
            return openColor(paragraph, result);
        } else if (c == '}') {
            if (m_colors.empty())
                return fail(result, "\"}\" closes no colour");
            flush(paragraph);
            m_colors.pop_back();
            m_format.color = m_colors.empty() ? std::nullopt : std::optional(m_colors.back());
            ++m_pos;
        } else {
            m_pending += c;
            ++m_pos;
        }
        return true;
    }

    bool openColor(Paragraph& paragraph, MarkupResult& result) {
        const size_t colon = m_text.find(':', m_pos);
        const size_t newline = m_text.find('\n', m_pos);
        if (colon == std::string_view::npos || colon > newline)
            return fail(result, "\"{\" must be followed by a colour and \":\"");
        const std::string_view name = m_text.substr(m_pos + 1, colon - m_pos - 1);
        const auto color = colorByName(name);
        if (!color)
            return fail(result, "unknown colour \"" + std::string(name) + "\"");
        flush(paragraph);
        m_colors.push_back(*color);
        m_format.color = *color;
        m_pos = colon + 1;
        return true;
    }

    void toggle(Paragraph& paragraph, bool& flag, size_t width) {
        flush(paragraph);
        flag = !flag;
        m_pos += width;
    }

    void flush(Paragraph& paragraph) {
        if (m_pending.empty())
            return;
        if (!paragraph.runs.empty() && paragraph.runs.back().kind == Run::Kind::Text &&
            paragraph.runs.back().format == m_format)
            paragraph.runs.back().text += m_pending;
        else
            paragraph.runs.push_back(Run::makeText(m_pending, m_format));
        m_pending.clear();
    }

    std::string openMarkerMessage() const {
        if (m_format.bold)
            return "\"**\" (bold) is not closed in its paragraph";
        if (m_format.italic)
            return "\"*\" (italic) is not closed in its paragraph";
        if (m_format.underline)
            return "\"__\" (underline) is not closed in its paragraph";
        return "\"{\" (colour) is not closed in its paragraph";
    }

    bool fail(MarkupResult& result, std::string message) const {
        result.error = std::move(message);
        result.line = m_line;
        return false;
    }

    std::string_view m_text;
    size_t m_pos = 0;
    int m_line;
    CharFormat m_format;
    std::vector<Color> m_colors;
    std::string m_pending;
};

bool isBlank(std::string_view line) {
    return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

std::string escaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (isSpecial(c))
            out += '\\';
        out += c;
    }
    return out;
}

/// The markers that switch from one format to the next: a colour closes before the toggles and
/// opens after them, so that it nests inside them. Colours nest at most one deep here.
std::string transition(const CharFormat& from, const CharFormat& to) {
    std::string out;
    const bool colorChanges = from.color != to.color;
    if (colorChanges && from.color)
        out += "}";
    if (from.bold != to.bold)
        out += "**";
    if (from.italic != to.italic)
        out += "*";
    if (from.underline != to.underline)
        out += "__";
    if (colorChanges && to.color)
        out += "{" + colorName(*to.color) + ":";
    return out;
}

bool markupCanCarry(const CharFormat& format) {
    CharFormat plain;
    plain.bold = format.bold;
    plain.italic = format.italic;
    plain.underline = format.underline;
    plain.color = format.color;
    return plain == format;
}

std::optional<std::string> formatParagraph(const Paragraph& paragraph) {
    if (paragraph.format != richtext::ParagraphFormat{} || paragraph.runs.empty())
        return std::nullopt;
    std::string out;
    CharFormat current;
    for (const Run& run : paragraph.runs) {
        if (!markupCanCarry(run.format))
            return std::nullopt;
        if (run.kind == Run::Kind::LineBreak) {
            out += transition(current, run.format) + "\n";
            current = run.format;
            continue;
        }
        if (run.kind != Run::Kind::Text || run.text.find('\n') != std::string::npos)
            return std::nullopt;
        out += transition(current, run.format) + escaped(run.text);
        current = run.format;
    }
    return out + transition(current, CharFormat{});
}

} // namespace

MarkupResult parseMarkup(std::string_view text) {
    MarkupResult result;
    std::vector<std::string_view> lines;
    for (size_t start = 0; start <= text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    size_t i = 0;
    while (i < lines.size()) {
        if (isBlank(lines[i])) {
            ++i;
            continue;
        }
        const size_t first = i;
        std::string paragraphText;
        for (; i < lines.size() && !isBlank(lines[i]); ++i) {
            std::string_view line = lines[i];
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            if (i > first)
                paragraphText += '\n';
            paragraphText += line;
        }
        Paragraph paragraph;
        ParagraphReader reader(paragraphText, static_cast<int>(first) + 1);
        if (!reader.read(paragraph, result))
            return result;
        result.document.blocks.emplace_back(std::move(paragraph));
    }
    return result;
}

std::optional<std::string> formatMarkup(const Document& document) {
    std::string out;
    for (const auto& block : document.blocks) {
        const auto* paragraph = std::get_if<Paragraph>(&block);
        if (!paragraph)
            return std::nullopt;
        auto text = formatParagraph(*paragraph);
        if (!text)
            return std::nullopt;
        if (!out.empty())
            out += "\n\n";
        out += *text;
    }
    const MarkupResult again = parseMarkup(out);
    if (!again.error.empty() || !(again.document == document))
        return std::nullopt;
    return out;
}

} // namespace tessaro::bank
