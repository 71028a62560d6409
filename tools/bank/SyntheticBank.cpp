#include "SyntheticBank.h"

#include "BankBuilder.h"
#include "IdRules.h"
#include "PaperKinds.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <random>

namespace tessaro::bank {

namespace {

constexpr const char* kTopics[] = {"进度计划", "成本估算", "质量检查", "风险登记", "合同变更",
                                   "沟通计划", "采购评审", "范围说明", "资源平衡", "验收标准"};

std::string twoDigits(int n) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", n);
    return buffer;
}

RichValue markup(std::string text) {
    return RichValue{RichValue::Kind::Markup, std::move(text), {}};
}

/// Where a chapter's questions come from: the type mix follows the chapter's place in the tree.
std::vector<int> typeMix(const std::string& chapter) {
    if (chapter[0] == '0')
        return chapter.substr(0, 2) == "05" ? std::vector<int>{70, 64, 64} : std::vector<int>{70};
    if (chapter[0] == '3')
        return {61, 61, 61, 66, 66, 11, 11, 11, 14, 14};
    if (chapter.substr(0, 2) == "10" || chapter.substr(0, 2) == "11")
        return {61, 61, 61, 61, 66, 66, 70, 71, 72};
    return {61, 61, 61, 61, 66, 66, 66, 71, 72, 73, 74};
}

class Generator {
public:
    explicit Generator(const SyntheticOptions& options)
        : m_options(options), m_random(options.seed) {}

    BankSource run() {
        m_source.productId = "TSR-SYNTHETIC";
        m_source.release = "TSR-SYNTHETIC-" + std::to_string(m_options.seed);
        m_source.productName = "合成测试题库（演示，非考试内容）";
        m_source.plan = Plan{0, 100, 60, "2027-10-16", 60, 9000};
        m_source.papers = standardPaperKinds();
        catalogue();
        syllabus();
        questions();
        return std::move(m_source);
    }

private:
    int pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(m_random); }

    void catalogue() {
        const int sections = std::max(1, (m_options.points + 9) / 10);
        const int tops = std::clamp(static_cast<int>(std::ceil(sections / 100.0)), 1, 99);
        const int perTop = (sections + tops - 1) / tops;
        int made = 0, point = 0;
        for (int t = 1; t <= tops && made < sections; ++t) {
            CatalogueEntry top{twoDigits(t), "合成目录 " + std::to_string(t), false, {}, {}, {}};
            for (int s = 1; s <= 5 && made < sections; ++s) {
                CatalogueEntry source{
                    top.id + twoDigits(s), "合成来源 " + top.id + twoDigits(s), false, {}, {}, {}};
                for (int k = 1; k <= (perTop + 4) / 5 && made < sections; ++k, ++made) {
                    CatalogueEntry section{source.id + twoDigits(k),
                                           "第" + std::to_string(k) + "节",
                                           false,
                                           {},
                                           {},
                                           {}};
                    const int count = std::min(10, m_options.points - point);
                    for (int p = 1; p <= count; ++p, ++point) {
                        section.points.push_back(
                            {"",
                             "第" + std::to_string(p) + "条",
                             markup("合成要点正文，编号 **" + section.id + "-" + std::to_string(p) +
                                    "**。\n仅供性能测试。"),
                             {}});
                        m_pointIds.push_back(ids::pointId(section.id, p));
                    }
                    source.children.push_back(std::move(section));
                }
                top.children.push_back(std::move(source));
            }
            m_source.catalogue.push_back(std::move(top));
        }
    }

