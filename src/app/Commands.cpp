#include "AboutWindow.h"
#include "CommandTable.h"
#include "MainWindow.h"
#include "practice/ui/NavigatorWindow.h"
#include "store/SharedValues.h"
#include "ui/AssetPictures.h"

#include <QDesktopServices>
#include <QDialog>
#include <QUrl>

namespace tessaro::app {

namespace {

using store::shared;

// The windows of the menu. A window joins the program by filling in its opener here, e.g.
//   const WindowOpener navigator = [](QWidget* owner) { return new practice::Navigator(owner); };
const WindowOpener knowledgeBrowser;                            // TfrmLawsFaGui
const WindowOpener navigator = [](QWidget* owner) -> QDialog* { // TFrmkmmc
    auto* main = dynamic_cast<MainWindow*>(owner);
    return main ? new practice::ui::NavigatorWindow(main->dataModule(), owner) : nullptr;
};
const WindowOpener studyPlan;    // TFrmplan
const WindowOpener examSettings; // TFrmEset
const WindowOpener studyLog;     // TFrmRz
const WindowOpener charts;       // Tfrmchart
const WindowOpener bankUpgrade;  // Tfrmstxz
const WindowOpener settings;     // TFrmConfig
const WindowOpener examRecords;  // TFrmCheck
const WindowOpener about = [](QWidget* owner) { return new AboutWindow(owner); };

Command window(const QString& name, const QString& windowName, BusyCursor cursor,
               const WindowOpener& open, std::function<void()> before = {}) {
    Command command;
    command.name = name;
    command.windowName = windowName;
    command.cursor = cursor;
    command.open = open;
    command.before = std::move(before);
    return command;
}

Command action(const QString& name, std::function<void(MainWindow&)> run,
               const QString& windowName = {}) {
    Command command;
    command.name = name;
    command.windowName = windowName;
    command.action = std::move(run);
    return command;
}

void openPage(const QString& relative) {
    // Opened with the desktop's handler for the file; a missing page shows nothing.
    QDesktopServices::openUrl(QUrl::fromLocalFile(ui::assetPath(relative)));
}

/// The settings window in answer-time mode shows only the list of answer times.
void arrangeForAnswerTimes(QDialog& dialog) {
    for (const char* name : {"Label1", "Label5", "RxSwitch1", "FlatComboBox1"}) {
        if (auto* widget = dialog.findChild<QWidget*>(name))
            widget->hide();
    }
    if (auto* label = dialog.findChild<QWidget*>("Label4"))
        label->move(label->x(), 4);
    if (auto* list = dialog.findChild<QWidget*>("ScrollBox1"))
        list->setGeometry(list->x(), 22, list->width(), 110);
    if (auto* close = dialog.findChild<QWidget*>("epFocusButton3"))
        close->move(280, 137);
}

} // namespace

PaperGenerator standardPaperGenerator() {
    // The exam windows join here: return [](QWidget* owner, int kind) { exam::mnks(owner, kind); };
    return {};
}

CommandTable standardCommands() {
    using enum BusyCursor;
    CommandTable table;
    table.add(window("ksdg", "TfrmLawsFaGui", UntilClosed, knowledgeBrowser));
    table.add(window("zsd", "TfrmLawsFaGui", UntilClosed, knowledgeBrowser));
    table.add(window("lx", "TFrmkmmc", UntilClosed, navigator, [] { shared().SubjectNo = 1; }));
    for (int subject = 2; subject <= 5; ++subject)
        table.add(window(QString("lx%1").arg(subject), "TFrmkmmc", UntilClosed, navigator,
                         [subject] { shared().SubjectNo = subject; }));
    table.add(window("szjh", "TFrmplan", UntilClosed, studyPlan));
    table.add(window("szks", "TFrmEset", UntilClosed, examSettings));
    table.add(window("rz", "TFrmRz", UntilCreated, studyLog));
    table.add(window("tj", "Tfrmchart", UntilClosed, charts));
    table.add(window("sj", "Tfrmstxz", None, bankUpgrade));
    table.add(window("music", "TFrmConfig", None, settings, [] { shared().ConfigMode = 0; }));
    Command answerTimes =
        window("sztime", "TFrmConfig", None, settings, [] { shared().ConfigMode = 1; });
    answerTimes.arrange = arrangeForAnswerTimes;
    table.add(answerTimes);
    table.add(action("fg", [](MainWindow&) { openPage("htm/法规汇编.htm"); }));
    table.add(action("lxfs", [](MainWindow&) { openPage("htm/发行站及专业书店联系方式.htm"); }));
    table.add(action("help", [](MainWindow&) { openPage("htm/帮助.htm"); }));
    table.add(window("about", "TFrmAbout", None, about));
    table.add(action("quit", [](MainWindow& main) { main.exitCheck(); }));
    table.add(window("cj", "TFrmCheck", UntilClosed, examRecords));
    table.add(action(
        "mnks",
        [](MainWindow& main) {
            main.mnks(1);
            shared().PaperKind = 1;
        },
        "TFrmExam"));
    for (int kind = 2; kind <= 5; ++kind)
        table.add(action(
            QString("mnks%1").arg(kind),
            [kind](MainWindow& main) {
                main.mnks(kind);
                shared().PaperKind = kind;
            },
            "TFrmExam"));
    return table;
}

} // namespace tessaro::app
