#pragma once

// The 50,000-question synthetic bank the practice benchmarks run on, built once per run, and
// the chapter whose question list comes closest to 2,000 questions.
#include "SyntheticBank.h"
#include "practice/QuestionLists.h"
#include "store/DataModule.h"
#include "store/JetSql.h"
#include "store/SharedValues.h"

#include <filesystem>
#include <memory>

namespace tessaro::bench {

inline const std::filesystem::path& largeBank() {
    static const std::filesystem::path path = [] {
        auto p = std::filesystem::temp_directory_path() / "tessaro-bench-practice.sqlite";
        std::filesystem::remove(p);
        bank::generateSyntheticBank(p);
        return p;
    }();
    return path;
}

inline store::DataModule& module() {
    static auto instance = std::make_unique<store::DataModule>(largeBank());
    return *instance;
}

/// The syllabus row whose question list is nearest 2,000 questions. Chapters of the synthetic
/// bank hold a few hundred, so this is usually a part (two characters): the list is built the
/// same way for any code.
inline std::string chapterOfAbout2000() {
    static const std::string code = [] {
        auto st = module().db().prepare(
            "select C1 from tab_kmmc k where length(C1) between 2 and 6 order by "
            "abs((select count(*) from tab_answ a where substr(a.A10, 1, length(k.C1)) = k.C1) "
            "- 2000) limit 1");
        return st.step() ? st.text(0) : std::string("1");
    }();
    return code;
}

inline void shareListOf(const std::string& code) {
    const auto query = practice::questionListFor(practice::PracticeMode::NewQuestions, code);
    store::shared().QuestionListSql = query.sql;
    store::shared().QuestionListParams = query.params;
}

} // namespace tessaro::bench
