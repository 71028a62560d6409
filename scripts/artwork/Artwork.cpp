// Draws Tessaro's pictures: the message dialog's background, title strip and icons, the about
// picture, the question-number and question-type button faces, the music switch and the folder
// button. One palette and one light, rounded style throughout.

#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QtEndian>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

const QColor kNavy(22, 58, 110);
const QColor kBlue(33, 96, 170);
const QColor kSky(92, 152, 222);
const QColor kDialog(152, 180, 209);
const QColor kGreen(46, 150, 88);
const QColor kRed(204, 62, 56);
const QColor kAmber(226, 150, 32);
const QColor kInk(28, 38, 52);

const char* kSans = "Noto Sans CJK SC";
const char* kSerif = "Noto Serif CJK SC";

QString g_out;

QImage canvas(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QFont font(const char* family, int px, bool bold = false) {
    QFont f(family);
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

void savePng(const QImage& image, const char* name) {
    const QString path = QDir(g_out).filePath(name);
    if (!image.save(path, "PNG"))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

// 32-bit BMP with an alpha channel (BITMAPV4HEADER, bit fields), which Qt and other readers keep.
void saveBmp(const QImage& source, const char* name) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width(), h = image.height();
    const quint32 pixelBytes = quint32(w) * quint32(h) * 4;
    const quint32 headerBytes = 14 + 108;
    QByteArray bytes(int(headerBytes + pixelBytes), '\0');
    uchar* d = reinterpret_cast<uchar*>(bytes.data());
    auto put16 = [&](int at, quint16 v) { qToLittleEndian(v, d + at); };
    auto put32 = [&](int at, quint32 v) { qToLittleEndian(v, d + at); };
    d[0] = 'B';
    d[1] = 'M';
    put32(2, headerBytes + pixelBytes);
    put32(10, headerBytes);
    put32(14, 108);
    put32(18, quint32(w));
    put32(22, quint32(h));
    put16(26, 1);
    put16(28, 32);
    put32(30, 3); // BI_BITFIELDS
    put32(34, pixelBytes);
    put32(38, 2835);
    put32(42, 2835);
    put32(54, 0x00FF0000);
    put32(58, 0x0000FF00);
    put32(62, 0x000000FF);
    put32(66, 0xFF000000);
    put32(70, 0x73524742); // LCS_sRGB
    uchar* pixels = d + headerBytes;
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(h - 1 - y));
        for (int x = 0; x < w; ++x)
            qToLittleEndian(quint32(row[x]), pixels + (y * w + x) * 4);
    }
    QFile file(QDir(g_out).filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write %s\n", name);
}

QLinearGradient vertical(const QRectF& r, const QColor& top, const QColor& bottom) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

void gloss(QPainter& p, const QRectF& r, qreal radius, int alpha) {
    QPainterPath path;
    path.addRoundedRect(r.adjusted(1, 1, -1, -r.height() / 2), radius, radius);
    p.fillPath(path, vertical(r, QColor(255, 255, 255, alpha), QColor(255, 255, 255, 0)));
}

// Message dialog ---------------------------------------------------------------------------

void dialogBackground() {
    QImage image = canvas(399, 108);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(image.rect(), vertical(image.rect(), kDialog.lighter(118), kDialog));
    // Soft rings in the lower right corner.
    for (int i = 0; i < 4; ++i) {
        p.setPen(QPen(QColor(255, 255, 255, 34 - 6 * i), 10 - 2 * i));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(372, 112), 40 + 26 * i, 40 + 26 * i);
    }
    p.setPen(QColor(255, 255, 255, 90));
    p.drawLine(0, 24, 399, 24);
    p.setPen(QColor(90, 120, 158));
    p.drawRect(QRectF(0.5, 0.5, 398, 107));
    savePng(image, "dlgback.png");
}

void dialogTitle() {
    QImage image = canvas(399, 25);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(image.rect(), vertical(image.rect(), kBlue.lighter(115), kNavy));
    p.fillRect(QRect(0, 0, 399, 12), QColor(255, 255, 255, 28));
    QLinearGradient shine(0, 0, 399, 0);
    shine.setColorAt(0, QColor(255, 255, 255, 0));
    shine.setColorAt(0.7, QColor(255, 255, 255, 0));
    shine.setColorAt(1, QColor(255, 255, 255, 40));
    p.fillRect(image.rect(), shine);
    p.setPen(QColor(10, 30, 70));
    p.drawLine(0, 24, 399, 24);
    savePng(image, "dlgtitle.png");
}

