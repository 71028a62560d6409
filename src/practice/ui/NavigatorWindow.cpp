#include "NavigatorWindow.h"

#include "ExplanationWindow.h"
#include "PracticeWindow.h"
#include "WindowCommands.h"
#include "app/ui/Look.h"
#include "app/ui/MessageDialog.h"
#include "app/ui/ShapeButton.h"
#include "app/ui/SystemMessage.h"
#include "app/ui/WindowPlacement.h"
#include "store/DataModule.h"
#include "store/SharedValues.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLCDNumber>
#include <QLabel>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tessaro::practice::ui {

namespace {

using tessaro::ui::ShapeButton;

std::function<void(PracticeWindow&)>& practiceHook() {
    static std::function<void(PracticeWindow&)> hook;
    return hook;
}

bool compactLayout() {
    return store::shared().ScreenMode == "800";
}

QLCDNumber* numberPanel(const char* name, QWidget* parent) {
    auto* panel = new QLCDNumber(5, parent);
    panel->setObjectName(name);
    panel->setSegmentStyle(QLCDNumber::Flat);
    panel->setStyleSheet("QLCDNumber { color: #7CFC00; background: #18202c; border-radius: 4px; }");
    panel->setFixedHeight(40);
    return panel;
}

QLabel* caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFont(tessaro::ui::look::songti(15, true));
    label->setStyleSheet("color: #1c2634;");
    return label;
}

class CursorScope {
public:
    CursorScope() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CursorScope() { QApplication::restoreOverrideCursor(); }
};

} // namespace

NavigatorWindow::NavigatorWindow(store::DataModule& module, QWidget* parent)
    : QDialog(parent), m_module(module), m_navigator(module) {
    setObjectName("TFrmkmmc");
    setWindowTitle("章节练习");
    build();
}

NavigatorWindow::~NavigatorWindow() {
    store::shared().NavigatorShown = false;
}

void NavigatorWindow::setPracticeHook(std::function<void(PracticeWindow&)> hook) {
    practiceHook() = std::move(hook);
}

