#include "NoteWindow.h"

#include "app/ui/Look.h"
#include "app/ui/ShapeButton.h"
#include "practice/AnswerCodec.h"
#include "store/SharedValues.h"

#include <QPlainTextEdit>

namespace tessaro::practice::ui {

NoteWindow::NoteWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("TFrmBj");
    setWindowTitle("笔记");
    setFixedSize(392, 353);
    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName("DBMemo1");
    m_memo->setAccessibleName("笔记");
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setGeometry(4, 4, 384, 308);
    m_memo->setFont(tessaro::ui::look::songti(14));
    auto* close = new tessaro::ui::ShapeButton("关  闭", this);
    close->setObjectName("epEfTrBtn1");
    close->setAccessibleName("关  闭");
    close->setGeometry(296, 318, 88, 28);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void NoteWindow::bind(const std::string& text, Store store) {
    m_memo->setPlainText(QString::fromStdString(text));
    m_store = std::move(store);
    m_saved = false;
}

void NoteWindow::done(int result) {
    if (!m_saved) {
        m_saved = true;
        const std::string text = m_memo->toPlainText().toStdString();
        if (m_store)
            m_store(text);
        store::shared().NoteHasContent = !isBlank(text);
    }
    QDialog::done(result);
}

} // namespace tessaro::practice::ui
