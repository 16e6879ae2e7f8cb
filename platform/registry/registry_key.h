#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A per-user registry in the shape of the Windows registry key API, stored in one SQLite file
// ($PINLORE_REGISTRY, else $XDG_CONFIG_HOME/pinlore/registry.sqlite). Key and value names are
// case-insensitive; paths use "\" between key names. Every write is one transaction, and a second
// process writing at the same time waits for the first instead of failing.
//
// Thread: a RegistryKey is used on the thread that opened it; the store underneath is safe to use
// from several threads and processes at once.
// Results: the Windows error codes below; kSuccess (0) on success.
namespace registry {

enum class Hive { ClassesRoot, CurrentUser, LocalMachine };

enum class ValueType : std::uint32_t { None = 0, String = 1, Binary = 3, Dword = 4 };

using Status = long;
inline constexpr Status kSuccess = 0;
inline constexpr Status kFileNotFound = 2;     // ERROR_FILE_NOT_FOUND: no such key or value
inline constexpr Status kAccessDenied = 5;     // ERROR_ACCESS_DENIED: deleting a key that has sub-keys
inline constexpr Status kInvalidHandle = 6;    // ERROR_INVALID_HANDLE: the key is not open
inline constexpr Status kInvalidParameter = 87;
inline constexpr Status kMoreData = 234;       // ERROR_MORE_DATA
inline constexpr Status kCantRead = 1012;      // ERROR_CANTREAD: the store could not be read
inline constexpr Status kCantWrite = 1013;     // ERROR_CANTWRITE: the store could not be written
inline constexpr Status kKeyDeleted = 1018;    // ERROR_KEY_DELETED: the open key has been deleted
inline constexpr Status kTypeMismatch = 1629;  // ERROR_DATATYPE_MISMATCH: value has another type

class RegistryKey {
public:
    RegistryKey() = default;

    // Opens an existing key ("Software\\Quillmere\\Pinlore\\Prefs") below a hive or below this key.
    Status Open(Hive hive, std::string_view path);
    Status Open(const RegistryKey& parent, std::string_view path);
    // Opens the key, creating it and every missing key on its path.
    Status Create(Hive hive, std::string_view path);
    Status Create(const RegistryKey& parent, std::string_view path);
    void Close();
    bool IsOpen() const { return id_.has_value(); }

    // Strings are UTF-8 here and stored as REG_SZ bytes: UTF-16LE with a terminating zero.
    Status SetStringValue(std::string_view name, std::string_view value);
    Status SetDwordValue(std::string_view name, std::uint32_t value);
    Status SetBinaryValue(std::string_view name, const std::vector<std::uint8_t>& bytes);
    // Stores exactly these bytes with this type (REG_NONE included).
    Status SetValue(std::string_view name, ValueType type, const std::vector<std::uint8_t>& bytes);

    Status QueryStringValue(std::string_view name, std::string& value) const;
    Status QueryDwordValue(std::string_view name, std::uint32_t& value) const;
    Status QueryBinaryValue(std::string_view name, std::vector<std::uint8_t>& bytes) const;
    Status QueryValue(std::string_view name, ValueType& type, std::vector<std::uint8_t>& bytes) const;
    // Type and size in bytes of a value, without its data.
    Status QueryValueInfo(std::string_view name, ValueType& type, std::uint32_t& size) const;

    Status DeleteValue(std::string_view name);
    // Deletes a direct or deeper sub-key that has no sub-keys of its own (kAccessDenied otherwise).
    Status DeleteSubKey(std::string_view path);
    // Deletes a sub-key with everything below it.
    Status RecursiveDeleteSubKey(std::string_view path);

    // Names of the direct sub-keys and of the values, in the order they were created.
    Status EnumSubKeys(std::vector<std::string>& names) const;
    Status EnumValues(std::vector<std::string>& names) const;

private:
    // Names from `query`, which selects them for the key bound as its one parameter.
    Status ListNames(const char* query, std::vector<std::string>& names) const;

    std::optional<std::int64_t> id_;
    // Which database file id_ belongs to; a key opened before the store moved to another file
    // answers kInvalidHandle.
    std::uint64_t store_ = 0;
};

// Runs several writes as one transaction: all of them land, or none. `writes` answers the status
// of the batch (its first failure); the transaction commits only on kSuccess.
Status WriteAll(const std::function<Status()>& writes);
// Runs several reads in one read transaction: they see one state of the store, even while another
// process writes, and cost one transaction instead of one each. `reads` answers the batch's status;
// a write inside it answers kCantWrite.
Status ReadAll(const std::function<Status()>& reads);

// Where the store lives for this process right now (the environment decides, see above).
std::string RegistryPath();

// A counter that changes whenever any process commits a write to the store: lets callers keep
// caches of registry contents and notice when they may be stale. This process's writes count at
// once; another process's are noticed within 50 ms.
std::uint64_t RegistryGeneration();

}  // namespace registry
