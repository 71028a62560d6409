#include "PracticeWindow.h"

#include "ExplanationWindow.h"
#include "NoteWindow.h"
#include "QuestionView.h"
#include "TimeGauge.h"
#include "WindowCommands.h"
#include "app/ui/AssetPictures.h"
#include "app/ui/FaceButton.h"
#include "app/ui/Look.h"
#include "app/ui/MessageDialog.h"
#include "app/ui/ShapeButton.h"
#include "app/ui/WindowPlacement.h"
#include "store/SharedValues.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace tessaro::practice::ui {

namespace {

using tessaro::ui::FaceButton;
using tessaro::ui::ShapeButton;

int faceIndex(Verdict verdict) {
    return static_cast<int>(verdict);
}

QLabel* caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFont(tessaro::ui::look::songti(14));
    return label;
}

QLabel* value(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFont(tessaro::ui::look::songti(14, true));
    label->setStyleSheet("color: #2160aa;");
    return label;
}

bool compactLayout() {
    return store::shared().ScreenMode == "800";
}

} // namespace

PracticeWindow::PracticeWindow(store::DataModule& module, QWidget* parent)
    : QDialog(parent), m_session(module) {
    setObjectName("TFrmLxxt");
    const auto faces =
        tessaro::ui::requirePictures({"pic/vrelup.bmp", "pic/vreldw.bmp", "pic/vrelyes.bmp",
                                      "pic/vreldw_r.bmp", "pic/vrelno.bmp", "pic/vreldw_w.bmp"});
    for (int i = 0; i < 3; ++i) {
        m_upFaces[i] = faces[2 * i];
        m_downFaces[i] = faces[2 * i + 1];
    }
    m_session.notify = [this](const Notice& notice) {
        tessaro::ui::ShowMsgDlg(QString::fromStdString(notice.title),
                                QString::fromStdString(notice.text), notice.buttons, notice.page,
                                QString::fromStdString(notice.mode));
    };
    build();
    applyLayout();
}

PracticeWindow::~PracticeWindow() {
    // A window taken down without closing still keeps the learner's last answer.
    guarded([this] { finish(); });
}

ShapeButton* PracticeWindow::command(const char* name, const char* text,
                                     void (PracticeWindow::*slot)()) {
    auto* button = new ShapeButton(QString::fromUtf8(text), this);
    button->setObjectName(name);
    button->setAccessibleName(QString::fromUtf8(text));
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QPushButton::clicked, this,
            [this, slot] { guarded([&] { (this->*slot)(); }); });
    return button;
}

