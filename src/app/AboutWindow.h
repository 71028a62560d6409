#pragma once

#include <QDialog>

namespace tessaro::app {

/// TFrmAbout: the product, maker and rights notice as one picture, and a close button.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* owner = nullptr);
};

} // namespace tessaro::app
