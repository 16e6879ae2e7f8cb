#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace registry {

// One prepared statement, done with when it goes out of scope. Every failure throws SqliteError,
// so callers read as straight-line SQL and the store decides what a failure means.
//
// The registry runs the same few dozen statements over and over, and preparing one costs more than
// running it, so each connection keeps its statements prepared: going out of scope resets the
// statement for its next use (one already in use is prepared afresh and finalized after).
// Thread: like the connection, used under the store's lock; ForgetConnection before closing one.
class SqliteStatement {
public:
    SqliteStatement(sqlite3* db, std::string_view sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    // Parameters are numbered from 1, as in SQLite.
    SqliteStatement& Bind(int index, std::int64_t value);
    SqliteStatement& Bind(int index, std::string_view text);
    SqliteStatement& Bind(int index, std::span<const std::uint8_t> bytes);

    // True while there is a row to read, false once the statement is done.
    bool Step();

    std::int64_t Int64(int column) const;
    std::string Text(int column) const;
    std::vector<std::uint8_t> Blob(int column) const;

    // Runs statements that return no rows ("PRAGMA ...; CREATE ...").
    static void Execute(sqlite3* db, const char* sql);

    // Finalizes the statements kept for `db`, which is about to be closed.
    static void ForgetConnection(sqlite3* db);

private:
    [[noreturn]] void Fail(int code) const;

    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
    // The in-use mark of a statement kept for the connection (reset, not finalized, when done);
    // null for a statement of its own.
    bool* keptInUse_ = nullptr;
};

}  // namespace registry
