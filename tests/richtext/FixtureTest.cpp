// Streams written by LibreOffice (see fixtures/make-fixtures.sh) and hand-written streams in the
// shapes rich-text edit controls and Word write (fixtures/source/make-handwritten.py).
#include "TestFiles.h"
#include "richtext/CodePage.h"
#include "richtext/PlainText.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <gtest/gtest.h>

namespace tessaro::richtext {
namespace {

using test::findRun;
using test::readFixture;

Document readFixtureDocument(std::string_view name) {
    ReadResult result = readRtf(readFixture(name));
    EXPECT_TRUE(result.isRtf);
    EXPECT_TRUE(result.warnings.empty()) << name << ": " << result.warnings.front();
    return result.document;
}

std::vector<const Picture*> pictures(const Document& document) {
    std::vector<const Picture*> found;
    for (const richtext::Run* run : test::allRuns(document)) {
        if (run->kind == richtext::Run::Kind::Picture) {
            found.push_back(run->picture.get());
        }
    }
    return found;
}

class EveryFixture : public testing::TestWithParam<const char*> {};

TEST_P(EveryFixture, RoundTripsStably) {
    Document document = readFixtureDocument(GetParam());
    ASSERT_TRUE(hasVisibleContent(document));
    std::string written = writeRtf(document);
    ReadResult again = readRtf(written);
    EXPECT_TRUE(again.warnings.empty());
    EXPECT_EQ(again.document, document);
    EXPECT_EQ(writeRtf(again.document), written);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, EveryFixture,
                         testing::Values("lo-formatting.rtf", "lo-table.rtf", "lo-picture.rtf",
                                         "richedit-question.rtf", "richedit-unicode.rtf",
                                         "richedit-cjk-pages.rtf", "word-structures.rtf",
                                         "lo-reopened-richedit-question.rtf",
                                         "lo-reopened-lo-table.rtf", "lo-reopened-lo-picture.rtf"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             std::string name;
                             for (const char* c = info.param; *c && *c != '.'; ++c) {
                                 name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                             }
                             return name;
                         });

TEST(LibreOfficeFixtures, FormattingDocument) {
    Document doc = readFixtureDocument("lo-formatting.rtf");
    EXPECT_EQ(plainText(doc), "单项选择题：下列关于合同的说法，正确的是（　）。\n"
                              "斜体文字与下划线文字以及删除线。\n"
                              "红色警示和蓝色说明，黄色高亮。\n"
                              "面积单位m2，化学式H2O。\n"
                              "居中的段落\nArial large\n第一行\n第二行");
    EXPECT_TRUE(findRun(doc, "合同")->format.bold);
    EXPECT_FALSE(findRun(doc, "下列关于")->format.bold);
    EXPECT_TRUE(findRun(doc, "斜体文字")->format.italic);
    EXPECT_TRUE(findRun(doc, "下划线文字")->format.underline);
    EXPECT_TRUE(findRun(doc, "删除线")->format.strike);
    EXPECT_EQ(findRun(doc, "红色警示")->format.color, (Color{255, 0, 0}));
    EXPECT_EQ(findRun(doc, "蓝色说明")->format.color, (Color{0, 0, 255}));
    EXPECT_EQ(findRun(doc, "黄色高亮")->format.highlight, (Color{255, 255, 0}));
    const richtext::Run* m = findRun(doc, "面积单位m");
    ASSERT_NE(m, nullptr);
    auto runs = test::allRuns(doc);
    auto next = std::find(runs.begin(), runs.end(), m) + 1;
    ASSERT_NE(next, runs.end());
    EXPECT_EQ((*next)->text, "2");
    EXPECT_EQ((*next)->format.verticalAlign, VerticalAlign::Superscript);
    const richtext::Run* arial = findRun(doc, "Arial large");
    EXPECT_EQ(arial->format.fontFamily, "Arial");
    EXPECT_EQ(arial->format.fontSizeHalfPoints, 36);

    auto paras = test::paragraphs(doc);
    ASSERT_EQ(paras.size(), 7u);
    EXPECT_EQ(paras[4]->format.alignment, Alignment::Center);
    EXPECT_EQ(paras[5]->format.alignment, Alignment::Right);
    EXPECT_EQ(paras[6]->runs.at(1).kind, richtext::Run::Kind::LineBreak);
    EXPECT_EQ(paras[0]->format.spaceAfter, 140);
}

TEST(LibreOfficeFixtures, TableDocument) {
    Document doc = readFixtureDocument("lo-table.rtf");
    ASSERT_EQ(doc.blocks.size(), 3u);
    const Table* table = std::get_if<Table>(&doc.blocks[1]);
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rows.size(), 2u);
    ASSERT_EQ(table->rows[1].cells.size(), 3u);
    EXPECT_EQ(plainText(doc),
              "下表列出考试科目：\n科目\t题量\t时间\n法律法规\t100\t120分钟\n表后的段落。");
    EXPECT_TRUE(findRun(doc, "100")->format.bold);
    for (const TableCell& cell : table->rows[0].cells) {
        EXPECT_GT(cell.widthTwips, 0);
    }
}

TEST(LibreOfficeFixtures, PictureDocument) {
    Document doc = readFixtureDocument("lo-picture.rtf");
    EXPECT_EQ(plainText(doc), "见下图：图后文字。");
    auto found = pictures(doc);
    ASSERT_EQ(found.size(), 1u) << "the metafile fallback of the PNG is not a second picture";
    EXPECT_EQ(found[0]->format, Picture::Format::Png);
    std::string png = readFixture("source/square.png");
    EXPECT_EQ(found[0]->data, std::vector<std::uint8_t>(png.begin(), png.end()));
    EXPECT_EQ(found[0]->widthTwips, 480); // 32 x 24 pixels as the document placed it
    EXPECT_EQ(found[0]->heightTwips, 360);
}

TEST(HandWrittenFixtures, UnicodeAndOtherCodePages) {
    EXPECT_EQ(plainText(readFixtureDocument("richedit-unicode.rtf")),
              "考试€★题库\ncafé naïve\n漢字\n😀");
    Document pages = readFixtureDocument("richedit-cjk-pages.rtf");
    EXPECT_EQ(plainText(pages), "繁體中文考題\n日本語の問題\n한국어");
    EXPECT_EQ(findRun(pages, "繁體")->format.fontFamily, "新細明體");
    EXPECT_EQ(findRun(pages, "日本語")->format.fontFamily, "ＭＳ 明朝");
}

TEST(HandWrittenFixtures, WordStructures) {
    Document doc = readFixtureDocument("word-structures.rtf");
    EXPECT_EQ(plainText(doc), "Word 正文link\n");
    const richtext::Run* chinese = findRun(doc, "正文");
    EXPECT_EQ(chinese->format.fontFamily, "宋体");
    EXPECT_TRUE(chinese->format.bold);
    EXPECT_EQ(chinese->format.fontSizeHalfPoints, 21);
    EXPECT_EQ(findRun(doc, "Word")->format.fontFamily, "Times New Roman");
    const richtext::Run* link = findRun(doc, "link");
    EXPECT_TRUE(link->format.underline);
    EXPECT_EQ(link->format.color, (Color{255, 0, 0}));

    auto found = pictures(doc);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0]->format, Picture::Format::Png);
    EXPECT_EQ(found[0]->widthTwips, 120);
    EXPECT_EQ(found[1]->format, Picture::Format::Wmf);
    EXPECT_FALSE(found[1]->isImage());
    EXPECT_EQ(found[1]->widthTwips, 1440);
    EXPECT_EQ(found[1]->sourceWidth, 2540);
}

