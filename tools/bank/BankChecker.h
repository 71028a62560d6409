#pragma once

#include "store/Database.h"

#include <string>
#include <vector>

namespace tessaro::bank {

/// One thing wrong in a bank, with the row it is in.
struct Problem {
    std::string table;
    std::string row; ///< the row's key ("" for the table as a whole)
    std::string message;

    std::string describe() const;
};

/// Validates a bank: id rules, syllabus and catalogue structure, references, counters against
/// the rows, question content, paper records, and rich text that does not read. Lists every
/// problem found; empty for a sound bank.
std::vector<Problem> checkBank(store::Database& db);

} // namespace tessaro::bank
