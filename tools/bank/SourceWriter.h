#pragma once

#include "BankSource.h"

#include <filesystem>
#include <string>

namespace tessaro::bank {

/// The source text of a bank in the format readSource reads, as one file.
std::string formatSource(const BankSource& source);

/// Writes formatSource to a file, under a temporary name first.
void writeSource(const BankSource& source, const std::filesystem::path& out);

} // namespace tessaro::bank
