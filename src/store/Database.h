#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace tessaro::store {

/// A failed database call, with SQLite's own message.
class DbError : public std::runtime_error {
public:
    explicit DbError(const std::string& what) : std::runtime_error(what) {}
};

using Blob = std::vector<std::uint8_t>;

class Database;

/// One prepared statement. Values are bound by 1-based index or by ":name"; the statement is
/// finalised when the object goes away.
class Statement {
public:
    Statement(Database& db, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;

    Statement& bind(int index, std::int64_t value);
    Statement& bind(int index, int value) { return bind(index, std::int64_t{value}); }
    Statement& bind(int index, double value);
    Statement& bind(int index, std::string_view text);
    Statement& bind(int index, const char* text) { return bind(index, std::string_view(text)); }
    Statement& bind(int index, const std::string& text) {
        return bind(index, std::string_view(text));
    }
    Statement& bind(int index, const Blob& blob);
    Statement& bindNull(int index);
    template <typename T> Statement& bind(std::string_view name, const T& value) {
        return bind(parameterIndex(name), value);
    }

    /// Advances to the next row; false when the statement is done.
    bool step();
    /// Runs a statement that returns no rows and resets it for reuse.
    void run();
    void reset();

    int columnCount() const;
    std::string columnName(int column) const;
    bool isNull(int column) const;
    std::int64_t integer(int column) const;
    double real(int column) const;
    std::string text(int column) const;
    Blob blob(int column) const;
    std::optional<std::string> optionalText(int column) const;

private:
    int parameterIndex(std::string_view name) const;
    void check(int rc) const;

    Database* m_db;
    sqlite3_stmt* m_stmt = nullptr;
};

/// Owns one SQLite connection. The Jet-flavoured SQL functions the program's statements use
/// (Left, Right, Len, Trim, Rtrim, CINT) are registered on it.
class Database {
public:
    enum class Mode { ReadWrite, ReadWriteCreate, ReadOnly };

    Database(const std::string& path, Mode mode);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    /// Runs one or more statements that need no parameters.
    void exec(std::string_view sql);
    Statement prepare(std::string_view sql) { return Statement(*this, sql); }

    /// First column of the first row, or nothing for no row or NULL.
    std::optional<std::int64_t> scalarInt(std::string_view sql);
    std::optional<std::string> scalarText(std::string_view sql);

    std::int64_t changes() const;
    std::vector<std::string> userTables();
    bool hasTable(std::string_view name);
    const std::string& path() const { return m_path; }
    sqlite3* handle() const { return m_handle; }

private:
    sqlite3* m_handle = nullptr;
    std::string m_path;
};

/// A savepoint that rolls back unless committed; savepoints nest, so callers need not know
/// whether an outer transaction is open.
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Database& m_db;
    std::string m_name;
    bool m_done = false;
};

} // namespace tessaro::store
