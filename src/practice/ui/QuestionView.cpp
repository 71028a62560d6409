#include "QuestionView.h"

#include "RichPane.h"
#include "app/ui/Look.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QThread>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

namespace tessaro::practice::ui {

namespace {

constexpr const char* kLetters[kMaxOptions] = {"A", "B", "C", "D", "E", "F"};

const char* kOptionStyle = R"(
QToolButton {
  border: 1px solid #6f8fb8; border-radius: 6px; color: #1c2634;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fdfeff, stop:1 #c9d9ee);
  font-weight: bold;
}
QToolButton:hover { border-color: #2160aa; }
QToolButton:checked {
  color: white; border-color: #163f73;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #3d7cc9, stop:1 #1d4f8f);
}
)";

QTextBrowser* makePane(const char* name, QWidget* parent) {
    auto* pane = new QTextBrowser(parent);
    pane->setObjectName(name);
    pane->setReadOnly(true);
    pane->setOpenLinks(false);
    pane->setFrameShape(QFrame::NoFrame);
    pane->setAccessibleName("试题");
    return pane;
}

} // namespace

QuestionView::QuestionView(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);

    m_panel1 = new QFrame(this);
    m_panel1->setObjectName("Panel1");
    m_panel1->setFrameShape(QFrame::StyledPanel);
    m_panel1->setStyleSheet("#Panel1 { background: white; border: 1px solid #7d97b8; }");
    auto* panelLayout = new QVBoxLayout(m_panel1);
    panelLayout->setContentsMargins(1, 1, 1, 1);
    m_splitter = new QSplitter(Qt::Vertical, m_panel1);
    m_splitter->setObjectName("FlatSplitter1");
    m_splitter->setChildrenCollapsible(true);
    m_re1 = makePane("Re1", m_splitter);
    m_re2 = makePane("Re2", m_splitter);
    m_splitter->addWidget(m_re1);
    m_splitter->addWidget(m_re2);
    m_re2->hide();
    m_splitter->setHandleWidth(0);
    panelLayout->addWidget(m_splitter);
    layout->addWidget(m_panel1, 1);

    m_panel2 = new QFrame(m_panel1);
    m_panel2->setObjectName("Panel2");
    m_panel2->setStyleSheet(
        "#Panel2 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #eef4fb, "
        "stop:1 #d3e1f1); border: 1px solid #2160aa; }");
    auto* answerLayout = new QGridLayout(m_panel2);
    answerLayout->setContentsMargins(24, 18, 24, 18);
    m_verdict = new QLabel(m_panel2);
    m_verdict->setObjectName("Lb_answtip");
    m_verdict->setFont(tessaro::ui::look::songti(20, true));
    m_verdict->setStyleSheet("color: #800000;");
    auto* yours = new QLabel("你的答案：", m_panel2);
    auto* correct = new QLabel("正确答案：", m_panel2);
    m_memo1 = new QPlainTextEdit(m_panel2);
    m_memo1->setObjectName("Memo1");
    m_memo1->setAccessibleName("你的答案");
    m_memo2 = new QPlainTextEdit(m_panel2);
    m_memo2->setObjectName("Memo2");
    m_memo2->setAccessibleName("正确答案");
    for (QPlainTextEdit* memo : {m_memo1, m_memo2}) {
        memo->setReadOnly(true);
        memo->setMaximumHeight(48);
        memo->setFont(tessaro::ui::look::songti(18, true));
    }
    m_memo2->setStyleSheet("color: #0a8a2a;");
    answerLayout->addWidget(m_verdict, 0, 0, 1, 2);
    answerLayout->addWidget(yours, 1, 0);
    answerLayout->addWidget(m_memo1, 1, 1);
    answerLayout->addWidget(correct, 2, 0);
    answerLayout->addWidget(m_memo2, 2, 1);
    answerLayout->setRowStretch(3, 1);
    m_panel2->setMinimumSize(0, 0);
    m_panel2->hide();

