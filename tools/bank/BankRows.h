#pragma once

#include "store/Database.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tessaro::bank {

// The rows a source turns into, with ids, orders and stored rich text settled.

/// A tab_answ row: the answer key; the learner-state columns start empty.
struct AnswerRow {
    std::string id;
    std::string answer;
    int optionCount = 0;
    std::vector<std::string> points;
    std::string chapter;
    int type = 0;
    int order = 0;
};

struct ContentRow {
    std::string id;
    store::Blob text;
    std::optional<store::Blob> explanation;
};

struct ChapterRow {
    std::string code, label, name;
    std::optional<store::Blob> guidance;
    bool charted = false;
    int order = 0;
};

struct PointRow {
    std::string id, section, label;
    std::optional<store::Blob> text;
};

struct EntryRow {
    std::string id, name;
    int order = 0;
};

struct BankRows {
    std::vector<AnswerRow> answers;
    std::vector<ContentRow> contents;
    std::vector<std::pair<std::string, store::Blob>> stems;
    std::vector<ChapterRow> chapters;
    std::vector<PointRow> points;
    std::vector<EntryRow> entries;
};

} // namespace tessaro::bank
