#include "richtext/qt/TextDocumentBridge.h"

#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <cmath>

namespace tessaro::richtext {
namespace {

// Image-format properties that carry the original picture through the editor.
enum PictureProperty {
    kPictureData = QTextFormat::UserProperty + 0x5400,
    kPictureFormat,
    kPictureSourceWidth,
    kPictureSourceHeight,
    kPictureMapping,
    kPictureWidthTwips,
    kPictureHeightTwips,
};

constexpr double kTwipsPerPixel = 15.0; // 1440 twips per inch at 96 pixels per inch
constexpr int kMaxPicturePixels = 4096;

double toPixels(int twips) {
    return twips / kTwipsPerPixel;
}
int toTwips(double pixels) {
    return static_cast<int>(std::lround(pixels * kTwipsPerPixel));
}

QColor toQColor(const Color& color) {
    return QColor(color.red, color.green, color.blue);
}
Color fromQColor(const QColor& color) {
    return Color{static_cast<std::uint8_t>(color.red()), static_cast<std::uint8_t>(color.green()),
                 static_cast<std::uint8_t>(color.blue())};
}

QString toQString(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QTextBlockFormat toBlockFormat(const ParagraphFormat& format) {
    QTextBlockFormat block;
    switch (format.alignment) {
    case Alignment::Left:
        block.setAlignment(Qt::AlignLeft);
        break;
    case Alignment::Center:
        block.setAlignment(Qt::AlignHCenter);
        break;
    case Alignment::Right:
        block.setAlignment(Qt::AlignRight);
        break;
    case Alignment::Justify:
        block.setAlignment(Qt::AlignJustify);
        break;
    }
    block.setLeftMargin(toPixels(format.leftIndent));
    block.setRightMargin(toPixels(format.rightIndent));
    block.setTextIndent(toPixels(format.firstLineIndent));
    block.setTopMargin(toPixels(format.spaceBefore));
    block.setBottomMargin(toPixels(format.spaceAfter));
    if (format.lineSpacing != 0) {
        if (format.lineSpacingMultiple) {
            block.setLineHeight(format.lineSpacing * 100.0 / 240.0,
                                QTextBlockFormat::ProportionalHeight);
        } else if (format.lineSpacing > 0) {
            block.setLineHeight(toPixels(format.lineSpacing), QTextBlockFormat::MinimumHeight);
        } else {
            block.setLineHeight(toPixels(-format.lineSpacing), QTextBlockFormat::FixedHeight);
        }
    }
    return block;
}

ParagraphFormat fromBlockFormat(const QTextBlockFormat& block) {
    ParagraphFormat format;
    Qt::Alignment horizontal = block.alignment() & Qt::AlignHorizontal_Mask;
    if (horizontal & Qt::AlignHCenter) {
        format.alignment = Alignment::Center;
    } else if (horizontal & Qt::AlignRight) {
        format.alignment = Alignment::Right;
    } else if (horizontal & Qt::AlignJustify) {
        format.alignment = Alignment::Justify;
    }
    format.leftIndent = toTwips(block.leftMargin());
    format.rightIndent = toTwips(block.rightMargin());
    format.firstLineIndent = toTwips(block.textIndent());
    format.spaceBefore = toTwips(block.topMargin());
    format.spaceAfter = toTwips(block.bottomMargin());
    switch (block.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        if (std::lround(block.lineHeight()) != 100) {
            format.lineSpacing = static_cast<int>(std::lround(block.lineHeight() * 240.0 / 100.0));
            format.lineSpacingMultiple = true;
        }
        break;
    case QTextBlockFormat::MinimumHeight:
        format.lineSpacing = toTwips(block.lineHeight());
        break;
    case QTextBlockFormat::FixedHeight:
        format.lineSpacing = -toTwips(block.lineHeight());
        break;
    default:
        break;
    }
    return format;
}

QTextCharFormat toCharFormat(const CharFormat& format) {
    QTextCharFormat chars;
    if (!format.fontFamily.empty()) {
        chars.setFontFamilies(QStringList{toQString(format.fontFamily)});
    }
    if (format.fontSizeHalfPoints > 0) {
        chars.setFontPointSize(format.fontSizeHalfPoints / 2.0);
    }
    if (format.bold) {
        chars.setFontWeight(QFont::Bold);
    }
    if (format.italic) {
        chars.setFontItalic(true);
    }
    if (format.underline) {
        chars.setFontUnderline(true);
    }
    if (format.strike) {
        chars.setFontStrikeOut(true);
    }
    if (format.color) {
        chars.setForeground(toQColor(*format.color));
    }
    if (format.highlight) {
        chars.setBackground(toQColor(*format.highlight));
    }
    if (format.verticalAlign == VerticalAlign::Superscript) {
        chars.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    } else if (format.verticalAlign == VerticalAlign::Subscript) {
        chars.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    }
    return chars;
}

CharFormat fromCharFormat(const QTextCharFormat& chars) {
    CharFormat format;
    if (chars.hasProperty(QTextFormat::FontFamilies)) {
        QStringList families = chars.fontFamilies().toStringList();
        if (!families.isEmpty()) {
            format.fontFamily = families.first().toStdString();
        }
    } else if (chars.hasProperty(QTextFormat::FontFamily)) {
        format.fontFamily = chars.property(QTextFormat::FontFamily).toString().toStdString();
    }
    if (chars.hasProperty(QTextFormat::FontPointSize)) {
        format.fontSizeHalfPoints =
            std::clamp(static_cast<int>(std::lround(chars.fontPointSize() * 2)), 0, 3276);
    }
    format.bold =
        chars.hasProperty(QTextFormat::FontWeight) && chars.fontWeight() >= QFont::DemiBold;
    format.italic = chars.fontItalic();
    format.underline = chars.fontUnderline();
    format.strike = chars.fontStrikeOut();
    if (chars.hasProperty(QTextFormat::ForegroundBrush) &&
        chars.foreground().style() != Qt::NoBrush) {
        format.color = fromQColor(chars.foreground().color());
    }
    if (chars.hasProperty(QTextFormat::BackgroundBrush) &&
        chars.background().style() != Qt::NoBrush) {
        format.highlight = fromQColor(chars.background().color());
    }
    if (chars.verticalAlignment() == QTextCharFormat::AlignSuperScript) {
        format.verticalAlign = VerticalAlign::Superscript;
    } else if (chars.verticalAlignment() == QTextCharFormat::AlignSubScript) {
        format.verticalAlign = VerticalAlign::Subscript;
    }
    return format;
}

QImage placeholderImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(0xE0, 0xE0, 0xE0));
    QPainter painter(&image);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(0, 0, width - 1, height - 1);
    painter.drawLine(0, 0, width - 1, height - 1);
    painter.drawLine(0, height - 1, width - 1, 0);
    return image;
}

// Natural size in pixels of a picture that cannot be decoded, from its RTF source size.
QSize sourcePixels(const Picture& picture) {
    bool metafile = picture.format == Picture::Format::Emf ||
                    picture.format == Picture::Format::Wmf ||
                    picture.format == Picture::Format::MacPict;
    int width = picture.sourceWidth;
    int height = picture.sourceHeight;
    if (metafile) { // 0.01 mm
        width = static_cast<int>(width * 96LL / 2540);
        height = static_cast<int>(height * 96LL / 2540);
    }
    return QSize(width > 0 ? width : 96, height > 0 ? height : 64);
}

class Filler {
public:
    explicit Filler(QTextDocument& target) : m_target(target), m_cursor(&target) {}

