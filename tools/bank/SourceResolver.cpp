#include "SourceResolver.h"

#include "IdRules.h"
#include "RichText.h"
#include "SourceError.h"

#include <algorithm>
#include <functional>

namespace tessaro::bank {

namespace {

using store::Blob;

constexpr std::string_view kLetters = "ABCDEF";

bool isChoice(int type) {
    return type == 61 || type == 66;
}

} // namespace

SourceResolver::SourceResolver(const BankSource& source, BankOutput output)
    : m_source(source), m_output(output) {}

BankRows SourceResolver::resolve() {
    m_rows = {};
    for (const auto& entry : m_source.catalogue)
        catalogueEntry(entry, {});
    int order = 0;
    for (const auto& subject : m_source.subjects)
        chapter(subject, {}, order);
    if (m_output == BankOutput::Bank)
        checkFullBank();
    return std::move(m_rows);
}

void SourceResolver::catalogueEntry(const CatalogueEntry& entry, const std::string& parent) {
    const size_t length = entry.id.size();
    const bool fits = parent.empty() ? length == 2
                                     : entry.id.starts_with(parent) &&
                                           (length == 4 || length == 6) && length > parent.size();
    if (!fits)
        throw SourceError(entry.pos, "catalogue id \"" + entry.id + "\" must " +
                                         (parent.empty() ? std::string("have two characters")
                                                         : "extend \"" + parent +
                                                               "\" to four or six characters"));
    if (!m_entryIds.insert(entry.id).second)
        throw SourceError(entry.pos, "catalogue id \"" + entry.id + "\" is used twice");
    if (entry.existing && m_output == BankOutput::Bank)
        throw SourceError(entry.pos, "\"existing\" belongs in update sources only");
    if (!entry.existing)
        m_rows.entries.push_back({entry.id, entry.name, static_cast<int>(m_entryIds.size())});
    if (!entry.points.empty() && length != 6)
        throw SourceError(entry.pos, "knowledge points belong to six-character sections");
    int n = 0;
    for (const auto& point : entry.points)
        addPoint(point, entry.id, ++n);
    for (const auto& child : entry.children)
        catalogueEntry(child, entry.id);
}

void SourceResolver::addPoint(const Point& point, const std::string& section, int n) {
    std::string id = point.id.empty() ? ids::pointId(section, n) : point.id;
    if (!id.starts_with(section) || id.size() > ids::kMaxPointId || id.size() <= section.size())
        throw SourceError(point.pos, "knowledge-point id \"" + id + "\" must extend \"" + section +
                                         "\", up to 12 characters");
    if (!m_pointIds.insert(id).second)
        throw SourceError(point.pos, "knowledge-point id \"" + id + "\" is used twice");
    m_rows.points.push_back({id, section, point.label, storedRichText(point.text)});
}

void SourceResolver::chapter(const Chapter& row, const std::string& parent, int& order) {
    static constexpr size_t kLengths[] = {1, 2, 4, 6};
    const size_t depth = parent.empty()
                             ? 0
                             : std::find(std::begin(kLengths), std::end(kLengths), parent.size()) -
                                   std::begin(kLengths) + 1;
    if (depth >= 4 || row.code.size() != kLengths[depth] || !row.code.starts_with(parent))
        throw SourceError(row.pos,
                          "syllabus code \"" + row.code + "\" must " +
                              (depth >= 4 ? std::string("have no rows below it")
                                          : "have " + std::to_string(kLengths[depth]) +
                                                " characters and begin with \"" + parent + "\""));
    if (row.code == "xx" || !m_chapterCodes.insert(row.code).second)
        throw SourceError(row.pos, "syllabus code \"" + row.code + "\" is used twice");
    if (row.existing && m_output == BankOutput::Bank)
        throw SourceError(row.pos, "\"existing\" belongs in update sources only");
    if (!row.existing) {
        if (row.name.empty())
            throw SourceError(row.pos, "syllabus row \"" + row.code + "\" has no name");
        m_rows.chapters.push_back({row.code, row.label.empty() ? row.name : row.label, row.name,
                                   storedRichText(row.guidance), row.charted.value_or(depth == 0),
                                   ++order});
    }
    if (!row.items.empty() && row.code.size() != 6)
        throw SourceError(row.pos, "questions belong to six-character chapters");
    if (!row.items.empty() && row.existing)
        throw SourceError(row.pos, "an existing chapter cannot take questions in an update;"
                                   " give the new questions a new chapter");
    chapterItems(row);
    for (const auto& child : row.children)
        chapter(child, row.code, order);
}

void SourceResolver::chapterItems(const Chapter& row) {
    int single = 0, groups = 0, position = 0;
    for (const auto& item : row.items) {
        if (item.question) {
            const std::string id =
                item.question->id.empty() ? ids::questionId(row.code, ++single) : item.question->id;
            question(*item.question, id, row.code, ++position, {});
            continue;
        }
        const Group& group = *item.group;
        if (m_output == BankOutput::Update)
            throw SourceError(group.pos, "an update cannot carry grouped questions: their "
                                         "stems (tab_title) are not merged into the bank");
        const std::string gid = group.id.empty() ? ids::groupId(row.code, ++groups) : group.id;
        if (gid.size() != ids::kGroupIdLength || gid.find('-') != std::string::npos)
            throw SourceError(group.pos,
                              "group id \"" + gid + "\" must have 16 characters and no \"-\"");
        if (!m_groupIds.insert(gid).second)
            throw SourceError(group.pos, "group id \"" + gid + "\" is used twice");
        m_rows.stems.emplace_back(gid, *storedRichText(group.stem));
        int member = 0;
        for (const auto& q : group.questions) {
            const std::string id = q.id.empty() ? ids::memberId(gid, ++member) : q.id;
            question(q, id, row.code, ++position, gid);
        }
    }
}

void SourceResolver::question(const Question& q, const std::string& id, const std::string& chapter,
                              int position, const std::string& group) {
    if (const std::string problem = ids::questionIdProblem(id); !problem.empty())
        throw SourceError(q.pos, problem);
    if (!group.empty() && (!ids::isMemberId(id) || id.substr(0, ids::kGroupIdLength) != group))
        throw SourceError(q.pos, "question \"" + id + "\" of group \"" + group +
                                     "\" must have the id \"" + group + "-\" and a suffix");
    if (group.empty() && ids::isMemberId(id))
        throw SourceError(q.pos, "question \"" + id + "\" has a group member's id");
    if (!m_questionIds.insert(id).second)
        throw SourceError(q.pos, "question id \"" + id + "\" is used twice");
    AnswerRow row{
        id, answerOf(q), q.optionCount, q.points, chapter, q.type, q.order.value_or(position)};
    checkPoints(q);
    m_rows.answers.push_back(std::move(row));
    m_rows.contents.push_back({id, questionText(q), storedRichText(q.explanation)});
}

std::string SourceResolver::answerOf(const Question& q) const {
    if (q.type <= 0 || q.type > 32767)
        throw SourceError(q.pos, "question type " + std::to_string(q.type) + " is not a type code");
    if (!isChoice(q.type)) {
        if (!q.options.empty())
            throw SourceError(q.pos, "only types 61 and 66 have options");
        const std::string answer = q.answer.value_or("1");
        if (answer.empty())
            throw SourceError(q.pos, "the answer must not be empty: an empty answer would "
                                     "match an unanswered paper");
        return answer;
    }
    if (q.optionCount < 2 || q.optionCount > 6)
        throw SourceError(q.pos, "a choice question needs 2 to 6 options");
    if (!q.answer || q.answer->empty())
        throw SourceError(q.pos, "the choice question has no \"answer\"");
    const std::string& answer = *q.answer;
    const std::string_view offered = kLetters.substr(0, q.optionCount);
    const bool letters = std::all_of(answer.begin(), answer.end(), [&](char c) {
        return offered.find(c) != std::string_view::npos;
    });
    const bool ordered =
        std::adjacent_find(answer.begin(), answer.end(), std::greater_equal<>()) == answer.end();
    if (!letters || !ordered)
        throw SourceError(q.pos, "answer \"" + answer +
                                     "\" must be option letters in "
                                     "A to " +
                                     std::string(1, offered.back()) + " order");
    if (q.type == 61 && answer.size() != 1)
        throw SourceError(q.pos, "a single-choice answer is one letter");
    if (q.type == 66 && answer.size() < 2)
        throw SourceError(q.pos, "a multiple-choice answer has at least two letters");
    return answer;
}

void SourceResolver::checkPoints(const Question& q) const {
    if (q.points.size() > 10)
        throw SourceError(q.pos, "a question refers to at most ten knowledge points");
    std::set<std::string> seen;
    for (const auto& point : q.points) {
        if (!seen.insert(point).second)
            throw SourceError(q.pos, "knowledge point \"" + point + "\" is named twice");
        if (m_output == BankOutput::Bank && !m_pointIds.count(point))
            throw SourceError(q.pos, "knowledge point \"" + point + "\" is not in the catalogue");
    }
}

Blob SourceResolver::questionText(const Question& q) const {
    richtext::Document document = documentOf(q.text);
    for (size_t i = 0; i < q.options.size(); ++i) {
        richtext::Document option = documentOf(q.options[i]);
        if (option.blocks.empty() || !std::holds_alternative<richtext::Paragraph>(option.blocks[0]))
            throw SourceError(q.options[i].pos, "an option needs text");
        auto& runs = std::get<richtext::Paragraph>(option.blocks[0]).runs;
        runs.insert(runs.begin(), richtext::Run::makeText(std::string(1, kLetters[i]) + "．"));
        for (auto& block : option.blocks)
            document.blocks.push_back(std::move(block));
    }
    return rtfOf(document);
}

void SourceResolver::checkFullBank() const {
    const SourcePos top{m_source.file, 0};
    if (!m_source.plan)
        throw SourceError(top, "a bank needs a \"plan\"");
    if (m_source.productName.empty())
        throw SourceError(top, "a bank needs the product's \"name\"");
    std::set<int> kinds;
    for (const auto& paper : m_source.papers)
        if (!kinds.insert(paper.kind).second)
            throw SourceError(top, "paper kind " + std::to_string(paper.kind) + " is given twice");
    if (kinds.size() != 5)
        throw SourceError(top, "a bank needs the five paper kinds 1 to 5");
    if (m_rows.chapters.empty() || m_rows.answers.empty())
        throw SourceError(top, "a bank needs syllabus rows and questions");
}

} // namespace tessaro::bank
