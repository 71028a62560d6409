#include "richtext/PlainText.h"

#include "richtext/DocumentBuilder.h"

#include <gtest/gtest.h>

namespace tessaro::richtext {
namespace {

Picture onePicture() {
    Picture picture;
    picture.format = Picture::Format::Wmf;
    picture.data = {1};
    return picture;
}

TEST(PlainText, JoinsParagraphsBreaksTabsAndCells) {
    DocumentBuilder b;
    b.text("第一段").lineBreak().text("续").tab().text("x", {.bold = true});
    b.paragraph();
    b.beginTable().beginRow().beginCell().text("a").paragraph().text("b").beginCell().text("c");
    b.beginRow().beginCell().text("d");
    b.endTable().text("end").picture(onePicture());
    EXPECT_EQ(plainText(b.build()), "第一段\n续\tx\n\na b\tc\nd\nend");
}

TEST(PlainText, OfRtfAndOfText) {
    EXPECT_EQ(plainTextOfRtf(std::string_view("{\\rtf1 a\\par b}")), "a\nb");
    EXPECT_EQ(plainTextOfRtf(std::string_view("not rtf")), "not rtf");
    EXPECT_EQ(plainTextOfRtf(std::string_view("")), "");
}

TEST(PlainText, TrimsAsciiAndChineseSpaces) {
    EXPECT_EQ(trimmed(" \t\r\n\xC2\xA0　中 文　 \n"), "中 文");
    EXPECT_EQ(trimmed("　　"), "");
    EXPECT_EQ(trimmed(""), "");
    EXPECT_EQ(trimmed("x"), "x");
}

TEST(PlainText, VisibleContentCountsPicturesButNotBlanks) {
    DocumentBuilder blank;
    blank.text("  　\xC2\xA0").lineBreak().tab().paragraph();
    EXPECT_FALSE(hasVisibleContent(blank.build()));
    EXPECT_FALSE(hasVisibleContent(Document{}));

    DocumentBuilder picture;
    picture.picture(onePicture());
    Document withPicture = picture.build();
    EXPECT_TRUE(hasVisibleContent(withPicture));
    EXPECT_EQ(trimmed(plainText(withPicture)), "");

    DocumentBuilder inTable;
    inTable.beginTable().beginCell().text(" x ");
    EXPECT_TRUE(hasVisibleContent(inTable.build()));
}

} // namespace
} // namespace tessaro::richtext
