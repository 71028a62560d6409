#include "AboutWindow.h"

#include "ui/AssetPictures.h"
#include "ui/ShapeButton.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace tessaro::app {

AboutWindow::AboutWindow(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint) {
    setObjectName("TFrmAbout");
    setWindowTitle("关于");
    setFixedSize(395, 266);
    auto* picture = new QLabel(this);
    picture->setObjectName("Image1");
    picture->setGeometry(rect());
    picture->setScaledContents(true);
    picture->setPixmap(ui::requirePicture("pic/about.png"));
    picture->setAccessibleName("Tessaro 职业资格考试学习系统 版权所有");
    auto* close = new ui::ShapeButton("关 闭", this);
    close->setObjectName("epEfTrBtn1");
    close->setGeometry(300, 228, 80, 26);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

} // namespace tessaro::app