void NavigatorWindow::build() {
    setStyleSheet("#TFrmkmmc { background: qlineargradient(x1:0, y1:0, x2:1, y2:1, "
                  "stop:0 #dbe6f2, stop:0.6 #b4c9e0, stop:1 #98b4d1); }");
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(18, 12, 18, 14);
    root->setSpacing(10);
    m_title = new QLabel("章 节 练 习", this);
    m_title->setObjectName("Image11");
    m_title->setFont(tessaro::ui::look::sans(30, true));
    m_title->setStyleSheet("color: #2160aa;");
    root->addWidget(m_title);

    auto* body = new QHBoxLayout;
    body->setSpacing(16);
    m_grid = new QTableWidget(this);
    m_grid->setObjectName("DBGrid1");
    m_grid->setAccessibleName("章节目录");
    m_grid->setColumnCount(6);
    m_grid->setHorizontalHeaderLabels(
        {"章节名称", "习题数目", "已做题数", "已做道次", "做错道次", "综合成绩"});
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->hide();
    m_grid->setAlternatingRowColors(true);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setStyleSheet("QTableWidget { background: white; alternate-background-color: #eef3f9;"
                          "selection-background-color: #2160aa; gridline-color: #c9d6e6; }"
                          "QHeaderView::section { background: #2160aa; color: white; padding: 4px;"
                          "border: 0; border-right: 1px solid #5c98de; }");
    connect(m_grid, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int, int) { selectRow(row); });
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, [this](int, int) {
        guarded([&] { startPractice(PracticeMode::GridNew, "练习新题"); });
    });
    body->addWidget(m_grid, 1);

    auto* side = new QVBoxLayout;
    side->setSpacing(6);
    side->addWidget(caption("总习题数", this));
    m_all = numberPanel("epNum_all", this);
    side->addWidget(m_all);
    side->addWidget(caption("已做题道次", this));
    m_ok = numberPanel("epNum_ok", this);
    side->addWidget(m_ok);
    side->addWidget(caption("做错题道次", this));
    m_err = numberPanel("epNum_Err", this);
    side->addWidget(m_err);
    side->addSpacing(8);
    side->addWidget(caption("综合成绩", this));
    m_score = new QLabel("分数", this);
    m_score->setObjectName("Lb_fs");
    m_score->setFont(tessaro::ui::look::songti(26, true));
    m_score->setStyleSheet("color: #800000;");
    m_score->setAlignment(Qt::AlignCenter);
    side->addWidget(m_score);
    side->addSpacing(8);
    m_guidance = new ShapeButton("解析指导", this);
    m_guidance->setObjectName("epEfButton4");
    m_guidance->setAccessibleName("解析指导");
    m_guidance->setAutoDefault(false);
    connect(m_guidance, &QPushButton::clicked, this,
            [this] { guarded([&] { epEfButton4Click(); }); });
    side->addWidget(m_guidance);
    side->addStretch(1);
    body->addLayout(side);
    root->addLayout(body, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    struct Entry {
        const char* name;
        const char* caption;
        std::function<void()> run;
    };
    const Entry entries[] = {
        {"SpeedButton1", "练习新题",
         [this] { startPractice(PracticeMode::NewQuestions, "练习新题"); }},
        {"SpeedButton2", "错题重做",
         [this] { startPractice(PracticeMode::WrongQuestions, "错题重做"); }},
        {"SpeedButton3", "习题重温", [this] { startPractice(PracticeMode::Review, "习题重温"); }},
        {"SpeedButton5", "试题录入", [this] { SpeedButton5Click(); }},
        // The settings window joins the program later.
        {"SpeedButton4", "设置", [] {}},
        {"SpeedButton6", "关闭", [this] { close(); }},
    };
    for (const Entry& entry : entries) {
        auto* button = new ShapeButton(QString::fromUtf8(entry.caption), this);
        button->setObjectName(entry.name);
        button->setAccessibleName(QString::fromUtf8(entry.caption));
        button->setAutoDefault(false);
        button->setMinimumHeight(36);
        button->setFont(tessaro::ui::look::songti(16, true));
        connect(button, &QPushButton::clicked, this, [run = entry.run] { guarded(run); });
        buttons->addWidget(button);
    }
    root->addLayout(buttons);
}

void NavigatorWindow::applyLayout() {
    const bool compact = compactLayout();
    setFixedSize(compact ? QSize(761, 480) : QSize(935, 611));
    m_title->setVisible(!compact);
    QFont font = tessaro::ui::look::songti(compact ? 13 : 15);
    m_grid->setFont(font);
    m_grid->horizontalHeader()->setFont(tessaro::ui::look::songti(compact ? 11 : 13, true));
    m_grid->horizontalHeader()->setStyleSheet(compact ? "QHeaderView::section { padding: 2px 0px; }"
                                                      : "");
    const QScreen* screen = this->screen();
    const bool narrowScreen = screen && screen->geometry().width() <= 800;
    const int first = narrowScreen || compact ? 308 : 370;
    const int other = narrowScreen || compact ? 50 : 65;
    m_grid->setColumnWidth(0, first);
    for (int column = 1; column < 6; ++column)
        m_grid->setColumnWidth(column, other);
    m_grid->verticalHeader()->setDefaultSectionSize(compact ? 22 : 26);
    tessaro::ui::centreOnScreen(*this);
}

void NavigatorWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_practising)
        guarded([this] { FormShow(); });
}

void NavigatorWindow::hideEvent(QHideEvent* event) {
    store::shared().NavigatorShown = false;
    QDialog::hideEvent(event);
}

void NavigatorWindow::FormShow() {
    store::shared().NavigatorShown = true;
    CursorScope cursor;
    applyLayout();
    m_navigator.refresh();
    const NavigatorTotals& totals = m_navigator.totals();
    m_all->display(static_cast<int>(totals.questions));
    m_ok->display(static_cast<int>(totals.answers));
    m_err->display(static_cast<int>(totals.wrong));
    m_score->setText(QString::fromStdString(m_navigator.scoreText()));
    fillGrid();
}

