#include "SystemMessage.h"

namespace tessaro::ui {

namespace {
SystemMessageHook& hook() {
    static SystemMessageHook instance;
    return instance;
}
} // namespace

void setSystemMessageHook(SystemMessageHook newHook) {
    hook() = std::move(newHook);
}

QMessageBox::StandardButton systemMessage(QWidget* parent, QMessageBox::Icon icon,
                                          const QString& caption, const QString& text,
                                          QMessageBox::StandardButtons buttons) {
    if (hook())
        return hook()(SystemMessageCall{icon, caption, text, buttons});
    QMessageBox box(icon, caption, text, buttons, parent);
    box.setObjectName("SystemMessageBox");
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace tessaro::ui
