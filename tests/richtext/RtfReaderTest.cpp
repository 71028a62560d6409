#include "richtext/RtfReader.h"

#include "TestFiles.h"
#include "richtext/PlainText.h"
#include "richtext/RtfWriter.h"

#include <gtest/gtest.h>

namespace tessaro::richtext {
namespace {

using test::findRun;
using test::paragraphs;

constexpr const char* kHeader936 =
    "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 "
    "\\'cb\\'ce\\'cc\\'e5;}{\\f1\\fswiss\\fcharset0 Arial;}}";

std::string rtf936(const std::string& body) {
    return std::string(kHeader936) + body + "}";
}

struct TextCase {
    const char* name;
    std::string rtf;
    std::string text;
};

void PrintTo(const TextCase& c, std::ostream* os) {
    *os << c.name;
}

class ReaderText : public testing::TestWithParam<TextCase> {};

TEST_P(ReaderText, GivesThePlainText) {
    ReadResult result = readRtf(GetParam().rtf);
    EXPECT_TRUE(result.isRtf);
    EXPECT_EQ(plainText(result.document), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, ReaderText,
    testing::Values(
        TextCase{"HexPairsFormDoubleByteCharacters", rtf936("\\f0 \\'d6\\'d0\\'ce\\'c4\\par"),
                 "中文"},
        TextCase{"RawDoubleByteBytes", rtf936("\\f0 \xd6\xd0\xce\xc4 ok\\par"), "中文 ok"},
        TextCase{"InvalidPairGivesReplacement", rtf936("\\f0 \\'d6 x\\'ff\\par"),
                 "\xEF\xBF\xBD x\xEF\xBF\xBD"},
        TextCase{"UnicodeSkipsOneFallback", rtf936("\\uc1\\u20013?\\u25991?\\par"), "中文"},
        TextCase{"UnicodeSkipsTwoFallbackBytes",
                 rtf936("\\uc2\\u20013\\'d6\\'d0\\u25991\\'ce\\'c4!\\par"), "中文!"},
        TextCase{"UnicodeWithoutFallback", rtf936("\\uc0\\u20013\\u25991 x\\par"), "中文x"},
        TextCase{"UcIsScopedToTheGroup", rtf936("{\\uc3 a}\\u20013?b\\par"), "a中b"},
        TextCase{"FallbackSkipEndsAtBrace", rtf936("\\uc4\\u20013{b}c\\par"), "中bc"},
        TextCase{"NegativeUnicodeValues", rtf936("\\u-32768?\\u-3?\\par"), "耀\xEF\xBF\xBD"},
        TextCase{"SurrogatePairs", rtf936("\\u-10179?\\u-8704?\\par"), "😀"},
        TextCase{"LoneSurrogate", rtf936("\\u-10179?x\\par"), "\xEF\xBF\xBDx"},
        TextCase{"Big5FontInGbkDocument",
                 "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f2\\fcharset136 x;}}\\f2 \\'c1\\'63\\par}",
                 "繁"},
        TextCase{"CpgOverridesCharset",
                 "{\\rtf1\\ansi{\\fonttbl{\\f2\\fcharset0\\cpg950 x;}}\\f2 \\'c1\\'63\\par}", "繁"},
        TextCase{"WesternFontInGbkDocument", rtf936("\\f1 caf\\'e9\\par"), "café"},
        TextCase{"FontWithoutCharsetUsesDocumentPage",
                 "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fnil x;}}\\f0 \\'d6\\'d0\\par}", "中"},
        TextCase{"DefaultFontGivesThePageAfterPlain",
                 "{\\rtf1\\ansi\\deff3{\\fonttbl{\\f3\\fcharset134 x;}}\\plain \\'d6\\'d0\\par}",
                 "中"},
        TextCase{"IgnorableDestinationsAreSkipped",
                 rtf936("a{\\*\\unknownthing {nested \\'d6\\'d0} text}b{\\*\\bkmkstart m}c\\par"),
                 "abc"},
        TextCase{"KnownDestinationsAreSkipped",
                 rtf936("{\\info{\\title T}{\\author A}}{\\stylesheet{\\s0 Normal;}}{\\header "
                        "H\\par}a{\\footnote F}b\\par"),
                 "ab"},
        TextCase{"UnknownControlWordsAreIgnored", rtf936("a\\zzzunknown123 b\\xyz-5\\par"), "ab"},
        TextCase{"FieldShowsItsResult",
                 rtf936("see {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt {\\ul link}}} "
                        "{\\field{\\fldinst PAGE}{\\fldrslt 3}}\\par"),
                 "see link 3"},
        TextCase{"ObjectShowsItsResult",
                 rtf936("{\\object\\objemb{\\*\\objclass Equation}{\\*\\objdata 0102}"
                        "{\\result shown}}\\par"),
                 "shown"},
        TextCase{"BinarySkipsItsBytes", rtf936("a\\bin4 {}}\\ b\\par"), "a b"},
        TextCase{"SymbolsAndSpecialCharacters",
                 rtf936("\\{x\\}\\\\\\~\\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote"
                        "\\bullet\\-\\_\\par"),
                 "{x}\\\xC2\xA0—–‘’“”•\u2011"},
        TextCase{"LineTabAndParagraphs", rtf936("a\\line b\\tab c\\par d\\\ne\\par"),
                 "a\nb\tc\nd\ne"},
        TextCase{"TabCharacterIsATab", rtf936("a\tb\\par"), "a\tb"},
        TextCase{"NewlinesInTheStreamAreNotText", rtf936("a\r\nb\\par\r\n"), "ab"},
        TextCase{"TextAfterTheDocumentIsIgnored", "{\\rtf1 a\\par}b\\par}", "a"},
        TextCase{"LastParagraphWithoutPar", rtf936("a\\par b"), "a\nb"},
        TextCase{"EmptyParagraphsAreKept", rtf936("a\\par\\par b\\par"), "a\n\nb"},
        TextCase{"ListTextIsShown", rtf936("{\\listtext 1.\\tab}item\\par"), "1.\titem"},
        TextCase{"ControlCharactersAreDropped", rtf936("a\x01\x02\\'07b\\u7?c\\par"), "abc"},
        TextCase{"ByteOrderMarkBeforeTheStream", "\xEF\xBB\xBF{\\rtf1 ok\\par}", "ok"}),
    [](const testing::TestParamInfo<TextCase>& info) { return info.param.name; });

TEST(RtfReader, TextThatIsNotRtfIsReadAsPlainText) {
    ReadResult utf8 = readRtf(std::string_view("第一行\r\n第二\t行\n"));
    EXPECT_FALSE(utf8.isRtf);
    EXPECT_EQ(plainText(utf8.document), "第一行\n第二\t行");

    ReadResult gbk = readRtf(std::string_view("\xd6\xd0\xce\xc4"));
    EXPECT_EQ(plainText(gbk.document), "中文");

    ReadResult empty = readRtf(std::string_view(""));
    EXPECT_FALSE(empty.isRtf);
    EXPECT_TRUE(empty.document.empty());
}

TEST(RtfReader, RichEditQuestionKeepsItsFormatting) {
    Document doc = readRtf(test::readFixture("richedit-question.rtf")).document;
    EXPECT_EQ(plainText(doc), "1、下列关于合同的说法，正确的是（　）。\n"
                              "A、Contract law适用平等原则\n居中标题\n答案\tC");

    const richtext::Run* plain = findRun(doc, "下列关于");
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->format.fontFamily, "宋体");
    EXPECT_EQ(plain->format.fontSizeHalfPoints, 24);
    EXPECT_FALSE(plain->format.bold);
    EXPECT_FALSE(plain->format.color.has_value());

    const richtext::Run* bold = findRun(doc, "合同");
    ASSERT_NE(bold, nullptr);
    EXPECT_EQ(bold->text, "合同");
    EXPECT_TRUE(bold->format.bold);
    EXPECT_EQ(bold->format.color, (Color{255, 0, 0}));

    const richtext::Run* latin = findRun(doc, "Contract");
    ASSERT_NE(latin, nullptr);
    EXPECT_EQ(latin->format.fontFamily, "Arial");
    EXPECT_FALSE(latin->format.italic);
    const richtext::Run* italic = findRun(doc, "law");
    ASSERT_NE(italic, nullptr);
    EXPECT_TRUE(italic->format.italic);
    const richtext::Run* underlined = findRun(doc, "平等");
    ASSERT_NE(underlined, nullptr);
    EXPECT_TRUE(underlined->format.underline);
    EXPECT_FALSE(findRun(doc, "原则")->format.underline);

    auto paras = paragraphs(doc);
    ASSERT_EQ(paras.size(), 4u);
    EXPECT_EQ(paras[2]->format.alignment, Alignment::Center);
    const richtext::Run* title = findRun(doc, "居中标题");
    EXPECT_EQ(title->format.fontFamily, "黑体");
    EXPECT_EQ(title->format.fontSizeHalfPoints, 32);
    EXPECT_EQ(title->format.color, (Color{0, 0, 255}));
    EXPECT_EQ(paras[3]->format.alignment, Alignment::Left);
    EXPECT_EQ(paras[3]->format.leftIndent, 420);
    EXPECT_EQ(paras[3]->format.firstLineIndent, -420);
    ASSERT_EQ(paras[3]->runs.size(), 3u);
    EXPECT_EQ(paras[3]->runs[1].kind, richtext::Run::Kind::Tab);
}

TEST(RtfReader, CharacterPropertiesFollowGroupsAndResets) {
    Document doc =
        readRtf(rtf936("{\\b\\i B}n\\ul U\\ul0 n\\ulc1 n\\ul\\ulnone n\\strike S\\strike0 "
                       "\\super 2\\nosupersub n\\sub 3\\sub0 n\\up6 4\\up0 n\\dn3 5\\plain n\\par"))
            .document;
    auto expectRun = [&doc](const char* text, auto check) {
        const richtext::Run* run = findRun(doc, text);
        ASSERT_NE(run, nullptr) << text;
        EXPECT_EQ(run->text, text);
        check(run->format);
    };
    expectRun("B", [](const CharFormat& f) { EXPECT_TRUE(f.bold && f.italic); });
    expectRun("U", [](const CharFormat& f) { EXPECT_TRUE(f.underline && !f.bold); });
    expectRun("S", [](const CharFormat& f) { EXPECT_TRUE(f.strike && !f.underline); });
    expectRun("2",
              [](const CharFormat& f) { EXPECT_EQ(f.verticalAlign, VerticalAlign::Superscript); });
    expectRun("3",
              [](const CharFormat& f) { EXPECT_EQ(f.verticalAlign, VerticalAlign::Subscript); });
    expectRun("4",
              [](const CharFormat& f) { EXPECT_EQ(f.verticalAlign, VerticalAlign::Superscript); });
    expectRun("5",
              [](const CharFormat& f) { EXPECT_EQ(f.verticalAlign, VerticalAlign::Subscript); });
    // every "n" is plain text and merges into runs of plain format
    for (const richtext::Run* run : test::allRuns(doc)) {
        if (run->text.find('n') != std::string::npos) {
            EXPECT_EQ(run->format, CharFormat{}) << run->text;
        }
    }
}

TEST(RtfReader, FontNamesInTheirCodePages) {
    Document doc =
        readRtf(std::string_view("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset134 \\'cb\\'ce"
                                 "\\'cc\\'e5;\\{}{\\f1 {\\*\\panose 0}B\\'e9 ;}\\f2\\fcharset136 "
                                 "\\'b7\\'73;}\\f0 a\\f1 b\\f2 c\\f7 d}"))
            .document;
    EXPECT_EQ(findRun(doc, "a")->format.fontFamily, "宋体");
    EXPECT_EQ(findRun(doc, "b")->format.fontFamily, "Bé"); // nothing of the entry before
    EXPECT_EQ(findRun(doc, "c")->format.fontFamily, "新");
    EXPECT_EQ(findRun(doc, "d")->format.fontFamily, ""); // not in the table
}

TEST(RtfReader, ColoursAndHighlights) {
    Document doc =
        readRtf(
            std::string_view("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue0;}"
                             "\\cf1 r\\cf0 a\\highlight2 h\\highlight0 n\\cb1 c\\cb0 "
                             "\\chcbpat2 p\\cf9 x\\par}"))
            .document;
    EXPECT_EQ(findRun(doc, "r")->format.color, (Color{255, 0, 0}));
    EXPECT_FALSE(findRun(doc, "a")->format.color.has_value());
    EXPECT_EQ(findRun(doc, "h")->format.highlight, (Color{0, 128, 0}));
    EXPECT_FALSE(findRun(doc, "n")->format.highlight.has_value());
    EXPECT_EQ(findRun(doc, "c")->format.highlight, (Color{255, 0, 0}));
    EXPECT_EQ(findRun(doc, "p")->format.highlight, (Color{0, 128, 0}));
    EXPECT_FALSE(findRun(doc, "x")->format.color.has_value()); // index past the table
}

TEST(RtfReader, ParagraphPropertiesApplyUntilPard) {
    Document doc = readRtf(rtf936("\\qc\\li100\\ri200\\fi-50\\sb60\\sa120\\sl360\\slmult1 a\\par "
                                  "b\\par\\pard\\qr c\\par\\pard\\qj\\sl-300 d\\par\\pard\\slmult1 "
                                  "e\\par"))
                       .document;
    auto paras = paragraphs(doc);
    ASSERT_EQ(paras.size(), 5u);
    ParagraphFormat first{Alignment::Center, 100, 200, -50, 60, 120, 360, true};
    EXPECT_EQ(paras[0]->format, first);
    EXPECT_EQ(paras[1]->format, first);
    EXPECT_EQ(paras[2]->format, (ParagraphFormat{.alignment = Alignment::Right}));
    EXPECT_EQ(paras[3]->format,
              (ParagraphFormat{.alignment = Alignment::Justify, .lineSpacing = -300}));
    EXPECT_EQ(paras[4]->format, ParagraphFormat{}); // \slmult alone changes nothing
}

TEST(RtfReader, TablesHaveRowsCellsAndWidths) {
    Document doc =
        readRtf(rtf936("before\\par\\trowd\\trleft100\\cellx1100\\cellx3100 "
                       "\\pard\\intbl a1\\cell \\pard\\intbl b1\\par b1 second\\cell\\row "
                       "\\trowd\\cellx1000\\cellx2000\\pard\\intbl a2\\cell\\cell\\row "
                       "\\pard after\\par"))
            .document;
    ASSERT_EQ(doc.blocks.size(), 3u);
    const Table* table = std::get_if<Table>(&doc.blocks[1]);
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rows.size(), 2u);
    ASSERT_EQ(table->rows[0].cells.size(), 2u);
    EXPECT_EQ(table->rows[0].cells[0].widthTwips, 1000);
    EXPECT_EQ(table->rows[0].cells[1].widthTwips, 2000);
    ASSERT_EQ(table->rows[0].cells[1].paragraphs.size(), 2u);
    EXPECT_EQ(table->rows[0].cells[1].paragraphs[1].runs[0].text, "b1 second");
    ASSERT_EQ(table->rows[1].cells.size(), 2u);
    EXPECT_EQ(table->rows[1].cells[1].paragraphs.size(), 1u);
    EXPECT_TRUE(table->rows[1].cells[1].paragraphs[0].empty());
    EXPECT_EQ(plainText(doc), "before\na1\tb1 b1 second\na2\t\nafter");
}

TEST(RtfReader, NestedTablesAreFlattenedIntoTheirCell) {
    Document doc =
        readRtf(rtf936("\\trowd\\cellx2000\\pard\\intbl outer\\par\\itap2 in1\\nestcell in2"
                       "\\nestcell{\\*\\nesttableprops\\trowd\\cellx500\\nestrow}\\pard\\intbl "
                       "\\cell\\row\\pard end\\par"))
            .document;
    ASSERT_EQ(doc.blocks.size(), 2u);
    const Table& table = std::get<Table>(doc.blocks[0]);
    ASSERT_EQ(table.rows.size(), 1u);
    ASSERT_EQ(table.rows[0].cells.size(), 1u);
    EXPECT_EQ(plainText(doc), "outer in1 in2 \nend");
}

TEST(RtfReader, TableWithoutRowEndIsClosed) {
    Document doc = readRtf(rtf936("\\trowd\\cellx1000\\pard\\intbl x\\cell y")).document;
    ASSERT_EQ(doc.blocks.size(), 1u);
    const Table& table = std::get<Table>(doc.blocks[0]);
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(table.rows[0].cells.size(), 2u);
    EXPECT_EQ(plainText(doc), "x\ty");
}

TEST(RtfReader, PicturesKeepTheirDataAndSize) {
    Document doc =
        readRtf(
            rtf936("a{\\pict\\pngblip\\picw16\\pich12\\picwgoal240\\pichgoal180\\picscalex50"
                   "\\picscaley200 89504e47\r\n0d0a1a0a}b{\\pict\\wmetafile8\\picw100\\pich50 "
                   "0102}{\\pict\\jpegblip\\bin3 \xff\xd8\xff}{\\*\\shppict{\\pict\\emfblip 01}}"
                   "{\\nonshppict{\\pict\\wmetafile8 02}}\\par"))
            .document;
    auto runs = test::allRuns(doc);
    ASSERT_EQ(runs.size(), 6u);
    ASSERT_EQ(runs[1]->kind, richtext::Run::Kind::Picture);
    const Picture& png = *runs[1]->picture;
    EXPECT_EQ(png.format, Picture::Format::Png);
    EXPECT_TRUE(png.isImage());
    EXPECT_EQ(png.data, (std::vector<std::uint8_t>{0x89, 'P', 'N', 'G', 0x0d, 0x0a, 0x1a, 0x0a}));
    EXPECT_EQ(png.widthTwips, 120);
    EXPECT_EQ(png.heightTwips, 360);
    EXPECT_EQ(png.sourceWidth, 16);
    EXPECT_EQ(png.sourceHeight, 12);

    const Picture& wmf = *runs[3]->picture;
    EXPECT_EQ(wmf.format, Picture::Format::Wmf);
    EXPECT_FALSE(wmf.isImage());
    EXPECT_EQ(wmf.metafileMapping, 8);
    EXPECT_EQ(wmf.widthTwips, 0);
    EXPECT_EQ(runs[4]->picture->format, Picture::Format::Jpeg);
    EXPECT_EQ(runs[4]->picture->data, (std::vector<std::uint8_t>{0xff, 0xd8, 0xff}));
    EXPECT_EQ(runs[5]->picture->format, Picture::Format::Emf);
    EXPECT_EQ(plainText(doc), "ab");
}

struct HostileCase {
    const char* name;
    std::string bytes;
    std::string textStart; // what the text must begin with
};

void PrintTo(const HostileCase& c, std::ostream* os) {
    *os << c.name;
}

class ReaderHostileInput : public testing::TestWithParam<HostileCase> {};

TEST_P(ReaderHostileInput, ReadsWithoutHarmAndRoundTrips) {
    ReadResult result = readRtf(GetParam().bytes);
    std::string text = plainText(result.document);
    EXPECT_EQ(text.substr(0, GetParam().textStart.size()), GetParam().textStart);
    EXPECT_LE(text.size(), GetParam().bytes.size() * 4);
    ReadResult again = readRtf(writeRtf(result.document));
    EXPECT_TRUE(again.warnings.empty());
    EXPECT_EQ(again.document, result.document);
}

std::string repeated(std::string_view piece, std::size_t times) {
    std::string out;
    out.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) {
        out += piece;
    }
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Streams, ReaderHostileInput,
    testing::Values(
        HostileCase{"TruncatedInControlWord", "{\\rtf1 abc\\b", "abc"},
        HostileCase{"TruncatedAfterBackslash", "{\\rtf1 abc\\", "abc"},
        HostileCase{"TruncatedHex", "{\\rtf1 abc\\'c", "abc"},
        HostileCase{"BrokenHex", "{\\rtf1 a\\'zzb\\'4", "azzb"},
        HostileCase{"TruncatedInPicture", "{\\rtf1 a{\\pict\\pngblip 89504", "a"},
        HostileCase{"TruncatedInFontTable", "{\\rtf1{\\fonttbl{\\f0\\fcharset134 \\'cb", ""},
        HostileCase{"UnbalancedClosingBraces", "{\\rtf1 a}}}}}b", "a"},
        HostileCase{"OnlyOpeningBraces", "{\\rtf1 a" + repeated("{", 100000) + "b", "ab"},
        HostileCase{"AbsurdNesting", "{\\rtf1 " + repeated("{\\b x", 200000) + repeated("}", 10),
                    "xxx"},
        HostileCase{"HugeBinLength", "{\\rtf1 a\\bin2147483647 xyz}", "a"},
        HostileCase{"NegativeBinLength", "{\\rtf1 a\\bin-5 b}", "ab"},
        HostileCase{"HugeBinInPicture", "{\\rtf1 a{\\pict\\bin99999999999 \x01\x02}}", "a"},
        HostileCase{"GigabyteNumbers",
                    "{\\rtf1 \\fs99999999999999999999\\f-99999999999\\uc999999999 "
                    "\\li99999999999\\cf2147483647\\highlight-2147483648 a\\u99999999999 b}",
                    ""},
        HostileCase{"VeryLongNumber", "{\\rtf1 \\fs" + repeated("9", 1000000) + " a}", "a"},
        HostileCase{"VeryLongControlWord", "{\\rtf1 \\" + repeated("b", 1000000) + " a}", "a"},
        HostileCase{"ManyCells",
                    "{\\rtf1 \\trowd" + repeated("\\cellx100", 20000) + "\\intbl " +
                        repeated("x\\cell ", 20000) + "\\row}",
                    "x\tx"},
        HostileCase{"ManyFonts",
                    "{\\rtf1{\\fonttbl" + repeated("{\\f99\\fcharset134 \\'cb\\'ce;}", 10000) +
                        "}\\f99 \\'d6\\'d0}",
                    "中"},
        HostileCase{"HugePictureSizes",
                    "{\\rtf1{\\pict\\pngblip\\picw2147483647\\pichgoal2147483647\\picscaley10000"
                    "\\picwgoal-5 00}}",
                    ""},
        HostileCase{"InvalidDoubleBytes", "{\\rtf1\\ansi\\ansicpg936 \\'d6\\'20\\'80\\'ff\\'fe}",
                    "\xEF\xBF\xBD \xE2\x82\xAC"},
        HostileCase{"NulBytes", std::string("{\\rtf1 a\0b\\'00c}", 16), "abc"},
        HostileCase{"UnsupportedCodePage", "{\\rtf1\\ansi\\ansicpg99999 caf\\'e9}", "café"},
        HostileCase{"StrayCellsAndRows", "{\\rtf1 \\row\\cell\\nestcell\\row a\\cell\\row}", ""},
        HostileCase{"IgnorableMarkerWithoutWord", "{\\rtf1 {\\* x}y}", " xy"},
        HostileCase{"SkippedBinary", "{\\rtf1 {\\*\\x \\bin3 }}}after}done}", "done"}),
    [](const testing::TestParamInfo<HostileCase>& info) { return info.param.name; });

