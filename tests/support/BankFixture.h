#pragma once

#include "store/Clock.h"
#include "store/DataModule.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace tessaro::testing {

/// A fresh, small bank in a temporary folder for every test, opened through the data module,
/// with the clock standing on 2026-05-20 09:00 local time.
class BankFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    store::Database& db() { return module->db(); }
    std::int64_t intAt(const std::string& sql);
    std::string textAt(const std::string& sql);

    /// Chapters 1, 10, 1001, 100101 and 2, 20, 2001, 200101; points in sections of two tops.
    void addSampleTree();
    void addQuestion(const std::string& id, const std::string& key, const std::string& chapter,
                     int type, const std::vector<std::string>& points = {});

    std::filesystem::path dir;
    std::filesystem::path bankPath;
    store::ManualClock clock = store::ManualClock::atLocalDate(2026, 5, 20);
    std::unique_ptr<store::ScopedClock> clockScope;
    std::unique_ptr<store::DataModule> module;
};

/// Creates an empty bank file at a path.
void createEmptyBank(const std::filesystem::path& path);

} // namespace tessaro::testing
