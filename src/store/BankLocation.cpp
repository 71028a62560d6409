#include "BankLocation.h"

#include <cstdlib>
#include <system_error>

namespace fs = std::filesystem;

namespace tessaro::store::location {

namespace {

fs::path environmentPath(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? fs::path(value) : fs::path();
}

} // namespace

fs::path findAppDir() {
    if (auto fromEnv = environmentPath("TESSARO_APPDIR"); !fromEnv.empty())
        return fromEnv;
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return fs::current_path();
    return (exe.parent_path().parent_path() / "share" / "tessaro").lexically_normal();
}

fs::path userDataDir() {
    if (auto xdg = environmentPath("XDG_DATA_HOME"); !xdg.empty())
        return xdg / "Tessaro";
    return environmentPath("HOME") / ".local" / "share" / "Tessaro";
}

fs::path shippedBank(const fs::path& appDir) {
    return appDir / "data" / "bank.sqlite";
}

fs::path userBank(const fs::path& dataDir) {
    return dataDir / "bank.sqlite";
}

Prepared prepareUserBank(const fs::path& appDir, const fs::path& dataDir) {
    Prepared result{userBank(dataDir), {}};
    std::error_code ec;
    if (fs::exists(fs::symlink_status(result.bank, ec)))
        return result;
    const fs::path source = shippedBank(appDir);
    if (!fs::exists(source, ec)) {
        result.error = "no question bank at " + source.string();
        return result;
    }
    fs::create_directories(dataDir, ec);
    // Copy under a temporary name and rename, so a half-written copy is never taken for a bank.
    const fs::path partial = result.bank.string() + ".partial";
    fs::remove(partial, ec);
    if (!fs::copy_file(source, partial, ec) || ec) {
        result.error = "cannot copy the question bank to " + dataDir.string() + ": " + ec.message();
        fs::remove(partial, ec);
        return result;
    }
    fs::permissions(partial, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add,
                    ec);
    fs::rename(partial, result.bank, ec);
    if (ec)
        result.error = "cannot place the question bank at " + result.bank.string();
    return result;
}

} // namespace tessaro::store::location