void PracticeWindow::build() {
    setStyleSheet("#TFrmLxxt { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
                  "stop:0 #c1d1e3, stop:1 #98b4d1); }");
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(10, 8, 10, 8);
    root->setSpacing(6);

    // Hint board and stopwatch.
    auto* top = new QHBoxLayout;
    m_hint = new QLabel(this);
    m_hint->setObjectName("epLabel2");
    m_hint->setAccessibleName("提示板");
    m_hint->setFont(tessaro::ui::look::songti(18, true));
    m_hint->setStyleSheet("color: #800000; background: rgba(255,255,255,150); border-radius: 4px;"
                          "padding: 3px 10px;");
    top->addWidget(m_hint, 1);
    top->addWidget(caption("时钟", this));
    m_stopwatch = new QLabel("0:00:00", this);
    m_stopwatch->setObjectName("epLabel1");
    m_stopwatch->setAccessibleName("时钟");
    m_stopwatch->setFont(QFont("monospace", 14, QFont::Bold));
    m_stopwatch->setStyleSheet("color: #7CFC00; background: #18202c; padding: 2px 8px;"
                               "border-radius: 3px;");
    top->addWidget(m_stopwatch);
    root->addLayout(top);

    auto* middle = new QHBoxLayout;
    middle->setSpacing(8);
    m_gauge = new TimeGauge(this);
    m_gauge->setFixedWidth(16);
    middle->addWidget(m_gauge);

    auto* left = new QVBoxLayout;
    m_view = new QuestionView(this);
    connect(m_view, &QuestionView::answerEdited, this, [this] { syncAnswer(); });
    left->addWidget(m_view, 1);
    auto* status = new QHBoxLayout;
    status->addWidget(caption("第", this));
    m_position = value("Label12", this);
    status->addWidget(m_position);
    status->addWidget(caption("题", this));
    status->addWidget(caption("（第", this));
    m_occurrence = value("Label15", this);
    status->addWidget(m_occurrence);
    status->addWidget(caption("次出现）", this));
    status->addSpacing(16);
    m_status = new QLabel(this);
    m_status->setObjectName("Label21");
    m_status->setStyleSheet("color: red;");
    m_status->setFont(tessaro::ui::look::songti(14, true));
    status->addWidget(m_status);
    m_edited = new QLabel(this);
    m_edited->setObjectName("Label24");
    m_edited->setFont(tessaro::ui::look::songti(14, true));
    status->addWidget(m_edited);
    status->addStretch(1);
    left->addLayout(status);
    middle->addLayout(left, 1);

    // The boards on the right.
    auto* right = new QVBoxLayout;
    right->setSpacing(6);
    auto* typeTitle = caption("题型指示板", this);
    typeTitle->setAlignment(Qt::AlignCenter);
    right->addWidget(typeTitle);
    m_typeBoard = new QWidget(this);
    m_typeBoard->setObjectName("fcBG_tx");
    m_typeBoard->setAccessibleName("题型指示板");
    m_typeGrid = new QGridLayout(m_typeBoard);
    m_typeGrid->setContentsMargins(0, 0, 0, 0);
    m_typeGrid->setSpacing(4);
    right->addWidget(m_typeBoard);

    auto* groupRow = new QHBoxLayout;
    groupRow->addWidget(caption("共", this));
    m_groupsLabel = value("Lb_zs", this);
    groupRow->addWidget(m_groupsLabel);
    groupRow->addWidget(caption("组", this));
    m_totalLabel = value("Lb_ts", this);
    groupRow->addWidget(m_totalLabel);
    groupRow->addWidget(caption("道题", this));
    groupRow->addStretch(1);
    groupRow->addWidget(caption("第", this));
    m_groupLabel = value("Lb_zb", this);
    groupRow->addWidget(m_groupLabel);
    groupRow->addWidget(caption("组", this));
    right->addLayout(groupRow);

    auto* numberTitle = caption("题目指示板", this);
    numberTitle->setAlignment(Qt::AlignCenter);
    right->addWidget(numberTitle);
    auto* board = new QWidget(this);
    board->setObjectName("fcBG_th");
    board->setAccessibleName("题目指示板");
    auto* grid = new QGridLayout(board);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(4);
    for (int i = 0; i < PracticeSession::kGroupSize; ++i) {
        auto* button = new FaceButton(board);
        button->setText(QString::number(i + 1));
        button->setAccessibleName(QString::number(i + 1));
        button->setObjectName(QString("fcBG_th%1").arg(i + 1));
        button->setCheckable(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFaces(m_upFaces[0], m_downFaces[0]);
        connect(button, &QAbstractButton::clicked, this, [this, i] {
            guarded([&] {
                syncAnswer();
                m_session.pressNumber(i);
                refresh(true);
            });
        });
        m_numbers[i] = button;
        grid->addWidget(button, i / 5, i % 5);
    }
    right->addWidget(board, 0, Qt::AlignHCenter);
    auto* groups = new QHBoxLayout;
    m_previousGroup =
        command("FlatSpeedButton1", "<-上一组", &PracticeWindow::FlatSpeedButton1Click);
    m_nextGroup = command("FlatSpeedButton2", "下一组->", &PracticeWindow::FlatSpeedButton2Click);
    groups->addWidget(m_previousGroup);
    groups->addWidget(m_nextGroup);
    right->addLayout(groups);
    right->addStretch(1);
    middle->addLayout(right);
    root->addLayout(middle, 1);

    // Commands.
    auto* commands = new QGridLayout;
    commands->setSpacing(6);
    m_previous = command("epEfTrBtn1", "上一题", &PracticeWindow::epEfTrBtn1Click);
    m_next = command("epEfTrBtn2", "下一题", &PracticeWindow::epEfTrBtn2Click);
    m_check = command("epEfTrBtn3", "完成", &PracticeWindow::epEfTrBtn3Click);
    m_answer = command("epEfTrBtn6", "答案", &PracticeWindow::epEfTrBtn6Click);
    m_explanation = command("epEfTrBtn4", "解析", &PracticeWindow::epEfTrBtn4Click);
    m_note = command("epEfTrBtn5", "笔记", &PracticeWindow::epEfTrBtn5Click);
    m_points = command("epEfTrBtn9", "考点", &PracticeWindow::epEfTrBtn9Click);
    m_edit = command("epEfTrBtn11", "修改本题", &PracticeWindow::epEfTrBtn11Click);
    m_void = command("epEfTrBtn10", "题目作废", &PracticeWindow::epEfTrBtn10Click);
    auto* settings = command("epEfTrBtn8", "设置", &PracticeWindow::epEfTrBtn8Click);
    auto* desktop = command("epEfTrBtn7", "桌面", &PracticeWindow::epEfTrBtn7Click);
    auto* close = command("epEfTrBtn99", "关闭", &PracticeWindow::epEfTrBtn99Click);
    const std::array<ShapeButton*, 12> order = {m_previous,    m_next,   m_check,  m_answer,
                                                m_explanation, m_note,   m_points, m_edit,
                                                m_void,        settings, desktop,  close};
    for (int i = 0; i < static_cast<int>(order.size()); ++i)
        commands->addWidget(order[i], 0, i);
    root->addLayout(commands);

    m_gaugeTimer = new QTimer(this);
    m_gaugeTimer->setObjectName("Timer1");
    connect(m_gaugeTimer, &QTimer::timeout, this, [this] { guarded([&] { Timer1Timer(); }); });
    m_stopwatchTimer = new QTimer(this);
    m_stopwatchTimer->setObjectName("KZTimeCounter1");
    m_stopwatchTimer->setInterval(1000);
    connect(m_stopwatchTimer, &QTimer::timeout, this, [this] { KZTimeCounter1Tick(); });
}

void PracticeWindow::applyLayout() {
    const bool compact = compactLayout();
    setFixedSize(compact ? QSize(780, 490) : QSize(1000, 700));
    m_view->setCompact(compact);
    // Command buttons as wide as their captions need: two, three or four characters.
    for (auto* button : findChildren<ShapeButton*>()) {
        if (!button->objectName().startsWith("epEfTrBtn"))
            continue;
        // The note button also reads "有内容".
        const int least = button == m_note ? 3 : 2;
        const int characters = std::max<int>(least, button->text().size());
        const int width = (compact ? 46 : 60) + (characters - 2) * (compact ? 13 : 17);
        button->setFixedSize(width, compact ? 26 : 32);
        button->setFont(tessaro::ui::look::songti(compact ? 13 : 15));
    }
    m_hint->setFont(tessaro::ui::look::songti(compact ? 15 : 18, true));
    tessaro::ui::centreOnScreen(*this);
}

bool PracticeWindow::LoadQuestionList() {
    if (!m_session.LoadQuestionList())
        return false;
    const auto faces = tessaro::ui::requirePictures({"pic/vreltxup.bmp", "pic/vreltxdw.bmp"});
    m_typeUp = faces[0];
    m_typeDown = faces[1];
    buildTypeButtons();
    return true;
}

void PracticeWindow::buildTypeButtons() {
    for (auto* button : m_typeButtons)
        delete button;
    m_typeButtons.clear();
    const auto& types = m_session.typeButtons();
    for (int i = 0; i < static_cast<int>(types.size()); ++i) {
        auto* button = new FaceButton(m_typeBoard);
        const QString text = QString::fromStdString(types[i].caption);
        button->setText(text);
        button->setAccessibleName(text);
        button->setObjectName(QString("fcBG_tx%1").arg(i));
        button->setProperty("tag", types[i].tag);
        button->setCheckable(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFaces(m_typeUp, m_typeDown);
        connect(button, &QAbstractButton::clicked, this, [this, i] {
            guarded([&] {
                syncAnswer();
                m_session.selectType(i);
                refresh(true);
            });
        });
        m_typeGrid->addWidget(button, i / 2, i % 2);
        m_typeButtons.push_back(button);
    }
}

void PracticeWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_started || m_session.typeButtons().empty())
        return;
    m_started = true;
    m_hint->setText(QString::fromStdString(store::shared().CurrentChapter));
    m_view->closeAnswerPanel();
    guarded([&] {
        m_session.start();
        refresh(true);
    });
    m_stopwatchTimer->start();
}

