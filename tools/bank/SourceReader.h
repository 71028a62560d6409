#pragma once

#include "BankSource.h"

#include <filesystem>

namespace tessaro::bank {

/// Reads a bank source file and the files it includes (bank/FORMAT.md). Throws SourceError
/// naming the file and line of the first problem.
BankSource readSource(const std::filesystem::path& file);

} // namespace tessaro::bank
