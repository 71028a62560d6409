#include "app/MainWindow.h"

#include "TestBank.h"
#include "app/MenuLayout.h"
#include "app/MenuSurface.h"
#include "app/MenuTile.h"
#include "app/MusicPlayer.h"
#include "app/ui/AssetPictures.h"
#include "app/ui/Look.h"
#include "app/ui/MessageDialog.h"
#include "app/ui/SystemMessage.h"
#include "store/BankLocation.h"
#include "store/Clock.h"
#include "store/DataModule.h"
#include "store/SharedValues.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <memory>

using namespace tessaro;
using app::BusyCursor;
using app::Command;
using app::CommandTable;
using app::MainWindow;

namespace {

struct Message {
    QString title;
    QString text;
    int buttons = -1;
    int page = -1;
};

/// Catches the URLs the program hands to the desktop.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

/// A dialog standing in for a window of a later part of the program.
QDialog* probeWindow(QWidget* owner, const QString& name) {
    auto* dialog = new QDialog(owner);
    dialog->setObjectName(name);
    return dialog;
}

void whenModal(std::function<void(QWidget&)> action) {
    QTimer::singleShot(0, [action] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        action(*modal);
    });
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void dispatchOpensEachWindow_data();
    void dispatchOpensEachWindow();
    void commandsSetSharedValuesFirst_data();
    void commandsSetSharedValuesFirst();
    void dispatchIsExactAndCaseSensitive_data();
    void dispatchIsExactAndCaseSensitive();
    void firstMatchingRowWins();
    void busyCursorAndDestruction_data();
    void busyCursorAndDestruction();
    void failingWindowRestoresTheCursor();
    void answerTimeModeRearrangesTheSettingsWindow();
    void pagesOpenWithTheDesktop_data();
    void pagesOpenWithTheDesktop();
    void aboutWindowShowsItsPictureAndCloses();

    void exitCheck_data();
    void exitCheck();
    void exitCheckWithUnreadablePlanKeepsTheWindow();

    void playMusicReportsProblems_data();
    void playMusicReportsProblems();
    void playMusicPlaysAndStops();
    void volumeIsClampedAndApplied_data();
    void volumeIsClampedAndApplied();
    void showTimeWork();

    void menuRaisesExactlyTheDispatchCommands();
    void menuCaptionsComeFromTheBank();
    void menuIsUsableByKeyboard();
    void countdown_data();
    void countdown();
    void countdownFollowsThePlanWindow();
    void menuLayoutRejectsBrokenFiles_data();
    void menuLayoutRejectsBrokenFiles();

private:
    std::unique_ptr<MainWindow> makeWindow(CommandTable table = app::standardCommands(),
                                           app::PaperGenerator generator = {});

    std::unique_ptr<testing::TestBank> m_bank;
    std::unique_ptr<store::DataModule> m_module;
    store::ManualClock m_clock = store::ManualClock::atLocalDate(2026, 5, 20);
    std::unique_ptr<store::ScopedClock> m_clockScope;
    QList<Message> m_messages;
    QList<ui::SystemMessageCall> m_systemMessages;
    QMessageBox::StandardButton m_systemReply = QMessageBox::Ok;
};

void MainWindowTest::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    store::shared().AppDir = store::location::findAppDir();
    ui::look::apply(*qApp);
}

void MainWindowTest::init() {
    m_bank = std::make_unique<testing::TestBank>();
    m_clockScope = std::make_unique<store::ScopedClock>(m_clock);
    m_messages.clear();
    m_systemMessages.clear();
    m_systemReply = QMessageBox::Ok;
    ui::setMsgDlgHook([this](ui::MessageDialog& dialog) {
        Message message{dialog.windowTitle(), dialog.findChild<QLabel*>("fcLabel1")->text()};
        message.page = dialog.iconPage();
        message.buttons = int(dialog.visibleButtonsLeftToRight().size());
        m_messages << message;
        return 3;
    });
    ui::setSystemMessageHook([this](const ui::SystemMessageCall& call) {
        m_systemMessages << call;
        return m_systemReply;
    });
    store::shared().PaperKind = 0;
    store::shared().SubjectNo = 1;
    store::shared().ConfigMode = 0;
}

