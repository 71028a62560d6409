#pragma once

#include <string>

namespace tessaro::store {
class DataModule;
}

namespace tessaro::app {

/// What leaving through "quit" does, judged by today's work against the study plan.
enum class ExitVerdict {
    StayOpen,       ///< the plan has no known kind: nothing happens
    AskBelowTarget, ///< "还未完成今日学习计划，要退出吗？"
    Congratulate,   ///< "恭喜完成今日学习计划！"
    Exceeded,       ///< "超额完成学习计划，要注意休息呦！"
};

struct DayWork {
    int answers = 0; ///< answers logged today (tab_rz.A2)
    int minutes = 0; ///< whole minutes studied today (tab_rz.D1)
};

struct StudyPlan {
    int planMark = 0; ///< 0: answers per day, 1: minutes per day
    int planAmount = 0;
    int planTime = 0;
};

ExitVerdict judgeExit(const StudyPlan& plan, const DayWork& work);

/// Reads the first tab_plan row and today's tab_rz row. A bank without a plan row counts as a
/// plan of kind 0 with target 0. Throws store::DbError when the tables cannot be read.
StudyPlan readStudyPlan(store::DataModule& module);
DayWork readTodaysWork(store::DataModule& module);

/// The message of a verdict, empty for StayOpen.
std::string exitMessage(ExitVerdict verdict);

} // namespace tessaro::app
