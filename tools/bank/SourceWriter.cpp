#include "SourceWriter.h"

#include "SourceError.h"

#include <fstream>
#include <yaml-cpp/yaml.h>

namespace tessaro::bank {

namespace {

bool literalIsSafe(const std::string& text) {
    if (text.find('\n') == std::string::npos)
        return false;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string_view line(text.data() + start, end - start);
        if (!line.empty() && (line.front() == ' ' || line.front() == '\t' || line.back() == ' ' ||
                              line.back() == '\t' || line.back() == '\r'))
            return false;
        start = end + 1;
    }
    return text.back() != '\n';
}

void text(YAML::Emitter& out, const std::string& value) {
    if (literalIsSafe(value))
        out << YAML::Literal << value;
    else
        out << YAML::DoubleQuoted << value;
}

void rich(YAML::Emitter& out, const char* key, const RichValue& value) {
    if (value.empty())
        return;
    out << YAML::Key << key << YAML::Value;
    if (value.kind == RichValue::Kind::Rtf) {
        out << YAML::BeginMap << YAML::Key << "rtf" << YAML::Value;
        text(out, value.text);
        out << YAML::EndMap;
    } else {
        text(out, value.text);
    }
}

void field(YAML::Emitter& out, const char* key, const std::string& value) {
    if (!value.empty())
        out << YAML::Key << key << YAML::Value << YAML::DoubleQuoted << value;
}

void question(YAML::Emitter& out, const Question& q) {
    out << YAML::BeginMap;
    field(out, "id", q.id);
    out << YAML::Key << "type" << YAML::Value << q.type;
    rich(out, "text", q.text);
    if (q.optionCount > 0)
        out << YAML::Key << "options" << YAML::Value << q.optionCount;
    if (q.answer)
        out << YAML::Key << "answer" << YAML::Value << YAML::DoubleQuoted << *q.answer;
    rich(out, "explanation", q.explanation);
    if (!q.points.empty()) {
        out << YAML::Key << "points" << YAML::Value << YAML::Flow << YAML::BeginSeq;
        for (const auto& point : q.points)
            out << YAML::DoubleQuoted << point;
        out << YAML::EndSeq;
    }
    if (q.order)
        out << YAML::Key << "order" << YAML::Value << *q.order;
    out << YAML::EndMap;
}

void chapter(YAML::Emitter& out, const Chapter& c) {
    out << YAML::BeginMap;
    field(out, "code", c.code);
    field(out, "name", c.name);
    field(out, "label", c.label);
    rich(out, "guidance", c.guidance);
    if (c.charted)
        out << YAML::Key << "chart" << YAML::Value << *c.charted;
    if (!c.children.empty()) {
        out << YAML::Key << "children" << YAML::Value << YAML::BeginSeq;
        for (const auto& child : c.children)
            chapter(out, child);
        out << YAML::EndSeq;
    }
    if (!c.items.empty()) {
        out << YAML::Key << "questions" << YAML::Value << YAML::BeginSeq;
        for (const auto& item : c.items) {
            if (item.question) {
                question(out, *item.question);
                continue;
            }
            out << YAML::BeginMap << YAML::Key << "group" << YAML::Value << YAML::BeginMap;
            field(out, "id", item.group->id);
            rich(out, "stem", item.group->stem);
            out << YAML::Key << "questions" << YAML::Value << YAML::BeginSeq;
            for (const auto& q : item.group->questions)
                question(out, q);
            out << YAML::EndSeq << YAML::EndMap << YAML::EndMap;
        }
        out << YAML::EndSeq;
    }
    out << YAML::EndMap;
}

void entry(YAML::Emitter& out, const CatalogueEntry& e) {
    out << YAML::BeginMap;
    field(out, "id", e.id);
    field(out, "name", e.name);
    if (!e.children.empty()) {
        out << YAML::Key << "children" << YAML::Value << YAML::BeginSeq;
        for (const auto& child : e.children)
            entry(out, child);
        out << YAML::EndSeq;
    }
    if (!e.points.empty()) {
        out << YAML::Key << "points" << YAML::Value << YAML::BeginSeq;
        for (const auto& p : e.points) {
            out << YAML::BeginMap;
            field(out, "id", p.id);
            field(out, "label", p.label);
            rich(out, "text", p.text);
            out << YAML::EndMap;
        }
        out << YAML::EndSeq;
    }
    out << YAML::EndMap;
}

void header(YAML::Emitter& out, const BankSource& source) {
    out << YAML::Key << "format" << YAML::Value << 1;
    out << YAML::Key << "product" << YAML::Value << YAML::BeginMap;
    field(out, "id", source.productId);
    field(out, "release", source.release);
    field(out, "name", source.productName);
    out << YAML::EndMap;
    if (source.plan) {
        const Plan& p = *source.plan;
        out << YAML::Key << "plan" << YAML::Value << YAML::BeginMap;
        out << YAML::Key << "plan-mark" << YAML::Value << p.planMark;
        out << YAML::Key << "plan-amount" << YAML::Value << p.planAmount;
        out << YAML::Key << "plan-time" << YAML::Value << p.planTime;
        out << YAML::Key << "exam-date" << YAML::Value << YAML::DoubleQuoted << p.examDate;
        out << YAML::Key << "least-mark" << YAML::Value << p.leastMark;
        out << YAML::Key << "exam-time" << YAML::Value << p.examTime;
        out << YAML::EndMap;
    }
    out << YAML::Key << "papers" << YAML::Value << YAML::BeginSeq;
    for (const auto& paper : source.papers) {
        out << YAML::BeginMap << YAML::Key << "kind" << YAML::Value << paper.kind;
        field(out, "title", paper.title);
        out << YAML::Key << "types" << YAML::Value << YAML::BeginSeq;
        for (const auto& t : paper.types)
            out << YAML::Flow << YAML::BeginMap << YAML::Key << "code" << YAML::Value << t.code
                << YAML::Key << "name" << YAML::Value << YAML::DoubleQuoted << t.name << YAML::Key
                << "count" << YAML::Value << t.count << YAML::Key << "marks" << YAML::Value
                << t.marks << YAML::Key << "minutes" << YAML::Value << t.minutes << YAML::EndMap;
        out << YAML::EndSeq << YAML::EndMap;
    }
    out << YAML::EndSeq;
    if (!source.settings.empty()) {
        out << YAML::Key << "settings" << YAML::Value << YAML::BeginMap;
        for (const auto& [name, value] : source.settings)
            out << YAML::Key << name << YAML::Value << YAML::DoubleQuoted << value;
        out << YAML::EndMap;
    }
}

} // namespace

