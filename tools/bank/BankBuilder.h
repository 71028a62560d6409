#pragma once

#include "BankOutput.h"
#include "BankSource.h"

#include <filesystem>

namespace tessaro::bank {

/// Turns a source into a database file. The file is written under a temporary name and put in
/// place only when complete, so a failure leaves no half-written output (and an older file of
/// that name untouched). Throws SourceError for problems in the source.
void buildBank(const BankSource& source, const std::filesystem::path& out,
               BankOutput output = BankOutput::Bank);

} // namespace tessaro::bank
