#include "richtext/RtfWriter.h"

#include "richtext/DocumentBuilder.h"
#include "richtext/PlainText.h"
#include "richtext/RtfReader.h"

#include <functional>
#include <gtest/gtest.h>
#include <regex>

namespace tessaro::richtext {
namespace {

// What a reader that knows no \u sees: the \uN words vanish and the \'hh fallback stays.
std::string withoutUnicodeWords(const std::string& rtf) {
    return std::regex_replace(rtf, std::regex(R"(\\uc?-?[0-9]+ ?)"), "");
}

// What a reader that knows only \u sees: the fallback bytes are dropped as \uc says.
std::string withoutFallbacks(const std::string& rtf) {
    std::string out = std::regex_replace(rtf, std::regex(R"(\\uc[0-9]+ ?)"), "");
    out = std::regex_replace(out, std::regex(R"((\\u-?[0-9]+)(\\'[0-9a-f]{2}){1,2})"), "$1 ");
    out = std::regex_replace(out, std::regex(R"((\\u-?[0-9]+)\?)"), "$1 ");
    return out.insert(6, "\\uc0 "); // after "{\rtf1": no fallbacks follow \u any more
}

TEST(RtfWriter, WritesChineseForCodePageAndUnicodeReaders) {
    DocumentBuilder builder;
    builder.paragraph().text("中文 ABC");
    std::string rtf = writeRtf(builder.build());
    EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg936", 0), 0u);
    EXPECT_NE(rtf.find("{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}"), std::string::npos);
    EXPECT_NE(rtf.find("\\uc2\\u20013\\'d6\\'d0\\u25991\\'ce\\'c4 ABC"), std::string::npos);
    for (const char c : rtf) {
        EXPECT_LT(static_cast<unsigned char>(c), 0x80) << "RTF output is 7-bit";
    }
}

TEST(RtfWriter, BothKindsOfReaderGetTheSameText) {
    const std::string text = "考试€ café ½ 😀 ★ 〇";
    DocumentBuilder builder;
    builder.paragraph().text(text);
    std::string rtf = writeRtf(builder.build());

    EXPECT_EQ(plainTextOfRtf(rtf), text);
    EXPECT_EQ(plainTextOfRtf(withoutFallbacks(rtf)), text);
    // A code-page reader sees every character that code page 936 has, and "?" for the rest.
    EXPECT_EQ(plainTextOfRtf(withoutUnicodeWords(rtf)), "考试€ caf\u00e9 ? ?? ★ 〇");
}

struct RoundTripCase {
    const char* name;
    std::function<Document()> make;
};

void PrintTo(const RoundTripCase& c, std::ostream* os) {
    *os << c.name;
}

class WriterRoundTrip : public testing::TestWithParam<RoundTripCase> {};

TEST_P(WriterRoundTrip, ReadsBackTheSameDocument) {
    Document original = GetParam().make();
    std::string rtf = writeRtf(original);
    ReadResult result = readRtf(rtf);
    EXPECT_TRUE(result.warnings.empty());
    EXPECT_EQ(result.document, original) << rtf;
    EXPECT_EQ(writeRtf(result.document), rtf);
}

Picture samplePicture(Picture::Format format, int mapping = 0) {
    Picture picture;
    picture.format = format;
    picture.data = {0x89, 'P', 'N', 'G', 0, 1, 2, 0xff};
    picture.sourceWidth = 16;
    picture.sourceHeight = 12;
    picture.widthTwips = 240;
    picture.heightTwips = 180;
    picture.metafileMapping = mapping;
    return picture;
}

INSTANTIATE_TEST_SUITE_P(
    Documents, WriterRoundTrip,
    testing::Values(
        RoundTripCase{"Empty", [] { return Document{}; }},
        RoundTripCase{"CharacterFormats",
                      [] {
                          DocumentBuilder b;
                          b.paragraph().text("普通").text("粗", {.bold = true});
                          b.text("斜", {.italic = true}).text("线", {.underline = true});
                          b.text("删", {.strike = true}).text("红", {.color = Color{255, 0, 0}});
                          b.text("亮", {.highlight = Color{255, 255, 0}});
                          b.text("上", {.verticalAlign = VerticalAlign::Superscript});
                          b.text("下", {.verticalAlign = VerticalAlign::Subscript});
                          b.text("黑体", {.fontFamily = "黑体", .fontSizeHalfPoints = 32});
                          b.text("宋体", {.fontFamily = "宋体"});
                          b.text("Arial", {.fontFamily = "Arial", .fontSizeHalfPoints = 21});
                          b.text("all", {.fontFamily = "Odd;Name{}",
                                         .fontSizeHalfPoints = 19,
                                         .bold = true,
                                         .italic = true,
                                         .underline = true,
                                         .strike = true,
                                         .color = Color{1, 2, 3},
                                         .highlight = Color{4, 5, 6}});
                          return b.build();
                      }},
        RoundTripCase{
            "ParagraphFormats",
            [] {
                DocumentBuilder b;
                b.paragraph({Alignment::Center, 100, 200, -300, 60, 120, 360, true}).text("a");
                b.paragraph({.alignment = Alignment::Right, .lineSpacing = -280}).text("b");
                b.paragraph({.alignment = Alignment::Justify, .lineSpacing = 300});
                b.paragraph().text("after an empty paragraph");
                b.paragraph();
                return b.build();
            }},
        RoundTripCase{"BreaksTabsAndSpecialCharacters",
                      [] {
                          DocumentBuilder b;
                          b.paragraph().text("a\\b{c}d\te\nf", {.bold = true});
                          b.text(" \xC2\xA0 g  ", {}).lineBreak({.italic = true}).tab();
                          b.text("😀\u00ff\u0100\uffff\uE000\uFFFD");
                          return b.build();
                      }},
        RoundTripCase{"Table",
                      [] {
                          DocumentBuilder b;
                          b.paragraph().text("before");
                          b.beginTable().beginRow().beginCell(1000).text("甲", {.bold = true});
                          b.beginCell(2500).paragraph({.alignment = Alignment::Center}).text("乙");
                          b.paragraph().text("second paragraph");
                          b.beginRow().beginCell(1000).beginCell(2500).text("丁");
                          b.endTable().paragraph().text("after");
                          return b.build();
                      }},
        RoundTripCase{"TableAtTheEnd",
                      [] {
                          DocumentBuilder b;
                          b.beginTable().beginRow().beginCell(4500).text("x");
                          b.beginCell(4500).text("y");
                          return b.build();
                      }},
        RoundTripCase{"Pictures",
                      [] {
                          DocumentBuilder b;
                          b.paragraph().text("见图").picture(samplePicture(Picture::Format::Png));
                          b.picture(samplePicture(Picture::Format::Jpeg)).text("后");
                          b.paragraph().picture(samplePicture(Picture::Format::Wmf, 8));
                          b.picture(samplePicture(Picture::Format::Emf));
                          b.picture(samplePicture(Picture::Format::Dib, 0));
                          b.picture(samplePicture(Picture::Format::MacPict));
                          b.picture(samplePicture(Picture::Format::Unknown));
                          Picture unsized = samplePicture(Picture::Format::Png);
                          unsized.widthTwips = unsized.heightTwips = 0;
                          b.picture(unsized);
                          return b.build();
                      }}),
    [](const testing::TestParamInfo<RoundTripCase>& info) { return info.param.name; });

TEST(RtfWriter, CellsOfUnknownWidthGetAFallbackWidth) {
    DocumentBuilder b;
    b.beginTable().beginRow().beginCell().text("x").beginCell(700).text("y");
    Document read = readRtf(writeRtf(b.build())).document;
    const Table& table = std::get<Table>(read.blocks.at(0));
    EXPECT_EQ(table.rows.at(0).cells.at(0).widthTwips, 4500);
    EXPECT_EQ(table.rows.at(0).cells.at(1).widthTwips, 700);
}

} // namespace
} // namespace tessaro::richtext