void roundIcon(const char* name, const QColor& colour, const std::function<void(QPainter&)>& mark) {
    QImage image = canvas(32, 32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF disc(2, 2, 28, 28);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawEllipse(disc.translated(0, 1));
    QRadialGradient fill(QPointF(12, 9), 24);
    fill.setColorAt(0, colour.lighter(140));
    fill.setColorAt(1, colour.darker(115));
    p.setBrush(fill);
    p.setPen(QPen(colour.darker(140), 1));
    p.drawEllipse(disc);
    gloss(p, disc.adjusted(3, 1, -3, 0), 12, 110);
    mark(p);
    savePng(image, name);
}

void dialogIcons() {
    roundIcon("dlginfo.png", kBlue, [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(16, 9.5), 2.4, 2.4);
        p.drawRoundedRect(QRectF(13.8, 13.5, 4.4, 11), 1.5, 1.5);
    });
    roundIcon("dlgerror.png", kRed, [](QPainter& p) {
        p.setPen(QPen(Qt::white, 3.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(11, 11), QPointF(21, 21));
        p.drawLine(QPointF(21, 11), QPointF(11, 21));
    });
    QImage image = canvas(32, 32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath triangle;
    triangle.moveTo(16, 2.5);
    triangle.lineTo(30, 28);
    triangle.lineTo(2, 28);
    triangle.closeSubpath();
    QPainterPathStroker rounder;
    rounder.setWidth(3);
    rounder.setJoinStyle(Qt::RoundJoin);
    const QPainterPath shape = triangle.united(rounder.createStroke(triangle));
    p.fillPath(shape.translated(0, 1), QColor(0, 0, 0, 40));
    p.fillPath(shape, vertical(QRectF(0, 2, 32, 27), kAmber.lighter(135), kAmber.darker(110)));
    p.setPen(QPen(kAmber.darker(150), 1));
    p.drawPath(shape);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 36, 0));
    p.drawRoundedRect(QRectF(14.3, 10, 3.4, 10.5), 1.4, 1.4);
    p.drawEllipse(QPointF(16, 24), 2, 2);
    p.end();
    savePng(image, "dlgwarn.png");
}

// About picture ----------------------------------------------------------------------------

void emblem(QPainter& p, const QRectF& r) {
    // Four tesserae of a mosaic, the product's mark.
    const qreal s = r.width() / 2 - 3;
    const QColor colours[4] = {kSky, QColor(255, 255, 255), QColor(140, 200, 255), kAmber};
    for (int i = 0; i < 4; ++i) {
        const QRectF tile(r.left() + (i % 2) * (s + 6), r.top() + (i / 2) * (s + 6), s, s);
        p.setPen(Qt::NoPen);
        p.setBrush(colours[i]);
        p.drawRoundedRect(tile, s * 0.22, s * 0.22);
    }
}

void aboutPicture() {
    QImage image = canvas(395, 266);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.fillRect(image.rect(), vertical(image.rect(), QColor(246, 249, 253), QColor(224, 233, 245)));
    QRectF band(0, 0, 395, 128);
    QLinearGradient bandFill(0, 0, 395, 128);
    bandFill.setColorAt(0, kNavy);
    bandFill.setColorAt(1, kBlue.lighter(118));
    p.fillRect(band, bandFill);
    for (int layer = 0; layer < 3; ++layer) {
        QPainterPath wave;
        wave.moveTo(0, 128);
        for (int x = 0; x <= 395; x += 5)
            wave.lineTo(x, 96 + 10 * layer + std::sin(x / 48.0 + layer * 1.3) * (7 + 2 * layer));
        wave.lineTo(395, 128);
        wave.closeSubpath();
        p.fillPath(wave, QColor(255, 255, 255, 22 + 12 * layer));
    }
    emblem(p, QRectF(24, 26, 52, 52));
    p.setPen(Qt::white);
    p.setFont(font(kSans, 34, true));
    p.drawText(QRectF(92, 18, 290, 44), Qt::AlignLeft | Qt::AlignVCenter, "Tessaro");
    p.setPen(QColor(214, 228, 246));
    p.setFont(font(kSerif, 16));
    p.drawText(QRectF(94, 60, 290, 26), Qt::AlignLeft | Qt::AlignVCenter, "职业资格考试学习系统");

    p.setPen(kInk);
    p.setFont(font(kSerif, 13));
    const char* lines[] = {"版本 0.1", "章节练习 · 模拟考试 · 知识点 · 学习计划",
                           "出品：Tessaro 开发组"};
    for (int i = 0; i < 3; ++i)
        p.drawText(QRectF(26, 140 + i * 22, 350, 22), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromUtf8(lines[i]));
    p.setPen(QColor(180, 194, 212));
    p.drawLine(QPointF(26, 214.5), QPointF(369, 214.5));
    p.setPen(QColor(92, 108, 130));
    p.setFont(font(kSerif, 11));
    p.drawText(QRectF(26, 220, 270, 18), Qt::AlignLeft | Qt::AlignVCenter,
               "© 2026 Tessaro 开发组  保留所有权利");
    p.drawText(QRectF(26, 238, 270, 18), Qt::AlignLeft | Qt::AlignVCenter,
               "本软件受著作权法保护，未经许可不得复制传播");
    savePng(image, "about.png");
}

