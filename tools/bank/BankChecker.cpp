#include "BankChecker.h"

#include "IdRules.h"
#include "RichText.h"
#include "store/Schema.h"

#include <map>
#include <set>

namespace tessaro::bank {

namespace {

using store::Database;
using store::Statement;

struct QuestionRow {
    std::string id, chapter;
    std::vector<std::string> points;
};

class Checker {
public:
    explicit Checker(Database& db) : m_db(db) {}

    std::vector<Problem> run() {
        if (const std::string problem = store::schema::checkBank(m_db); !problem.empty()) {
            add("", "", problem);
            return std::move(m_problems);
        }
        loadKeys();
        questions();
        contents();
        stems();
        syllabus();
        points();
        catalogue();
        papers();
        singleRows();
        return std::move(m_problems);
    }

private:
    void add(std::string table, std::string row, std::string message) {
        m_problems.push_back({std::move(table), std::move(row), std::move(message)});
    }

    void richText(const char* table, const std::string& row, const char* column,
                  const Statement& st, int index) {
        if (st.isNull(index))
            return;
        if (const std::string problem = rtfProblem(st.blob(index)); !problem.empty())
            add(table, row, std::string(column) + " is not readable rich text: " + problem);
    }

    std::set<std::string> keys(const char* sql) {
        std::set<std::string> out;
        Statement st = m_db.prepare(sql);
        while (st.step())
            out.insert(st.text(0));
        return out;
    }

    void loadKeys() {
        m_chapters = keys("select C1 from tab_kmmc");
        m_pointIds = keys("select ftid from tab_rule");
        m_entries = keys("select id from tab_fgmc");
        m_titles = keys("select A1 from tab_title");
        m_contents = keys("select A1 from tab_exer");
    }

    void questions() {
        Statement st = m_db.prepare("select A1, A2, A2_1, K3, K4, K5, K6, K7, K8, K9, K10, K11, "
                                    "K12, A10, A13, F1 from tab_answ order by A1");
        while (st.step()) {
            QuestionRow row{st.text(0), st.text(13), {}};
            const bool learner = !st.isNull(15) && st.integer(15) == 2;
            questionId(row.id, learner);
            if (st.isNull(15))
                add("tab_answ", row.id, "F1 is NULL; questions must carry 0");
            if (st.isNull(1) || st.text(1).empty())
                add("tab_answ", row.id, "A2 is empty, which would match an unanswered paper");
            const int type = static_cast<int>(st.integer(14));
            const auto options = st.integer(2);
            if ((type == 61 || type == 66) && (options < 2 || options > 6))
                add("tab_answ", row.id,
                    "A2_1 must offer 2 to 6 options, not " + std::to_string(options));
            if (!m_chapters.count(row.chapter) || row.chapter.size() < 3)
                add("tab_answ", row.id, "A10 \"" + row.chapter + "\" names no chapter row");
            questionPoints(st, row);
            if (!m_contents.count(row.id))
                add("tab_answ", row.id, "has no tab_exer row");
            m_questionIds.insert(row.id);
            m_questions.push_back(std::move(row));
        }
    }

    void questionId(const std::string& id, bool learner) {
        if (learner) {
            if (!ids::isLearnerId(id))
                add("tab_answ", id,
                    "F1 = 2 marks a learner's question, whose id is \"US\" ending in four digits");
        } else if (const std::string problem = ids::questionIdProblem(id); !problem.empty()) {
            add("tab_answ", id, problem);
        }
        if (ids::isMemberId(id) && !m_titles.count(id.substr(0, ids::kGroupIdLength)))
            add("tab_answ", id,
                "group member without the tab_title stem \"" + id.substr(0, ids::kGroupIdLength) +
                    "\"");
    }

    void questionPoints(const Statement& st, QuestionRow& row) {
        bool gap = false;
        for (int k = 0; k < 10; ++k) {
            const std::string point = st.isNull(3 + k) ? "" : st.text(3 + k);
            if (point.empty()) {
                gap = true;
                continue;
            }
            if (gap)
                add("tab_answ", row.id, "K" + std::to_string(3 + k) + " follows an empty K column");
            if (!m_pointIds.count(point))
                add("tab_answ", row.id,
                    "K" + std::to_string(3 + k) + " \"" + point + "\" names no tab_rule row");
            row.points.push_back(point);
        }
    }

    void contents() {
        Statement st = m_db.prepare("select A1, A15, jx from tab_exer order by A1");
        while (st.step()) {
            const std::string id = st.text(0);
            if (!m_questionIds.count(id))
                add("tab_exer", id, "has no tab_answ row");
            if (st.isNull(1))
                add("tab_exer", id, "A15 (the question text) is NULL");
            richText("tab_exer", id, "A15", st, 1);
            richText("tab_exer", id, "jx", st, 2);
        }
    }

    void stems() {
        std::set<std::string> used;
        for (const auto& q : m_questions)
            if (ids::isMemberId(q.id))
                used.insert(q.id.substr(0, ids::kGroupIdLength));
        Statement st = m_db.prepare("select A1, A15 from tab_title order by A1");
        while (st.step()) {
            const std::string id = st.text(0);
            if (id.size() != ids::kGroupIdLength)
                add("tab_title", id, "a group id has 16 characters");
            if (!used.count(id))
                add("tab_title", id, "no question belongs to this group");
            richText("tab_title", id, "A15", st, 1);
        }
    }

