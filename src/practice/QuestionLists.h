#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tessaro::store {
class Database;
}

namespace tessaro::practice {

/// The three ways of practising a chapter, and the grid's double-click (new questions in
/// chapter order).
enum class PracticeMode { NewQuestions = 1, WrongQuestions = 2, Review = 3, GridNew = 4 };

/// A question list as SQL text and the values bound to it in order.
struct QuestionListQuery {
    std::string sql;
    std::vector<std::string> params;
};

/// The list of questions below a chapter code (every question whose A10 starts with it).
/// New: never answered and not voided; wrong: E4 below 0 and not voided; review: answered
/// ones, voided included.
QuestionListQuery questionListFor(PracticeMode mode, const std::string& chapterCode);

/// Codes of one or two characters are subjects and parts, which cannot be practised as a whole.
bool isPractisableChapter(const std::string& chapterCode);

/// The message when a list turns out empty: text and icon page.
struct EmptyListNotice {
    std::string text;
    int page = 0;
};
EmptyListNotice emptyListNotice(PracticeMode mode);

/// Totals over the chapters (six-character codes) the navigator shows.
struct NavigatorTotals {
    long long questions = 0; ///< shown capped at 10000
    long long answers = 0;
    long long wrong = 0;
    /// The percentage of right answers, or nothing while no answer was given.
    std::optional<std::string> score;
};
NavigatorTotals navigatorTotals(store::Database& db);

} // namespace tessaro::practice
