#pragma once

#include <QString>
#include <optional>

class QApplication;

namespace tessaro::app {

struct StartOptions {
    std::optional<QString> bank; ///< a bank other than the learner's own
};

/// Reads the command line: "--bank FILE" names the bank to open.
StartOptions parseStartOptions(const QApplication& app);

/// The whole run after the application object exists: the instance guard, the checks, the data
/// module, the main window, the progress window and the message dialog, then the message loop.
/// Returns the process's exit code.
int runTessaro(QApplication& app, const StartOptions& options);

} // namespace tessaro::app
