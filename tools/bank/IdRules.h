#pragma once

#include <string>
#include <string_view>

namespace tessaro::bank::ids {

inline constexpr size_t kMaxQuestionId = 20;
inline constexpr size_t kGroupIdLength = 16;
inline constexpr size_t kMaxPointId = 12;

/// Id the builder gives the n-th (1-based) single question of a chapter: "Q", code, 4 digits.
std::string questionId(std::string_view chapter, int n);
/// Id of the n-th group of a chapter: "G" and the code padded with "0" to 13 characters, then
/// three digits: always 16 characters.
std::string groupId(std::string_view chapter, int n);
/// Id of the n-th member of a group: group id, "-", two digits.
std::string memberId(std::string_view group, int n);
/// Id of the n-th point of a section: section id and three digits.
std::string pointId(std::string_view section, int n);

/// True for ids of group members: 16 characters, "-", a non-empty suffix.
bool isMemberId(std::string_view id);
/// Learner-added ids: "US" ... ending in four digits.
bool isLearnerId(std::string_view id);
/// Empty when a shipped question id keeps the id rules; otherwise what is wrong.
std::string questionIdProblem(std::string_view id);

} // namespace tessaro::bank::ids