void PracticeWindow::syncAnswer() {
    m_session.setPageState(m_view->pageState());
}

void PracticeWindow::run(void (PracticeSession::*step)()) {
    syncAnswer();
    (m_session.*step)();
    refresh(true);
}

void PracticeWindow::refresh(bool page) {
    const auto& types = m_session.typeButtons();
    for (int i = 0;
         i < static_cast<int>(m_typeButtons.size()) && i < static_cast<int>(types.size()); ++i) {
        m_typeButtons[i]->setEnabled(types[i].enabled);
        m_typeButtons[i]->setChecked(i == m_session.selectedType());
    }
    const auto& numbers = m_session.numberButtons();
    for (int i = 0; i < PracticeSession::kGroupSize; ++i) {
        FaceButton* button = m_numbers[i];
        button->setEnabled(numbers[i].enabled);
        button->setProperty("tag", numbers[i].tag);
        button->setFaces(m_upFaces[faceIndex(numbers[i].up)],
                         m_downFaces[faceIndex(numbers[i].down)]);
        button->setChecked(i == m_session.selectedNumber());
    }
    m_groupsLabel->setText(QString::number(m_session.groups()));
    m_totalLabel->setText(QString::number(m_session.total()));
    m_groupLabel->setText(QString::number(m_session.groupNo()));
    m_position->setText(QString::fromStdString(m_session.positionText()));
    m_occurrence->setText(QString::fromStdString(m_session.occurrenceText()));
    m_status->setText(QString::fromStdString(m_session.statusLine()));
    m_edited->setText(QString::fromStdString(m_session.editedLine()));
    m_previous->setEnabled(m_session.previousEnabled());
    m_next->setEnabled(m_session.nextEnabled());
    m_previousGroup->setEnabled(m_session.previousGroupEnabled());
    m_nextGroup->setEnabled(m_session.nextGroupEnabled());
    m_answer->setEnabled(m_session.answerEnabled());
    m_explanation->setEnabled(m_session.explanationEnabled());
    m_points->setEnabled(m_session.pointsEnabled());
    m_note->setText(QString::fromStdString(m_session.noteCaption()));
    m_void->setText(QString::fromStdString(m_session.voidCaption()));
    m_void->setAccessibleName(m_void->text());
    m_view->setSideLabel(kSelfAssessed, QString::fromStdString(m_session.typeLabel()));
    if (!m_session.panelOpen() && m_view->answerPanelOpen()) {
        m_view->closeAnswerPanel();
        m_answer->setText("答案");
    }
    if (page) {
        m_view->setPage(m_session.page());
        m_view->setPageState(m_session.pageState());
        if (m_session.content().id != m_shownContent || m_session.content().id.empty()) {
            m_shownContent = m_session.content().id;
            m_view->showContent(m_session.content());
        }
        m_gauge->setValue(m_session.gauge());
        if (m_session.gaugeRunning()) {
            m_gaugeTimer->setInterval(m_session.gaugeInterval());
            if (!m_gaugeTimer->isActive())
                m_gaugeTimer->start();
        }
    }
}

