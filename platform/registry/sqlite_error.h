#pragma once

#include <stdexcept>
#include <string>

namespace registry {

// A failed SQLite call inside the registry. It never crosses the public API: the store turns it
// into a Status, and into a fresh database when the code says the file is damaged.
class SqliteError : public std::runtime_error {
public:
    SqliteError(int code, const std::string& message) : std::runtime_error(message), code_(code) {}

    // The primary result code (SQLITE_BUSY, SQLITE_CORRUPT, ...), extended bits stripped.
    int code() const { return code_ & 0xff; }

private:
    int code_;
};

}  // namespace registry
