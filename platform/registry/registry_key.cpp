#include "platform/registry/registry_key.h"

#include "platform/registry/reg_sz.h"
#include "platform/registry/registry_store.h"
#include "platform/registry/sqlite_statement.h"

#include <sqlite3.h>

#include <functional>
#include <limits>

namespace registry {
namespace {

using Session = RegistryStore::Session;

// Where a path starts: a hive root, or an open key of a given store file.
struct Origin {
    std::optional<Hive> hive;
    std::optional<std::int64_t> key;
    std::uint64_t epoch = 0;
};

// Names travel through SQLite as text and are compared without regard to ASCII case; a zero byte
// or malformed UTF-8 could never round-trip, so such names are refused rather than mangled.
bool IsValidName(std::string_view name)
{
    return name.find('\0') == std::string_view::npos && EncodeRegSz(name).has_value();
}

// Key names between "\"; nothing for a path with an empty or invalid name in it. The empty path
// names the starting key itself.
std::optional<std::vector<std::string_view>> SplitPath(std::string_view path)
{
    std::vector<std::string_view> names;
    if (path.empty())
        return names;
    for (std::size_t start = 0;;) {
        const std::size_t end = path.find('\\', start);
        const std::string_view name = path.substr(start, end - start);
        if (name.empty() || !IsValidName(name))
            return std::nullopt;
        names.push_back(name);
        if (end == std::string_view::npos)
            return names;
        start = end + 1;
    }
}

bool KeyExists(sqlite3* db, std::int64_t id)
{
    SqliteStatement query(db, "SELECT 1 FROM registry_key WHERE id = ?");
    query.Bind(1, id);
    return query.Step();
}

std::optional<std::int64_t> FindChild(sqlite3* db, std::int64_t parent, std::string_view name)
{
    SqliteStatement query(db, "SELECT id FROM registry_key WHERE parent_id = ? AND name = ?");
    query.Bind(1, parent).Bind(2, name);
    if (!query.Step())
        return std::nullopt;
    return query.Int64(0);
}

// The key an origin stands for in this session, checked to still exist.
Status StartKey(const Session& session, const Origin& origin, std::int64_t& id)
{
    if (origin.hive) {
        id = session.hives[static_cast<std::size_t>(*origin.hive)];
        return kSuccess;
    }
    if (!origin.key || origin.epoch != session.epoch)
        return kInvalidHandle;
    if (!KeyExists(session.db, *origin.key))
        return kKeyDeleted;
    id = *origin.key;
    return kSuccess;
}

Status Walk(const Session& session, const Origin& origin, const std::vector<std::string_view>& names,
            bool create, std::int64_t& id)
{
    if (const Status status = StartKey(session, origin, id); status != kSuccess)
        return status;
    for (const std::string_view name : names) {
        if (const std::optional<std::int64_t> child = FindChild(session.db, id, name)) {
            id = *child;
            continue;
        }
        if (!create)
            return kFileNotFound;
        // Key ids are AUTOINCREMENT: never handed out twice, so an open handle to a deleted key
        // can never write into a newer key that took its id.
        SqliteStatement insert(session.db, "INSERT INTO registry_key (parent_id, name) VALUES (?1, ?2)");
        insert.Bind(1, id).Bind(2, name);
        insert.Step();
        id = sqlite3_last_insert_rowid(session.db);
    }
    return kSuccess;
}

bool IsValidHive(Hive hive)
{
    return hive == Hive::ClassesRoot || hive == Hive::CurrentUser || hive == Hive::LocalMachine;
}

// Opens or creates the key at path below origin; the outputs change only on success, so a failed
// Open leaves the key as it was (and a key may be reopened relative to itself).
Status Locate(const Origin& origin, std::string_view path, bool create, std::optional<std::int64_t>& key,
              std::uint64_t& epoch)
{
    if (!origin.hive && !origin.key)
        return kInvalidHandle;
    if (origin.hive && !IsValidHive(*origin.hive))
        return kInvalidParameter;
    const std::optional<std::vector<std::string_view>> names = SplitPath(path);
    if (!names)
        return kInvalidParameter;
    std::int64_t found = 0;
    std::uint64_t foundEpoch = 0;
    const RegistryStore::Work work = [&](const Session& session) {
        foundEpoch = session.epoch;
        return Walk(session, origin, *names, create, found);
    };
    RegistryStore& store = RegistryStore::Instance();
    const Status status = create ? store.Write(work) : store.Read(work);
    if (status == kSuccess) {
        key = found;
        epoch = foundEpoch;
    }
    return status;
}

// Runs work on an open key that still exists in the current store file.
Status OnKey(bool write, std::optional<std::int64_t> key, std::uint64_t epoch,
             const std::function<Status(sqlite3*, std::int64_t)>& work)
{
    if (!key)
        return kInvalidHandle;
    const RegistryStore::Work checked = [&](const Session& session) {
        std::int64_t id = 0;
        if (const Status status = StartKey(session, Origin{std::nullopt, key, epoch}, id);
            status != kSuccess)
            return status;
        return work(session.db, id);
    };
    RegistryStore& store = RegistryStore::Instance();
    return write ? store.Write(checked) : store.Read(checked);
}

// Resolves a non-empty sub-key path below key for the deletions.
Status FindSubKey(sqlite3* db, std::int64_t key, const std::vector<std::string_view>& names,
                  std::int64_t& id)
{
    id = key;
    for (const std::string_view name : names) {
        const std::optional<std::int64_t> child = FindChild(db, id, name);
        if (!child)
            return kFileNotFound;
        id = *child;
    }
    return kSuccess;
}

void DeleteKeyRow(sqlite3* db, std::int64_t id)
{
    SqliteStatement remove(db, "DELETE FROM registry_key WHERE id = ?");
    remove.Bind(1, id);
    remove.Step();
}

}  // namespace

Status RegistryKey::Open(Hive hive, std::string_view path)
{
    return Locate(Origin{hive, std::nullopt, 0}, path, false, id_, store_);
}

Status RegistryKey::Open(const RegistryKey& parent, std::string_view path)
{
    return Locate(Origin{std::nullopt, parent.id_, parent.store_}, path, false, id_, store_);
}

Status RegistryKey::Create(Hive hive, std::string_view path)
{
    return Locate(Origin{hive, std::nullopt, 0}, path, true, id_, store_);
}

Status RegistryKey::Create(const RegistryKey& parent, std::string_view path)
{
    return Locate(Origin{std::nullopt, parent.id_, parent.store_}, path, true, id_, store_);
}

void RegistryKey::Close()
{
    id_.reset();
    store_ = 0;
}

Status RegistryKey::SetStringValue(std::string_view name, std::string_view value)
{
    const std::optional<std::vector<std::uint8_t>> bytes = EncodeRegSz(value);
    if (!bytes)
        return kInvalidParameter;
    return SetValue(name, ValueType::String, *bytes);
}

Status RegistryKey::SetDwordValue(std::string_view name, std::uint32_t value)
{
    return SetValue(name, ValueType::Dword,
                    {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                     static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)});
}

