#include "MessageDialog.h"

#include "AssetPictures.h"
#include "Look.h"
#include "ShapeButton.h"
#include "SystemMessage.h"
#include "WindowPlacement.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QStackedWidget>
#include <QWindow>
#include <algorithm>
#include <cstdlib>

namespace tessaro::ui {

namespace {

constexpr int kTextLeft = 56;
constexpr int kTextTop = 40;
constexpr int kButtonTop = 80;
constexpr int kTextLineSpace = 34;

MsgDlgHook& msgDlgHook() {
    static MsgDlgHook hook;
    return hook;
}

QPixmap dialogPicture(const char* name) {
    QPixmap picture = loadPicture(QString("pic/") + name);
    if (picture.isNull()) {
        // The dialog cannot report its own missing pictures; a plain box has to.
        systemMessage(nullptr, QMessageBox::Critical, "错误", "无法提取资源文件！");
        std::exit(EXIT_FAILURE);
    }
    return picture;
}

} // namespace

void keepAbove(QWidget& window) {
    // A shared window has no parent; the window it speaks for holds it above itself.
    QWidget* active = QApplication::activeWindow();
    window.winId();
    if (active && active != &window && active->windowHandle() && window.windowHandle())
        window.windowHandle()->setTransientParent(active->windowHandle());
}

void setMsgDlgHook(MsgDlgHook hook) {
    msgDlgHook() = std::move(hook);
}

MessageDialog& MessageDialog::instance() {
    static MessageDialog* dialog = new MessageDialog;
    return *dialog;
}

MessageDialog::MessageDialog() : QDialog(nullptr, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName("TFrmDlg");
    setWindowTitle("提示框");
    setModal(true);
    setFont(look::songti(14));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, look::kDialogBackground);
    setPalette(pal);
    setFixedSize(kDesignWidth, kDesignHeight);

    m_background = new QLabel(this);
    m_background->setObjectName("Image1");
    m_background->setScaledContents(true);
    m_titleStrip = new QLabel(this);
    m_titleStrip->setObjectName("Image2");
    m_titleStrip->setScaledContents(true);
    m_title = new QLabel(this);
    m_title->setObjectName("Label1");
    QFont titleFont = look::songti(14, true);
    titleFont.setItalic(true);
    m_title->setFont(titleFont);
    m_title->setStyleSheet("color: white; background: transparent;");
    m_title->move(6, 6);

    m_icons = new QStackedWidget(this);
    m_icons->setObjectName("epNoteBook1");
    m_icons->setGeometry(8, 32, 32, 32);
    m_text = new QLabel(this);
    m_text->setObjectName("fcLabel1");
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_text->setStyleSheet("color: #14233a; background: transparent;");

    const int lefts[3] = {64, 256, 160};
    for (int i = 0; i < 3; ++i) {
        auto* button = new ShapeButton(this);
        button->setObjectName(QString("fcShapeBtn%1").arg(i + 1));
        button->setGeometry(lefts[i], kButtonTop, 73, 25);
        connect(button, &QPushButton::clicked, this, [this, i] { done(i + 1); });
        m_buttons[i] = button;
    }
    m_buttons[0]->setText("确定");
    m_buttons[1]->setText("取消");
    m_buttons[2]->setText("确定");
    loadPictures();
    m_designWidth = width();
    layoutForText();
}

void MessageDialog::loadPictures() {
    m_background->setPixmap(dialogPicture("dlgback.png"));
    m_titleStrip->setPixmap(dialogPicture("dlgtitle.png"));
    const char* icons[3] = {"dlginfo.png", "dlgwarn.png", "dlgerror.png"};
    const char* pages[3] = {"提示", "警告", "错误"};
    for (int i = 0; i < 3; ++i) {
        auto* page = new QLabel;
        page->setObjectName(QString::fromUtf8(pages[i]));
        page->setPixmap(dialogPicture(icons[i]));
        page->setAccessibleName(QString::fromUtf8(pages[i]));
        m_icons->addWidget(page);
    }
}