std::string formatSource(const BankSource& source) {
    YAML::Emitter out;
    out.SetIndent(2);
    out << YAML::BeginMap;
    header(out, source);
    out << YAML::Key << "catalogue" << YAML::Value << YAML::BeginSeq;
    for (const auto& e : source.catalogue)
        entry(out, e);
    out << YAML::EndSeq;
    out << YAML::Key << "subjects" << YAML::Value << YAML::BeginSeq;
    for (const auto& subject : source.subjects)
        chapter(out, subject);
    out << YAML::EndSeq << YAML::EndMap;
    return std::string(
               "# Tessaro question-bank source (bank/FORMAT.md), written by tessaro-bank dump.\n") +
           out.c_str() + "\n";
}

void writeSource(const BankSource& source, const std::filesystem::path& out) {
    const std::string text = formatSource(source);
    const auto partial = std::filesystem::path(out.string() + ".partial");
    {
        std::ofstream file(partial, std::ios::binary | std::ios::trunc);
        file << text;
        file.close();
        if (!file) {
            std::error_code ec;
            std::filesystem::remove(partial, ec);
            throw SourceError({out.string(), 0}, "cannot be written");
        }
    }
    std::error_code ec;
    std::filesystem::rename(partial, out, ec);
    if (ec)
        throw SourceError({out.string(), 0}, "cannot be written: " + ec.message());
}

} // namespace tessaro::bank
