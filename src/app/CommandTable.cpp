#include "CommandTable.h"

namespace tessaro::app {

const Command* CommandTable::find(const QString& name) const {
    for (const Command& command : m_commands) {
        if (QString::compare(command.name, name, Qt::CaseSensitive) == 0)
            return &command;
    }
    return nullptr;
}

} // namespace tessaro::app
