#include "HomeFacts.h"

#include "ShellRules.h"
#include "store/Clock.h"
#include "store/DataModule.h"

#include <algorithm>

namespace tessaro::app {

namespace {

std::string trimmed(std::string text) {
    const auto isSpace = [](unsigned char c) { return c == ' ' || c == '\t'; };
    text.erase(text.begin(), std::find_if_not(text.begin(), text.end(), isSpace));
    text.erase(std::find_if_not(text.rbegin(), text.rend(), isSpace).base(), text.end());
    return text;
}

} // namespace

std::map<int, std::string> subjectNames(store::DataModule& module) {
    std::map<int, std::string> names;
    auto st = module.db().prepare(
        "select C1, C2 from tab_kmmc where length(C1) = 1 and C1 between '1' and '5'");
    while (st.step())
        names.emplace(st.text(0)[0] - '0', trimmed(st.text(1)));
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
