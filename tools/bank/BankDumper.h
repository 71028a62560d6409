#pragma once

#include "BankSource.h"
#include "store/Database.h"

namespace tessaro::bank {

/// Reads the shipped content of a bank back into a source: every id explicit, rich text as
/// markup where markup says exactly what is stored and as RTF otherwise, so that building the
/// result gives the same rows. Learner state (answers, counters, papers, the log) is left out.
BankSource dumpBank(store::Database& db);

} // namespace tessaro::bank
