#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

namespace tessaro::ui {

/// One plain system message box, as asked for.
struct SystemMessageCall {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString caption;
    QString text;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
};

/// Shows a plain system message box (used where the program's own dialog does not fit or does
/// not exist yet) and returns the button pressed.
QMessageBox::StandardButton systemMessage(QWidget* parent, QMessageBox::Icon icon,
                                          const QString& caption, const QString& text,
                                          QMessageBox::StandardButtons buttons = QMessageBox::Ok);

/// Tests answer system message boxes through this hook instead of a modal loop; an empty
/// function restores the real boxes.
using SystemMessageHook = std::function<QMessageBox::StandardButton(const SystemMessageCall&)>;
void setSystemMessageHook(SystemMessageHook hook);

} // namespace tessaro::ui
