#include "Text.h"

#include <algorithm>
#include <iterator>

namespace tessaro::store {

std::string trimBlanks(const std::string& text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    auto first = std::find_if_not(text.begin(), text.end(), blank);
    auto last = std::find_if_not(text.rbegin(), std::make_reverse_iterator(first), blank).base();
    return std::string(first, last);
}

bool isBlank(const std::string& text) {
    return trimBlanks(text).empty();
}

} // namespace tessaro::store
