#pragma once

#include <string>

namespace tessaro::store {

/// The text without leading and trailing blanks (spaces, tabs, line ends).
std::string trimBlanks(const std::string& text);

/// True when the text holds nothing but blanks.
bool isBlank(const std::string& text);

} // namespace tessaro::store