void PracticeWindow::keyPressEvent(QKeyEvent* event) {
    char key = 0;
    switch (event->key()) {
    case Qt::Key_Backspace:
        key = kBackspaceKey;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        key = kEnterKey;
        break;
    default:
        if (event->key() >= Qt::Key_A && event->key() <= Qt::Key_F)
            key = static_cast<char>('A' + (event->key() - Qt::Key_A));
    }
    if (key == 0) {
        QDialog::keyPressEvent(event);
        return;
    }
    guarded([&] {
        syncAnswer();
        const KeyAction action = m_session.handleKey(key);
        refresh(action != KeyAction::None);
    });
    event->accept();
}

void PracticeWindow::epEfTrBtn1Click() {
    run(&PracticeSession::previousQuestion);
}
void PracticeWindow::epEfTrBtn2Click() {
    run(&PracticeSession::nextQuestion);
}

void PracticeWindow::epEfTrBtn3Click() {
    syncAnswer();
    m_session.check();
    refresh(false);
}

void PracticeWindow::epEfTrBtn4Click() {
    ExplanationWindow window(this);
    window.bind(m_session.content().jx);
    window.exec();
}

void PracticeWindow::epEfTrBtn5Click() {
    const QuestionRow* row = m_session.currentRow();
    if (!row)
        return;
    NoteWindow window(this);
    window.bind(row->A14, [this](const std::string& text) { m_session.saveNote(text); });
    window.exec();
    m_note->setText(store::shared().NoteHasContent ? "有内容" : "笔记");
}

