#pragma once

#include "BankSource.h"

#include <stdexcept>
#include <string>

namespace tessaro::bank {

/// A problem in a bank source, reported as "file:line: message".
class SourceError : public std::runtime_error {
public:
    SourceError(const SourcePos& pos, const std::string& message)
        : std::runtime_error(describe(pos, message)), m_pos(pos) {}

    const SourcePos& pos() const { return m_pos; }

private:
    static std::string describe(const SourcePos& pos, const std::string& message) {
        if (pos.file.empty())
            return message;
        return pos.file + ":" + (pos.line > 0 ? std::to_string(pos.line) + ":" : "") + " " +
               message;
    }

    SourcePos m_pos;
};

} // namespace tessaro::bank