    void fill(const Document& document) {
        for (const Block& block : document.blocks) {
            if (const auto* paragraph = std::get_if<Paragraph>(&block)) {
                startBlock(toBlockFormat(paragraph->format));
                addRuns(*paragraph);
            } else {
                addTable(std::get<Table>(block));
            }
        }
    }

private:
    void startBlock(const QTextBlockFormat& format) {
        if (m_blockFresh) {
            m_cursor.setBlockFormat(format);
            m_blockFresh = false;
        } else {
            m_cursor.insertBlock(format, QTextCharFormat());
        }
    }

    void addRuns(const Paragraph& paragraph) {
        for (const Run& run : paragraph.runs) {
            switch (run.kind) {
            case Run::Kind::Text:
                m_cursor.insertText(toQString(run.text), toCharFormat(run.format));
                break;
            case Run::Kind::LineBreak:
                m_cursor.insertText(QString(QChar::LineSeparator), toCharFormat(run.format));
                break;
            case Run::Kind::Tab:
                m_cursor.insertText(QStringLiteral("\t"), toCharFormat(run.format));
                break;
            case Run::Kind::Picture:
                if (run.picture) {
                    addPicture(*run.picture);
                }
                break;
            }
        }
    }

    void addPicture(const Picture& picture) {
        QImage image;
        if (picture.isImage()) {
            image = QImage::fromData(picture.data.data(), static_cast<int>(picture.data.size()));
        }
        QSize natural = image.isNull() ? sourcePixels(picture) : image.size();
        double width = picture.widthTwips > 0 ? toPixels(picture.widthTwips) : natural.width();
        double height = picture.heightTwips > 0 ? toPixels(picture.heightTwips) : natural.height();
        width = std::clamp(width, 1.0, double(kMaxPicturePixels));
        height = std::clamp(height, 1.0, double(kMaxPicturePixels));
        if (image.isNull()) {
            // Small and scaled to the picture's size when drawn, so many large
            // placeholders cost little memory.
            image = placeholderImage(64, 48);
        }
        QUrl name(QStringLiteral("tessaro-picture:%1").arg(++m_pictures));
        m_target.addResource(QTextDocument::ImageResource, name, image);

        QTextImageFormat format;
        format.setName(name.toString());
        format.setWidth(width);
        format.setHeight(height);
        format.setProperty(kPictureData,
                           QByteArray(reinterpret_cast<const char*>(picture.data.data()),
                                      static_cast<qsizetype>(picture.data.size())));
        format.setProperty(kPictureFormat, static_cast<int>(picture.format));
        format.setProperty(kPictureSourceWidth, picture.sourceWidth);
        format.setProperty(kPictureSourceHeight, picture.sourceHeight);
        format.setProperty(kPictureMapping, picture.metafileMapping);
        format.setProperty(kPictureWidthTwips, picture.widthTwips);
        format.setProperty(kPictureHeightTwips, picture.heightTwips);
        m_cursor.insertImage(format);
    }

