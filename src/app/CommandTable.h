#pragma once

#include <QString>
#include <functional>
#include <vector>

class QDialog;
class QWidget;

namespace tessaro::app {

class MainWindow;

/// How the pointer looks while a command's window is created and shown.
enum class BusyCursor {
    None,         ///< no change
    UntilClosed,  ///< hourglass until the window has closed
    UntilCreated, ///< hourglass only while the window is being created
};

/// Creates a command's window owned by the main window; the dispatcher shows it modally and
/// destroys it when it closes.
using WindowOpener = std::function<QDialog*(QWidget* owner)>;

/// One row of the dispatch table.
struct Command {
    QString name;       ///< compared exactly, letter case included
    QString windowName; ///< objectName of the window it opens, if any
    BusyCursor cursor = BusyCursor::None;
    std::function<void()> before;            ///< shared values set before the window opens
    WindowOpener open;                       ///< empty until that window is part of the program
    std::function<void(QDialog&)> arrange;   ///< rearranges the window before it is shown
    std::function<void(MainWindow&)> action; ///< for commands that run instead of opening
};

/// The dispatch table: the first row whose name equals the command wins.
class CommandTable {
public:
    void add(Command command) { m_commands.push_back(std::move(command)); }
    const Command* find(const QString& name) const;
    const std::vector<Command>& commands() const { return m_commands; }

private:
    std::vector<Command> m_commands;
};

/// The program's commands, in table order. Windows join the program here.
CommandTable standardCommands();

} // namespace tessaro::app

namespace tessaro::app {

/// Generates a new mock paper of a kind and opens it; empty until the exam windows are part of
/// the program.
using PaperGenerator = std::function<void(QWidget* owner, int kind)>;
PaperGenerator standardPaperGenerator();

} // namespace tessaro::app
