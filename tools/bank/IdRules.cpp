#include "IdRules.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace tessaro::bank::ids {

namespace {

std::string digits(int n, int width) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, n);
    return buffer;
}

bool isDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c));
    });
}

} // namespace

std::string questionId(std::string_view chapter, int n) {
    return "Q" + std::string(chapter) + digits(n, 4);
}

std::string groupId(std::string_view chapter, int n) {
    std::string id = "G" + std::string(chapter);
    id.resize(kGroupIdLength - 3, '0');
    return id + digits(n, 3);
}

std::string memberId(std::string_view group, int n) {
    return std::string(group) + "-" + digits(n, 2);
}

std::string pointId(std::string_view section, int n) {
    return std::string(section) + digits(n, 3);
}

bool isMemberId(std::string_view id) {
    return id.size() > kGroupIdLength + 1 && id.find('-') == kGroupIdLength;
}

bool isLearnerId(std::string_view id) {
    return id.size() >= 6 && id.substr(0, 2) == "US" && isDigits(id.substr(id.size() - 4));
}

std::string questionIdProblem(std::string_view id) {
    if (id.empty())
        return "question id is empty";
    if (id.size() > kMaxQuestionId)
        return "question id \"" + std::string(id) + "\" is longer than 20 characters";
    if (id.find_first_of(" '\"\t\r\n") != std::string_view::npos)
        return "question id \"" + std::string(id) + "\" holds blanks or quotes";
    if (id.find('-') != std::string_view::npos && !isMemberId(id))
        return "question id \"" + std::string(id) +
               "\" holds \"-\" but is not a 16-character group id, \"-\" and a suffix";
    if (id.substr(0, 2) == "US")
        return "question id \"" + std::string(id) +
               "\" begins with \"US\", kept for the learner's own questions";
    return {};
}

} // namespace tessaro::bank::ids
