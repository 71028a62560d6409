#pragma once

#include "richtext/Document.h"

#include <optional>
#include <string_view>

namespace tessaro::richtext {

// Builds a Document piece by piece, for code that turns its own markup into rich text:
//
//   DocumentBuilder b;
//   b.paragraph().text("普通 ").text("加粗", CharFormat{.bold = true}).lineBreak().text("下一行");
//   Document doc = b.build();
//
// text() starts a paragraph when none is open and turns '\n' into line breaks and '\t' into
// tabs. Adjacent text in the same format is merged. Inside a table, paragraphs go into the
// current cell.
class DocumentBuilder {
public:
    DocumentBuilder& paragraph(const ParagraphFormat& format = {});
    DocumentBuilder& text(std::string_view utf8, const CharFormat& format = {});
    DocumentBuilder& lineBreak(const CharFormat& format = {});
    DocumentBuilder& tab(const CharFormat& format = {});
    DocumentBuilder& picture(Picture picture);

    DocumentBuilder& beginTable();
    DocumentBuilder& beginRow();
    DocumentBuilder& beginCell(int widthTwips = 0);
    DocumentBuilder& endTable();

    // Closes whatever is open and hands the document over; the builder starts afresh.
    Document build();

private:
    Paragraph& currentParagraph();
    void closeParagraph();
    void closeCell();
    void closeRow();
    void append(Run run);

    Document m_document;
    std::optional<Paragraph> m_paragraph;
    std::optional<Table> m_table;
    std::optional<TableRow> m_row;
    std::optional<TableCell> m_cell;
};

} // namespace tessaro::richtext