void MainWindowTest::cleanup() {
    m_module.reset();
    m_clockScope.reset();
    m_bank.reset();
    ui::setMsgDlgHook({});
    ui::setSystemMessageHook({});
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

std::unique_ptr<MainWindow> MainWindowTest::makeWindow(CommandTable table,
                                                       app::PaperGenerator generator) {
    m_module = std::make_unique<store::DataModule>(m_bank->path().toStdString());
    if (!m_module->Connected())
        qFatal("test bank did not open");
    auto window = std::make_unique<MainWindow>(*m_module, std::move(table), std::move(generator));
    window->show();
    return window;
}

void MainWindowTest::dispatchOpensEachWindow_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("window");
    const QList<std::pair<const char*, const char*>> rows = {
        {"ksdg", "TfrmLawsFaGui"}, {"zsd", "TfrmLawsFaGui"}, {"lx", "TFrmkmmc"},
        {"lx2", "TFrmkmmc"},       {"lx3", "TFrmkmmc"},      {"lx4", "TFrmkmmc"},
        {"lx5", "TFrmkmmc"},       {"szjh", "TFrmplan"},     {"szks", "TFrmEset"},
        {"rz", "TFrmRz"},          {"tj", "Tfrmchart"},      {"sj", "Tfrmstxz"},
        {"music", "TFrmConfig"},   {"sztime", "TFrmConfig"}, {"about", "TFrmAbout"},
        {"cj", "TFrmCheck"},       {"mnks", "TFrmExam"},     {"mnks2", "TFrmExam"},
        {"mnks3", "TFrmExam"},     {"mnks4", "TFrmExam"},    {"mnks5", "TFrmExam"}};
    for (const auto& [command, window] : rows)
        QTest::newRow(command) << QString(command) << QString(window);
}

void MainWindowTest::dispatchOpensEachWindow() {
    QFETCH(QString, command);
    QFETCH(QString, window);
    auto main = makeWindow(app::standardCommands(), app::standardPaperGenerator());
    const Command* entry = main->commands().find(command);
    QVERIFY(entry);
    QCOMPARE(entry->windowName, window);
    const bool paper = command.startsWith("mnks");
    if ((paper && !app::standardPaperGenerator()) || (!paper && !entry->open))
        QSKIP("that window is not part of the program yet");

    QString opened;
    QPointer<QWidget> shown;
    whenModal([&](QWidget& modal) {
        opened = modal.objectName();
        shown = &modal;
        modal.close();
    });
    main->ShockwaveFlash1FSCommand(command);
    QCOMPARE(opened, window);
    QVERIFY2(shown.isNull(), "the window is destroyed after it closes");
    QVERIFY(main->isVisible());
}

void MainWindowTest::commandsSetSharedValuesFirst_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("subject");
    QTest::addColumn<int>("configMode");
    QTest::addColumn<int>("paperKind");
    // ConfigMode stands on 7 before each command, SubjectNo on 4.
    QTest::newRow("lx") << "lx" << 1 << 7 << 1;
    QTest::newRow("lx3") << "lx3" << 3 << 7 << 1;
    QTest::newRow("lx5") << "lx5" << 5 << 7 << 1;
    QTest::newRow("music") << "music" << 4 << 0 << 1;
    QTest::newRow("sztime") << "sztime" << 4 << 1 << 1;
    QTest::newRow("mnks3") << "mnks3" << 4 << 7 << 3;
    QTest::newRow("mnks5") << "mnks5" << 4 << 7 << 5;
}

void MainWindowTest::commandsSetSharedValuesFirst() {
    QFETCH(QString, command);
    QFETCH(int, subject);
    QFETCH(int, configMode);
    QFETCH(int, paperKind);
    // Every window is a probe here, so the values are checked while it is open.
    CommandTable table;
    const CommandTable standard = app::standardCommands();
    for (Command entry : standard.commands()) {
        if (!entry.windowName.isEmpty() && !entry.action)
            entry.open = [name = entry.windowName](QWidget* o) { return probeWindow(o, name); };
        table.add(entry);
    }
    int kindSeen = 0;
    auto main = makeWindow(table, [&](QWidget*, int kind) { kindSeen = kind; });
    store::shared().SubjectNo = 4;
    store::shared().ConfigMode = 7;
    int subjectWhileOpen = 0, modeWhileOpen = -1;
    if (!command.startsWith("mnks"))
        whenModal([&](QWidget& modal) {
            subjectWhileOpen = store::shared().SubjectNo;
            modeWhileOpen = store::shared().ConfigMode;
            modal.close();
        });
    main->ShockwaveFlash1FSCommand(command);
    if (command.startsWith("mnks")) {
        QCOMPARE(kindSeen, paperKind);
        QCOMPARE(store::shared().PaperKind, paperKind);
        return;
    }
    QCOMPARE(subjectWhileOpen, subject);
    QCOMPARE(modeWhileOpen, configMode);
}

