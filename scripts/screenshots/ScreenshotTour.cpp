// Shows the home menu, the message dialog, the progress window and the about window one after
// the other on a real display and saves a picture of the whole screen for each.
//   tessaro-screenshots BANK OUTPUT-FOLDER     (run under X, e.g. Xvfb)

#include "app/AboutWindow.h"
#include "app/MainWindow.h"
#include "app/ui/Look.h"
#include "app/ui/MessageDialog.h"
#include "app/ui/ProgressWindow.h"
#include "store/DataModule.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QScreen>
#include <QTimer>
#include <cstdio>

namespace {

QString g_out;

void settle(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void shoot(const char* name) {
    const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
    const QString path = QDir(g_out).filePath(name);
    if (!screen.save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

void closeModalAfterShot(const char* name) {
    QTimer::singleShot(900, [name] {
        shoot(name);
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: tessaro-screenshots BANK OUTPUT-FOLDER\n");
        return 2;
    }
    g_out = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(g_out);
    tessaro::ui::look::apply(app);
    auto module = tessaro::store::DataModule::DataModuleCreate(std::filesystem::path(argv[1]));
    if (!module->Connected()) {
        std::fprintf(stderr, "cannot open %s: %s\n", argv[1], module->connectError().c_str());
        return 1;
    }
    // The pointer waits in a corner, away from the tiles it would light up.
    QCursor::setPos(QGuiApplication::primaryScreen()->geometry().topRight());
    tessaro::app::MainWindow main(*module);
    main.showFullScreen();
    settle(1500);
    shoot("home-menu.png");

    closeModalAfterShot("message-dialog.png");
    tessaro::ui::ShowMsgDlg("提示", "恭喜你已经做完试卷，确定要交卷吗？", 2, 0, "Exam");

    auto& progress = tessaro::ui::ProgressWindow::instance();
    progress.showPhase("正在出卷...");
    settle(900);
    shoot("progress-window.png");
    progress.finish();

    tessaro::app::AboutWindow about(&main);
    closeModalAfterShot("about-window.png");
    about.exec();
    return 0;
}
