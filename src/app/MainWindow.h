#pragma once

#include "CommandTable.h"

#include <QWidget>
#include <memory>

namespace tessaro::store {
class DataModule;
}

namespace tessaro::app {

class MenuSurface;
class MusicPlayer;

/// The home screen TFrmStart: it covers the screen with the menu surface, dispatches the
/// surface's commands, plays the background music and runs the exit check of "quit".
class MainWindow : public QWidget {
    Q_OBJECT
public:
    /// FormCreate: checks the font size (asking the application to end when it is not the small
    /// one) and fixes the screen layout class.
    MainWindow(store::DataModule& module, CommandTable commands = standardCommands(),
               PaperGenerator paperGenerator = standardPaperGenerator());
    ~MainWindow() override;

    bool terminationRequested() const { return m_terminate; }

    /// Dispatches a command of the menu; arguments are ignored.
    void ShockwaveFlash1FSCommand(const QString& command, const QString& arguments = {});

    void PlayMusic(const QString& file, bool on);
    void SetWaveVolume(int level);
    /// Generates a new paper of a kind and opens it in the exam window.
    void mnks(int kind);
    /// The "quit" check of today's work against the study plan; closes the window when it may.
    void exitCheck();
    /// The data module the windows of the menu work on.
    store::DataModule& dataModule() const { return m_module; }

    MenuSurface* menuSurface() const { return m_surface; }
    const CommandTable& commands() const { return m_commands; }
    /// Replaces the music player (tests use a file output instead of a sound card).
    void setMusicPlayer(std::unique_ptr<MusicPlayer> player);
    MusicPlayer& musicPlayer() { return *m_music; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void loadMenu();
    void refreshCountdown();
    void openWindow(const Command& command);

    store::DataModule& m_module;
    CommandTable m_commands;
    PaperGenerator m_paperGenerator;
    MenuSurface* m_surface = nullptr;
    std::unique_ptr<MusicPlayer> m_music;
    bool m_shown = false;
    bool m_terminate = false;
};

/// True when the primary screen's logical resolution is 96 dots per inch.
bool IsSmallFonts();

} // namespace tessaro::app
