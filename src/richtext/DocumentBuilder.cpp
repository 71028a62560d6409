#include "richtext/DocumentBuilder.h"

namespace tessaro::richtext {

DocumentBuilder& DocumentBuilder::paragraph(const ParagraphFormat& format) {
    closeParagraph();
    m_paragraph.emplace();
    m_paragraph->format = format;
    return *this;
}

DocumentBuilder& DocumentBuilder::text(std::string_view utf8, const CharFormat& format) {
    std::size_t start = 0;
    for (std::size_t i = 0; i <= utf8.size(); ++i) {
        if (i < utf8.size() && utf8[i] != '\n' && utf8[i] != '\t') {
            continue;
        }
        std::string_view piece = utf8.substr(start, i - start);
        if (i < utf8.size() && utf8[i] == '\n' && !piece.empty() && piece.back() == '\r') {
            piece.remove_suffix(1);
        }
        if (!piece.empty()) {
            append(Run::makeText(std::string(piece), format));
        }
        if (i < utf8.size()) {
            append(utf8[i] == '\n' ? Run::makeLineBreak(format) : Run::makeTab(format));
        }
        start = i + 1;
    }
    if (utf8.empty()) {
        currentParagraph();
    }
    return *this;
}

DocumentBuilder& DocumentBuilder::lineBreak(const CharFormat& format) {
    append(Run::makeLineBreak(format));
    return *this;
}

DocumentBuilder& DocumentBuilder::tab(const CharFormat& format) {
    append(Run::makeTab(format));
    return *this;
}

DocumentBuilder& DocumentBuilder::picture(Picture picture) {
    append(Run::makePicture(std::move(picture)));
    return *this;
}

DocumentBuilder& DocumentBuilder::beginTable() {
    if (!m_cell) {
        closeParagraph();
    }
    endTable();
    m_table.emplace();
    return *this;
}

DocumentBuilder& DocumentBuilder::beginRow() {
    if (!m_table) {
        beginTable();
    }
    closeRow();
    m_row.emplace();
    return *this;
}

DocumentBuilder& DocumentBuilder::beginCell(int widthTwips) {
    if (!m_row) {
        beginRow();
    }
    closeCell();
    m_cell.emplace();
    m_cell->widthTwips = widthTwips;
    return *this;
}

DocumentBuilder& DocumentBuilder::endTable() {
    closeRow();
    if (m_table) {
        if (!m_table->rows.empty()) {
            m_document.blocks.emplace_back(std::move(*m_table));
        }
        m_table.reset();
    }
    return *this;
}

Document DocumentBuilder::build() {
    closeParagraph();
    endTable();
    Document result = std::move(m_document);
    m_document = {};
    return result;
}

Paragraph& DocumentBuilder::currentParagraph() {
    if (m_table && !m_cell) {
        beginCell();
    }
    if (!m_paragraph) {
        m_paragraph.emplace();
    }
    return *m_paragraph;
}

void DocumentBuilder::closeParagraph() {
    if (!m_paragraph) {
        return;
    }
    if (m_cell) {
        m_cell->paragraphs.push_back(std::move(*m_paragraph));
    } else {
        if (m_table) {
            endTable();
        }
        m_document.blocks.emplace_back(std::move(*m_paragraph));
    }
    m_paragraph.reset();
}

void DocumentBuilder::closeCell() {
    if (!m_cell) {
        return;
    }
    closeParagraph();
    if (m_cell->paragraphs.empty()) {
        m_cell->paragraphs.emplace_back();
    }
    m_row->cells.push_back(std::move(*m_cell));
    m_cell.reset();
}

void DocumentBuilder::closeRow() {
    closeCell();
    if (m_row) {
        m_table->rows.push_back(std::move(*m_row));
        m_row.reset();
    }
}

void DocumentBuilder::append(Run run) {
    Paragraph& paragraph = currentParagraph();
    if (run.kind == Run::Kind::Text && !paragraph.runs.empty()) {
        Run& last = paragraph.runs.back();
        if (last.kind == Run::Kind::Text && last.format == run.format) {
            last.text += run.text;
            return;
        }
    }
    paragraph.runs.push_back(std::move(run));
}

} // namespace tessaro::richtext
