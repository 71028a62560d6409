#include "SourceReader.h"

#include "SourceError.h"

#include <fstream>
#include <initializer_list>
#include <set>
#include <sstream>
#include <yaml-cpp/yaml.h>

namespace tessaro::bank {

namespace {

namespace fs = std::filesystem;

/// Reads the nodes of one file, checking keys and types as it goes.
class FileReader {
public:
    explicit FileReader(std::string file) : m_file(std::move(file)) {}

    SourcePos pos(const YAML::Node& node) const {
        return {m_file, node.Mark().line >= 0 ? node.Mark().line + 1 : 0};
    }

    [[noreturn]] void fail(const YAML::Node& node, const std::string& message) const {
        throw SourceError(pos(node), message);
    }

    void requireMap(const YAML::Node& node, std::string_view what,
                    std::initializer_list<std::string_view> keys) const {
        if (!node.IsMap())
            fail(node, std::string(what) + " must be a mapping of keys to values");
        for (const auto& entry : node) {
            const std::string key = entry.first.Scalar();
            bool known = false;
            for (auto allowed : keys)
                known = known || key == allowed;
            if (!known)
                fail(entry.first, "unknown key \"" + key + "\" in " + std::string(what));
        }
    }

    YAML::Node sequence(const YAML::Node& parent, const char* key) const {
        const YAML::Node node = parent[key];
        if (node && !node.IsSequence())
            fail(node, std::string("\"") + key + "\" must be a list");
        return node;
    }

    std::string text(const YAML::Node& parent, const char* key, bool required = false) const {
        const YAML::Node node = parent[key];
        if (!node || node.IsNull()) {
            if (required)
                fail(parent, std::string("\"") + key + "\" is missing");
            return {};
        }
        if (!node.IsScalar())
            fail(node, std::string("\"") + key + "\" must be a text");
        return node.Scalar();
    }

    template <typename T> T number(const YAML::Node& node, const char* key) const {
        if (!node.IsScalar())
            fail(node, std::string("\"") + key + "\" must be a number");
        try {
            return node.as<T>();
        } catch (const YAML::Exception&) {
            fail(node,
                 std::string("\"") + key + "\" must be a number, not \"" + node.Scalar() + "\"");
        }
    }

    template <typename T>
    std::optional<T> optionalNumber(const YAML::Node& parent, const char* key) const {
        const YAML::Node node = parent[key];
        if (!node || node.IsNull())
            return std::nullopt;
        return number<T>(node, key);
    }

    template <typename T> T requiredNumber(const YAML::Node& parent, const char* key) const {
        const auto value = optionalNumber<T>(parent, key);
        if (!value)
            fail(parent, std::string("\"") + key + "\" is missing");
        return *value;
    }

    std::optional<bool> flag(const YAML::Node& parent, const char* key) const {
        const YAML::Node node = parent[key];
        if (!node || node.IsNull())
            return std::nullopt;
        try {
            return node.as<bool>();
        } catch (const YAML::Exception&) {
            fail(node, std::string("\"") + key + "\" must be true or false");
        }
    }

    RichValue rich(const YAML::Node& parent, const char* key) const {
        return richNode(parent[key]);
    }

    RichValue richNode(const YAML::Node& node) const {
        RichValue value;
        if (!node || node.IsNull())
            return value;
        value.pos = pos(node);
        if (node.IsScalar()) {
            value.text = node.Scalar();
            // A block scalar starts on the line after its key.
            if (node.Tag() == "!" && value.text.find('\n') != std::string::npos)
                ++value.pos.line;
            return value;
        }
        requireMap(node, "rich text", {"rtf"});
        if (!node["rtf"].IsScalar())
            fail(node, "\"rtf\" must be a text holding an RTF document");
        value.kind = RichValue::Kind::Rtf;
        value.text = node["rtf"].Scalar();
        return value;
    }

