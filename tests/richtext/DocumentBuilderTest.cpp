#include "richtext/DocumentBuilder.h"

#include <gtest/gtest.h>

namespace tessaro::richtext {
namespace {

TEST(DocumentBuilder, SplitsLinesAndTabsAndMergesEqualFormats) {
    DocumentBuilder b;
    CharFormat bold{.bold = true};
    b.text("one ").text("two", {}).text(" bold", bold).text("\ttab\r\nnext", bold);
    Document doc = b.build();
    ASSERT_EQ(doc.blocks.size(), 1u);
    const Paragraph& p = std::get<Paragraph>(doc.blocks[0]);
    ASSERT_EQ(p.runs.size(), 6u);
    EXPECT_EQ(p.runs[0], richtext::Run::makeText("one two"));
    EXPECT_EQ(p.runs[1], richtext::Run::makeText(" bold", bold));
    EXPECT_EQ(p.runs[2], richtext::Run::makeTab(bold));
    EXPECT_EQ(p.runs[3], richtext::Run::makeText("tab", bold));
    EXPECT_EQ(p.runs[4], richtext::Run::makeLineBreak(bold));
    EXPECT_EQ(p.runs[5], richtext::Run::makeText("next", bold));
}

TEST(DocumentBuilder, ParagraphsKeepTheirFormatAndEmptyOnes) {
    DocumentBuilder b;
    b.paragraph({.alignment = Alignment::Center}).text("a");
    b.paragraph();
    b.paragraph().text("");
    b.text("c");
    Document doc = b.build();
    ASSERT_EQ(doc.blocks.size(), 3u);
    EXPECT_EQ(std::get<Paragraph>(doc.blocks[0]).format.alignment, Alignment::Center);
    EXPECT_TRUE(std::get<Paragraph>(doc.blocks[1]).empty());
    EXPECT_EQ(std::get<Paragraph>(doc.blocks[2]).runs.at(0).text, "c");
    EXPECT_TRUE(b.build().empty()) << "build() starts afresh";
}

TEST(DocumentBuilder, BuildsTablesBetweenParagraphs) {
    DocumentBuilder b;
    b.text("before");
    b.beginTable().beginRow().beginCell(900).text("a").paragraph().text("a2");
    b.beginCell(); // an empty cell still gets its paragraph
    b.beginRow().text("b");
    b.endTable().text("after");
    Document doc = b.build();
    ASSERT_EQ(doc.blocks.size(), 3u);
    const Table& table = std::get<Table>(doc.blocks[1]);
    ASSERT_EQ(table.rows.size(), 2u);
    ASSERT_EQ(table.rows[0].cells.size(), 2u);
    EXPECT_EQ(table.rows[0].cells[0].widthTwips, 900);
    EXPECT_EQ(table.rows[0].cells[0].paragraphs.size(), 2u);
    EXPECT_EQ(table.rows[0].cells[1].paragraphs.size(), 1u);
    EXPECT_EQ(table.rows[1].cells.at(0).paragraphs.at(0).runs.at(0).text, "b");
    EXPECT_EQ(std::get<Paragraph>(doc.blocks[2]).runs.at(0).text, "after");
}

TEST(DocumentBuilder, PicturesAreRunsComparedByContent) {
    Picture picture;
    picture.format = Picture::Format::Png;
    picture.data = {1, 2, 3};
    DocumentBuilder a;
    a.picture(picture);
    DocumentBuilder b;
    b.picture(picture);
    Document first = a.build();
    EXPECT_EQ(first, b.build());
    picture.data.push_back(4);
    DocumentBuilder c;
    c.picture(picture);
    EXPECT_NE(first, c.build());
}

} // namespace
} // namespace tessaro::richtext