void NavigatorWindow::fillGrid() {
    const auto& rows = m_navigator.rows();
    const QSignalBlocker block(m_grid);
    m_grid->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const ChapterRow& row = rows[r];
        // Indent by level so the tree shows: subjects flush left, then parts, then chapters.
        const int level = row.level();
        const QString indent(std::max(0, level == 1 ? 0 : level == 2 ? 2 : level - 1) * 2, ' ');
        auto* name = new QTableWidgetItem(indent + QString::fromStdString(row.C2));
        if (level <= 2) {
            QFont bold = m_grid->font();
            bold.setBold(true);
            name->setFont(bold);
            name->setForeground(level == 1 ? QColor(128, 0, 0) : QColor(33, 96, 170));
        }
        m_grid->setItem(r, 0, name);
        const long long counts[] = {row.C3, row.C4, row.D1, row.D2};
        for (int c = 0; c < 4; ++c) {
            auto* item = new QTableWidgetItem(QString::number(counts[c]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_grid->setItem(r, c + 1, item);
        }
        auto* score = new QTableWidgetItem(QString::fromStdString(row.C6));
        score->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_grid->setItem(r, 5, score);
    }
    if (m_navigator.current() >= 0) {
        m_grid->setCurrentCell(m_navigator.current(), 0);
        m_grid->scrollToItem(m_grid->item(m_navigator.current(), 0),
                             QAbstractItemView::PositionAtCenter);
    }
    m_guidance->setEnabled(m_navigator.currentHasGuidance());
}

void NavigatorWindow::selectRow(int row) {
    guarded([&] { m_guidance->setEnabled(m_navigator.setCurrent(row)); });
}

void NavigatorWindow::startPractice(PracticeMode mode, const QString& caption) {
    const ChapterNavigator::Start start = m_navigator.startPractice(mode);
    if (start == ChapterNavigator::Start::NoRow)
        return;
    if (start == ChapterNavigator::Start::NeedChapter) {
        tessaro::ui::systemMessage(this, QMessageBox::Information, "提示", "请选择具体章节目录！");
        return;
    }
    m_practising = true;
    struct ShowAgain {
        NavigatorWindow* window;
        ~ShowAgain() {
            window->m_practising = false;
            guarded([this] { window->FormShow(); });
        }
    } showAgain{this};
    std::unique_ptr<PracticeWindow> practice;
    {
        CursorScope cursor;
        practice = std::make_unique<PracticeWindow>(m_module, this);
        practice->setWindowTitle(caption);
        if (!practice->LoadQuestionList()) {
            practice.reset();
        }
    }
    if (!practice) {
        const EmptyListNotice notice = emptyListNotice(mode);
        tessaro::ui::ShowMsgDlg("提示", QString::fromStdString(notice.text), 1, notice.page, "NO");
        return;
    }
    if (practiceHook())
        practiceHook()(*practice);
    // The practice window covers the navigator. Hiding a dialog would end the modal loop the
    // menu opened it with, so it stays beneath and counts as not shown meanwhile.
    store::shared().NavigatorShown = false;
    practice->exec();
}

void NavigatorWindow::SpeedButton5Click() {
    // Question entry joins the program later; subjects and parts are refused already.
    if (m_navigator.current() < 0)
        return;
    if (!isPractisableChapter(m_navigator.rows()[m_navigator.current()].C1))
        tessaro::ui::systemMessage(this, QMessageBox::Information, "提示", "请选择具体章节目录！");
}

void NavigatorWindow::epEfButton4Click() {
    if (m_navigator.current() < 0)
        return;
    const auto guidance = m_navigator.currentGuidance();
    ExplanationWindow window(this);
    window.setWindowTitle("解析指导");
    window.bind(guidance);
    window.exec();
}

} // namespace tessaro::practice::ui