void MainWindowTest::dispatchIsExactAndCaseSensitive_data() {
    QTest::addColumn<QString>("command");
    for (const char* command :
         {"LX", "Lx", "lx ", " lx", "ABOUT", "Quit", "quit ", "mnks6", "lx6", "", "about2"})
        QTest::newRow(command) << QString(command);
}

void MainWindowTest::dispatchIsExactAndCaseSensitive() {
    QFETCH(QString, command);
    CommandTable table;
    QStringList ran;
    const CommandTable standard = app::standardCommands();
    for (Command entry : standard.commands()) {
        entry.open = {};
        entry.action = [&ran, name = entry.name](MainWindow&) { ran << name; };
        table.add(entry);
    }
    auto main = makeWindow(table);
    main->ShockwaveFlash1FSCommand(command);
    QCOMPARE(ran, QStringList());
    QVERIFY(m_systemMessages.isEmpty());
    QVERIFY(main->isVisible());
}

void MainWindowTest::firstMatchingRowWins() {
    CommandTable table;
    QStringList ran;
    for (const char* which : {"first", "second"}) {
        Command entry;
        entry.name = "about";
        entry.action = [&ran, which](MainWindow&) { ran << which; };
        table.add(entry);
    }
    auto main = makeWindow(table);
    main->ShockwaveFlash1FSCommand("about", "ignored arguments");
    QCOMPARE(ran, QStringList{"first"});
}

void MainWindowTest::busyCursorAndDestruction_data() {
    QTest::addColumn<int>("cursor");
    QTest::addColumn<bool>("busyWhileOpen");
    QTest::newRow("until closed") << int(BusyCursor::UntilClosed) << true;
    QTest::newRow("until created") << int(BusyCursor::UntilCreated) << false;
    QTest::newRow("none") << int(BusyCursor::None) << false;
}

void MainWindowTest::busyCursorAndDestruction() {
    QFETCH(int, cursor);
    QFETCH(bool, busyWhileOpen);
    bool busyWhileCreating = false;
    Command entry;
    entry.name = "probe";
    entry.cursor = BusyCursor(cursor);
    entry.open = [&](QWidget* owner) {
        busyWhileCreating = QApplication::overrideCursor() != nullptr;
        return probeWindow(owner, "Probe");
    };
    CommandTable table;
    table.add(entry);
    auto main = makeWindow(table);
    bool busy = false;
    QPointer<QWidget> shown;
    whenModal([&](QWidget& modal) {
        busy = QApplication::overrideCursor() &&
               QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        shown = &modal;
        QCOMPARE(modal.parentWidget(), main.get());
        modal.close();
    });
    main->ShockwaveFlash1FSCommand("probe");
    QCOMPARE(busy, busyWhileOpen);
    QCOMPARE(busyWhileCreating, BusyCursor(cursor) != BusyCursor::None);
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QVERIFY(shown.isNull());
}

void MainWindowTest::failingWindowRestoresTheCursor() {
    Command entry;
    entry.name = "probe";
    entry.cursor = BusyCursor::UntilClosed;
    entry.open = [](QWidget*) -> QDialog* { throw store::DbError("no such table: tab_rz"); };
    CommandTable table;
    table.add(entry);
    auto main = makeWindow(table);
    main->ShockwaveFlash1FSCommand("probe");
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].page, 2);
    QVERIFY(main->isVisible());
}

