#include "platform/registry/sqlite_statement.h"

#include "platform/registry/sqlite_error.h"

#include <sqlite3.h>

#include <map>
#include <string>
#include <utility>

namespace registry {

namespace {

struct KeptStatement {
    sqlite3_stmt* statement = nullptr;
    bool inUse = false;
};

// The statements kept per connection and SQL text. Used under the store's lock only, like the
// connections themselves; entries (and so their in-use marks) stay put until their connection is
// forgotten, which happens only when no statement of it is alive.
std::map<std::pair<sqlite3*, std::string>, KeptStatement>& Kept()
{
    // Never destroyed: the store closes its connection from its own static destructor, which may
    // run after this map's would have.
    static auto* kept = new std::map<std::pair<sqlite3*, std::string>, KeptStatement>();
    return *kept;
}

}  // namespace

SqliteStatement::SqliteStatement(sqlite3* db, std::string_view sql) : db_(db)
{
    auto [found, added] = Kept().try_emplace({db, std::string(sql)});
    if (!added && !found->second.inUse) {
        statement_ = found->second.statement;
        found->second.inUse = true;
        keptInUse_ = &found->second.inUse;
        return;
    }
    const int code = sqlite3_prepare_v3(db_, sql.data(), static_cast<int>(sql.size()),
                                        added ? SQLITE_PREPARE_PERSISTENT : 0, &statement_, nullptr);
    if (code != SQLITE_OK) {
        if (added)
            Kept().erase(found);
        Fail(code);
    }
    if (added) {
        found->second = {statement_, true};
        keptInUse_ = &found->second.inUse;
    }
}

SqliteStatement::~SqliteStatement()
{
    if (!keptInUse_) {
        sqlite3_finalize(statement_);
        return;
    }
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
    *keptInUse_ = false;
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

void SqliteStatement::ForgetConnection(sqlite3* db)
{
    auto& kept = Kept();
    for (auto it = kept.lower_bound({db, std::string()}); it != kept.end() && it->first.first == db;) {
        sqlite3_finalize(it->second.statement);
        it = kept.erase(it);
    }
}

void SqliteStatement::Fail(int code) const
{
    throw SqliteError(code, sqlite3_errmsg(db_));
}

}  // namespace registry
