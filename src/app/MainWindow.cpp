#include "MainWindow.h"

#include "MenuLayout.h"
#include "MenuSurface.h"
#include "MusicPlayer.h"
#include "core/ExitCheck.h"
#include "core/HomeFacts.h"
#include "core/ShellRules.h"
#include "store/Clock.h"
#include "store/DataModule.h"
#include "store/SharedValues.h"
#include "ui/AssetPictures.h"
#include "ui/Look.h"
#include "ui/MessageDialog.h"
#include "ui/MusicControl.h"
#include "ui/SystemMessage.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QScreen>
#include <QVBoxLayout>

namespace tessaro::app {

using store::shared;

namespace {

/// Sets the hourglass and takes it away again, also when the window fails.
class CursorScope {
public:
    explicit CursorScope(bool busy) : m_busy(busy) {
        if (m_busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~CursorScope() { release(); }
    void release() {
        if (m_busy)
            QApplication::restoreOverrideCursor();
        m_busy = false;
    }

private:
    bool m_busy;
};

QSize screenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(1024, 768);
}

QMap<int, QString> subjectCaptions(store::DataModule& module) {
    QMap<int, QString> names;
    for (const auto& [subject, name] : subjectNames(module))
        names.insert(subject, QString::fromStdString(name));
    return names;
}

/// The bank names its product and its paper kinds; the layout's texts stand in otherwise.
void applyBankTitles(store::DataModule& module, MenuLayout& layout) {
    if (const auto product = module.setting("ProductName"); product && !product->empty())
        layout.subtitle = QString::fromStdString(*product);
    layout.paperTitles.resize(5);
    for (int kind = 1; kind <= 5; ++kind) {
        const auto title = module.setting("PaperTitle" + std::to_string(kind));
        if (title && !title->empty())
            layout.paperTitles[kind - 1] = QString::fromStdString(*title);
    }
}

} // namespace

bool IsSmallFonts() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen && qRound(screen->logicalDotsPerInchX()) == 96;
}

MainWindow::MainWindow(store::DataModule& module, CommandTable commands,
                       PaperGenerator paperGenerator)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), m_module(module),
      m_commands(std::move(commands)), m_paperGenerator(std::move(paperGenerator)),
      m_music(std::make_unique<MusicPlayer>()) {
    FormCreate();
}

MainWindow::~MainWindow() {
    ui::setMusicHandler({});
}

void MainWindow::FormCreate() {
    setObjectName("TFrmStart");
    setWindowTitle("Tessaro");
    setFont(ui::look::songti(14));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    if (!IsSmallFonts()) {
        ui::systemMessage(nullptr, QMessageBox::Warning, "提示",
                          "推荐您在小字体下使用本软件，请在设置后重新运行！");
        m_terminate = true;
    }
    const QSize screen = screenSize();
    shared().ScreenMode = screenModeFor(screen.width(), screen.height());
    resize(shared().ScreenMode == "800" ? QSize(800, 600) : QSize(1024, 768));

    m_surface = new MenuSurface(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_surface);
    connect(m_surface, &MenuSurface::FSCommand, this,
            [this](const QString& command, const QString& arguments) {
                ShockwaveFlash1FSCommand(command, arguments);
            });
    ui::setMusicHandler([this](const QString& file, bool on) { PlayMusic(file, on); });
}

void MainWindow::showEvent(QShowEvent* event) {
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
    QWidget::showEvent(event);
}

void MainWindow::FormShow() {
    resize(screenSize());
    shared().VolumeLevel = m_module.volumeLevel();
    SetWaveVolume(shared().VolumeLevel);
    if (shared().PaperKind == 0)
        shared().PaperKind = 1;
    try {
        m_module.loadTypeTimes(shared().PaperKind);
    } catch (const store::DbError&) {
        shared().TypeTimes.clear(); // the practice windows fall back to 600 ms per tick
        shared().TypeIds.clear();
    }
    loadMenu();
}

void MainWindow::loadMenu() {
    auto layout = MenuLayout::load(MenuLayout::assetFile());
    if (!layout)
        ui::resourceFailure();
    QMap<int, QString> names;
    std::optional<int> days;
    try {
        names = subjectCaptions(m_module);
        days = daysToExamination(m_module);
        applyBankTitles(m_module, *layout);
    } catch (const store::DbError&) {
        // A bank without the tree or plan still gets its menu, with default captions.
    }
    m_surface->setMovie(*layout, names);
    m_surface->setCountdown(days);
}

void MainWindow::ShockwaveFlash1FSCommand(const QString& command, const QString&) {
    const Command* entry = m_commands.find(command);
    if (!entry)
        return;
    if (entry->action) {
        entry->action(*this);
        return;
    }
    openWindow(*entry);
    refreshCountdown(); // the plan window may have moved the examination day
}

void MainWindow::refreshCountdown() {
    try {
        m_surface->setCountdown(daysToExamination(m_module));
    } catch (const store::DbError&) {
        m_surface->setCountdown(std::nullopt);
    }
}

void MainWindow::openWindow(const Command& command) {
    if (command.before)
        command.before();
    if (!command.open)
        return;
    CursorScope cursor(command.cursor != BusyCursor::None);
    std::unique_ptr<QDialog> window;
    try {
        window.reset(command.open(this));
        if (!window)
            return;
        if (command.cursor == BusyCursor::UntilCreated)
            cursor.release();
        if (command.arrange)
            command.arrange(*window);
        window->setModal(true);
        window->exec();
    } catch (const std::exception& error) {
        cursor.release();
        ui::ShowMsgDlg("错误", QString::fromUtf8(error.what()), 1, 2, "NO");
    }
}

void MainWindow::mnks(int kind) {
    if (m_paperGenerator)
        m_paperGenerator(this, kind);
}

void MainWindow::SetWaveVolume(int level) {
    m_music->setGain(volumeGain(level));
}

void MainWindow::PlayMusic(const QString& file, bool on) {
    if (!m_music->hasSoundDevice()) {
        ui::ShowMsgDlg("提示", "没发现声卡！", 1, 1, "NO");
        return;
    }
    if (!on) {
        m_music->stop();
        return;
    }
    if (m_music->play(file) != MusicPlayer::Result::Ok)
        ui::ShowMsgDlg("提示", "无法播放背景音乐！", 1, 1, "NO");
}

void MainWindow::setMusicPlayer(std::unique_ptr<MusicPlayer> player) {
    m_music = std::move(player);
    m_music->setGain(volumeGain(shared().VolumeLevel));
}

void MainWindow::exitCheck() {
    ExitVerdict verdict;
    try {
        verdict = judgeExit(readStudyPlan(m_module), readTodaysWork(m_module));
    } catch (const store::DbError& error) {
        ui::systemMessage(this, QMessageBox::Critical, "错误", QString::fromUtf8(error.what()));
        return;
    }
    const QString text = QString::fromStdString(exitMessage(verdict));
    switch (verdict) {
    case ExitVerdict::StayOpen:
        return;
    case ExitVerdict::AskBelowTarget:
        if (ui::systemMessage(this, QMessageBox::Question, "提示", text,
                              QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
            return;
        break;
    case ExitVerdict::Congratulate:
    case ExitVerdict::Exceeded:
        ui::systemMessage(this, QMessageBox::Information, "提示", text);
        break;
    }
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    m_music->stop();
    event->accept();
}

} // namespace tessaro::app