    m_notebook = new QStackedWidget(this);
    m_notebook->setObjectName("Notebook1");
    m_notebook->setStyleSheet(kOptionStyle);
    m_notebook->setMouseTracking(true);
    m_notebook->installEventFilter(this);
    m_notebook->addWidget(wrapPage(kSingle, buildChoicePage(kSingle, "fcBG_one", "fcBG_one", 6)));
    m_notebook->addWidget(
        wrapPage(kMultiple, buildChoicePage(kMultiple, "fcBG_many", "fcBG_many", 6)));
    m_notebook->addWidget(wrapPage(kFillIn, buildFillInPage()));
    m_notebook->addWidget(
        wrapPage(kTrueFalse, buildChoicePage(kTrueFalse, "fcBG_yn", "fcBG_yn", 2)));
    m_notebook->addWidget(wrapPage(kSelfAssessed, buildSelfPage()));
    m_notebook->addWidget(wrapPage(kMatching, buildChoicePage(kMatching, "fcBG_pw", "fcBG_pw", 6)));
    m_notebook->setFixedHeight(72);
    layout->addWidget(m_notebook);
    setPage(kSelfAssessed);
}

QWidget* QuestionView::wrapPage(int page, QWidget* controls) {
    auto* wrapper = new QFrame;
    wrapper->setObjectName(QString("Page%1").arg(page));
    wrapper->setAccessibleName(pageCaption(page));
    wrapper->setStyleSheet(QString("#Page%1 { background: #e4ecf6; border: 1px solid #9fb4cf; "
                                   "border-radius: 4px; }")
                               .arg(page));
    wrapper->setMouseTracking(true);
    wrapper->installEventFilter(this);
    auto* row = new QHBoxLayout(wrapper);
    row->setContentsMargins(6, 4, 10, 4);
    auto* side = new QLabel(QString::fromStdString(pageSideLabel(page)), wrapper);
    side->setObjectName(page == kSelfAssessed ? "Label8" : QString("LbPage%1").arg(page));
    side->setAlignment(Qt::AlignCenter);
    side->setFixedWidth(34);
    side->setFont(tessaro::ui::look::songti(15, true));
    side->setStyleSheet("color: white; background: #2160aa; border-radius: 4px;");
    m_sideLabels[page] = side;
    row->addWidget(side);
    row->addWidget(controls, 1);
    return wrapper;
}

