#pragma once

#include <QString>
#include <functional>

namespace tessaro::ui {

/// Plays a background tune (on) or stops the music (off) through the main window, so that the
/// settings window can reach the music without knowing the main window.
void PlayMusic(const QString& file, bool on);

/// The main window installs its player here.
void setMusicHandler(std::function<void(const QString& file, bool on)> handler);

} // namespace tessaro::ui
