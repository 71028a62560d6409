#include "BankBuilder.h"

#include "IdRules.h"
#include "RichText.h"
#include "SourceError.h"
#include "store/Database.h"
#include "store/Schema.h"

#include <algorithm>
#include <map>
#include <set>

namespace tessaro::bank {

namespace {

namespace fs = std::filesystem;
using store::Blob;
using store::Database;
using store::Statement;

constexpr std::string_view kLetters = "ABCDEF";

struct AnswerRow {
    std::string id;
    std::string answer;
    int optionCount = 0;
    std::vector<std::string> points;
    std::string chapter;
    int type = 0;
    int order = 0;
};

struct ContentRow {
    std::string id;
    Blob text;
    std::optional<Blob> explanation;
};

struct ChapterRow {
    std::string code, label, name;
    std::optional<Blob> guidance;
    bool charted = false;
    int order = 0;
};

struct PointRow {
    std::string id, section, label;
    std::optional<Blob> text;
};

struct EntryRow {
    std::string id, name;
    int order = 0;
};

bool isChoice(int type) {
    return type == 61 || type == 66;
}

/// Checks a source and turns it into rows, assigning ids, orders and counters.
class Resolver {
public:
    Resolver(const BankSource& source, BankOutput output) : m_source(source), m_output(output) {}

    void run() {
        for (const auto& entry : m_source.catalogue)
            catalogueEntry(entry, {});
        int order = 0;
        for (const auto& subject : m_source.subjects)
            chapter(subject, {}, order);
        if (m_output == BankOutput::Bank)
            checkFullBank();
    }

    std::vector<AnswerRow> answers;
    std::vector<ContentRow> contents;
    std::vector<std::pair<std::string, Blob>> stems;
    std::vector<ChapterRow> chapters;
    std::vector<PointRow> points;
    std::vector<EntryRow> entries;

private:
    void catalogueEntry(const CatalogueEntry& entry, const std::string& parent) {
        const size_t length = entry.id.size();
        const bool fits = parent.empty()
                              ? length == 2
                              : entry.id.starts_with(parent) && (length == 4 || length == 6) &&
                                    length > parent.size();
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
            entries.push_back({entry.id, entry.name, static_cast<int>(m_entryIds.size())});
        if (!entry.points.empty() && length != 6)
            throw SourceError(entry.pos, "knowledge points belong to six-character sections");
        int n = 0;
        for (const auto& point : entry.points)
            addPoint(point, entry.id, ++n);
        for (const auto& child : entry.children)
            catalogueEntry(child, entry.id);
    }

    void addPoint(const Point& point, const std::string& section, int n) {
        std::string id = point.id.empty() ? ids::pointId(section, n) : point.id;
        if (!id.starts_with(section) || id.size() > ids::kMaxPointId || id.size() <= section.size())
            throw SourceError(point.pos, "knowledge-point id \"" + id + "\" must extend \"" +
                                             section + "\", up to 12 characters");
        if (!m_pointIds.insert(id).second)
            throw SourceError(point.pos, "knowledge-point id \"" + id + "\" is used twice");
        points.push_back({id, section, point.label, storedRichText(point.text)});
    }