void MainWindowTest::answerTimeModeRearrangesTheSettingsWindow() {
    Command answerTimes = *app::standardCommands().find("sztime");
    answerTimes.open = [](QWidget* owner) {
        QDialog* dialog = probeWindow(owner, "TFrmConfig");
        dialog->resize(364, 312);
        for (const char* name : {"Label1", "Label5", "RxSwitch1", "FlatComboBox1", "Label4",
                                 "ScrollBox1", "epFocusButton3"}) {
            auto* child = new QWidget(dialog);
            child->setObjectName(name);
            child->setGeometry(9, 136, 71, 26);
        }
        return dialog;
    };
    CommandTable table;
    table.add(answerTimes);
    auto main = makeWindow(table);
    whenModal([](QWidget& modal) {
        for (const char* hidden : {"Label1", "Label5", "RxSwitch1", "FlatComboBox1"})
            QVERIFY(modal.findChild<QWidget*>(hidden)->isHidden());
        QCOMPARE(modal.findChild<QWidget*>("Label4")->y(), 4);
        QCOMPARE(modal.findChild<QWidget*>("ScrollBox1")->geometry(), QRect(9, 22, 71, 110));
        QCOMPARE(modal.findChild<QWidget*>("epFocusButton3")->pos(), QPoint(280, 137));
        modal.close();
    });
    main->ShockwaveFlash1FSCommand("sztime");
    QCOMPARE(store::shared().ConfigMode, 1);
}

void MainWindowTest::pagesOpenWithTheDesktop_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("page");
    QTest::newRow("fg") << "fg"
                        << "htm/法规汇编.htm";
    QTest::newRow("lxfs") << "lxfs"
                          << "htm/发行站及专业书店联系方式.htm";
    QTest::newRow("help") << "help"
                          << "htm/帮助.htm";
}

void MainWindowTest::pagesOpenWithTheDesktop() {
    QFETCH(QString, command);
    QFETCH(QString, page);
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    auto main = makeWindow();
    main->ShockwaveFlash1FSCommand(command);
    QDesktopServices::unsetUrlHandler("file");
    QCOMPARE(catcher.urls.size(), 1);
    const QString file = catcher.urls[0].toLocalFile();
    QCOMPARE(file, ui::assetPath(page));
    QVERIFY2(QFileInfo(file).isFile(), qPrintable(file));
}

