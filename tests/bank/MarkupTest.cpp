#include "Markup.h"

#include "richtext/DocumentBuilder.h"

#include <gtest/gtest.h>

namespace tessaro::bank {
namespace {

using richtext::CharFormat;
using richtext::Color;
using richtext::Document;
using richtext::DocumentBuilder;

CharFormat bold() {
    return CharFormat{.bold = true};
}
CharFormat red() {
    return CharFormat{.color = Color{255, 0, 0}};
}

struct ParseCase {
    const char* name;
    const char* markup;
    Document expected;
};

class MarkupParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(MarkupParseTest, ReadsTheDocumentItDescribes) {
    const MarkupResult result = parseMarkup(GetParam().markup);
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(result.document, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Markup, MarkupParseTest,
    ::testing::Values(
        ParseCase{"plain", "普通文字", DocumentBuilder().paragraph().text("普通文字").build()},
        ParseCase{"bold_inside", "前**粗**后",
                  DocumentBuilder().paragraph().text("前").text("粗", bold()).text("后").build()},
        ParseCase{"italic_underline", "*斜*__线__",
                  DocumentBuilder()
                      .paragraph()
                      .text("斜", CharFormat{.italic = true})
                      .text("线", CharFormat{.underline = true})
                      .build()},
        ParseCase{"bold_italic_together", "***两者***",
                  DocumentBuilder()
                      .paragraph()
                      .text("两者", CharFormat{.bold = true, .italic = true})
                      .build()},
        ParseCase{"colour_nested_in_bold", "**{red:红}**",
                  DocumentBuilder()
                      .paragraph()
                      .text("红", CharFormat{.bold = true, .color = Color{255, 0, 0}})
                      .build()},
        ParseCase{"hex_colour", "{#1F4E79:深蓝}",
                  DocumentBuilder()
                      .paragraph()
                      .text("深蓝", CharFormat{.color = Color{0x1F, 0x4E, 0x79}})
                      .build()},
        ParseCase{"colour_stack", "{red:红{blue:蓝}红}",
                  DocumentBuilder()
                      .paragraph()
                      .text("红", red())
                      .text("蓝", CharFormat{.color = Color{0, 0, 255}})
                      .text("红", red())
                      .build()},
        ParseCase{"escapes", R"(\*不是斜体\* \{a:b\} \\ \_\_)",
                  DocumentBuilder().paragraph().text(R"(*不是斜体* {a:b} \ __)").build()},
        ParseCase{"line_break_and_paragraphs", "一行\n二行\n\n\n新段\n",
                  DocumentBuilder()
                      .paragraph()
                      .text("一行")
                      .lineBreak()
                      .text("二行")
                      .paragraph()
                      .text("新段")
                      .build()},
        ParseCase{"bold_across_line_break", "**甲\n乙**",
                  DocumentBuilder()
                      .paragraph()
                      .text("甲", bold())
                      .lineBreak(bold())
                      .text("乙", bold())
                      .build()},
        ParseCase{"single_underscore_is_text", "a_b",
                  DocumentBuilder().paragraph().text("a_b").build()},
        ParseCase{"blank_only", "  \n\n ", Document{}}),
    [](const auto& info) { return info.param.name; });

struct ErrorCase {
    const char* name;
    const char* markup;
    const char* message;
    int line;
};

class MarkupErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(MarkupErrorTest, NamesTheProblemAndItsLine) {
    const MarkupResult result = parseMarkup(GetParam().markup);
    EXPECT_NE(result.error.find(GetParam().message), std::string::npos) << result.error;
    EXPECT_EQ(result.line, GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Markup, MarkupErrorTest,
    ::testing::Values(ErrorCase{"open_bold", "好\n\n**没关", "bold", 3},
                      ErrorCase{"open_italic", "*斜", "italic", 1},
                      ErrorCase{"bold_closed_in_next_paragraph", "**甲\n\n乙**", "bold", 1},
                      ErrorCase{"open_colour", "{red:红", "colour", 1},
                      ErrorCase{"unknown_colour", "一\n二{pink:粉}", "unknown colour \"pink\"", 2},
                      ErrorCase{"bad_hex", "{#12345G:x}", "unknown colour", 1},
                      ErrorCase{"brace_without_colon", "{没有冒号}", "colour and \":\"", 1},
                      ErrorCase{"stray_close", "多余}", "closes no colour", 1}),
    [](const auto& info) { return info.param.name; });

TEST(MarkupFormatTest, WritesMarkupThatReadsBackToTheSameDocument) {
    const Document document =
        DocumentBuilder()
            .paragraph()
            .text("普通")
            .text("粗", bold())
            .text("粗红", CharFormat{.bold = true, .color = Color{255, 0, 0}})
            .text("*星号*{括号}")
            .lineBreak()
            .text("灰", CharFormat{.italic = true, .color = Color{128, 128, 128}})
            .paragraph()
            .text("第二段", CharFormat{.underline = true, .color = Color{1, 2, 3}})
            .build();
    const auto markup = formatMarkup(document);
    ASSERT_TRUE(markup);
    EXPECT_EQ(parseMarkup(*markup).document, document);
}

TEST(MarkupFormatTest, RefusesWhatMarkupCannotSay) {
    const std::vector<Document> documents{
        DocumentBuilder().paragraph().text("宋", CharFormat{.fontFamily = "黑体"}).build(),
        DocumentBuilder().paragraph().text("大", CharFormat{.fontSizeHalfPoints = 36}).build(),
        DocumentBuilder().paragraph({.alignment = richtext::Alignment::Center}).text("中").build(),
        DocumentBuilder().paragraph().text("a").tab().text("b").build(),
        Document{{richtext::Paragraph{{}, {richtext::Run::makeText("一")}}, richtext::Paragraph{}}},
        DocumentBuilder().beginTable().beginRow().beginCell().text("格").endTable().build(),
    };
    for (const auto& document : documents)
        EXPECT_FALSE(formatMarkup(document)) << *formatMarkup(document);
}

} // namespace
} // namespace tessaro::bank

namespace tessaro::bank {
namespace {

class CanonicalMarkupTest : public ::testing::TestWithParam<const char*> {};

TEST_P(CanonicalMarkupTest, FormatsBackToTheSameText) {
    const MarkupResult parsed = parseMarkup(GetParam());
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(formatMarkup(parsed.document).value_or("<none>"), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Markup, CanonicalMarkupTest,
                         ::testing::Values("**甲**\n乙", "**甲\n乙**", "甲\n**乙**", "前*斜*后",
                                           "{red:红}**粗**", "一\n\n二", "**{blue:蓝}\n{blue:蓝}**",
                                           "\\*字面\\*"));

} // namespace
} // namespace tessaro::bank