    void syllabus() {
        std::map<std::string, long> counts;
        for (const auto& q : m_questions)
            for (size_t length = 1; length <= q.chapter.size(); ++length)
                ++counts[q.chapter.substr(0, length)];
        static const std::map<size_t, size_t> kParent{{2, 1}, {4, 2}, {6, 4}};
        Statement st = m_db.prepare("select C1, C3, jx from tab_kmmc order by bh");
        while (st.step()) {
            const std::string code = st.text(0);
            richText("tab_kmmc", code, "jx", st, 2);
            if (code == "xx")
                continue;
            const auto parent = kParent.find(code.size());
            if (code.size() != 1 && parent == kParent.end())
                add("tab_kmmc", code, "chapter codes have 1, 2, 4 or 6 characters");
            else if (parent != kParent.end() && !m_chapters.count(code.substr(0, parent->second)))
                add("tab_kmmc", code,
                    "parent row \"" + code.substr(0, parent->second) + "\" is missing");
            if (st.integer(1) != counts[code])
                add("tab_kmmc", code,
                    "C3 is " + std::to_string(st.integer(1)) + " but " +
                        std::to_string(counts[code]) + " questions belong to the row");
        }
        if (!m_chapters.count("xx"))
            add("tab_kmmc", "", "the reserved row \"xx\" is missing");
    }

    void points() {
        std::map<std::string, long> counts;
        for (const auto& q : m_questions)
            for (const auto& point : q.points)
                ++counts[point];
        Statement st = m_db.prepare("select ftid, id, n, q from tab_rule order by ftid");
        while (st.step()) {
            const std::string ftid = st.text(0);
            const std::string entry = st.isNull(1) ? "" : st.text(1);
            if (!m_entries.count(entry))
                add("tab_rule", ftid, "its catalogue entry \"" + entry + "\" is not in tab_fgmc");
            if (ftid.size() > ids::kMaxPointId || ftid.substr(0, entry.size()) != entry ||
                entry.size() != 6)
                add("tab_rule", ftid,
                    "a point id has up to 12 characters and begins with its six-character section "
                    "\"" +
                        entry + "\"");
            if (!m_entries.count(ftid.substr(0, 2)))
                add("tab_rule", ftid,
                    "its top catalogue entry \"" + ftid.substr(0, 2) + "\" is missing");
            richText("tab_rule", ftid, "n", st, 2);
            if (st.integer(3) != counts[ftid])
                add("tab_rule", ftid,
                    "q is " + std::to_string(st.integer(3)) + " but " +
                        std::to_string(counts[ftid]) + " questions refer to the point");
        }
    }

    void catalogue() {
        std::map<std::string, std::set<std::string>> counts;
        for (const auto& q : m_questions)
            for (const auto& point : q.points)
                for (size_t length : {2, 4, 6})
                    counts[point.substr(0, length)].insert(q.id);
        Statement st = m_db.prepare("select id, q from tab_fgmc order by bh");
        while (st.step()) {
            const std::string id = st.text(0);
            if (id.size() != 2 && id.size() != 4 && id.size() != 6)
                add("tab_fgmc", id, "catalogue ids have 2, 4 or 6 characters");
            else if (id.size() > 2 && !m_entries.count(id.substr(0, 2)))
                add("tab_fgmc", id, "top entry \"" + id.substr(0, 2) + "\" is missing");
            const long expected = static_cast<long>(counts[id].size());
            if (st.integer(1) != expected)
                add("tab_fgmc", id,
                    "q is " + std::to_string(st.integer(1)) + " but " + std::to_string(expected) +
                        " questions refer to its points");
        }
    }

    void papers() {
        const std::set<std::string> records = keys("select A1 from tab_cj");
        std::set<std::string> tables;
        for (const auto& name : m_db.userTables())
            if (store::schema::isPaperTableName(name))
                tables.insert(name);
        for (const auto& name : tables)
            if (!records.count(name))
                add(name, "", "paper table without a tab_cj row");
        for (const auto& name : records)
            if (!tables.count(name))
                add("tab_cj", name, "names no paper table");
    }

    void singleRows() {
        if (m_db.scalarInt("select count(*) from tab_plan").value_or(0) != 1)
            add("tab_plan", "", "must hold exactly one row");
        if (m_db.scalarInt("select count(*) from tab_sj").value_or(0) < 1)
            add("tab_sj", "", "the product row is missing");
        for (int kind = 1; kind <= 5; ++kind) {
            const std::string table = store::schema::typeTableName(kind);
            if (m_db.scalarInt("select count(*) from " + table).value_or(0) == 0)
                add(table, "", "holds no question type");
        }
    }

    Database& m_db;
    std::vector<Problem> m_problems;
    std::set<std::string> m_chapters, m_pointIds, m_entries, m_titles, m_contents, m_questionIds;
    std::vector<QuestionRow> m_questions;
};

} // namespace

std::string Problem::describe() const {
    std::string out = table.empty() ? "bank" : table;
    if (!row.empty())
        out += " [" + row + "]";
    return out + ": " + message;
}

std::vector<Problem> checkBank(Database& db) {
    return Checker(db).run();
}

} // namespace tessaro::bank