void MainWindowTest::aboutWindowShowsItsPictureAndCloses() {
    auto main = makeWindow();
    bool checked = false;
    whenModal([&](QWidget& modal) {
        QCOMPARE(modal.objectName(), QString("TFrmAbout"));
        QCOMPARE(modal.windowTitle(), QString("关于"));
        QCOMPARE(modal.size(), QSize(395, 266));
        auto* picture = modal.findChild<QLabel*>("Image1");
        QVERIFY(picture && !picture->pixmap().isNull());
        auto* close = modal.findChild<QPushButton*>("epEfTrBtn1");
        QVERIFY(close);
        QCOMPARE(close->text(), QString("关 闭"));
        checked = true;
        QTest::mouseClick(close, Qt::LeftButton);
    });
    main->ShockwaveFlash1FSCommand("about");
    QVERIFY(checked);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void MainWindowTest::exitCheck_data() {
    QTest::addColumn<int>("planMark");
    QTest::addColumn<int>("amount");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("answers"); // -1: no log row today
    QTest::addColumn<QString>("studyTime");
    QTest::addColumn<int>("reply");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("icon");
    QTest::addColumn<bool>("closes");
    const int question = QMessageBox::Question, information = QMessageBox::Information;
    QTest::newRow("50 of 50 answers") << 0 << 50 << 60 << 50 << "" << int(QMessageBox::Ok)
                                      << "恭喜完成今日学习计划！" << information << true;
    QTest::newRow("49 of 50, cancel") << 0 << 50 << 60 << 49 << "" << int(QMessageBox::Cancel)
                                      << "还未完成今日学习计划，要退出吗？" << question << false;
    QTest::newRow("49 of 50, ok") << 0 << 50 << 60 << 49 << "" << int(QMessageBox::Ok)
                                  << "还未完成今日学习计划，要退出吗？" << question << true;
    QTest::newRow("51 of 50") << 0 << 50 << 60 << 51 << "" << int(QMessageBox::Ok)
                              << "超额完成学习计划，要注意休息呦！" << information << true;
    QTest::newRow("59:59 of 60 minutes")
        << 1 << 50 << 60 << 500 << "00:59:59" << int(QMessageBox::Cancel)
        << "还未完成今日学习计划，要退出吗？" << question << false;
    QTest::newRow("61 of 60 minutes") << 1 << 50 << 60 << 0 << "01:01:00" << int(QMessageBox::Ok)
                                      << "超额完成学习计划，要注意休息呦！" << information << true;
    QTest::newRow("no row, target 0") << 0 << 0 << 60 << -1 << "" << int(QMessageBox::Ok)
                                      << "恭喜完成今日学习计划！" << information << true;
    QTest::newRow("no row, target 50") << 0 << 50 << 60 << -1 << "" << int(QMessageBox::Cancel)
                                       << "还未完成今日学习计划，要退出吗？" << question << false;
    QTest::newRow("unknown plan kind")
        << 3 << 50 << 60 << 10 << "" << int(QMessageBox::Ok) << "" << 0 << false;
}

void MainWindowTest::exitCheck() {
    QFETCH(int, planMark);
    QFETCH(int, amount);
    QFETCH(int, minutes);
    QFETCH(int, answers);
    QFETCH(QString, studyTime);
    QFETCH(int, reply);
    QFETCH(QString, message);
    QFETCH(int, icon);
    QFETCH(bool, closes);
    m_bank->setPlan(planMark, amount, minutes);
    m_bank->setLog("2026-05-19", 999, "09:00:00");
    if (answers >= 0)
        m_bank->setLog("2026-05-20", answers, studyTime.toStdString());
    m_systemReply = QMessageBox::StandardButton(reply);
    auto main = makeWindow();
    main->ShockwaveFlash1FSCommand("quit");
    if (message.isEmpty()) {
        QVERIFY(m_systemMessages.isEmpty());
    } else {
        QCOMPARE(m_systemMessages.size(), 1);
        QCOMPARE(m_systemMessages[0].text, message);
        QCOMPARE(m_systemMessages[0].caption, QString("提示"));
        QCOMPARE(int(m_systemMessages[0].icon), icon);
        const auto buttons = icon == QMessageBox::Question
                                 ? (QMessageBox::Ok | QMessageBox::Cancel)
                                 : QMessageBox::StandardButtons(QMessageBox::Ok);
        QCOMPARE(m_systemMessages[0].buttons, buttons);
    }
    QCOMPARE(main->isVisible(), !closes);
}

void MainWindowTest::exitCheckWithUnreadablePlanKeepsTheWindow() {
    m_bank->exec("alter table tab_plan rename column PlanMark to Unknown");
    auto main = makeWindow();
    main->ShockwaveFlash1FSCommand("quit");
    QCOMPARE(m_systemMessages.size(), 1);
    QCOMPARE(m_systemMessages[0].icon, QMessageBox::Critical);
    QVERIFY(main->isVisible());
}

void MainWindowTest::playMusicReportsProblems_data() {
    QTest::addColumn<QString>("driver");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("on");
    QTest::addColumn<QString>("message");
    QTest::newRow("no sound output") << "no-such-driver"
                                     << "sound/乐曲01.mid" << true << "没发现声卡！";
    QTest::newRow("no sound output, stopping") << "no-such-driver"
                                               << "" << false << "没发现声卡！";
    QTest::newRow("missing tune") << "file"
                                  << "sound/乐曲99.mid" << true << "无法播放背景音乐！";
    QTest::newRow("not a tune") << "file"
                                << "pic/main.menu" << true << "无法播放背景音乐！";
}

void MainWindowTest::playMusicReportsProblems() {
    QFETCH(QString, driver);
    QFETCH(QString, file);
    QFETCH(bool, on);
    QFETCH(QString, message);
    auto main = makeWindow();
    main->setMusicPlayer(std::make_unique<app::MusicPlayer>(driver));
    main->PlayMusic(file.isEmpty() ? QString() : ui::assetPath(file), on);
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].title, QString("提示"));
    QCOMPARE(m_messages[0].text, message);
    QCOMPARE(m_messages[0].page, 1);
    QCOMPARE(m_messages[0].buttons, 1);
    QVERIFY(!main->musicPlayer().isPlaying());
}