void PracticeWindow::epEfTrBtn6Click() {
    if (m_answer->text() == "答案") {
        syncAnswer();
        m_view->showComparison(m_session.openComparison());
        m_answer->setText("返回");
    } else {
        m_session.closePanel();
        m_answer->setText("答案");
    }
    m_view->SlideAnswerPanel();
}

void PracticeWindow::epEfTrBtn7Click() {
    showDesktop();
}

// Settings, knowledge points and question editing open windows that join the program later.
void PracticeWindow::epEfTrBtn8Click() {}
void PracticeWindow::epEfTrBtn9Click() {}
void PracticeWindow::epEfTrBtn11Click() {
    if (const QuestionRow* row = m_session.currentRow())
        store::shared().EditedQuestionId = row->A1;
}

void PracticeWindow::epEfTrBtn10Click() {
    m_session.toggleVoid();
    refresh(false);
}

void PracticeWindow::epEfTrBtn99Click() {
    close();
}
void PracticeWindow::FlatSpeedButton1Click() {
    run(&PracticeSession::previousGroup);
}
void PracticeWindow::FlatSpeedButton2Click() {
    run(&PracticeSession::nextGroup);
}

void PracticeWindow::Timer1Timer() {
    m_session.pollGauge();
    m_gauge->setValue(m_session.gauge());
    if (!m_session.gaugeRunning())
        m_gaugeTimer->stop();
}

void PracticeWindow::KZTimeCounter1Tick() {
    m_stopwatch->setText(QString::fromStdString(m_session.stopwatchText()));
}

void PracticeWindow::finish() {
    if (m_finished)
        return;
    m_finished = true;
    m_gaugeTimer->stop();
    m_stopwatchTimer->stop();
    if (!m_started)
        return;
    syncAnswer();
    m_session.close();
}

void PracticeWindow::done(int result) {
    guarded([this] { finish(); });
    QDialog::done(result);
}

} // namespace tessaro::practice::ui
