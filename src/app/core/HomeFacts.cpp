#include "HomeFacts.h"

#include "ShellRules.h"
#include "store/Clock.h"
#include "store/DataModule.h"
#include "store/Text.h"

namespace tessaro::app {

std::map<int, std::string> subjectNames(store::DataModule& module) {
    std::map<int, std::string> names;
    auto st = module.db().prepare(
        "select C1, C2 from tab_kmmc where length(C1) = 1 and C1 between '1' and '5'");
    while (st.step())
        names.emplace(st.text(0)[0] - '0', store::trimBlanks(st.text(1)));
    return names;
}

std::optional<int> daysToExamination(store::DataModule& module) {
    const auto date =
        module.db().scalarText("select ExamDate from tab_plan order by rowid limit 1");
    if (!date)
        return std::nullopt;
    return daysBetween(store::today(), *date);
}

} // namespace tessaro::app
