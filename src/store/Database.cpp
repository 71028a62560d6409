#include "Database.h"

#include "SqlFunctions.h"

#include <atomic>
#include <sqlite3.h>

namespace tessaro::store {

namespace {

std::string errorText(sqlite3* handle, std::string_view context) {
    std::string message(context);
    message += ": ";
    message += handle ? sqlite3_errmsg(handle) : "out of memory";
    return message;
}

} // namespace

Statement::Statement(Database& db, std::string_view sql) : m_db(&db) {
    const int rc = sqlite3_prepare_v3(db.handle(), sql.data(), static_cast<int>(sql.size()), 0,
                                      &m_stmt, nullptr);
    if (rc != SQLITE_OK)
        throw DbError(errorText(db.handle(), "prepare \"" + std::string(sql) + "\""));
}

Statement::~Statement() {
    sqlite3_finalize(m_stmt);
}

Statement::Statement(Statement&& other) noexcept : m_db(other.m_db), m_stmt(other.m_stmt) {
    other.m_stmt = nullptr;
}

Statement& Statement::operator=(Statement&& other) noexcept {
    if (this != &other) {
        sqlite3_finalize(m_stmt);
        m_db = other.m_db;
        m_stmt = other.m_stmt;
        other.m_stmt = nullptr;
    }
    return *this;
}

void Statement::check(int rc) const {
    if (rc != SQLITE_OK)
        throw DbError(errorText(m_db->handle(), "bind"));
}

int Statement::parameterIndex(std::string_view name) const {
    const std::string key(name);
    const int index = sqlite3_bind_parameter_index(m_stmt, key.c_str());
    if (index == 0)
        throw DbError("no parameter named " + key);
    return index;
}

Statement& Statement::bind(int index, std::int64_t value) {
    check(sqlite3_bind_int64(m_stmt, index, value));
    return *this;
}

Statement& Statement::bind(int index, double value) {
    check(sqlite3_bind_double(m_stmt, index, value));
    return *this;
}

Statement& Statement::bind(int index, std::string_view text) {
    check(sqlite3_bind_text64(m_stmt, index, text.data(), text.size(), SQLITE_TRANSIENT,
                              SQLITE_UTF8));
    return *this;
}

Statement& Statement::bind(int index, const Blob& blob) {
    // A zero-length blob must stay a blob, not turn into NULL.
    static const std::uint8_t empty = 0;
    check(sqlite3_bind_blob64(m_stmt, index, blob.empty() ? &empty : blob.data(), blob.size(),
                              SQLITE_TRANSIENT));
    return *this;
}

Statement& Statement::bindNull(int index) {
    check(sqlite3_bind_null(m_stmt, index));
    return *this;
}

bool Statement::step() {
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    throw DbError(errorText(m_db->handle(), sqlite3_sql(m_stmt)));
}

void Statement::run() {
    while (step()) {
    }
    reset();
}

void Statement::reset() {
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

int Statement::columnCount() const {
    return sqlite3_column_count(m_stmt);
}

std::string Statement::columnName(int column) const {
    const char* name = sqlite3_column_name(m_stmt, column);
    return name ? name : "";
}

bool Statement::isNull(int column) const {
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

std::int64_t Statement::integer(int column) const {
    return sqlite3_column_int64(m_stmt, column);
}

double Statement::real(int column) const {
    return sqlite3_column_double(m_stmt, column);
}

std::string Statement::text(int column) const {
    const auto* data = sqlite3_column_text(m_stmt, column);
    const int size = sqlite3_column_bytes(m_stmt, column);
    return data ? std::string(reinterpret_cast<const char*>(data), size) : std::string();
}

Blob Statement::blob(int column) const {
    const auto* data = static_cast<const std::uint8_t*>(sqlite3_column_blob(m_stmt, column));
    const int size = sqlite3_column_bytes(m_stmt, column);
    return data ? Blob(data, data + size) : Blob();
}

std::optional<std::string> Statement::optionalText(int column) const {
    if (isNull(column))
        return std::nullopt;
    return text(column);
}

Database::Database(const std::string& path, Mode mode) : m_path(path) {
    int flags = SQLITE_OPEN_NOMUTEX;
    switch (mode) {
    case Mode::ReadOnly:
        flags |= SQLITE_OPEN_READONLY;
        break;
    case Mode::ReadWrite:
        flags |= SQLITE_OPEN_READWRITE;
        break;
    case Mode::ReadWriteCreate:
        flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
        break;
    }
    const int rc = sqlite3_open_v2(path.c_str(), &m_handle, flags, nullptr);
    if (rc != SQLITE_OK) {
        const std::string message = errorText(m_handle, "open " + path);
        sqlite3_close(m_handle);
        m_handle = nullptr;
        throw DbError(message);
    }
    sqlite3_extended_result_codes(m_handle, 1);
    sqlite3_busy_timeout(m_handle, 2000);
    registerJetFunctions(m_handle);
}

Database::~Database() {
    sqlite3_close_v2(m_handle);
}

void Database::exec(std::string_view sql) {
    const std::string text(sql);
    char* message = nullptr;
    if (sqlite3_exec(m_handle, text.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        std::string what = message ? message : "unknown error";
        sqlite3_free(message);
        throw DbError(what + " in \"" + text + "\"");
    }
}

std::optional<std::int64_t> Database::scalarInt(std::string_view sql) {
    Statement st(*this, sql);
    if (!st.step() || st.isNull(0))
        return std::nullopt;
    return st.integer(0);
}

std::optional<std::string> Database::scalarText(std::string_view sql) {
    Statement st(*this, sql);
    if (!st.step() || st.isNull(0))
        return std::nullopt;
    return st.text(0);
}

std::int64_t Database::changes() const {
    return sqlite3_changes64(m_handle);
}

std::vector<std::string> Database::userTables() {
    Statement st(*this, "select name from sqlite_master where type='table' "
                        "and name not like 'sqlite\\_%' escape '\\' order by name");
    std::vector<std::string> names;
    while (st.step())
        names.push_back(st.text(0));
    return names;
}

bool Database::hasTable(std::string_view name) {
    Statement st(*this, "select 1 from sqlite_master where type='table' and name=? collate nocase");
    st.bind(1, name);
    return st.step();
}

Transaction::Transaction(Database& db) : m_db(db) {
    static std::atomic<unsigned> counter{0};
    m_name = "tx" + std::to_string(++counter);
    m_db.exec("savepoint " + m_name);
}

Transaction::~Transaction() {
    if (m_done)
        return;
    try {
        m_db.exec("rollback to " + m_name);
        m_db.exec("release " + m_name);
    } catch (const DbError&) {
        // Nothing sensible is left to do while unwinding.
    }
}

void Transaction::commit() {
    m_db.exec("release " + m_name);
    m_done = true;
}

} // namespace tessaro::store