void MessageDialog::prepare(const QString& title, const QString& text, int buttons, int page,
                            const QString& mode) {
    setFixedWidth(m_designWidth);
    setWindowTitle(title);
    m_text->setText(text);
    if (buttons >= 0 && buttons <= 3) {
        const bool visible[4][3] = {
            {true, true, false}, {false, false, true}, {true, true, true}, {true, false, false}};
        for (int i = 0; i < 3; ++i)
            m_buttons[i]->setVisible(visible[buttons][i]);
        if (buttons == 3)
            setFixedWidth(200);
    }
    if (page >= 0 && page < m_icons->count())
        m_icons->setCurrentIndex(page);
    m_title->setText(title);
    m_title->adjustSize();
    const bool exam = mode == "Exam";
    m_buttons[0]->setText("确定");
    m_buttons[1]->setText(exam ? "作废" : "取消");
    m_buttons[2]->setText(exam ? "取消" : "确定");
    const auto shown = visibleButtonsLeftToRight();
    for (ShapeButton* button : m_buttons)
        button->setDefault(!shown.empty() && button == shown.front());
    layoutForText();
}

void MessageDialog::layoutForText() {
    // Long messages wrap; the dialog grows downward instead of cutting them off.
    const int textWidth = width() - kTextLeft - 12;
    const int textHeight = std::max(m_text->heightForWidth(textWidth), 20);
    const int extra = std::max(0, textHeight - kTextLineSpace);
    setFixedHeight(kDesignHeight + extra);
    m_text->setGeometry(kTextLeft, kTextTop, textWidth, textHeight);
    m_background->setGeometry(0, 1, width(), height() - 2);
    m_titleStrip->setGeometry(0, 0, width(), 25);
    for (ShapeButton* button : m_buttons)
        button->move(button->x(), kButtonTop + extra);
}

int MessageDialog::iconPage() const {
    return m_icons->currentIndex();
}

std::vector<ShapeButton*> MessageDialog::visibleButtonsLeftToRight() const {
    std::vector<ShapeButton*> shown;
    for (ShapeButton* button : m_buttons) {
        if (!button->isHidden())
            shown.push_back(button);
    }
    std::sort(shown.begin(), shown.end(), [](auto* a, auto* b) { return a->x() < b->x(); });
    return shown;
}

void MessageDialog::reject() {
    // Escape answers like the button that declines: 取消 where there is one, else the only one.
    for (ShapeButton* button : visibleButtonsLeftToRight()) {
        if (button->text() == "取消")
            return button->click();
    }
    const auto shown = visibleButtonsLeftToRight();
    if (shown.size() == 1)
        shown.front()->click();
}

void MessageDialog::showEvent(QShowEvent* event) {
    centreOnScreen(*this);
    QDialog::showEvent(event);
}

void MessageDialog::mousePressEvent(QMouseEvent* event) {
    m_dragging = event->button() == Qt::LeftButton && event->position().y() < 25;
    m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
    QDialog::mousePressEvent(event);
}

void MessageDialog::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging && (event->buttons() & Qt::LeftButton))
        move(event->globalPosition().toPoint() - m_dragOffset);
    QDialog::mouseMoveEvent(event);
}

int ShowMsgDlg(const QString& title, const QString& text, int buttons, int page,
               const QString& mode) {
    MessageDialog& dialog = MessageDialog::instance();
    dialog.prepare(title, text, buttons, page, mode);
    if (msgDlgHook())
        return msgDlgHook()(dialog);
    keepAbove(dialog);
    const int result = dialog.exec();
    // Closing by the window system (never by a button) counts as the declining answer.
    return result >= 1 && result <= 3 ? result : (dialog.button(2)->isVisible() ? 2 : 3);
}

} // namespace tessaro::ui