QWidget* QuestionView::buildChoicePage(int page, const QString& group, const QString& prefix,
                                       int count) {
    auto* box = new QWidget;
    box->setObjectName(group);
    box->setMouseTracking(true);
    box->installEventFilter(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(8, 0, 0, 0);
    row->setSpacing(14);
    for (int i = 0; i < count; ++i) {
        auto* button = new QToolButton(box);
        const QString caption = page == kTrueFalse ? (i == 0 ? "对" : "错") : kLetters[i];
        button->setText(caption);
        button->setAccessibleName(caption);
        button->setObjectName(QString("%1%2").arg(prefix).arg(i + 1));
        button->setCheckable(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(page == kTrueFalse ? QSize(72, 40) : QSize(52, 40));
        button->setFont(tessaro::ui::look::songti(18, true));
        connect(button, &QToolButton::clicked, this, [this, page, i] { optionPressed(page, i); });
        m_options[page][i] = button;
        row->addWidget(button);
    }
    row->addStretch(1);
    return box;
}

QWidget* QuestionView::buildFillInPage() {
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    m_edit = new QLineEdit(box);
    m_edit->setObjectName("FlatEdit1");
    m_edit->setAccessibleName("填空");
    m_edit->setFont(tessaro::ui::look::songti(16));
    connect(m_edit, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_state.text = text.toStdString();
        emit answerEdited();
    });
    row->addWidget(m_edit);
    return box;
}

QWidget* QuestionView::buildSelfPage() {
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    m_combo = new QComboBox(box);
    m_combo->setObjectName("FlatComboBox1");
    m_combo->setAccessibleName("主观");
    m_combo->addItems({"不会", "会"});
    m_combo->setCurrentIndex(-1);
    m_combo->setPlaceholderText("请选择");
    m_combo->setFixedWidth(160);
    m_combo->setFont(tessaro::ui::look::songti(16));
    connect(m_combo, &QComboBox::activated, this, [this](int index) {
        m_state.choice = index;
        emit answerEdited();
    });
    row->addWidget(m_combo);
    row->addStretch(1);
    return box;
}

void QuestionView::optionPressed(int page, int index) {
    practice::pressOption(page, m_state, index);
    render();
    emit answerEdited();
}

void QuestionView::setPage(int page) {
    if (page < 0 || page >= kPageCount)
        return;
    m_page = page;
    m_notebook->setCurrentIndex(page);
    m_notebook->setToolTip(hintFor(page));
}

void QuestionView::setPageState(const PageState& state) {
    m_state = state;
    render();
}

void QuestionView::setSideLabel(int page, const QString& text) {
    if (page >= 0 && page < kPageCount)
        m_sideLabels[page]->setText(text);
}

void QuestionView::render() {
    for (int i = 0; i < kMaxOptions; ++i) {
        if (QToolButton* button = m_options[m_page][i]) {
            const QSignalBlocker block(button);
            button->setVisible(m_state.visible[i]);
            button->setChecked(m_state.down[i]);
        }
    }
    if (m_page == kFillIn && m_edit->text().toStdString() != m_state.text)
        m_edit->setText(QString::fromStdString(m_state.text));
    if (m_page == kSelfAssessed) {
        const QSignalBlocker block(m_combo);
        m_combo->setCurrentIndex(m_state.choice);
    }
}

void QuestionView::showContent(const QuestionContent& content) {
    if (content.grouped) {
        showRichText(*m_re1, content.heading);
        showRichText(*m_re2, content.text);
        if (!m_re2->isVisible()) {
            m_re2->show();
            m_splitter->setHandleWidth(6);
            const int total = m_splitter->height();
            m_splitter->setSizes({std::max(0, total - 156), 150});
        }
    } else {
        m_re2->hide();
        m_re2->clear();
        m_splitter->setHandleWidth(0);
        showRichText(*m_re1, content.text);
    }
}

void QuestionView::showComparison(const Comparison& comparison) {
    m_verdict->setText(QString::fromStdString(comparison.tip));
    m_memo1->clear();
    m_memo2->clear();
    m_memo1->setPlainText(QString::fromStdString(comparison.yours));
    m_memo2->setPlainText(QString::fromStdString(comparison.correct));
}

void QuestionView::placePanel(int width) {
    m_panel2->setGeometry(0, 0, width, m_panel1->height());
    m_panel2->setVisible(width > 0);
    m_panel2->raise();
}

void QuestionView::SlideAnswerPanel() {
    const bool opening = !m_panelOpen;
    m_panelOpen = opening;
    for (int width : panelSteps(answerPanelWidth(), m_panel1->width(), opening)) {
        placePanel(width);
        // Let the window repaint between the steps of the slide.
        m_panel2->repaint();
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(12);
    }
}

void QuestionView::closeAnswerPanel() {
    m_panelOpen = false;
    placePanel(0);
}

bool QuestionView::answerPanelOpen() const {
    return m_panelOpen;
}

int QuestionView::answerPanelWidth() const {
    return m_panel2->isVisible() ? m_panel2->width() : 0;
}

void QuestionView::setCompact(bool compact) {
    m_notebook->setFixedHeight(compact ? 56 : 72);
    const QFont font = tessaro::ui::look::songti(compact ? 14 : 16);
    m_re1->document()->setDefaultFont(font);
    m_re2->document()->setDefaultFont(font);
}

bool QuestionView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        const auto* move = static_cast<QMouseEvent*>(event);
        QToolTip::showText(move->globalPosition().toPoint(), hintFor(m_page), m_notebook);
    }
    return QWidget::eventFilter(watched, event);
}

void QuestionView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_panelOpen)
        placePanel(m_panel1->width());
}

} // namespace tessaro::practice::ui