void MainWindowTest::playMusicPlaysAndStops() {
    if (app::MusicPlayer::findSoundFont().isEmpty())
        QSKIP("no General MIDI SoundFont installed");
    auto main = makeWindow();
    main->setMusicPlayer(std::make_unique<app::MusicPlayer>("file"));
    for (int tune = 1; tune <= 6; ++tune) {
        main->PlayMusic(ui::assetPath(QString("sound/乐曲%1.mid").arg(tune, 2, 10, QChar('0'))),
                        true);
        QVERIFY(main->musicPlayer().isPlaying());
    }
    main->PlayMusic(QString(), false);
    QVERIFY(!main->musicPlayer().isPlaying());
    QVERIFY(m_messages.isEmpty());
}

void MainWindowTest::volumeIsClampedAndApplied_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("level");
    QTest::addColumn<double>("gain");
    QTest::newRow("default") << "" << 12 << 11 * 0x1111 / double(0xFFFF);
    QTest::newRow("silent") << "1" << 1 << 0.0;
    QTest::newRow("below range") << "0" << 1 << 0.0;
    QTest::newRow("above range") << "20" << 16 << 1.0;
    QTest::newRow("full") << "16" << 16 << 1.0;
}

void MainWindowTest::volumeIsClampedAndApplied() {
    QFETCH(QString, stored);
    QFETCH(int, level);
    QFETCH(double, gain);
    if (!stored.isEmpty())
        m_bank->exec("insert into tab_setting (name, value) values ('VolumeLevel', '" +
                     stored.toStdString() + "')");
    auto main = makeWindow();
    QCOMPARE(store::shared().VolumeLevel, level);
    QCOMPARE(main->musicPlayer().gain(), gain);
    main->SetWaveVolume(0);
    QCOMPARE(main->musicPlayer().gain(), 0.0);
    main->SetWaveVolume(20);
    QCOMPARE(main->musicPlayer().gain(), 1.0);
}

void MainWindowTest::showTimeWork() {
    m_bank->exec("insert into tab_tx1 (A1, B1, B2, B3, time) values (66, '多选', 5, 2, 0.25)");
    auto main = makeWindow();
    QCOMPARE(main->objectName(), QString("TFrmStart"));
    QCOMPARE(store::shared().PaperKind, 1);
    QCOMPARE(store::shared().TypeIds, (std::vector<int>{61, 66}));
    QCOMPARE(store::shared().TypeTimes, (std::vector<int>{900, 150}));
    QCOMPARE(store::shared().typeTimeFor(71), 600);
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    QCOMPARE(QString::fromStdString(store::shared().ScreenMode),
             screen.width() == 800 || screen.height() == 600 ? QString("800") : QString("1024"));
    QCOMPARE(main->size(), screen);
    QVERIFY(main->findChild<app::MenuSurface*>("ShockwaveFlash1"));
}

void MainWindowTest::menuRaisesExactlyTheDispatchCommands() {
    auto main = makeWindow();
    const auto layout = app::MenuLayout::load(app::MenuLayout::assetFile());
    QVERIFY(layout);
    QSet<QString> raised, dispatched;
    for (const QString& command : layout->commands())
        raised << command;
    for (const Command& command : main->commands().commands())
        dispatched << command.name;
    QCOMPARE(raised, dispatched);
    QCOMPARE(int(layout->commands().size()), int(raised.size())); // each command once
    for (app::MenuTile* tile : main->menuSurface()->tiles()) {
        QVERIFY(tile->isVisible());
        QVERIFY(tile->isEnabled());
        QVERIFY(!tile->accessibleName().isEmpty());
    }
}

void MainWindowTest::menuCaptionsComeFromTheBank() {
    m_bank->exec("insert into tab_setting (name, value) values ('PaperTitle2', '采购合同实务卷')");
    m_bank->exec("delete from tab_kmmc where C1 = '4'");
    auto main = makeWindow();
    app::MenuSurface* surface = main->menuSurface();
    QCOMPARE(surface->tileFor("lx")->text(), QString("项目管理基础"));
    QCOMPARE(surface->tileFor("lx5")->text(), QString("法规"));
    QCOMPARE(surface->tileFor("mnks2")->text(), QString("采购合同实务卷"));
    QVERIFY(!surface->tileFor("mnks")->text().isEmpty());
    QVERIFY2(!surface->tileFor("lx4")->isEnabled(), "a subject the bank lacks cannot be chosen");
}

