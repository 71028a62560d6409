#include "richtext/HtmlWriter.h"

#include "richtext/DocumentBuilder.h"

#include <gtest/gtest.h>

namespace tessaro::richtext {
namespace {

TEST(HtmlWriter, EscapesTextAndWritesStyles) {
    DocumentBuilder b;
    b.paragraph({.alignment = Alignment::Center, .leftIndent = 300}).text("a<b>&\"c\"");
    b.text(
        "粗",
        {.fontFamily = "宋体", .fontSizeHalfPoints = 21, .bold = true, .color = Color{255, 0, 16}});
    b.text("x", {.underline = true, .strike = true}).lineBreak();
    b.text("2", {.verticalAlign = VerticalAlign::Superscript});
    EXPECT_EQ(toHtml(b.build()),
              "<p style=\"text-align:center;margin-left:20px;\">a&lt;b&gt;&amp;&quot;c&quot;"
              "<span style=\"font-family:'宋体';font-size:10.5pt;font-weight:bold;color:#ff0010;"
              "\">粗</span><span style=\"text-decoration: underline line-through;\">x</span><br>"
              "<span style=\"vertical-align:super;font-size:smaller;\">2</span></p>\n");
}

TEST(HtmlWriter, ImagesAsDataUrlsAndOtherPicturesAsPlaceholders) {
    Picture png;
    png.format = Picture::Format::Png;
    png.data = {'a', 'b', 'c', 'd'};
    png.widthTwips = 300;
    Picture wmf;
    wmf.format = Picture::Format::Wmf;
    wmf.data = {1, 2};
    DocumentBuilder b;
    b.picture(png).picture(wmf);
    EXPECT_EQ(toHtml(b.build()),
              "<p><img src=\"data:image/png;base64,YWJjZA==\" width=\"20\" "
              "alt=\"\"><span class=\"picture-placeholder\">[图片]</span></p>\n");
}

TEST(HtmlWriter, Tables) {
    DocumentBuilder b;
    b.beginTable().beginRow().beginCell(1500).text("a").beginCell().text("b");
    EXPECT_EQ(toHtml(b.build()), "<table border=\"1\" cellspacing=\"0\">\n<tr><td width=\"100\">"
                                 "<p>a</p>\n</td><td><p>b</p>\n</td></tr>\n</table>\n");
}

} // namespace
} // namespace tessaro::richtext
