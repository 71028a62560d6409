#include "Look.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPalette>
#include <QStyleFactory>

namespace tessaro::ui::look {

namespace {

QString firstInstalled(const QStringList& candidates) {
    const QStringList families = QFontDatabase::families();
    for (const QString& name : candidates) {
        if (families.contains(name, Qt::CaseInsensitive))
            return name;
    }
    return candidates.last();
}

QPalette programPalette() {
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(236, 241, 247));
    palette.setColor(QPalette::WindowText, kInk);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, QColor(241, 245, 251));
    palette.setColor(QPalette::Text, kInk);
    palette.setColor(QPalette::Button, QColor(226, 234, 244));
    palette.setColor(QPalette::ButtonText, Qt::black);
    palette.setColor(QPalette::Highlight, kAccent);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::ToolTipBase, QColor(255, 252, 230));
    palette.setColor(QPalette::ToolTipText, kInk);
    palette.setColor(QPalette::Link, kAccent);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, kDisabledText);
    return palette;
}

} // namespace

QString serifFamily() {
    static const QString family = firstInstalled(
        {"Noto Serif CJK SC", "Noto Serif SC", "AR PL UMing CN", "AR PL SungtiL GB", "serif"});
    return family;
}

QString sansFamily() {
    static const QString family = firstInstalled(
        {"Noto Sans CJK SC", "Noto Sans SC", "WenQuanYi Zen Hei", "Droid Sans Fallback", "sans"});
    return family;
}

QFont songti(int pixelSize, bool bold) {
    QFont font(serifFamily());
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QFont sans(int pixelSize, bool bold) {
    QFont font(sansFamily());
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void apply(QApplication& app) {
    for (const char* alias : {"宋体", "SimSun", "新宋体", "NSimSun"})
        QFont::insertSubstitution(QString::fromUtf8(alias), serifFamily());
    for (const char* alias : {"黑体", "SimHei", "微软雅黑", "Microsoft YaHei"})
        QFont::insertSubstitution(QString::fromUtf8(alias), sansFamily());
    if (QStyle* style = QStyleFactory::create("Fusion"))
        app.setStyle(style);
    app.setPalette(programPalette());
    app.setFont(songti(14));
}

} // namespace tessaro::ui::look
