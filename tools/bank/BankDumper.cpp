#include "BankDumper.h"

#include "IdRules.h"
#include "RichText.h"

#include <functional>
#include <map>

namespace tessaro::bank {

namespace {

using store::Database;
using store::Statement;

RichValue richColumn(const Statement& st, int column) {
    return st.isNull(column) ? RichValue{} : sourceRichText(st.blob(column));
}

std::string textColumn(const Statement& st, int column) {
    return st.isNull(column) ? std::string() : st.text(column);
}

class Dumper {
public:
    explicit Dumper(Database& db) : m_db(db) {}

    BankSource run() {
        header();
        papers();
        catalogue();
        syllabus();
        return std::move(m_source);
    }

private:
    void header() {
        Statement sj = m_db.prepare("select sjbs, cpbs from tab_sj order by rowid limit 1");
        if (sj.step()) {
            m_source.release = textColumn(sj, 0);
            m_source.productId = textColumn(sj, 1);
        }
        Statement plan = m_db.prepare("select PlanMark, PlanAmount, PlanTime, ExamDate, "
                                      "LeastMark, ExamTime from tab_plan limit 1");
        if (plan.step())
            m_source.plan =
                Plan{static_cast<int>(plan.integer(0)), static_cast<int>(plan.integer(1)),
                     static_cast<int>(plan.integer(2)), textColumn(plan, 3),
                     static_cast<int>(plan.integer(4)), static_cast<int>(plan.integer(5))};
        Statement settings = m_db.prepare("select name, value from tab_setting order by name");
        while (settings.step())
            m_source.settings[settings.text(0)] = textColumn(settings, 1);
        m_source.productName = take("ProductName");
    }

    std::string take(const std::string& name) {
        const auto found = m_source.settings.find(name);
        if (found == m_source.settings.end())
            return {};
        std::string value = found->second;
        m_source.settings.erase(found);
        return value;
    }

    void papers() {
        for (int kind = 1; kind <= 5; ++kind) {
            PaperKind paper{kind, take("PaperTitle" + std::to_string(kind)), {}};
            Statement st = m_db.prepare("select A1, B1, B2, B3, time from tab_tx" +
                                        std::to_string(kind) + " order by rowid");
            while (st.step())
                paper.types.push_back({static_cast<int>(st.integer(0)), textColumn(st, 1),
                                       static_cast<int>(st.integer(2)),
                                       static_cast<int>(st.integer(3)), st.real(4)});
            m_source.papers.push_back(std::move(paper));
        }
    }

    void catalogue() {
        std::map<std::string, std::vector<Point>> points;
        Statement rule = m_db.prepare("select ftid, id, sn, n from tab_rule order by rowid");
        while (rule.step())
            points[textColumn(rule, 1)].push_back(
                {rule.text(0), textColumn(rule, 2), richColumn(rule, 3), {}});
        std::vector<CatalogueEntry> flat;
        Statement st = m_db.prepare("select id, n from tab_fgmc order by bh, id");
        while (st.step()) {
            CatalogueEntry entry;
            entry.id = st.text(0);
            entry.name = textColumn(st, 1);
            entry.points = std::move(points[entry.id]);
            flat.push_back(std::move(entry));
        }
        m_source.catalogue = nest(std::move(flat), {4, 2});
    }

    void syllabus() {
        std::map<std::string, std::vector<Item>> items = questions();
        std::vector<Chapter> flat;
        Statement st = m_db.prepare(
            "select C1, C1_1, C2, C7, jx from tab_kmmc where C1 <> 'xx' order by bh, C1");
        while (st.step()) {
            Chapter row;
            row.code = st.text(0);
            row.name = textColumn(st, 2);
            if (const std::string label = textColumn(st, 1); label != row.name)
                row.label = label;
            row.guidance = richColumn(st, 4);
            const bool charted = textColumn(st, 3) == "0";
            if (charted != (row.code.size() == 1))
                row.charted = charted;
            row.items = std::move(items[row.code]);
            flat.push_back(std::move(row));
        }
        m_source.subjects = nest(std::move(flat), {4, 2, 1});
    }

    static const std::string& key(const Chapter& row) { return row.code; }
    static const std::string& key(const CatalogueEntry& entry) { return entry.id; }

