#pragma once

#include <string>
#include <string_view>

namespace tessaro::store::jet {

/// Rewrites a statement in the Jet dialect into SQLite's where the two differ:
/// "delete * from" loses its star, Left( and Right( become calls of the functions, the column types
/// TEXT(n), MEMO, DATETIME and IMAGE get SQLite affinities (text columns compare without regard to
/// letter case, as in Jet), and "*" and "?" inside quoted LIKE patterns become "%" and "_".
std::string translate(std::string_view jetSql);

/// A LIKE pattern written with Jet's wildcards, for binding as a parameter.
std::string likePattern(std::string_view jetPattern);

/// Doubles single quotes, for the few places where a value must become SQL text.
std::string quoted(std::string_view text);

} // namespace tessaro::store::jet
