#include "WindowCommands.h"

#include "app/ui/MessageDialog.h"

#include <QApplication>
#include <QWidget>

namespace tessaro::practice::ui {

void showDesktop() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->isWindow())
            window->showMinimized();
}

void reportFailure(const char* what) {
    tessaro::ui::ShowMsgDlg("错误", QString::fromUtf8(what), 1, 2, "NO");
}

} // namespace tessaro::practice::ui
