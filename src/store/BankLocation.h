#pragma once

#include <filesystem>
#include <string>

namespace tessaro::store {

/// Where the program's assets and the learner's bank live.
///
/// The shipped bank sits read-only among the assets; on first start it is copied into the
/// learner's data folder, and that copy is the bank from then on.
namespace location {

/// Folder holding pic/, sound/, htm/ and data/: TESSARO_APPDIR when set, otherwise
/// share/tessaro beside the executable's bin/ folder (build and install trees alike).
std::filesystem::path findAppDir();

/// $XDG_DATA_HOME/Tessaro, or ~/.local/share/Tessaro.
std::filesystem::path userDataDir();

/// The bank delivered with the program.
std::filesystem::path shippedBank(const std::filesystem::path& appDir);

/// The learner's own bank in a data folder.
std::filesystem::path userBank(const std::filesystem::path& dataDir);

struct Prepared {
    std::filesystem::path bank;
    std::string error; ///< empty on success
};

/// Returns the learner's bank, first copying the shipped bank there when the learner has none.
/// An existing file is never replaced, whatever state it is in.
Prepared prepareUserBank(const std::filesystem::path& appDir, const std::filesystem::path& dataDir);

} // namespace location
} // namespace tessaro::store
