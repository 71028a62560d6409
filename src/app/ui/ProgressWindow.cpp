#include "ProgressWindow.h"

#include "Look.h"
#include "MessageDialog.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace tessaro::ui {

ProgressWindow& ProgressWindow::instance() {
    static ProgressWindow* window = new ProgressWindow;
    return *window;
}

ProgressWindow::ProgressWindow()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("TFrmProgress");
    setWindowTitle("进度条");
    setFixedSize(358, 63);
    setCursor(Qt::WaitCursor);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, look::kPanelBackground);
    setPalette(pal);

    auto* bevel = new QFrame(this);
    bevel->setObjectName("epBevel1");
    bevel->setGeometry(rect());
    bevel->setStyleSheet("QFrame#epBevel1 { border: 1px solid #6d8db5; border-radius: 3px;"
                         " background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
                         " stop:0 #dbe6f2, stop:1 #c1d1e3); }");
    m_label = new QLabel("请等待...", this);
    m_label->setObjectName("Label1");
    m_label->setFont(look::songti(16, true));
    m_label->setStyleSheet("color: #800000; background: transparent;");
    m_label->move(16, 24);
    m_label->resize(width() - 32, 22);
}

void ProgressWindow::paintNow() {
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ProgressWindow::showPhase(const QString& text) {
    m_label->setText(text);
    if (!isVisible()) {
        if (QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->geometry().center() - rect().center());
        keepAbove(*this);
        show();
        raise();
    }
    paintNow();
}

void ProgressWindow::finish() {
    hide();
}

QString ProgressWindow::phaseText() const {
    return m_label->text();
}

ProgressScope::ProgressScope(const QString& firstPhase) {
    ProgressWindow::instance().showPhase(firstPhase);
}

ProgressScope::~ProgressScope() {
    ProgressWindow::instance().finish();
}

void ProgressScope::phase(const QString& text) {
    ProgressWindow::instance().showPhase(text);
}

} // namespace tessaro::ui
