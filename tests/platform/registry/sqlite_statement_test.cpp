#include "platform/registry/sqlite_statement.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

using registry::SqliteStatement;

// Statements are kept prepared per connection, yet two alive at once with the same text never share
// one, and forgetting the connection's statements lets it close.
TEST(SqliteStatement, KeptStatementsAreNeverSharedAndLetTheirConnectionClose)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
    SqliteStatement::Execute(db, "CREATE TABLE t (n INTEGER); INSERT INTO t VALUES (1), (2), (3)");
    constexpr char kQuery[] = "SELECT n FROM t WHERE n >= ? ORDER BY n";
    {
        SqliteStatement outer(db, kQuery);
        outer.Bind(1, 2);
        ASSERT_TRUE(outer.Step());
        SqliteStatement inner(db, kQuery);
        inner.Bind(1, 1);
        ASSERT_TRUE(inner.Step());
        EXPECT_EQ(inner.Int64(0), 1);
        EXPECT_EQ(outer.Int64(0), 2) << "the outer statement kept its row";
    }
    for (int again = 0; again < 2; ++again) {
        SqliteStatement reused(db, kQuery);
        reused.Bind(1, 3);
        ASSERT_TRUE(reused.Step()) << "a kept statement starts afresh";
        EXPECT_EQ(reused.Int64(0), 3);
        EXPECT_FALSE(reused.Step());
    }
    SqliteStatement::ForgetConnection(db);
    EXPECT_EQ(sqlite3_close(db), SQLITE_OK);
}
