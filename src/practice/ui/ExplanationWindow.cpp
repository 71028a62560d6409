#include "ExplanationWindow.h"

#include "RichPane.h"
#include "app/ui/ShapeButton.h"

#include <QTextBrowser>

namespace tessaro::practice::ui {

ExplanationWindow::ExplanationWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("TFrmJx");
    setWindowTitle("解析");
    setFixedSize(596, 359);
    m_pane = new QTextBrowser(this);
    m_pane->setObjectName("Re");
    m_pane->setReadOnly(true);
    m_pane->setGeometry(4, 4, 588, 317);
    m_pane->setAccessibleName("解析");
    auto* close = new tessaro::ui::ShapeButton("关闭", this);
    close->setObjectName("epEfTrBtn1");
    close->setAccessibleName("关闭");
    close->setGeometry(500, 326, 88, 28);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void ExplanationWindow::bind(const std::optional<std::vector<std::uint8_t>>& field) {
    if (field)
        showRichText(*m_pane, *field);
    else
        m_pane->clear();
}

} // namespace tessaro::practice::ui
