// Every chapter of the shipped demo bank practised in the three modes, through the same
// session the practice window draws.
#include "practice/ChapterNavigator.h"
#include "practice/PracticeSession.h"
#include "store/Clock.h"
#include "store/DataModule.h"
#include "store/SharedValues.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>

namespace tessaro::practice {
namespace {

namespace fs = std::filesystem;

class DemoBankPracticeTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        dir = fs::temp_directory_path() / ("tessaro-demo-" + std::to_string(random()));
        fs::create_directories(dir);
        fs::copy_file(TESSARO_DEMO_BANK, dir / "bank.sqlite");
        module = std::make_unique<store::DataModule>(dir / "bank.sqlite");
        ASSERT_TRUE(module->Connected()) << module->connectError();
        store::shared() = store::SharedValues{};
    }
    void TearDown() override {
        module.reset();
        store::shared() = store::SharedValues{};
        fs::remove_all(dir);
    }

    /// Opens a run; answers every question with its key except the first, which gets a wrong
    /// answer; returns how many questions the list held.
    int practise(ChapterNavigator& navigator, PracticeMode mode, int& wrongGiven) {
        if (navigator.startPractice(mode) != ChapterNavigator::Start::Ready)
            return 0;
        PracticeSession session(*module);
        if (!session.LoadQuestionList())
            return 0;
        session.start();
        for (bool first = true;; first = false) {
            const QuestionRow& row = *session.currentRow();
            std::string key = row.A2;
            if (first && session.page() == kSingle) {
                key = key == "A" ? "B" : "A";
                ++wrongGiven;
            }
            session.setPageState(RestoreAnswer(session.page(), row.A2_1, key));
            if (!session.nextEnabled())
                break;
            session.nextQuestion();
        }
        const int total = session.total();
        session.close();
        return total;
    }

    fs::path dir;
    std::unique_ptr<store::DataModule> module;
    store::ManualClock clock = store::ManualClock::atLocalDate(2026, 5, 20);
    store::ScopedClock scope{clock};
};

TEST_F(DemoBankPracticeTest, EveryChapterInAllThreeModes) {
    ChapterNavigator navigator(*module);
    navigator.refresh();
    ASSERT_FALSE(navigator.rows().empty());
    const auto answerable = [&] {
        return module->db().scalarInt("select count(*) from tab_answ where A13 in "
                                      "(61, 66, 71, 72, 73, 74) and (E2 = '' or E2 is null)");
    };
    ASSERT_GT(answerable().value_or(0), 0);
    int wrongGiven = 0, newListed = 0;
    for (int i = 0; i < static_cast<int>(navigator.rows().size()); ++i) {
        navigator.setCurrent(i);
        newListed += practise(navigator, PracticeMode::NewQuestions, wrongGiven);
    }
    EXPECT_EQ(answerable(), 0) << "every answerable question of the bank was practised";
    EXPECT_GT(newListed, 0);
    EXPECT_GT(wrongGiven, 0);
    EXPECT_EQ(module->db().scalarInt("select count(*) from tab_answ where E4 < 0"), wrongGiven);
    EXPECT_EQ(module->db().scalarInt("select sum(D2) from tab_kmmc where length(C1) = 1"),
              wrongGiven);

    // Wrong questions and review over the chapters.
    int wrongListed = 0, reviewListed = 0, ignored = 0;
    for (int i = 0; i < static_cast<int>(navigator.rows().size()); ++i) {
        navigator.setCurrent(i);
        if (navigator.rows()[i].level() != 6)
            continue; // whole chapters once, so that each question is counted once
        wrongListed += practise(navigator, PracticeMode::WrongQuestions, ignored);
        reviewListed += practise(navigator, PracticeMode::Review, ignored);
    }
    EXPECT_EQ(wrongListed, wrongGiven);
    EXPECT_GE(reviewListed, newListed - wrongGiven);
    EXPECT_GT(module->db().scalarInt("select count(*) from tab_rz where D1 is not null"), 0);
}

} // namespace
} // namespace tessaro::practice