    void syllabus() {
        const int partsPerSubject = 6;
        const int parts = 5 * partsPerSubject + 4;
        const int sectionsPerPart =
            std::clamp(static_cast<int>(std::sqrt(m_options.chapterRows / 30.0)), 1, 99);
        const int sections = parts * sectionsPerPart;
        const int chapterBudget = std::max(sections, m_options.chapterRows - 6 - parts - sections);
        int sectionIndex = 0;
        auto part = [&](const std::string& code) {
            Chapter p{code, "", "合成部分 " + code, {}, std::nullopt, false, {}, {}, {}};
            for (int s = 1; s <= sectionsPerPart; ++s) {
                Chapter section{code + twoDigits(s),
                                "",
                                "合成节 " + code + twoDigits(s),
                                {},
                                std::nullopt,
                                false,
                                {},
                                {},
                                {}};
                const int chapters = std::min(99, chapterBudget / sections +
                                                      (sectionIndex++ < chapterBudget % sections));
                for (int c = 1; c <= chapters; ++c) {
                    const std::string id = section.code + twoDigits(c);
                    section.children.push_back({id,
                                                "",
                                                "合成章 " + id,
                                                markup("本章为合成数据。"),
                                                std::nullopt,
                                                false,
                                                {},
                                                {},
                                                {}});
                }
                p.children.push_back(std::move(section));
            }
            return p;
        };
        for (int subject = 1; subject <= 5; ++subject) {
            Chapter s{std::to_string(subject),
                      "",
                      "合成科目 " + std::to_string(subject),
                      {},
                      std::nullopt,
                      false,
                      {},
                      {},
                      {}};
            for (int p = 0; p < partsPerSubject; ++p)
                s.children.push_back(part(std::to_string(subject) + std::to_string(p)));
            m_source.subjects.push_back(std::move(s));
        }
        Chapter cases{"0", "", "合成案例", {}, std::nullopt, false, {}, {}, {}};
        for (const char* code : {"04", "05", "07", "08"})
            cases.children.push_back(part(code));
        m_source.subjects.push_back(std::move(cases));
        for (auto& subject : m_source.subjects)
            for (auto& p : subject.children)
                for (auto& section : p.children)
                    for (auto& chapter : section.children)
                        m_chapters.push_back(&chapter);
    }

    Question question(const std::string& chapter, int n) {
        const std::vector<int> mix = typeMix(chapter);
        Question q;
        q.type = mix[pick(static_cast<int>(mix.size()))];
        const std::string topic = kTopics[pick(10)];
        q.text = markup("合成题 " + std::to_string(n) + "：关于**" + topic + "**的说法，" +
                        (q.type == 66 ? "正确的有（　）。" : "下列哪项正确？"));
        if (q.type == 61 || q.type == 66) {
            for (int o = 0; o < 4; ++o)
                q.options.push_back(markup(topic + "的第 " + std::to_string(o + 1) + " 种表述"));
            q.optionCount = 4;
            q.answer = q.type == 61 ? std::string(1, static_cast<char>('A' + pick(4)))
                                    : std::string(pick(2) ? "AC" : "BCD");
        }
        if (pick(10) < 8)
            q.explanation = markup("解析：" + topic + "的要点见{red:相关条目}。");
        const int pointCount = m_pointIds.empty() ? 0 : std::array{0, 1, 1, 2, 3}[pick(5)];
        for (int k = 0; k < pointCount; ++k) {
            const std::string& id = m_pointIds[pick(static_cast<int>(m_pointIds.size()))];
            if (std::find(q.points.begin(), q.points.end(), id) == q.points.end())
                q.points.push_back(id);
        }
        return q;
    }

    void questions() {
        const int chapters = static_cast<int>(m_chapters.size());
        for (int n = 0; n < m_options.questions;) {
            Chapter& chapter = *m_chapters[n % chapters];
            Item item;
            if (pick(80) == 0 && m_options.questions - n >= 4) {
                Group group;
                group.stem = markup("合成材料 " + std::to_string(n) +
                                    "：某项目的**背景资料**如下。\n请回答后面的问题。");
                for (int k = 0; k < 4; ++k, ++n)
                    group.questions.push_back(question(chapter.code, n + 1));
                item.group = std::move(group);
            } else {
                item.question = question(chapter.code, ++n);
            }
            chapter.items.push_back(std::move(item));
        }
    }

    SyntheticOptions m_options;
    std::mt19937 m_random;
    BankSource m_source;
    std::vector<std::string> m_pointIds;
    std::vector<Chapter*> m_chapters;
};

} // namespace

BankSource syntheticSource(const SyntheticOptions& options) {
    return Generator(options).run();
}

void generateSyntheticBank(const std::filesystem::path& out, const SyntheticOptions& options) {
    buildBank(syntheticSource(options), out);
}

} // namespace tessaro::bank