    void chapter(const Chapter& row, const std::string& parent, int& order) {
        static constexpr size_t kLengths[] = {1, 2, 4, 6};
        const size_t depth =
            parent.empty() ? 0
                           : std::find(std::begin(kLengths), std::end(kLengths), parent.size()) -
                                 std::begin(kLengths) + 1;
        if (depth >= 4 || row.code.size() != kLengths[depth] || !row.code.starts_with(parent))
            throw SourceError(row.pos, "syllabus code \"" + row.code + "\" must " +
                                           (depth >= 4 ? std::string("have no rows below it")
                                                       : "have " + std::to_string(kLengths[depth]) +
                                                             " characters and begin with \"" +
                                                             parent + "\""));
        if (row.code == "xx" || !m_chapterCodes.insert(row.code).second)
            throw SourceError(row.pos, "syllabus code \"" + row.code + "\" is used twice");
        if (row.existing && m_output == BankOutput::Bank)
            throw SourceError(row.pos, "\"existing\" belongs in update sources only");
        if (!row.existing) {
            if (row.name.empty())
                throw SourceError(row.pos, "syllabus row \"" + row.code + "\" has no name");
            chapters.push_back({row.code, row.label.empty() ? row.name : row.label, row.name,
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

    void chapterItems(const Chapter& row) {
        int single = 0, groups = 0, position = 0;
        for (const auto& item : row.items) {
            if (item.question) {
                const std::string id = item.question->id.empty()
                                           ? ids::questionId(row.code, ++single)
                                           : item.question->id;
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
            stems.emplace_back(gid, *storedRichText(group.stem));
            int member = 0;
            for (const auto& q : group.questions) {
                const std::string id = q.id.empty() ? ids::memberId(gid, ++member) : q.id;
                question(q, id, row.code, ++position, gid);
            }
        }
    }

    void question(const Question& q, const std::string& id, const std::string& chapter,
                  int position, const std::string& group) {
        if (const std::string problem = ids::questionIdProblem(id); !problem.empty())
            throw SourceError(q.pos, problem);
        if (!group.empty() && id.substr(0, ids::kGroupIdLength) != group + "")
            throw SourceError(q.pos, "question \"" + id + "\" of group \"" + group +
                                         "\" must have the id \"" + group + "-\" and a suffix");
        if (group.empty() && ids::isMemberId(id))
            throw SourceError(q.pos, "question \"" + id + "\" has a group member's id");
        if (!m_questionIds.insert(id).second)
            throw SourceError(q.pos, "question id \"" + id + "\" is used twice");
        AnswerRow row{
            id, answerOf(q), q.optionCount, q.points, chapter, q.type, q.order.value_or(position)};
        checkPoints(q);
        answers.push_back(std::move(row));
        contents.push_back({id, questionText(q), storedRichText(q.explanation)});
    }

    std::string answerOf(const Question& q) const {
        if (q.type <= 0 || q.type > 32767)
            throw SourceError(q.pos,
                              "question type " + std::to_string(q.type) + " is not a type code");
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
        const bool ordered = std::adjacent_find(answer.begin(), answer.end(),
                                                std::greater_equal<>()) == answer.end();
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

    void checkPoints(const Question& q) const {
        if (q.points.size() > 10)
            throw SourceError(q.pos, "a question refers to at most ten knowledge points");
        std::set<std::string> seen;
        for (const auto& point : q.points) {
            if (!seen.insert(point).second)
                throw SourceError(q.pos, "knowledge point \"" + point + "\" is named twice");
            if (m_output == BankOutput::Bank && !m_pointIds.count(point))
                throw SourceError(q.pos,
                                  "knowledge point \"" + point + "\" is not in the catalogue");
        }
    }

    Blob questionText(const Question& q) const {
        richtext::Document document = documentOf(q.text);
        for (size_t i = 0; i < q.options.size(); ++i) {
            richtext::Document option = documentOf(q.options[i]);
            if (option.blocks.empty() ||
                !std::holds_alternative<richtext::Paragraph>(option.blocks[0]))
                throw SourceError(q.options[i].pos, "an option needs text");
            auto& runs = std::get<richtext::Paragraph>(option.blocks[0]).runs;
            runs.insert(runs.begin(), richtext::Run::makeText(std::string(1, kLetters[i]) + "．"));
            for (auto& block : option.blocks)
                document.blocks.push_back(std::move(block));
        }
        return rtfOf(document);
    }

    void checkFullBank() const {
        const SourcePos top{m_source.file, 0};
        if (!m_source.plan)
            throw SourceError(top, "a bank needs a \"plan\"");
        if (m_source.productName.empty())
            throw SourceError(top, "a bank needs the product's \"name\"");
        std::set<int> kinds;
        for (const auto& paper : m_source.papers)
            if (!kinds.insert(paper.kind).second)
                throw SourceError(top,
                                  "paper kind " + std::to_string(paper.kind) + " is given twice");
        if (kinds.size() != 5)
            throw SourceError(top, "a bank needs the five paper kinds 1 to 5");
        if (chapters.empty() || answers.empty())
            throw SourceError(top, "a bank needs syllabus rows and questions");
    }

    const BankSource& m_source;
    BankOutput m_output;
    std::set<std::string> m_entryIds, m_pointIds, m_chapterCodes, m_questionIds, m_groupIds;
};

void bindOptional(Statement& st, int index, const std::optional<Blob>& blob) {
    if (blob)
        st.bind(index, *blob);
    else
        st.bindNull(index);
}

/// Writes resolved rows; every counter is computed from the rows themselves.
class Writer {
public:
    Writer(Database& db, const Resolver& rows) : m_db(db), m_rows(rows) {}

    void questions() {
        Statement answer = m_db.prepare(
            "insert into tab_answ (A1, A2, A2_1, K3, K4, K5, K6, K7, K8, K9, K10, K11, K12, A10, "
            "A13, A14, E1, E2, E2_1, E3, E4, F1, xx, csbs, ecount) values (?, ?, ?, ?, ?, ?, ?, "
            "?, ?, ?, ?, ?, ?, ?, ?, '', null, '', '', 0, 0, 0, ?, '', 0)");
        for (const auto& row : m_rows.answers) {
            answer.bind(1, row.id).bind(2, row.answer).bind(3, row.optionCount);
            for (int k = 0; k < 10; ++k)
                answer.bind(4 + k, k < static_cast<int>(row.points.size()) ? row.points[k] : "");
            answer.bind(14, row.chapter).bind(15, row.type).bind(16, row.order).run();
        }
        Statement content = m_db.prepare("insert into tab_exer (A1, A15, jx) values (?, ?, ?)");
        for (const auto& row : m_rows.contents) {
            content.bind(1, row.id).bind(2, row.text);
            bindOptional(content, 3, row.explanation);
            content.run();
        }
    }

    void stems() {
        Statement st = m_db.prepare("insert into tab_title (A1, A15) values (?, ?)");
        for (const auto& [id, stem] : m_rows.stems)
            st.bind(1, id).bind(2, stem).run();
    }

    void syllabus(bool withReservedRow) {
        std::map<std::string, int> counts;
        for (const auto& row : m_rows.answers)
            for (size_t length : {1, 2, 4, 6})
                if (row.chapter.size() >= length)
                    ++counts[row.chapter.substr(0, length)];
        Statement st = m_db.prepare("insert into tab_kmmc (C1, C1_1, C2, C3, C4, D1, D2, C6, C7, "
                                    "jx, bh) values (?, ?, ?, ?, 0, 0, 0, '0', ?, ?, ?)");
        if (withReservedRow)
            st.bind(1, "xx")
                .bind(2, "")
                .bind(3, "xx")
                .bind(4, 0)
                .bind(5, "1")
                .bindNull(6)
                .bind(7, 0)
                .run();
        for (const auto& row : m_rows.chapters) {
            st.bind(1, row.code).bind(2, row.label).bind(3, row.name).bind(4, counts[row.code]);
            st.bind(5, row.charted ? "0" : "1");
            bindOptional(st, 6, row.guidance);
            st.bind(7, row.order).run();
        }
    }

    void catalogue() {
        std::map<std::string, int> pointCounts;
        std::map<std::string, std::set<std::string>> entryQuestions;
        for (const auto& row : m_rows.answers)
            for (const auto& point : row.points) {
                ++pointCounts[point];
                for (size_t length : {2, 4, 6})
                    entryQuestions[point.substr(0, length)].insert(row.id);
            }
        Statement rule = m_db.prepare("insert into tab_rule (ftid, id, sn, n, q, q1, q2, q4) "
                                      "values (?, ?, ?, ?, ?, 0, 0, 0)");
        for (const auto& row : m_rows.points) {
            rule.bind(1, row.id).bind(2, row.section).bind(3, row.label);
            bindOptional(rule, 4, row.text);
            rule.bind(5, pointCounts[row.id]).run();
        }
        Statement entry = m_db.prepare("insert into tab_fgmc (id, n, bh, q, q1, q2, q4) values "
                                       "(?, ?, ?, ?, 0, 0, 0)");
        for (const auto& row : m_rows.entries) {
            const auto found = entryQuestions.find(row.id);
            const int q =
                found == entryQuestions.end() ? 0 : static_cast<int>(found->second.size());
            entry.bind(1, row.id).bind(2, row.name).bind(3, row.order).bind(4, q).run();
        }
    }

    void identity(const BankSource& source) {
        m_db.prepare("insert into tab_sj (sjbs, cpbs) values (?, ?)")
            .bind(1, source.release)
            .bind(2, source.productId)
            .run();
    }

    void settings(const BankSource& source) {
        const Plan& plan = *source.plan;
        m_db.prepare("insert into tab_plan (PlanMark, PlanAmount, PlanTime, ExamDate, LeastMark, "
                     "ExamTime) values (?, ?, ?, ?, ?, ?)")
            .bind(1, plan.planMark)
            .bind(2, plan.planAmount)
            .bind(3, plan.planTime)
            .bind(4, plan.examDate)
            .bind(5, plan.leastMark)
            .bind(6, plan.examTime)
            .run();
        std::map<std::string, std::string> values = source.settings;
        values["ProductName"] = source.productName;
        for (const auto& paper : source.papers) {
            values["PaperTitle" + std::to_string(paper.kind)] = paper.title;
            Statement st = m_db.prepare("insert into tab_tx" + std::to_string(paper.kind) +
                                        " (A1, B1, B2, B3, time) values (?, ?, ?, ?, ?)");
            for (const auto& type : paper.types)
                st.bind(1, type.code)
                    .bind(2, type.name)
                    .bind(3, type.count)
                    .bind(4, type.marks)
                    .bind(5, type.minutes)
                    .run();
        }
        Statement st = m_db.prepare("insert into tab_setting (name, value) values (?, ?)");
        for (const auto& [name, value] : values)
            st.bind(1, name).bind(2, value).run();
    }

private:
    Database& m_db;
    const Resolver& m_rows;
};

void writeDatabase(const fs::path& path, const BankSource& source, const Resolver& rows,
                   BankOutput output) {
    Database db(path.string(), Database::Mode::ReadWriteCreate);
    db.exec("pragma journal_mode = off; pragma synchronous = off");
    if (output == BankOutput::Bank)
        store::schema::createBank(db);
    else
        store::schema::createUpdateFile(db);
    store::Transaction tx(db);
    Writer writer(db, rows);
    writer.syllabus(output == BankOutput::Bank);
    writer.questions();
    writer.catalogue();
    writer.identity(source);
    if (output == BankOutput::Bank) {
        writer.stems();
        writer.settings(source);
    }
    tx.commit();
}

} // namespace

void buildBank(const BankSource& source, const fs::path& out, BankOutput output) {
    Resolver rows(source, output);
    rows.run();
    const fs::path partial = out.string() + ".partial";
    std::error_code ec;
    fs::remove(partial, ec);
    try {
        writeDatabase(partial, source, rows, output);
    } catch (...) {
        fs::remove(partial, ec);
        throw;
    }
    fs::rename(partial, out, ec);
    if (ec) {
        fs::remove(partial, ec);
        throw SourceError({out.string(), 0}, "cannot be written: " + ec.message());
    }
}

} // namespace tessaro::bank
