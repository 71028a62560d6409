#include "SqlFunctions.h"

#include "Database.h"

#include <cmath>
#include <sqlite3.h>
#include <string_view>

namespace tessaro::store {

namespace {

bool isContinuationByte(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

/// Byte offset of the character with the given index, clamped to the text's end.
std::size_t byteOffsetOfChar(std::string_view text, std::int64_t index) {
    std::size_t pos = 0;
    for (std::int64_t n = 0; n < index && pos < text.size(); ++n) {
        ++pos;
        while (pos < text.size() && isContinuationByte(static_cast<unsigned char>(text[pos])))
            ++pos;
    }
    return pos;
}

std::int64_t charCount(std::string_view text) {
    std::int64_t count = 0;
    for (unsigned char c : text)
        count += isContinuationByte(c) ? 0 : 1;
    return count;
}

std::string_view textArg(sqlite3_value* value) {
    const auto* data = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return data ? std::string_view(data, sqlite3_value_bytes(value)) : std::string_view();
}

bool anyNull(int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
            return true;
    return false;
}

void resultText(sqlite3_context* ctx, std::string_view text) {
    sqlite3_result_text64(ctx, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
}

void leftFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    const std::string_view text = textArg(argv[0]);
    const std::int64_t n = std::max<std::int64_t>(0, sqlite3_value_int64(argv[1]));
    resultText(ctx, text.substr(0, byteOffsetOfChar(text, n)));
}

void rightFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    const std::string_view text = textArg(argv[0]);
    const std::int64_t n = std::max<std::int64_t>(0, sqlite3_value_int64(argv[1]));
    const std::int64_t skip = std::max<std::int64_t>(0, charCount(text) - n);
    resultText(ctx, text.substr(byteOffsetOfChar(text, skip)));
}

void lenFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    sqlite3_result_int64(ctx, charCount(textArg(argv[0])));
}

void cintFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    sqlite3_value* value = argv[0];
    if (sqlite3_value_numeric_type(value) == SQLITE_TEXT)
        return sqlite3_result_error(ctx, "CINT: not a number", -1);
    const double rounded = std::nearbyint(sqlite3_value_double(value));
    if (rounded < -32768.0 || rounded > 32767.0)
        return sqlite3_result_error(ctx, "CINT: overflow", -1);
    sqlite3_result_int64(ctx, static_cast<std::int64_t>(rounded));
}

void define(sqlite3* handle, const char* name, int args,
            void (*fn)(sqlite3_context*, int, sqlite3_value**)) {
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    if (sqlite3_create_function_v2(handle, name, args, flags, nullptr, fn, nullptr, nullptr,
                                   nullptr) != SQLITE_OK)
        throw DbError(std::string("cannot register SQL function ") + name);
}

} // namespace

void registerJetFunctions(sqlite3* handle) {
    define(handle, "Left", 2, leftFunction);
    define(handle, "Right", 2, rightFunction);
    define(handle, "Len", 1, lenFunction);
    define(handle, "CINT", 1, cintFunction);
}

} // namespace tessaro::store