// Text and formatting character by character, the font family aside (word processors
// substitute fonts they lack).
struct Styled {
    char32_t character;
    bool bold, italic, underline, strike;
    std::optional<Color> color;
    int size;
    VerticalAlign verticalAlign;
    friend bool operator==(const Styled&, const Styled&) = default;
};

std::vector<Styled> styledText(const Document& document) {
    std::vector<Styled> out;
    for (const richtext::Run* run : test::allRuns(document)) {
        if (run->kind != richtext::Run::Kind::Text) {
            continue;
        }
        const CharFormat& f = run->format;
        std::size_t pos = 0;
        while (pos < run->text.size()) {
            out.push_back({nextCodePoint(run->text, pos), f.bold, f.italic, f.underline, f.strike,
                           f.color, f.fontSizeHalfPoints > 0 ? f.fontSizeHalfPoints : 24,
                           f.verticalAlign});
        }
    }
    return out;
}

class WordProcessorReopens : public testing::TestWithParam<const char*> {};

// lo-reopened-X.rtf is X.rtf written by our writer, opened and saved by LibreOffice.
TEST_P(WordProcessorReopens, WhatWeWroteWithTheSameTextAndFormatting) {
    Document ours = readFixtureDocument(std::string(GetParam()) + ".rtf");
    Document reopened = readFixtureDocument(std::string("lo-reopened-") + GetParam() + ".rtf");
    EXPECT_EQ(plainText(reopened), plainText(ours));
    EXPECT_TRUE(styledText(reopened) == styledText(ours));
    auto oursParagraphs = test::paragraphs(ours);
    auto theirParagraphs = test::paragraphs(reopened);
    ASSERT_EQ(theirParagraphs.size(), oursParagraphs.size());
    for (std::size_t i = 0; i < oursParagraphs.size(); ++i) {
        EXPECT_EQ(theirParagraphs[i]->format.alignment, oursParagraphs[i]->format.alignment);
        EXPECT_EQ(theirParagraphs[i]->format.leftIndent, oursParagraphs[i]->format.leftIndent);
        EXPECT_EQ(theirParagraphs[i]->format.firstLineIndent,
                  oursParagraphs[i]->format.firstLineIndent);
    }
    EXPECT_EQ(pictures(reopened).size(), pictures(ours).size());
    for (std::size_t i = 0; i < pictures(ours).size(); ++i) {
        EXPECT_EQ(pictures(reopened)[i]->data, pictures(ours)[i]->data);
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, WordProcessorReopens,
                         testing::Values("richedit-question", "lo-table", "lo-picture"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

} // namespace
} // namespace tessaro::richtext
