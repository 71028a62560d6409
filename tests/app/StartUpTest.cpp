#include "app/StartUp.h"

#include "TestBank.h"
#include "app/InstanceGuard.h"
#include "app/ui/SystemMessage.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace tessaro;

namespace {

bool anyVisibleWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible())
            return true;
    }
    return false;
}

/// Leaves a socket file behind without anyone listening on it, as a crashed copy does.
bool leaveStaleSocket(const QString& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    if (fd < 0 || name.size() >= int(sizeof(address.sun_path)))
        return false;
    std::memcpy(address.sun_path, name.constData(), name.size());
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    ::close(fd);
    return bound && QFile::exists(path);
}

} // namespace

class StartUpTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void refusedStarts_data();
    void refusedStarts();
    void secondProcessEndsAndTheFirstComesToTheFront();
    void modalWindowOfTheRunningCopyComesToTheFront();
    void staleSocketDoesNotBlockTheNextStart();
    void nothingListeningMeansNoOtherInstance();

private:
    QTemporaryDir m_runtime;
    QList<ui::SystemMessageCall> m_messages;
};

void StartUpTest::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    // A private runtime folder: the instance socket of this test never meets a real copy's.
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
    QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void StartUpTest::init() {
    m_messages.clear();
    ui::setSystemMessageHook([this](const ui::SystemMessageCall& call) {
        m_messages << call;
        return QMessageBox::Ok;
    });
}

void StartUpTest::cleanup() {
    ui::setSystemMessageHook({});
    qunsetenv("TESSARO_APPDIR");
}

void StartUpTest::refusedStarts_data() {
    QTest::addColumn<QString>("bank");   // "missing", "not a bank" or "good"
    QTest::addColumn<QString>("appDir"); // "" the real one, "empty" or "broken menu"
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("icon");
    QTest::newRow("missing bank") << "missing"
                                  << ""
                                  << "错误"
                                  << "无法连接数据库！" << int(QMessageBox::Critical);
    QTest::newRow("not a bank") << "not a bank"
                                << ""
                                << "错误"
                                << "无法连接数据库！" << int(QMessageBox::Critical);
    QTest::newRow("menu asset missing") << "good"
                                        << "empty"
                                        << "提示"
                                        << "请安装Flash6插件文件！" << int(QMessageBox::Warning);
    QTest::newRow("menu asset broken") << "good"
                                       << "broken menu"
                                       << "提示"
                                       << "请安装Flash6插件文件！" << int(QMessageBox::Warning);
}

void StartUpTest::refusedStarts() {
    QFETCH(QString, bank);
    QFETCH(QString, appDir);
    QFETCH(QString, caption);
    QFETCH(QString, text);
    QFETCH(int, icon);
    testing::TestBank good;
    QTemporaryDir scratch;
    app::StartOptions options;
    if (bank == "missing") {
        options.bank = scratch.filePath("moved-away/bank.sqlite");
    } else if (bank == "not a bank") {
        QFile file(scratch.filePath("bank.sqlite"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("this is not a database");
        options.bank = file.fileName();
    } else {
        options.bank = good.path();
    }
    if (!appDir.isEmpty()) {
        QDir(scratch.path()).mkpath("assets/pic");
        qputenv("TESSARO_APPDIR", QFile::encodeName(scratch.filePath("assets")));
        if (appDir == "broken menu") {
            QFile menu(scratch.filePath("assets/pic/main.menu"));
            QVERIFY(menu.open(QIODevice::WriteOnly));
            menu.write("{ \"sections\": [ { \"items\": [ { \"caption\": ");
        }
    }
    const int code = app::runTessaro(*qApp, options);
    QVERIFY(code != 0);
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].caption, caption);
    QCOMPARE(m_messages[0].text, text);
    QCOMPARE(int(m_messages[0].icon), icon);
    QVERIFY2(!anyVisibleWindow(), "a refused start leaves no window");
    if (bank == "missing")
        QVERIFY2(!QFile::exists(*options.bank), "no bank is created in its place");
}

void StartUpTest::secondProcessEndsAndTheFirstComesToTheFront() {
    app::InstanceGuard running;
    QVERIFY(running.listen());
    QWidget mainWindow;
    mainWindow.setWindowTitle("Tessaro");
    mainWindow.showMinimized();
    QVERIFY(mainWindow.isMinimized());
    running.setMainWindow(&mainWindow);
    QSignalSpy asked(&running, &app::InstanceGuard::activationRequested);

    QProcess second;
    second.start(TESSARO_BINARY, {"--bank", "/nonexistent/bank.sqlite"});
    QVERIFY(second.waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 20000);
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0); // it neither opened the bank nor complained about it
    QCOMPARE(asked.count(), 1);
    QVERIFY(!mainWindow.isMinimized());
    QVERIFY(mainWindow.isVisible());
}

void StartUpTest::modalWindowOfTheRunningCopyComesToTheFront() {
    app::InstanceGuard running;
    QWidget mainWindow;
    mainWindow.show();
    running.setMainWindow(&mainWindow);
    QDialog modal(&mainWindow);
    modal.setObjectName("TFrmLxxt");
    modal.setModal(true);
    modal.show();
    QTRY_COMPARE(QApplication::activeModalWidget(), &modal);
    mainWindow.showMinimized();
    QWidget other;
    other.show();
    other.activateWindow();
    running.raiseTopWindow();
    QVERIFY(!mainWindow.isMinimized());
    QVERIFY(modal.isVisible());
    QTRY_COMPARE(QApplication::activeWindow(), &modal);
}

void StartUpTest::staleSocketDoesNotBlockTheNextStart() {
    const QString name = app::InstanceGuard::serverName();
    QVERIFY(name.startsWith(m_runtime.path()));
    QFile::remove(name);
    QVERIFY(leaveStaleSocket(name));
    app::InstanceGuard next;
    QVERIFY(!next.FindOtherInstance(500));
    QVERIFY(next.listen());
    QProcess later;
    later.start(TESSARO_BINARY, {"--bank", "/nonexistent/bank.sqlite"});
    QVERIFY(later.waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(later.state(), QProcess::NotRunning, 20000);
    QCOMPARE(later.exitCode(), 0); // the new copy is found, so the later one steps back
}

void StartUpTest::nothingListeningMeansNoOtherInstance() {
    QFile::remove(app::InstanceGuard::serverName());
    app::InstanceGuard alone;
    QVERIFY(!alone.FindOtherInstance(500));
}

QTEST_MAIN(StartUpTest)
#include "StartUpTest.moc"
