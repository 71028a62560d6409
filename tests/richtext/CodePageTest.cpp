#include "richtext/CodePage.h"

#include <gtest/gtest.h>

namespace tessaro::richtext {
namespace {

struct DecodeCase {
    int codePage;
    std::string bytes;
    std::string utf8;
};

class CodePageDecode : public testing::TestWithParam<DecodeCase> {};

TEST_P(CodePageDecode, GivesTheUtf8Text) {
    const DecodeCase& c = GetParam();
    const CodePage* page = CodePage::get(c.codePage);
    ASSERT_NE(page, nullptr);
    std::string out;
    page->decode(c.bytes, out);
    EXPECT_EQ(out, c.utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, CodePageDecode,
    testing::Values(
        DecodeCase{936, "\xd6\xd0\xce\xc4 abc", "中文 abc"}, DecodeCase{936, "\x80", "€"},
        // a lead byte followed by a byte that cannot trail, and one at the end
        DecodeCase{936, "\xd6\x20\xd6", "\xEF\xBF\xBD \xEF\xBF\xBD"},
        DecodeCase{936, "\xff", "\xEF\xBF\xBD"}, DecodeCase{950, "\xc1\x63\xc5\xe9", "繁體"},
        DecodeCase{932, "\x93\xfa\x96\x7b\xb1", "日本ｱ"},
        DecodeCase{949, "\xc7\xd1\xb1\xb9", "한국"}, DecodeCase{1252, "caf\xe9 \x80", "café €"},
        DecodeCase{1251, "\xcf\xf0\xe8", "При"},
        DecodeCase{65001, "ok \xe4\xb8\xad \xff", "ok 中 \xEF\xBF\xBD"}));

TEST(CodePage, EncodesGbkPairsAndRefusesWhatItLacks) {
    const CodePage* gbk = CodePage::get(936);
    std::uint8_t bytes[2] = {};
    ASSERT_EQ(gbk->encode(U'中', bytes), 2);
    EXPECT_EQ(bytes[0], 0xd6);
    EXPECT_EQ(bytes[1], 0xd0);
    ASSERT_EQ(gbk->encode(U'€', bytes), 1);
    EXPECT_EQ(bytes[0], 0x80);
    EXPECT_EQ(gbk->encode(U'A', bytes), 1);
    EXPECT_EQ(gbk->encode(0x1F600, bytes), 0);
    EXPECT_EQ(gbk->encode(0xFFFD, bytes), 0);
    EXPECT_TRUE(gbk->isDoubleByte());
    EXPECT_FALSE(CodePage::get(1252)->isDoubleByte());
}

TEST(CodePage, MapsCharsetsAndRejectsUnknownPages) {
    EXPECT_EQ(CodePage::forCharset(134), 936);
    EXPECT_EQ(CodePage::forCharset(136), 950);
    EXPECT_EQ(CodePage::forCharset(128), 932);
    EXPECT_EQ(CodePage::forCharset(0), 1252);
    EXPECT_EQ(CodePage::forCharset(1), 0);
    EXPECT_EQ(CodePage::get(12345), nullptr);
    EXPECT_EQ(CodePage::get(936), CodePage::get(936));
}

TEST(Utf8, DecodesAndRepairsSequences) {
    std::string_view text = "a\xe4\xb8\xad\xf0\x9f\x98\x80\xc0\xaf\xed\xa0\x80";
    std::size_t pos = 0;
    std::u32string decoded;
    while (pos < text.size()) {
        decoded += nextCodePoint(text, pos);
    }
    // overlong "\xc0\xaf" and the encoded surrogate become replacement characters
    EXPECT_EQ(decoded, U"a中😀\uFFFD\uFFFD");
    std::string out;
    appendUtf8(out, 0x1F600);
    appendUtf8(out, 0xD800);
    EXPECT_EQ(out, "\xf0\x9f\x98\x80\xEF\xBF\xBD");
}

} // namespace
} // namespace tessaro::richtext
