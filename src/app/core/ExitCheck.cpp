#include "ExitCheck.h"

#include "store/Clock.h"
#include "store/DataModule.h"
#include "store/Durations.h"

namespace tessaro::app {

ExitVerdict judgeExit(const StudyPlan& plan, const DayWork& work) {
    int measured = 0;
    int target = 0;
    if (plan.planMark == 0) {
        measured = work.answers;
        target = plan.planAmount;
    } else if (plan.planMark == 1) {
        measured = work.minutes;
        target = plan.planTime;
    } else {
        return ExitVerdict::StayOpen;
    }
    if (measured < target)
        return ExitVerdict::AskBelowTarget;
    return measured == target ? ExitVerdict::Congratulate : ExitVerdict::Exceeded;
}

StudyPlan readStudyPlan(store::DataModule& module) {
    auto st = module.db().prepare(
        "select PlanMark, PlanAmount, PlanTime from tab_plan order by rowid limit 1");
    StudyPlan plan;
    if (st.step()) {
        plan.planMark = static_cast<int>(st.integer(0));
        plan.planAmount = static_cast<int>(st.integer(1));
        plan.planTime = static_cast<int>(st.integer(2));
    }
    return plan;
}

DayWork readTodaysWork(store::DataModule& module) {
    auto st = module.db().prepare("select A2, D1 from tab_rz where A1 = ?");
    st.bind(1, store::today());
    DayWork work;
    if (st.step()) {
        work.answers = static_cast<int>(st.integer(0));
        const auto seconds = store::TimeToSeconds(st.optionalText(1).value_or(""));
        work.minutes = static_cast<int>(seconds.value_or(0) / 60);
    }
    return work;
}

std::string exitMessage(ExitVerdict verdict) {
    switch (verdict) {
    case ExitVerdict::AskBelowTarget:
        return "还未完成今日学习计划，要退出吗？";
    case ExitVerdict::Congratulate:
        return "恭喜完成今日学习计划！";
    case ExitVerdict::Exceeded:
        return "超额完成学习计划，要注意休息呦！";
    case ExitVerdict::StayOpen:
        break;
    }
    return {};
}

} // namespace tessaro::app
