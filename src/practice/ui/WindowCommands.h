#pragma once

#include <exception>

class QWidget;

namespace tessaro::practice::ui {

/// "桌面": minimises every window of the program so that the desktop shows.
void showDesktop();

/// Runs a command of a window; a database failure ends the command with the error dialog and
/// leaves the window open.
template <typename F> void guarded(F&& command);
void reportFailure(const char* what);

template <typename F> void guarded(F&& command) {
    try {
        command();
    } catch (const std::exception& error) {
        reportFailure(error.what());
    }
}

} // namespace tessaro::practice::ui
