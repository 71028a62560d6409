// Opens the chapter navigator and practice runs on a bank and saves a picture of the whole
// screen at each stage: the navigator, every answer page, the answer panel, the explanation and
// the note window.
//   tessaro-practice-screenshots BANK OUTPUT-FOLDER SUFFIX     (run under X, e.g. Xvfb)

#include "app/core/ShellRules.h"
#include "app/ui/Look.h"
#include "practice/ui/NavigatorWindow.h"
#include "practice/ui/PracticeWindow.h"
#include "practice/ui/QuestionView.h"
#include "store/DataModule.h"
#include "store/SharedValues.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>
#include <cstdio>

namespace {

using namespace tessaro;
QString g_out;
QString g_suffix;

void settle(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void shoot(const QString& name) {
    const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
    const QString path = QDir(g_out).filePath(name + "-" + g_suffix + ".png");
    if (!screen.save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

void press(QWidget& window, const char* name) {
    if (auto* button = window.findChild<QAbstractButton*>(name))
        button->click();
    settle(250);
}

void centre(QWidget& window) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    window.move(screen.center() - window.rect().center());
}

/// Shoots the next modal window after a moment, then closes it.
void shootModal(const QString& name, std::function<void(QWidget&)> before = {}) {
    QTimer::singleShot(600, [name, before] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            if (before)
                before(*modal);
            settle(300);
            shoot(name);
            modal->close();
        }
    });
}

void selectChapter(practice::ui::NavigatorWindow& navigator, const std::string& code) {
    const auto& rows = navigator.navigator().rows();
    for (int i = 0; i < static_cast<int>(rows.size()); ++i)
        if (rows[i].C1 == code)
            navigator.findChild<QTableWidget*>("DBGrid1")->setCurrentCell(i, 0);
    settle(300);
}

/// Presses the options of the key of the question on screen (or a wrong one).
void answerWithKey(practice::ui::PracticeWindow& window, bool wrong) {
    const practice::QuestionRow* row = window.session().currentRow();
    if (!row)
        return;
    const int page = window.view().page();
    const QString prefix = page == practice::kSingle ? "fcBG_one" : "fcBG_many";
    std::string key = row->A2;
    if (wrong)
        key = key == "A" ? "B" : "A";
    for (char letter : key)
        press(window, qPrintable(prefix + QString::number(letter - 'A' + 1)));
}

void choiceRun(practice::ui::PracticeWindow& window) {
    centre(window);
    settle(900);
    press(window, "fcBG_tx1"); // single choice only
    // A few answers, one of them wrong, so the boards show both faces.
    for (int i = 0; i < 4; ++i) {
        answerWithKey(window, i == 1);
        press(window, "epEfTrBtn2");
    }
    answerWithKey(window, false);
    press(window, "epEfTrBtn3");
    shoot("practice-single");
    press(window, "epEfTrBtn6");
    settle(400);
    shoot("practice-answer-panel");
    press(window, "epEfTrBtn6");
    if (window.findChild<QAbstractButton*>("epEfTrBtn4")->isEnabled()) {
        shootModal("practice-explanation");
        press(window, "epEfTrBtn4");
    }
    shootModal("practice-note", [](QWidget& note) {
        note.findChild<QPlainTextEdit*>("DBMemo1")->setPlainText(
            "合同订立的要约与承诺：注意承诺期限，逾期承诺视为新要约。");
    });
    press(window, "epEfTrBtn5");
    press(window, "fcBG_tx2");
    answerWithKey(window, false);
    press(window, "epEfTrBtn3");
    press(window, "epEfTrBtn2");
    answerWithKey(window, false);
    press(window, "epEfTrBtn3");
    shoot("practice-multiple");
    // The pages the exam window uses, shown on the same view.
    auto& view = window.view();
    view.setPage(practice::kFillIn);
    practice::PageState fill;
    fill.text = "要约,承诺";
    view.setPageState(fill);
    settle(300);
    shoot("practice-page-fillin");
    view.setPage(practice::kTrueFalse);
    view.setPageState(practice::RestoreAnswer(practice::kTrueFalse, 2, "A"));
    settle(300);
    shoot("practice-page-truefalse");
    view.setPage(practice::kMatching);
    view.setPageState(practice::RestoreAnswer(practice::kMatching, 5, "BD"));
    settle(300);
    shoot("practice-page-matching");
    // Back to the question's own page, so that closing records its real answer.
    view.setPage(window.session().page());
    view.setPageState(window.session().pageState());
    window.close();
}

void selfRun(practice::ui::PracticeWindow& window) {
    centre(window);
    settle(900);
    auto& view = window.view();
    for (int i = 0; i < 20 && view.page() != practice::kSelfAssessed; ++i)
        press(window, "epEfTrBtn2");
    practice::PageState state = view.pageState();
    state.choice = 1;
    view.setPageState(state);
    emit view.answerEdited();
    press(window, "epEfTrBtn3");
    shoot("practice-self");
    window.close();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: tessaro-practice-screenshots BANK OUTPUT-FOLDER SUFFIX\n");
        return 2;
    }
    g_out = QString::fromLocal8Bit(argv[2]);
    g_suffix = QString::fromLocal8Bit(argv[3]);
    QDir().mkpath(g_out);
    tessaro::ui::look::apply(app);
    auto module = store::DataModule::DataModuleCreate(std::filesystem::path(argv[1]));
    if (!module->Connected()) {
        std::fprintf(stderr, "cannot open %s: %s\n", argv[1], module->connectError().c_str());
        return 1;
    }
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    store::shared().ScreenMode = app::screenModeFor(screen.width(), screen.height());
    module->loadTypeTimes(1);

    practice::ui::NavigatorWindow navigator(*module);
    QTimer::singleShot(0, [&navigator] {
        centre(navigator);
        settle(1000);
        selectChapter(navigator, "310202");
        practice::ui::NavigatorWindow::setPracticeHook([](practice::ui::PracticeWindow& window) {
            auto* shown = &window;
            QTimer::singleShot(0, [shown] { choiceRun(*shown); });
        });
        press(navigator, "SpeedButton1");
        settle(800);
        shoot("practice-navigator");
        selectChapter(navigator, "220201");
        practice::ui::NavigatorWindow::setPracticeHook([](practice::ui::PracticeWindow& window) {
            auto* shown = &window;
            QTimer::singleShot(0, [shown] { selfRun(*shown); });
        });
        press(navigator, "SpeedButton1");
        settle(500);
        navigator.close();
    });
    navigator.exec();
    return 0;
}
