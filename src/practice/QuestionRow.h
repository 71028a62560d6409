#pragma once

#include <array>
#include <optional>
#include <string>

namespace tessaro::store {
class Statement;
}

namespace tessaro::practice {

/// One question's key and learner state, as a practice list or a paper holds it.
struct QuestionRow {
    std::string A1;                  ///< question id
    std::string A2;                  ///< correct answer
    int A2_1 = 0;                    ///< options offered
    std::array<std::string, 10> K{}; ///< knowledge points K3..K12
    std::string A10;                 ///< chapter code
    int A13 = 0;                     ///< question type
    std::string A14;                 ///< the learner's note
    std::optional<std::string> E1;   ///< day of the last recorded answer
    std::optional<std::string> E2;   ///< last recorded answer; "zero" once voided
    std::string E2_1;                ///< answer of the current run
    int E3 = 0;                      ///< recorded answers
    int E4 = 0;                      ///< mastery score; below 0 means "practise again"
    int F1 = 0;                      ///< 0 normal, 1 voided, 2 added by the learner
    int xx = 0;                      ///< order within the chapter
    std::string csbs;                ///< "Y" once the answer time ran out
    int ecount = 0;                  ///< times the learner edited the question

    bool neverAnswered() const { return !E2 || E2->empty(); }
};

/// The column list every question query selects, in QuestionRow's order.
inline constexpr const char* kQuestionColumns =
    "a1,a2,a2_1,k3,k4,k5,k6,k7,k8,k9,k10,k11,k12,a10,a13,a14,e1,e2,e2_1,e3,e4,f1,xx,csbs,ecount";

/// Reads a row selected with kQuestionColumns.
QuestionRow readQuestionRow(const store::Statement& st);

} // namespace tessaro::practice
