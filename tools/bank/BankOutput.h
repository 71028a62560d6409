#pragma once

namespace tessaro::bank {

enum class BankOutput {
    Bank,   ///< a complete question bank, every table filled
    Update, ///< an update file: the five merged tables and the tab_sj identity row
};

} // namespace tessaro::bank
