#include "PaperKinds.h"

#include <algorithm>
#include <utility>

namespace tessaro::bank {

namespace {

/// Every question type with its marks and answer time, in the order the tables list the types a
/// kind does not draw.
const std::vector<PaperType>& allTypes() {
    static const std::vector<PaperType> types = {
        {61, "单选", 0, 1, 1.0},      {66, "多选", 0, 2, 1.5},   {71, "简答", 0, 10, 8.0},
        {72, "计算", 0, 10, 8.0},     {73, "论述", 0, 10, 10.0}, {74, "名词解释", 0, 5, 3.0},
        {11, "辨析", 0, 1, 1.0},      {14, "简述", 0, 2, 3.0},   {70, "案例分析", 0, 10, 15.0},
        {64, "专题论述", 0, 15, 20.0}};
    return types;
}

/// A kind's table: the types it draws first, with their counts, then every other type at 0.
PaperKind kindDrawing(int kind, std::string title, std::vector<std::pair<int, int>> draws) {
    PaperKind paper{kind, std::move(title), {}};
    const auto typeOf = [](int code) {
        return *std::find_if(allTypes().begin(), allTypes().end(),
                             [code](const PaperType& type) { return type.code == code; });
    };
    for (const auto& [code, count] : draws) {
        PaperType type = typeOf(code);
        type.count = count;
        paper.types.push_back(type);
    }
    for (const PaperType& type : allTypes()) {
        const bool drawn = std::any_of(draws.begin(), draws.end(),
                                       [&](const auto& draw) { return draw.first == type.code; });
        if (!drawn)
            paper.types.push_back(type);
    }
    return paper;
}

} // namespace

std::vector<PaperKind> standardPaperKinds() {
    return {
        kindDrawing(1, "综合知识模拟卷", {{61, 50}, {66, 30}}),
        kindDrawing(2, "采购合同实务自评卷", {{71, 6}}),
        kindDrawing(3, "质量风险辨析与简述阅读卷", {{11, 60}, {14, 35}}),
        kindDrawing(4, "综合案例分析阅读卷", {{70, 10}}),
        kindDrawing(5, "质量风险论述阅读卷", {{64, 6}}),
    };
}

} // namespace tessaro::bank
