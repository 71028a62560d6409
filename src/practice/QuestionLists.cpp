#include "QuestionLists.h"

#include "store/Database.h"
#include "store/Durations.h"

#include <algorithm>

namespace tessaro::practice {

namespace {

constexpr const char* kColumns =
    "a1,a2,a2_1,k3,k4,k5,k6,k7,k8,k9,k10,k11,k12,a10,a13,a14,e1,e2,e2_1,e3,e4,f1,xx,csbs,ecount";

std::size_t characterCount(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

} // namespace

QuestionListQuery questionListFor(PracticeMode mode, const std::string& chapterCode) {
    const std::string head =
        std::string("select ") + kColumns + " from tab_answ where (left(A10,?1) = ?2) ";
    std::string sql;
    switch (mode) {
    case PracticeMode::NewQuestions:
        sql = head + "and (E2 = '' or E2 is null)  and (f1<>1)  order by a13,a10,xx,a1";
        break;
    case PracticeMode::GridNew:
        sql = head + "and (E2 = '' or E2 is null)  and (f1<>1)  order by a13,a10,xx";
        break;
    case PracticeMode::WrongQuestions:
        sql = head + "and (E4 < 0)  and (f1<>1) order by a13,e3,e4,e1,xx,a1";
        break;
    case PracticeMode::Review:
        // Answered questions only: E2 must hold an answer (or "zero" for a voided one).
        sql = head + "and (E2 <> '' and E2 is not null) order by a13,e3,e4,e1,xx,a1";
        break;
    }
    return {sql, {std::to_string(characterCount(chapterCode)), chapterCode}};
}

bool isPractisableChapter(const std::string& chapterCode) {
    return characterCount(chapterCode) > 2;
}

EmptyListNotice emptyListNotice(PracticeMode mode) {
    switch (mode) {
    case PracticeMode::WrongQuestions:
        return {"本章节下没有错题！", 1};
    case PracticeMode::Review:
        return {"本章节习题还未曾做过！", 1};
    default:
        return {"恭喜，习题已做完！", 0};
    }
}

NavigatorTotals navigatorTotals(store::Database& db) {
    NavigatorTotals totals;
    auto st = db.prepare("select sum(C3) as count_c3,sum(D1) as count_d1,sum(D2) as count_d2 "
                         "from tab_kmmc where len(c1)=6");
    if (st.step()) {
        totals.questions = std::min<long long>(10000, st.integer(0));
        totals.answers = st.integer(1);
        totals.wrong = st.integer(2);
    }
    if (totals.answers > 0)
        totals.score = store::formatRate(totals.answers, totals.wrong);
    return totals;
}

} // namespace tessaro::practice