TEST(RtfReader, ReportsRepairsAsWarnings) {
    EXPECT_TRUE(readRtf(rtf936("fine\\par")).warnings.empty());
    EXPECT_FALSE(readRtf(std::string_view("{\\rtf1 unclosed")).warnings.empty());
    EXPECT_FALSE(readRtf(std::string_view("{\\rtf1 a\\bin100 b}")).warnings.empty());
    EXPECT_FALSE(readRtf(std::string_view("{\\rtf1 \\'zz}")).warnings.empty());
    ReadOptions shallow;
    shallow.maxGroupDepth = 4;
    ReadResult deep = readRtf(std::string_view("{\\rtf1 {{{{{{{{a}}}}}}}}b}"), shallow);
    EXPECT_FALSE(deep.warnings.empty());
    EXPECT_EQ(plainText(deep.document), "ab");
}

TEST(RtfReader, StopsAtTheElementLimit) {
    ReadOptions small;
    small.maxElements = 5;
    ReadResult result =
        readRtf(std::string_view("{\\rtf1 a\\par b\\par c\\par d\\par e\\par f\\par}"), small);
    EXPECT_FALSE(result.warnings.empty());
    std::string text = plainText(result.document);
    EXPECT_EQ(text.substr(0, 5), "a\nb\nc");
    EXPECT_LT(text.size(), std::string_view("a\nb\nc\nd\ne\nf").size());
}

TEST(RtfReader, GroupsBeyondTheDepthLimitStillBalance) {
    // Past the limit, inner groups share their parent's state; the closing braces still match,
    // so formatting after the deep part is right again.
    ReadOptions shallow;
    shallow.maxGroupDepth = 3;
    Document doc = readRtf(std::string_view("{\\rtf1 {\\b {{{{x}}}}}y}"), shallow).document;
    EXPECT_TRUE(findRun(doc, "x")->format.bold);
    EXPECT_FALSE(findRun(doc, "y")->format.bold);
}

} // namespace
} // namespace tessaro::richtext
