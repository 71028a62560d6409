#pragma once

#include "richtext/Document.h"

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro::richtext::test {

// The bytes of a file in tests/richtext/fixtures.
std::string readFixture(std::string_view name);

// Every run of the document in reading order, table cells included.
std::vector<const Run*> allRuns(const Document& document);
// The first text run whose text contains part; nullptr when there is none.
const Run* findRun(const Document& document, std::string_view part);
// The paragraphs of the document outside tables.
std::vector<const Paragraph*> paragraphs(const Document& document);

} // namespace tessaro::richtext::test

namespace tessaro::richtext {
// Lets test failures show documents readably.
void PrintTo(const Document& document, std::ostream* os);
} // namespace tessaro::richtext
