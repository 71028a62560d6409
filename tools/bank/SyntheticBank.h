#pragma once

#include "BankSource.h"

#include <cstdint>
#include <filesystem>

namespace tessaro::bank {

struct SyntheticOptions {
    int questions = 50000;
    int chapterRows = 3000; ///< tab_kmmc rows, approximately
    int points = 10000;     ///< tab_rule rows
    std::uint32_t seed = 1;
};

/// A source with the shapes of a real bank: five subjects and a case-study block in the
/// four-level tree, choice, self-graded and reading questions spread over the chapters, about
/// one question in twenty in groups, one to three knowledge points on most questions, a catalogue
/// of top entries, sources and sections, and the five paper kinds. The same options give the
/// same source.
BankSource syntheticSource(const SyntheticOptions& options);

/// Builds syntheticSource(options) into a bank file.
void generateSyntheticBank(const std::filesystem::path& out, const SyntheticOptions& options = {});

} // namespace tessaro::bank