// Button faces -----------------------------------------------------------------------------

QImage face(int w, int h, const QColor& base, bool down) {
    QImage image = canvas(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(image.rect()).adjusted(1, 1, -1, -2);
    const qreal radius = 5;
    QPainterPath shape;
    shape.addRoundedRect(r, radius, radius);
    p.fillPath(shape.translated(0, 1), QColor(0, 0, 0, down ? 20 : 36));
    if (down)
        p.fillPath(shape, vertical(r, base.darker(112), base.lighter(108)));
    else
        p.fillPath(shape, vertical(r, base.lighter(112), base.darker(106)));
    p.setPen(QPen(down ? base.darker(150) : base.darker(128), 1));
    p.drawPath(shape);
    if (!down)
        gloss(p, r, radius, 120);
    return image;
}

void numberFaces() {
    const int w = 40, h = 24;
    struct Face {
        const char* name;
        QColor colour;
        bool down;
    };
    const Face faces[] = {
        {"vrelup.bmp", QColor(236, 241, 248), false},   // not answered
        {"vreldw.bmp", kBlue, true},                    // not answered, selected
        {"vrelover.bmp", QColor(253, 226, 160), false}, // answered
        {"vrelyes.bmp", QColor(196, 234, 204), false},  // right
        {"vreldw_r.bmp", kGreen, true},                 // right, selected
        {"vrelno.bmp", QColor(246, 204, 200), false},   // wrong
        {"vreldw_w.bmp", kRed, true},                   // wrong, selected
    };
    for (const Face& f : faces)
        saveBmp(face(w, h, f.colour, f.down), f.name);
}

void typeFaces() {
    saveBmp(face(104, 28, QColor(232, 239, 248), false), "vreltxup.bmp");
    saveBmp(face(104, 28, kBlue, true), "vreltxdw.bmp");
}

// Switch and folder ------------------------------------------------------------------------

void switchFace(const char* name, bool on) {
    QImage image = canvas(60, 33);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF track(3, 5, 54, 23);
    const QColor colour = on ? kGreen : QColor(170, 178, 190);
    p.setPen(QPen(colour.darker(130), 1));
    p.setBrush(vertical(track, colour.darker(110), colour.lighter(115)));
    p.drawRoundedRect(track, 11.5, 11.5);
    p.setPen(Qt::white);
    p.setFont(font(kSans, 11, true));
    p.drawText(on ? QRectF(8, 5, 24, 23) : QRectF(28, 5, 26, 23), Qt::AlignCenter,
               on ? "开" : "关");
    const QRectF knob(on ? 34 : 5, 6, 21, 21);
    p.setPen(QPen(QColor(120, 130, 145), 1));
    p.setBrush(vertical(knob, Qt::white, QColor(222, 228, 236)));
    p.drawEllipse(knob);
    savePng(image, name);
}

void folderIcon() {
    QImage image = canvas(24, 24);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath back;
    back.addRoundedRect(QRectF(2, 4, 9, 5), 1.5, 1.5);
    back.addRoundedRect(QRectF(2, 6, 20, 14), 2, 2);
    p.fillPath(back, kAmber.darker(105));
    QPainterPath front;
    front.moveTo(4, 10);
    front.lineTo(23, 10);
    front.lineTo(21, 20);
    front.lineTo(2, 20);
    front.closeSubpath();
    p.fillPath(front, vertical(QRectF(2, 10, 21, 10), kAmber.lighter(140), kAmber));
    p.setPen(QPen(kAmber.darker(150), 0.8));
    p.drawPath(front);
    savePng(image, "folder.png");
}

void appIcon() {
    QImage image = canvas(256, 256);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(8, 8, 240, 240);
    QLinearGradient fill(r.topLeft(), r.bottomRight());
    fill.setColorAt(0, kBlue.lighter(120));
    fill.setColorAt(1, kNavy);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(r, 52, 52);
    emblem(p, QRectF(50, 50, 156, 156));
    savePng(image, "tessaro.png");
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: tessaro-artwork OUTPUT-FOLDER\n");
        return 2;
    }
    g_out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(g_out);
    dialogBackground();
    dialogTitle();
    dialogIcons();
    aboutPicture();
    numberFaces();
    typeFaces();
    switchFace("switchon.png", true);
    switchFace("switchoff.png", false);
    folderIcon();
    appIcon();
    return 0;
}