void MainWindowTest::menuIsUsableByKeyboard() {
    CommandTable table;
    QStringList ran;
    const CommandTable standard = app::standardCommands();
    for (Command entry : standard.commands()) {
        entry.open = {};
        entry.action = [&ran, name = entry.name](MainWindow&) { ran << name; };
        table.add(entry);
    }
    auto main = makeWindow(table);
    main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main.get()));
    app::MenuSurface* surface = main->menuSurface();
    app::MenuTile* first = surface->tileFor("lx");
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), surface->tileFor("lx2"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QCOMPARE(QApplication::focusWidget(), surface->tileFor("mnks2"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE(ran, QStringList{"mnks2"});
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QTRY_COMPARE(ran.size(), 2);
    QTest::mouseClick(surface->tileFor("about"), Qt::LeftButton);
    QCOMPARE(ran.last(), QString("about"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(ran.last(), QString("quit"));
}

void MainWindowTest::countdown_data() {
    QTest::addColumn<QString>("examDate");
    QTest::addColumn<QString>("text");
    QTest::newRow("a week") << "2026-05-27"
                            << "距离考试还有 7 天";
    QTest::newRow("today") << "2026-05-20"
                           << "祝考试成功！";
    QTest::newRow("past") << "2026-05-01"
                          << "考试已结束！";
    QTest::newRow("far") << "2030-01-01"
                         << "距离考试还有 999 天";
    QTest::newRow("none") << ""
                          << "尚未设定考试日期";
}

void MainWindowTest::countdown() {
    QFETCH(QString, examDate);
    QFETCH(QString, text);
    m_bank->setPlan(0, 50, 60, examDate.toStdString());
    auto main = makeWindow();
    QCOMPARE(main->menuSurface()->countdownText(), text);
}

void MainWindowTest::countdownFollowsThePlanWindow() {
    m_bank->setPlan(0, 50, 60, "2026-06-19");
    Command plan;
    plan.name = "szjh";
    plan.open = [this](QWidget* owner) {
        m_module->db().exec("update tab_plan set ExamDate = '2026-05-27'");
        return probeWindow(owner, "TFrmplan");
    };
    CommandTable table;
    table.add(plan);
    auto main = makeWindow(table);
    QCOMPARE(main->menuSurface()->countdownText(), QString("距离考试还有 30 天"));
    whenModal([](QWidget& modal) { modal.close(); });
    main->ShockwaveFlash1FSCommand("szjh");
    QCOMPARE(main->menuSurface()->countdownText(), QString("距离考试还有 7 天"));
}

void MainWindowTest::menuLayoutRejectsBrokenFiles_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("valid");
    QTest::newRow("not json") << QByteArray("<menu/>") << false;
    QTest::newRow("cut short") << QByteArray(R"({"sections": [{"items": [)") << false;
    QTest::newRow("no sections") << QByteArray(R"({"title": "Tessaro"})") << false;
    QTest::newRow("item without command")
        << QByteArray(R"({"sections": [{"items": [{"caption": "学习计划"}]}]})") << false;
    QTest::newRow("item without caption")
        << QByteArray(R"({"sections": [{"items": [{"command": "szjh"}]}]})") << false;
    QTest::newRow("footer item without command")
        << QByteArray(R"({"sections": [{"items": [{"command": "lx", "subject": 1}]}],
                         "footer": [{"caption": "退出"}]})")
        << false;
    QTest::newRow("subject names its caption")
        << QByteArray(R"({"sections": [{"items": [{"command": "lx", "subject": 1}]}]})") << true;
}

void MainWindowTest::menuLayoutRejectsBrokenFiles() {
    QFETCH(QByteArray, content);
    QFETCH(bool, valid);
    QTemporaryDir dir;
    QFile file(dir.filePath("main.menu"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    QString error;
    const auto layout = app::MenuLayout::load(file.fileName(), &error);
    QCOMPARE(layout.has_value(), valid);
    QCOMPARE(error.isEmpty(), valid);
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