Status RegistryKey::SetBinaryValue(std::string_view name, const std::vector<std::uint8_t>& bytes)
{
    return SetValue(name, ValueType::Binary, bytes);
}

Status RegistryKey::SetValue(std::string_view name, ValueType type,
                             const std::vector<std::uint8_t>& bytes)
{
    if (!IsValidName(name) || bytes.size() > std::numeric_limits<std::uint32_t>::max())
        return kInvalidParameter;
    return OnKey(true, id_, store_, [&](sqlite3* db, std::int64_t key) {
        // An upsert rather than a replace keeps the row, so the value keeps its first spelling
        // and its place in the enumeration order.
        SqliteStatement upsert(db, "INSERT INTO registry_value (key_id, name, type, data) "
                                   "VALUES (?, ?, ?, ?) ON CONFLICT (key_id, name) "
                                   "DO UPDATE SET type = excluded.type, data = excluded.data");
        upsert.Bind(1, key).Bind(2, name).Bind(3, static_cast<std::int64_t>(type)).Bind(4, bytes);
        upsert.Step();
        return kSuccess;
    });
}

Status RegistryKey::QueryStringValue(std::string_view name, std::string& value) const
{
    ValueType type = ValueType::None;
    std::vector<std::uint8_t> bytes;
    if (const Status status = QueryValue(name, type, bytes); status != kSuccess)
        return status;
    if (type != ValueType::String)
        return kTypeMismatch;
    value = DecodeRegSz(bytes);
    return kSuccess;
}

Status RegistryKey::QueryDwordValue(std::string_view name, std::uint32_t& value) const
{
    ValueType type = ValueType::None;
    std::vector<std::uint8_t> bytes;
    if (const Status status = QueryValue(name, type, bytes); status != kSuccess)
        return status;
    if (type != ValueType::Dword || bytes.size() != 4)
        return kTypeMismatch;
    value = std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 | std::uint32_t(bytes[2]) << 16 |
            std::uint32_t(bytes[3]) << 24;
    return kSuccess;
}