    /// Puts each row below the row whose key is its longest listed prefix, keeping the order.
    template <typename Row>
    static std::vector<Row> nest(std::vector<Row> flat, std::initializer_list<size_t> prefixes) {
        std::map<std::string, size_t> index;
        std::vector<std::vector<size_t>> children(flat.size());
        std::vector<size_t> roots;
        for (size_t i = 0; i < flat.size(); ++i) {
            const std::string& id = key(flat[i]);
            bool placed = false;
            for (size_t length : prefixes)
                if (id.size() > length && index.count(id.substr(0, length))) {
                    children[index[id.substr(0, length)]].push_back(i);
                    placed = true;
                    break;
                }
            if (!placed)
                roots.push_back(i);
            index.emplace(id, i);
        }
        std::function<Row(size_t)> build = [&](size_t i) {
            Row row = std::move(flat[i]);
            for (size_t child : children[i])
                row.children.push_back(build(child));
            return row;
        };
        std::vector<Row> out;
        for (size_t root : roots)
            out.push_back(build(root));
        return out;
    }

    std::map<std::string, RichValue> stems() {
        std::map<std::string, RichValue> out;
        Statement st = m_db.prepare("select A1, A15 from tab_title");
        while (st.step())
            out[st.text(0)] = richColumn(st, 1);
        return out;
    }

    /// Questions by chapter, in order; members of a group gathered where the first one stands.
    std::map<std::string, std::vector<Item>> questions() {
        std::map<std::string, RichValue> groupStems = stems();
        std::map<std::string, std::vector<Item>> out;
        std::map<std::string, std::pair<std::string, size_t>> groupItem;
        Statement st = m_db.prepare(
            "select a.A1, a.A2, a.A2_1, a.K3, a.K4, a.K5, a.K6, a.K7, a.K8, a.K9, a.K10, a.K11, "
            "a.K12, a.A10, a.A13, a.xx, e.A15, e.jx from tab_answ a left join tab_exer e on "
            "e.A1 = a.A1 where a.F1 <> 2 order by a.A10, a.xx, a.A1");
        while (st.step()) {
            Question q = question(st);
            const std::string chapter = textColumn(st, 13);
            std::vector<Item>& list = out[chapter];
            const std::string group =
                ids::isMemberId(q.id) ? q.id.substr(0, ids::kGroupIdLength) : "";
            auto found = groupItem.find(group);
            if (!group.empty() && found == groupItem.end()) {
                Item item;
                item.group = Group{group, groupStems[group], {}, {}};
                list.push_back(std::move(item));
                found = groupItem.emplace(group, std::pair(chapter, list.size() - 1)).first;
            }
            if (group.empty()) {
                Item item;
                item.question = std::move(q);
                list.push_back(std::move(item));
            } else {
                out[found->second.first][found->second.second].group->questions.push_back(
                    std::move(q));
            }
        }
        for (auto& [chapter, list] : out)
            dropImpliedOrders(list);
        return out;
    }

    /// The builder numbers questions by their place in the chapter; only other orders are kept.
    static void dropImpliedOrders(std::vector<Item>& list) {
        int position = 0;
        auto drop = [&](Question& q) {
            if (q.order == ++position)
                q.order.reset();
        };
        for (auto& item : list) {
            if (item.question)
                drop(*item.question);
            else
                for (auto& q : item.group->questions)
                    drop(q);
        }
    }

    Question question(const Statement& st) {
        Question q;
        q.id = st.text(0);
        q.type = static_cast<int>(st.integer(14));
        q.optionCount = static_cast<int>(st.integer(2));
        const std::string answer = textColumn(st, 1);
        if (q.type == 61 || q.type == 66 || answer != "1")
            q.answer = answer;
        for (int k = 3; k <= 12; ++k)
            if (const std::string point = textColumn(st, k); !point.empty())
                q.points.push_back(point);
        q.order = static_cast<int>(st.integer(15));
        q.text = richColumn(st, 16);
        q.explanation = richColumn(st, 17);
        return q;
    }

    Database& m_db;
    BankSource m_source;
};

} // namespace

BankSource dumpBank(Database& db) {
    return Dumper(db).run();
}

} // namespace tessaro::bank