    Question question(const YAML::Node& node) const {
        requireMap(node, "a question",
                   {"id", "type", "text", "options", "answer", "explanation", "points", "order"});
        Question q;
        q.pos = pos(node);
        q.id = text(node, "id");
        q.type = requiredNumber<int>(node, "type");
        q.text = rich(node, "text");
        if (q.text.empty())
            fail(node, "the question has no \"text\"");
        if (const YAML::Node options = node["options"]; options && options.IsSequence()) {
            for (const auto& option : options)
                q.options.push_back(richNode(option));
            q.optionCount = static_cast<int>(q.options.size());
        } else if (options && !options.IsNull()) {
            q.optionCount = number<int>(options, "options");
        }
        if (node["answer"] && !node["answer"].IsNull())
            q.answer = text(node, "answer");
        q.explanation = rich(node, "explanation");
        if (const YAML::Node points = sequence(node, "points"))
            for (const auto& point : points) {
                if (!point.IsScalar())
                    fail(point, "a knowledge point must be given by its id");
                q.points.push_back(point.Scalar());
            }
        q.order = optionalNumber<int>(node, "order");
        return q;
    }

    Group group(const YAML::Node& node) const {
        requireMap(node, "a group", {"id", "stem", "questions"});
        Group g;
        g.pos = pos(node);
        g.id = text(node, "id");
        g.stem = rich(node, "stem");
        if (g.stem.empty())
            fail(node, "the group has no \"stem\"");
        const YAML::Node questions = sequence(node, "questions");
        if (!questions || questions.size() == 0)
            fail(node, "the group has no questions");
        for (const auto& q : questions)
            g.questions.push_back(question(q));
        return g;
    }

    Chapter chapter(const YAML::Node& node) const {
        requireMap(
            node, "a syllabus row",
            {"code", "name", "label", "guidance", "chart", "existing", "children", "questions"});
        Chapter c;
        c.pos = pos(node);
        c.code = text(node, "code", true);
        c.name = text(node, "name");
        c.label = text(node, "label");
        c.guidance = rich(node, "guidance");
        c.charted = flag(node, "chart");
        c.existing = flag(node, "existing").value_or(false);
        if (const YAML::Node children = sequence(node, "children"))
            for (const auto& child : children)
                c.children.push_back(chapter(child));
        if (const YAML::Node questions = sequence(node, "questions"))
            for (const auto& entry : questions) {
                Item item;
                if (entry.IsMap() && entry["group"]) {
                    requireMap(entry, "a group entry", {"group"});
                    item.group = group(entry["group"]);
                } else {
                    item.question = question(entry);
                }
                c.items.push_back(std::move(item));
            }
        return c;
    }

    CatalogueEntry entry(const YAML::Node& node) const {
        requireMap(node, "a catalogue entry", {"id", "name", "existing", "children", "points"});
        CatalogueEntry e;
        e.pos = pos(node);
        e.id = text(node, "id", true);
        e.name = text(node, "name");
        e.existing = flag(node, "existing").value_or(false);
        if (const YAML::Node children = sequence(node, "children"))
            for (const auto& child : children)
                e.children.push_back(entry(child));
        if (const YAML::Node points = sequence(node, "points"))
            for (const auto& p : points) {
                requireMap(p, "a knowledge point", {"id", "label", "text"});
                Point point;
                point.pos = pos(p);
                point.id = text(p, "id");
                point.label = text(p, "label");
                point.text = rich(p, "text");
                e.points.push_back(std::move(point));
            }
        return e;
    }

    Plan plan(const YAML::Node& node) const {
        requireMap(
            node, "the plan",
            {"plan-mark", "plan-amount", "plan-time", "exam-date", "least-mark", "exam-time"});
        Plan p;
        p.planMark = optionalNumber<int>(node, "plan-mark").value_or(p.planMark);
        p.planAmount = optionalNumber<int>(node, "plan-amount").value_or(p.planAmount);
        p.planTime = optionalNumber<int>(node, "plan-time").value_or(p.planTime);
        p.examDate = text(node, "exam-date", true);
        p.leastMark = optionalNumber<int>(node, "least-mark").value_or(p.leastMark);
        p.examTime = optionalNumber<int>(node, "exam-time").value_or(p.examTime);
        return p;
    }

