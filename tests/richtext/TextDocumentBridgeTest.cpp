#include "richtext/qt/TextDocumentBridge.h"

#include "TestFiles.h"
#include "richtext/DocumentBuilder.h"
#include "richtext/RtfReader.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QUrl>
#include <functional>
#include <gtest/gtest.h>

namespace tessaro::richtext {
namespace {

std::vector<std::uint8_t> encodedImage(const char* format, QColor color) {
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format));
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

Picture picture(Picture::Format format, std::vector<std::uint8_t> data, int widthTwips = 0) {
    Picture p;
    p.format = format;
    p.data = std::move(data);
    p.widthTwips = widthTwips;
    p.heightTwips = widthTwips / 2;
    p.sourceWidth = 20;
    p.sourceHeight = 10;
    return p;
}

QTextCharFormat formatAt(const QTextDocument& document, const QString& text) {
    QTextCursor found = document.find(text);
    EXPECT_FALSE(found.isNull()) << text.toStdString();
    QTextCursor inside(found);
    inside.setPosition(found.selectionStart() + 1);
    return inside.charFormat();
}

TEST(TextDocumentBridge, FillsTextFormatsAndParagraphs) {
    DocumentBuilder b;
    b.paragraph({.alignment = Alignment::Center, .leftIndent = 300}).text("普通");
    b.text(
        "粗红",
        {.fontFamily = "黑体", .fontSizeHalfPoints = 24, .bold = true, .color = Color{255, 0, 0}});
    b.lineBreak().text("上", {.verticalAlign = VerticalAlign::Superscript}).tab();
    b.paragraph().text(
        "second",
        {.italic = true, .underline = true, .strike = true, .highlight = Color{255, 255, 0}});
    QTextDocument document;
    fillTextDocument(document, b.build());

    EXPECT_EQ(document.toPlainText(), QStringLiteral("普通粗红\n上\t\nsecond"));
    EXPECT_EQ(document.blockCount(), 2);
    QTextBlockFormat first = document.firstBlock().blockFormat();
    EXPECT_EQ(first.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_DOUBLE_EQ(first.leftMargin(), 20.0);

    QTextCharFormat bold = formatAt(document, QStringLiteral("粗红"));
    EXPECT_EQ(bold.fontWeight(), QFont::Bold);
    EXPECT_EQ(bold.foreground().color(), QColor(255, 0, 0));
    EXPECT_DOUBLE_EQ(bold.fontPointSize(), 12.0);
    EXPECT_EQ(bold.fontFamilies().toStringList(), QStringList{QStringLiteral("黑体")});
    QTextCharFormat plain = formatAt(document, QStringLiteral("普通"));
    EXPECT_FALSE(plain.hasProperty(QTextFormat::FontWeight));
    EXPECT_FALSE(plain.hasProperty(QTextFormat::FontFamilies));
    EXPECT_EQ(formatAt(document, QStringLiteral("上")).verticalAlignment(),
              QTextCharFormat::AlignSuperScript);
    QTextCharFormat second = formatAt(document, QStringLiteral("second"));
    EXPECT_TRUE(second.fontItalic() && second.fontUnderline() && second.fontStrikeOut());
    EXPECT_EQ(second.background().color(), QColor(255, 255, 0));
}

struct BridgeCase {
    const char* name;
    std::function<Document()> make;
};

void PrintTo(const BridgeCase& c, std::ostream* os) {
    *os << c.name;
}

class BridgeRoundTrip : public testing::TestWithParam<BridgeCase> {};

TEST_P(BridgeRoundTrip, GivesBackTheDocument) {
    Document original = GetParam().make();
    QTextDocument document;
    fillTextDocument(document, original);
    EXPECT_EQ(fromTextDocument(document), original);
}

INSTANTIATE_TEST_SUITE_P(
    Documents, BridgeRoundTrip,
    testing::Values(
        BridgeCase{"Empty", [] { return Document{}; }},
        BridgeCase{"Formats",
                   [] {
                       DocumentBuilder b;
                       b.paragraph({Alignment::Justify, 100, 200, -300, 60, 120, 360, true});
                       b.text("a").text("b", {.fontFamily = "宋体",
                                              .fontSizeHalfPoints = 21,
                                              .bold = true,
                                              .italic = true,
                                              .underline = true,
                                              .strike = true,
                                              .color = Color{1, 2, 3},
                                              .highlight = Color{4, 5, 6},
                                              .verticalAlign = VerticalAlign::Subscript});
                       b.lineBreak({.bold = true}).tab().text("c");
                       b.paragraph({.alignment = Alignment::Right, .lineSpacing = -280});
                       b.paragraph({.lineSpacing = 300}).text("d");
                       return b.build();
                   }},
        BridgeCase{"TablesBetweenParagraphs",
                   [] {
                       DocumentBuilder b;
                       b.text("before");
                       b.beginTable().beginRow().beginCell(1500).text("a").paragraph().text("a2");
                       b.beginCell(3000).text("b", {.bold = true});
                       b.beginRow().beginCell(1500).beginCell(3000).text("d");
                       b.endTable().text("after");
                       return b.build();
                   }},
        BridgeCase{"TableFirstAndLast",
                   [] {
                       DocumentBuilder b;
                       b.beginTable().beginRow().beginCell(1500).text("x");
                       b.endTable().text("middle");
                       b.beginTable().beginRow().beginCell(1500).text("y");
                       return b.build();
                   }},
        BridgeCase{"Pictures",
                   [] {
                       DocumentBuilder b;
                       b.text("图").picture(
                           picture(Picture::Format::Png, encodedImage("PNG", Qt::red), 600));
                       b.picture(picture(Picture::Format::Jpeg, encodedImage("JPG", Qt::blue)));
                       b.paragraph().picture(picture(Picture::Format::Wmf, {1, 2, 3}, 1440));
                       return b.build();
                   }}),
    [](const testing::TestParamInfo<BridgeCase>& info) { return info.param.name; });

TEST(TextDocumentBridge, ShowsPicturesAsImagesOrPlaceholders) {
    DocumentBuilder b;
    b.picture(picture(Picture::Format::Png, encodedImage("PNG", Qt::red), 600));
    b.picture(picture(Picture::Format::Emf, {1, 2, 3}));
    QTextDocument document;
    fillTextDocument(document, b.build());
    std::vector<QTextImageFormat> images;
    for (auto it = document.firstBlock().begin(); !it.atEnd(); ++it) {
        if (it.fragment().charFormat().isImageFormat()) {
            images.push_back(it.fragment().charFormat().toImageFormat());
        }
    }
    ASSERT_EQ(images.size(), 2u);
    EXPECT_DOUBLE_EQ(images[0].width(), 40.0);
    EXPECT_DOUBLE_EQ(images[0].height(), 20.0);
    QImage png =
        document.resource(QTextDocument::ImageResource, QUrl(images[0].name())).value<QImage>();
    EXPECT_EQ(png.pixelColor(0, 0), QColor(Qt::red));
    QImage placeholder =
        document.resource(QTextDocument::ImageResource, QUrl(images[1].name())).value<QImage>();
    EXPECT_FALSE(placeholder.isNull());
}

TEST(TextDocumentBridge, ReadsWhatWasTypedIntoAnEditor) {
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("用户"));
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText(QStringLiteral("输入"), bold);
    QTextBlockFormat centered;
    centered.setAlignment(Qt::AlignHCenter);
    cursor.insertBlock(centered, QTextCharFormat());
    cursor.insertText(QStringLiteral("第二行") + QChar(QChar::LineSeparator) + QStringLiteral("x"),
                      QTextCharFormat());
    QImage pasted(4, 3, QImage::Format_RGB32);
    pasted.fill(Qt::green);
    document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("pasted.png")), pasted);
    cursor.insertImage(QStringLiteral("pasted.png"));

    DocumentBuilder b;
    b.text("用户").text("输入", {.bold = true});
    b.paragraph({.alignment = Alignment::Center}).text("第二行").lineBreak().text("x");
    Document expected = b.build();

    Document read = fromTextDocument(document);
    ASSERT_EQ(read.blocks.size(), 2u);
    auto& second = std::get<Paragraph>(read.blocks[1]);
    ASSERT_EQ(second.runs.size(), 4u);
    ASSERT_EQ(second.runs[3].kind, richtext::Run::Kind::Picture);
    const Picture& image = *second.runs[3].picture;
    EXPECT_EQ(image.format, Picture::Format::Png);
    QImage decoded = QImage::fromData(image.data.data(), static_cast<int>(image.data.size()));
    EXPECT_EQ(decoded.size(), QSize(4, 3));
    EXPECT_EQ(decoded.pixelColor(1, 1), QColor(Qt::green));
    second.runs.pop_back();
    EXPECT_EQ(read, expected);
}

