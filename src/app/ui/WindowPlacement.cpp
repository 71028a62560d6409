#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tessaro::ui {

void centreOnScreen(QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    QRect frame = window.frameGeometry();
    frame.moveCenter(area.center());
    frame.moveLeft(std::max(area.left(), std::min(frame.left(), area.right() - frame.width() + 1)));
    frame.moveTop(std::max(area.top(), std::min(frame.top(), area.bottom() - frame.height() + 1)));
    window.move(frame.topLeft());
}

} // namespace tessaro::ui