Status RegistryKey::QueryBinaryValue(std::string_view name, std::vector<std::uint8_t>& bytes) const
{
    ValueType type = ValueType::None;
    std::vector<std::uint8_t> data;
    if (const Status status = QueryValue(name, type, data); status != kSuccess)
        return status;
    if (type != ValueType::Binary)
        return kTypeMismatch;
    bytes = std::move(data);
    return kSuccess;
}

Status RegistryKey::QueryValue(std::string_view name, ValueType& type,
                               std::vector<std::uint8_t>& bytes) const
{
    if (!IsValidName(name))
        return kInvalidParameter;
    return OnKey(false, id_, store_, [&](sqlite3* db, std::int64_t key) {
        SqliteStatement query(db, "SELECT type, data FROM registry_value WHERE key_id = ? AND name = ?");
        query.Bind(1, key).Bind(2, name);
        if (!query.Step())
            return kFileNotFound;
        type = static_cast<ValueType>(query.Int64(0));
        bytes = query.Blob(1);
        return kSuccess;
    });
}

Status RegistryKey::QueryValueInfo(std::string_view name, ValueType& type, std::uint32_t& size) const
{
    if (!IsValidName(name))
        return kInvalidParameter;
    return OnKey(false, id_, store_, [&](sqlite3* db, std::int64_t key) {
        SqliteStatement query(db, "SELECT type, length(CAST(data AS BLOB)) FROM registry_value "
                                  "WHERE key_id = ? AND name = ?");
        query.Bind(1, key).Bind(2, name);
        if (!query.Step())
            return kFileNotFound;
        type = static_cast<ValueType>(query.Int64(0));
        size = static_cast<std::uint32_t>(query.Int64(1));
        return kSuccess;
    });
}

Status RegistryKey::DeleteValue(std::string_view name)
{
    if (!IsValidName(name))
        return kInvalidParameter;
    return OnKey(true, id_, store_, [&](sqlite3* db, std::int64_t key) {
        SqliteStatement remove(db, "DELETE FROM registry_value WHERE key_id = ? AND name = ?");
        remove.Bind(1, key).Bind(2, name);
        remove.Step();
        return sqlite3_changes64(db) == 0 ? kFileNotFound : kSuccess;
    });
}

Status RegistryKey::DeleteSubKey(std::string_view path)
{
    const std::optional<std::vector<std::string_view>> names = SplitPath(path);
    if (!names || names->empty())
        return kInvalidParameter;
    return OnKey(true, id_, store_, [&](sqlite3* db, std::int64_t key) {
        std::int64_t id = 0;
        if (const Status status = FindSubKey(db, key, *names, id); status != kSuccess)
            return status;
        SqliteStatement children(db, "SELECT 1 FROM registry_key WHERE parent_id = ? LIMIT 1");
        children.Bind(1, id);
        if (children.Step())
            return kAccessDenied;
        DeleteKeyRow(db, id);
        return kSuccess;
    });
}

Status RegistryKey::RecursiveDeleteSubKey(std::string_view path)
{
    const std::optional<std::vector<std::string_view>> names = SplitPath(path);
    if (!names || names->empty())
        return kInvalidParameter;
    return OnKey(true, id_, store_, [&](sqlite3* db, std::int64_t key) {
        std::int64_t id = 0;
        if (const Status status = FindSubKey(db, key, *names, id); status != kSuccess)
            return status;
        // The foreign keys cascade the delete to every key and value below.
        DeleteKeyRow(db, id);
        return kSuccess;
    });
}

Status RegistryKey::EnumSubKeys(std::vector<std::string>& names) const
{
    return ListNames("SELECT name FROM registry_key WHERE parent_id = ? ORDER BY id", names);
}

Status RegistryKey::EnumValues(std::vector<std::string>& names) const
{
    return ListNames("SELECT name FROM registry_value WHERE key_id = ? ORDER BY rowid", names);
}

Status RegistryKey::ListNames(const char* query, std::vector<std::string>& names) const
{
    return OnKey(false, id_, store_, [&](sqlite3* db, std::int64_t key) {
        SqliteStatement statement(db, query);
        statement.Bind(1, key);
        std::vector<std::string> found;
        while (statement.Step())
            found.push_back(statement.Text(0));
        names = std::move(found);
        return kSuccess;
    });
}

std::string RegistryPath()
{
    return RegistryStore::Path();
}

std::uint64_t RegistryGeneration()
{
    return RegistryStore::Instance().Generation();
}

}  // namespace registry

namespace registry {

Status WriteAll(const std::function<Status()>& writes)
{
    return RegistryStore::Instance().Batch(writes);
}

Status ReadAll(const std::function<Status()>& reads)
{
    return RegistryStore::Instance().ReadBatch(reads);
}

}  // namespace registry