    PaperKind paper(const YAML::Node& node) const {
        requireMap(node, "a paper kind", {"kind", "title", "types"});
        PaperKind k;
        k.kind = requiredNumber<int>(node, "kind");
        if (k.kind < 1 || k.kind > 5)
            fail(node, "paper kinds are numbered 1 to 5");
        k.title = text(node, "title");
        if (const YAML::Node types = sequence(node, "types"))
            for (const auto& t : types) {
                requireMap(t, "a question type", {"code", "name", "count", "marks", "minutes"});
                PaperType type;
                type.code = requiredNumber<int>(t, "code");
                type.name = text(t, "name", true);
                type.count = requiredNumber<int>(t, "count");
                type.marks = requiredNumber<int>(t, "marks");
                type.minutes = optionalNumber<double>(t, "minutes").value_or(1.0);
                if (type.minutes < 0.1 || type.minutes > 30)
                    fail(t, "\"minutes\" must lie between 0.1 and 30");
                k.types.push_back(type);
            }
        return k;
    }

private:
    std::string m_file;
};

YAML::Node loadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw SourceError({file.string(), 0}, "cannot be read");
    std::stringstream content;
    content << in.rdbuf();
    try {
        return YAML::Load(content.str());
    } catch (const YAML::ParserException& error) {
        throw SourceError({file.string(), error.mark.line + 1}, error.msg);
    }
}

class SourceLoader {
public:
    BankSource load(const fs::path& file) {
        m_source.file = file.string();
        readFile(file, true);
        return std::move(m_source);
    }

private:
    void readFile(const fs::path& file, bool top) {
        const fs::path canonical = fs::weakly_canonical(file);
        if (!m_seen.insert(canonical.string()).second)
            throw SourceError({file.string(), 0}, "is included twice");
        const YAML::Node root = loadFile(file);
        const FileReader reader(file.string());
        if (top)
            reader.requireMap(root, "the bank source",
                              {"format", "product", "plan", "papers", "settings", "include",
                               "subjects", "catalogue"});
        else
            reader.requireMap(root, "an included file", {"subjects", "catalogue"});
        if (top)
            readHeader(reader, root);
        if (const YAML::Node subjects = reader.sequence(root, "subjects"))
            for (const auto& subject : subjects)
                m_source.subjects.push_back(reader.chapter(subject));
        if (const YAML::Node catalogue = reader.sequence(root, "catalogue"))
            for (const auto& entry : catalogue)
                m_source.catalogue.push_back(reader.entry(entry));
        if (const YAML::Node includes = reader.sequence(root, "include"))
            for (const auto& include : includes) {
                if (!include.IsScalar())
                    reader.fail(include, "an include names a file");
                readFile(file.parent_path() / include.Scalar(), false);
            }
    }

    void readHeader(const FileReader& reader, const YAML::Node& root) {
        if (reader.requiredNumber<int>(root, "format") != 1)
            reader.fail(root["format"], "this tool reads format 1");
        const YAML::Node product = root["product"];
        if (!product)
            reader.fail(root, "\"product\" is missing");
        reader.requireMap(product, "the product", {"id", "release", "name"});
        m_source.productId = reader.text(product, "id", true);
        m_source.release = reader.text(product, "release", true);
        m_source.productName = reader.text(product, "name");
        if (const YAML::Node plan = root["plan"])
            m_source.plan = reader.plan(plan);
        if (const YAML::Node papers = reader.sequence(root, "papers"))
            for (const auto& paper : papers)
                m_source.papers.push_back(reader.paper(paper));
        if (const YAML::Node settings = root["settings"]) {
            if (!settings.IsMap())
                reader.fail(settings, "\"settings\" must map names to values");
            for (const auto& entry : settings) {
                if (!entry.second.IsScalar())
                    reader.fail(entry.second, "a setting's value must be a text");
                m_source.settings[entry.first.Scalar()] = entry.second.Scalar();
            }
        }
    }

    BankSource m_source;
    std::set<std::string> m_seen;
};

} // namespace

BankSource readSource(const std::filesystem::path& file) {
    return SourceLoader().load(file);
}

} // namespace tessaro::bank
