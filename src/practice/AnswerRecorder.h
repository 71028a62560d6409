#pragma once

#include "QuestionRow.h"
#include "store/DataModule.h"

#include <string>
#include <vector>

namespace tessaro::practice {

/// The knowledge points of a question as the counters take them: the ids from K3 up to the first
/// empty one, their 6-character sections and their 2-character top entries.
struct PointLists {
    std::vector<std::string> points, sections, tops;
};
PointLists pointLists(const QuestionRow& row);

/// The answer event's flags for a new answer, worked out from the row before it changes.
store::AnswerFlags answerFlags(const QuestionRow& row, const std::string& answer,
                               const std::string& today);

/// Writes answers and voiding back to a question's bank row, with the counters they move.
/// Each call is one transaction: if any statement fails, neither the row nor a counter changes,
/// and the row in memory keeps its old state too.
class AnswerRecorder {
public:
    explicit AnswerRecorder(store::DataModule& module) : m_module(module) {}

    /// Records the answer given in this run. A changed, non-empty answer is counted in the
    /// daily log, the chapter rows and the knowledge points, and moves E3 and E4; the same
    /// answer again only refreshes E1; an empty answer only clears E2_1.
    void RecordAnswer(QuestionRow& row, const std::string& answer);

    /// Voids the question (F1 = 1, E2 = "zero") or takes the void back (F1 = 0, E2 kept).
    void setVoided(QuestionRow& row, bool voided);

private:
    store::DataModule& m_module;
};

} // namespace tessaro::practice
