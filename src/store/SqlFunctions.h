#pragma once

struct sqlite3;

namespace tessaro::store {

/// Registers Left, Right, Len and CINT on a connection, with Jet's meaning: lengths count
/// characters, not bytes, and CINT rounds halves to even. Trim and Rtrim are SQLite's own.
void registerJetFunctions(sqlite3* handle);

} // namespace tessaro::store
