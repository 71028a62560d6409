#include "JetSql.h"

#include <regex>

namespace tessaro::store::jet {

namespace {

std::string replaceAll(const std::string& text, const std::regex& pattern, const char* with) {
    return std::regex_replace(text, pattern, with);
}

/// Rewrites the wildcards of every quoted literal that follows LIKE.
std::string translateLikeLiterals(const std::string& sql) {
    static const std::regex likeLiteral(R"(\blike\s*'((?:[^']|'')*)')", std::regex::icase);
    std::string out;
    auto begin = std::sregex_iterator(sql.begin(), sql.end(), likeLiteral);
    std::size_t last = 0;
    for (auto it = begin; it != std::sregex_iterator(); ++it) {
        const auto& match = *it;
        out.append(sql, last, match.position(0) - last);
        out += "like '" + likePattern(match[1].str()) + "'";
        last = match.position(0) + match.length(0);
    }
    out.append(sql, last, std::string::npos);
    return out;
}

} // namespace

std::string translate(std::string_view jetSql) {
    static const std::regex deleteStar(R"(\bdelete\s+\*\s+from\b)", std::regex::icase);
    static const std::regex textType(R"(\bTEXT\s*\(\s*(\d+)\s*\))", std::regex::icase);
    static const std::regex memoType(R"(\bMEMO\b)", std::regex::icase);
    static const std::regex dateType(R"(\bDATETIME\b)", std::regex::icase);
    static const std::regex imageType(R"(\bIMAGE\b)", std::regex::icase);

    // LEFT and RIGHT are join keywords to SQLite; as quoted names they call the functions.
    static const std::regex leftRight(R"(\b(Left|Right)\s*\()", std::regex::icase);

    std::string sql(jetSql);
    sql = replaceAll(sql, deleteStar, "delete from");
    sql = replaceAll(sql, leftRight, "\"$1\"(");
    if (std::regex_search(sql, std::regex(R"(^\s*create\s+table\b)", std::regex::icase))) {
        sql = replaceAll(sql, textType, "TEXT($1) COLLATE NOCASE");
        sql = replaceAll(sql, memoType, "TEXT");
        sql = replaceAll(sql, dateType, "TEXT");
        sql = replaceAll(sql, imageType, "BLOB");
    }
    return translateLikeLiterals(sql);
}

std::string likePattern(std::string_view jetPattern) {
    std::string out;
    out.reserve(jetPattern.size());
    for (char c : jetPattern) {
        if (c == '*')
            out += '%';
        else if (c == '?')
            out += '_';
        else
            out += c;
    }
    return out;
}

std::string quoted(std::string_view text) {
    std::string out = "'";
    for (char c : text) {
        out += c;
        if (c == '\'')
            out += '\'';
    }
    return out + "'";
}

} // namespace tessaro::store::jet