    void addTable(const Table& table) {
        int rows = static_cast<int>(table.rows.size());
        int columns = 0;
        for (const TableRow& row : table.rows) {
            columns = std::max(columns, static_cast<int>(row.cells.size()));
        }
        if (rows == 0 || columns == 0) {
            return;
        }
        QTextTableFormat format;
        format.setCellPadding(2);
        format.setCellSpacing(0);
        format.setBorder(1);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        QList<QTextLength> widths;
        for (const TableCell& cell : table.rows.front().cells) {
            widths.append(cell.widthTwips > 0
                              ? QTextLength(QTextLength::FixedLength, toPixels(cell.widthTwips))
                              : QTextLength(QTextLength::VariableLength, 0));
        }
        format.setColumnWidthConstraints(widths);
        QTextTable* qtable = m_cursor.insertTable(rows, columns, format);
        for (int r = 0; r < rows; ++r) {
            const TableRow& row = table.rows[r];
            for (int c = 0; c < static_cast<int>(row.cells.size()); ++c) {
                m_cursor = qtable->cellAt(r, c).firstCursorPosition();
                m_blockFresh = true;
                for (const Paragraph& paragraph : row.cells[c].paragraphs) {
                    startBlock(toBlockFormat(paragraph.format));
                    addRuns(paragraph);
                }
            }
        }
        m_cursor.setPosition(qtable->lastPosition() + 1);
        m_blockFresh = true;
    }

    QTextDocument& m_target;
    QTextCursor m_cursor;
    bool m_blockFresh = true;
    int m_pictures = 0;
};

class Reader {
public:
    explicit Reader(const QTextDocument& source) : m_source(source) {}

    Document read() {
        Document document;
        readFrame(m_source.rootFrame(), document.blocks);
        // A table at the end is always followed by an empty block in a QTextDocument.
        if (document.blocks.size() >= 2 && m_lastWasTableThenEmpty) {
            document.blocks.pop_back();
        }
        // A QTextDocument always starts with a block, also when a table comes first.
        if (document.blocks.size() >= 2 && std::holds_alternative<Table>(document.blocks[1])) {
            const auto* first = std::get_if<Paragraph>(&document.blocks.front());
            if (first && first->empty() && first->format == ParagraphFormat{}) {
                document.blocks.erase(document.blocks.begin());
            }
        }
        if (document.blocks.size() == 1) {
            const auto* only = std::get_if<Paragraph>(&document.blocks.front());
            if (only && only->empty() && only->format == ParagraphFormat{}) {
                document.blocks.clear();
            }
        }
        return document;
    }

private:
    void readFrame(QTextFrame* frame, std::vector<Block>& blocks) {
        bool afterTable = false;
        for (auto it = frame->begin(); !it.atEnd(); ++it) {
            if (QTextFrame* child = it.currentFrame()) {
                if (auto* table = qobject_cast<QTextTable*>(child)) {
                    blocks.emplace_back(readTable(*table));
                    afterTable = true;
                } else {
                    readFrame(child, blocks);
                    afterTable = false;
                }
                continue;
            }
            Paragraph paragraph = readBlock(it.currentBlock());
            m_lastWasTableThenEmpty = afterTable && paragraph.empty();
            blocks.emplace_back(std::move(paragraph));
            afterTable = false;
        }
    }

    Table readTable(const QTextTable& table) {
        Table result;
        QList<QTextLength> widths = table.format().columnWidthConstraints();
        for (int r = 0; r < table.rows(); ++r) {
            TableRow row;
            for (int c = 0; c < table.columns(); ++c) {
                QTextTableCell cell = table.cellAt(r, c);
                TableCell out;
                if (c < widths.size() && widths[c].type() == QTextLength::FixedLength) {
                    out.widthTwips = toTwips(widths[c].rawValue());
                }
                for (auto it = cell.begin(); !it.atEnd(); ++it) {
                    if (!it.currentFrame()) {
                        out.paragraphs.push_back(readBlock(it.currentBlock()));
                    }
                }
                if (out.paragraphs.empty()) {
                    out.paragraphs.emplace_back();
                }
                row.cells.push_back(std::move(out));
            }
            result.rows.push_back(std::move(row));
        }
        return result;
    }

