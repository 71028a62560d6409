#pragma once

#include <map>
#include <optional>
#include <string>

namespace tessaro::store {
class DataModule;
}

namespace tessaro::app {

/// The names of the subjects 1..5 the bank has, from their one-character syllabus rows.
std::map<int, std::string> subjectNames(store::DataModule& module);

/// Days from today to the examination day of the study plan; nothing without a plan or date.
std::optional<int> daysToExamination(store::DataModule& module);

} // namespace tessaro::app
