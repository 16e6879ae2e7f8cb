#include "platform/registry/sqlite_statement.h"

#include "platform/registry/sqlite_error.h"

#include <sqlite3.h>

namespace registry {

SqliteStatement::SqliteStatement(sqlite3* db, std::string_view sql) : db_(db)
{
    const int code = sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &statement_,
                                        nullptr);
    if (code != SQLITE_OK)
        Fail(code);
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(statement_);
}

SqliteStatement& SqliteStatement::Bind(int index, std::int64_t value)
{
    const int code = sqlite3_bind_int64(statement_, index, value);
    if (code != SQLITE_OK)
        Fail(code);
    return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, std::string_view text)
{
    // A zero-length view may carry a null data pointer, which SQLite would bind as NULL rather
    // than as the empty name of a key's default value.
    const int code = sqlite3_bind_text64(statement_, index, text.empty() ? "" : text.data(),
                                         text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
    if (code != SQLITE_OK)
        Fail(code);
    return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, std::span<const std::uint8_t> bytes)
{
    static constexpr std::uint8_t kEmpty = 0;
    const int code = sqlite3_bind_blob64(statement_, index, bytes.empty() ? &kEmpty : bytes.data(),
                                         bytes.size(), SQLITE_TRANSIENT);
    if (code != SQLITE_OK)
        Fail(code);
    return *this;
}

bool SqliteStatement::Step()
{
    const int code = sqlite3_step(statement_);
    if (code == SQLITE_ROW)
        return true;
    if (code == SQLITE_DONE)
        return false;
    Fail(code);
}

std::int64_t SqliteStatement::Int64(int column) const
{
    return sqlite3_column_int64(statement_, column);
}

std::string SqliteStatement::Text(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    const int size = sqlite3_column_bytes(statement_, column);
    return text ? std::string(text, static_cast<std::size_t>(size)) : std::string();
}

std::vector<std::uint8_t> SqliteStatement::Blob(int column) const
{
    const auto* bytes = static_cast<const std::uint8_t*>(sqlite3_column_blob(statement_, column));
    const int size = sqlite3_column_bytes(statement_, column);
    return bytes ? std::vector<std::uint8_t>(bytes, bytes + size) : std::vector<std::uint8_t>();
}

void SqliteStatement::Execute(sqlite3* db, const char* sql)
{
    char* message = nullptr;
    const int code = sqlite3_exec(db, sql, nullptr, nullptr, &message);
    if (code != SQLITE_OK) {
        std::string text = message ? message : sqlite3_errstr(code);
        sqlite3_free(message);
        throw SqliteError(code, text);
    }
}

void SqliteStatement::Fail(int code) const
{
    throw SqliteError(code, sqlite3_errmsg(db_));
}

}  // namespace registry
