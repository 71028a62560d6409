#include "StartUp.h"

#include "InstanceGuard.h"
#include "MainWindow.h"
#include "MenuLayout.h"
#include "store/BankLocation.h"
#include "store/DataModule.h"
#include "store/SharedValues.h"
#include "ui/Look.h"
#include "ui/MessageDialog.h"
#include "ui/ProgressWindow.h"
#include "ui/SystemMessage.h"

#include <QApplication>
#include <QCommandLineParser>

namespace tessaro::app {

namespace {

/// The menu surface replaces a player control; its asset is what must be present to draw it.
bool FlashInstalled() {
    store::shared().AppDir = store::location::findAppDir();
    return MenuLayout::load(MenuLayout::assetFile()).has_value();
}

} // namespace

StartOptions parseStartOptions(const QApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription("Tessaro");
    parser.addHelpOption();
    const QCommandLineOption bank("bank", "Open this question bank instead of your own.", "FILE");
    parser.addOption(bank);
    parser.process(app);
    StartOptions options;
    if (parser.isSet(bank))
        options.bank = parser.value(bank);
    return options;
}

int runTessaro(QApplication& app, const StartOptions& options) {
    app.setApplicationName("Tessaro");
    app.setApplicationDisplayName("Tessaro");
    app.setDesktopFileName("tessaro");

    InstanceGuard guard;
    if (guard.FindOtherInstance())
        return 0;
    guard.listen();

    ui::look::apply(app);
    if (!FlashInstalled()) {
        ui::systemMessage(nullptr, QMessageBox::Warning, "提示", "请安装Flash6插件文件！");
        return 1;
    }

    std::optional<std::filesystem::path> bank;
    if (options.bank)
        bank = std::filesystem::path(options.bank->toStdString());
    auto module = store::DataModule::DataModuleCreate(bank);
    if (!module->Connected()) {
        module.reset();
        ui::systemMessage(nullptr, QMessageBox::Critical, "错误", "无法连接数据库！");
        return 1;
    }

    MainWindow mainWindow(*module);
    guard.setMainWindow(&mainWindow);
    ui::ProgressWindow::instance();
    ui::MessageDialog::instance();
    if (mainWindow.terminationRequested())
        return 1;
    mainWindow.showFullScreen();
    return app.exec();
}

} // namespace tessaro::app