TEST(TextDocumentBridge, FillsFixtureTables) {
    Document doc = readRtf(test::readFixture("lo-table.rtf")).document;
    QTextDocument document;
    fillTextDocument(document, doc);
    QTextCursor cursor = document.find(QStringLiteral("法律法规"));
    ASSERT_FALSE(cursor.isNull());
    QTextTable* table = cursor.currentTable();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rows(), 2);
    EXPECT_EQ(table->columns(), 3);
    EXPECT_EQ(fromTextDocument(document), doc);
}

TEST(TextDocumentBridge, RtfShortcutsForColumns) {
    QTextDocument document;
    setRtf(document, QByteArray("{\\rtf1\\ansi\\ansicpg936 \\'d6\\'d0{\\b \\'ce\\'c4}\\par}"));
    EXPECT_EQ(document.toPlainText(), QStringLiteral("中文"));
    EXPECT_EQ(formatAt(document, QStringLiteral("文")).fontWeight(), QFont::Bold);
    QByteArray saved = toRtf(document);
    EXPECT_TRUE(saved.startsWith("{\\rtf1\\ansi\\ansicpg936"));
    EXPECT_TRUE(saved.contains("\\b \\uc2\\u25991\\'ce\\'c4"));

    setRtf(document, QByteArray("plain text, not RTF"));
    EXPECT_EQ(document.toPlainText(), QStringLiteral("plain text, not RTF"));
}

} // namespace
} // namespace tessaro::richtext

int main(int argc, char** argv) {
    // Test discovery runs this binary at build time, outside ctest's environment.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