    Paragraph readBlock(const QTextBlock& block) {
        Paragraph paragraph;
        paragraph.format = fromBlockFormat(block.blockFormat());
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            QTextFragment fragment = it.fragment();
            if (!fragment.isValid()) {
                continue;
            }
            QTextCharFormat chars = fragment.charFormat();
            if (chars.isImageFormat()) {
                for (int i = 0; i < fragment.length(); ++i) {
                    addPicture(paragraph, chars.toImageFormat());
                }
                continue;
            }
            addText(paragraph, fragment.text(), fromCharFormat(chars));
        }
        return paragraph;
    }

    static void addText(Paragraph& paragraph, const QString& text, const CharFormat& format) {
        QString pending;
        auto flush = [&] {
            if (pending.isEmpty()) {
                return;
            }
            std::string utf8 = pending.toStdString();
            if (!paragraph.runs.empty() && paragraph.runs.back().kind == Run::Kind::Text &&
                paragraph.runs.back().format == format) {
                paragraph.runs.back().text += utf8;
            } else {
                paragraph.runs.push_back(Run::makeText(std::move(utf8), format));
            }
            pending.clear();
        };
        for (QChar ch : text) {
            if (ch == QChar::LineSeparator || ch == u'\n') {
                flush();
                paragraph.runs.push_back(Run::makeLineBreak(format));
            } else if (ch == u'\t') {
                flush();
                paragraph.runs.push_back(Run::makeTab(format));
            } else if (ch == QChar::ObjectReplacementCharacter || ch == QChar::ParagraphSeparator) {
                continue;
            } else {
                pending.append(ch);
            }
        }
        flush();
    }

    void addPicture(Paragraph& paragraph, const QTextImageFormat& format) {
        Picture picture;
        if (format.hasProperty(kPictureData)) {
            QByteArray data = format.property(kPictureData).toByteArray();
            picture.data.assign(data.begin(), data.end());
            picture.format = static_cast<Picture::Format>(std::clamp(
                format.intProperty(kPictureFormat), 0, static_cast<int>(Picture::Format::Unknown)));
            picture.sourceWidth = format.intProperty(kPictureSourceWidth);
            picture.sourceHeight = format.intProperty(kPictureSourceHeight);
            picture.metafileMapping = format.intProperty(kPictureMapping);
            picture.widthTwips = keptTwips(format.intProperty(kPictureWidthTwips), format.width());
            picture.heightTwips =
                keptTwips(format.intProperty(kPictureHeightTwips), format.height());
        } else {
            QVariant resource =
                m_source.resource(QTextDocument::ImageResource, QUrl(format.name()));
            QImage image = resource.value<QImage>();
            if (image.isNull()) {
                image = resource.value<QPixmap>().toImage();
            }
            if (image.isNull()) {
                return;
            }
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "PNG");
            picture.format = Picture::Format::Png;
            picture.data.assign(png.begin(), png.end());
            picture.sourceWidth = image.width();
            picture.sourceHeight = image.height();
            picture.widthTwips = format.width() > 0 ? toTwips(format.width()) : 0;
            picture.heightTwips = format.height() > 0 ? toTwips(format.height()) : 0;
        }
        paragraph.runs.push_back(Run::makePicture(std::move(picture)));
    }

    // The size the picture came with, unless the editor changed it.
    static int keptTwips(int original, double pixels) {
        if (pixels <= 0) {
            return original;
        }
        if (original > 0 && std::abs(toPixels(original) - pixels) < 0.5) {
            return original;
        }
        if (original == 0) {
            return 0; // shown at its natural size; nothing was set
        }
        return toTwips(pixels);
    }

    const QTextDocument& m_source;
    bool m_lastWasTableThenEmpty = false;
};

} // namespace

void fillTextDocument(QTextDocument& target, const Document& document) {
    target.clear();
    Filler(target).fill(document);
}

Document fromTextDocument(const QTextDocument& source) {
    return Reader(source).read();
}

void setRtf(QTextDocument& target, const QByteArray& stream) {
    fillTextDocument(target, readRtf(std::string_view(stream.constData(), stream.size())).document);
}

QByteArray toRtf(const QTextDocument& source) {
    std::string rtf = writeRtf(fromTextDocument(source));
    return QByteArray(rtf.data(), static_cast<qsizetype>(rtf.size()));
}

} // namespace tessaro::richtext
