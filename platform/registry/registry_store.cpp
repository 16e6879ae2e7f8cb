#include "platform/registry/registry_store.h"

#include "platform/files/write_protection.h"
#include "platform/registry/sqlite_error.h"
#include "platform/registry/sqlite_statement.h"

#include <pwd.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <exception>
#include <chrono>
#include <filesystem>
#include <random>
#include <thread>
#include <optional>
#include <system_error>

namespace registry {
namespace {

constexpr std::chrono::milliseconds kDefaultBusyTimeout = std::chrono::seconds(60);
constexpr auto kExternalChangeInterval = std::chrono::milliseconds(50);

// A store the thread just gave up waiting for is most likely still held: for a moment its next
// calls give up at once, so that a command of many calls waits once, not once for each.
constexpr auto kStillHeld = std::chrono::seconds(2);

thread_local std::chrono::milliseconds tBusyTimeout = kDefaultBusyTimeout;
thread_local std::optional<std::chrono::steady_clock::time_point> tGaveUpAt;

std::chrono::milliseconds WaitAllowed()
{
    if (tGaveUpAt && std::chrono::steady_clock::now() - *tGaveUpAt < kStillHeld)
        return std::chrono::milliseconds(0);
    return tBusyTimeout;
}

void GaveUp(std::chrono::milliseconds allowed)
{
    // A call that was not to wait at all (an idle-time question) says nothing of the next.
    if (allowed.count() > 0)
        tGaveUpAt = std::chrono::steady_clock::now();
}

// Waits for another process's write to end, for as long as the calling thread may wait. SQLite's
// own handler backs off to 100 ms naps, and a process that writes in a loop takes the lock again
// within that time, so the waiting one could starve; short naps with jitter give each waiting writer
// a fair chance at the moment the lock frees.
int WaitForLock(void*, int attempt)
{
    thread_local std::chrono::steady_clock::time_point started;
    thread_local std::chrono::milliseconds allowed;
    const auto now = std::chrono::steady_clock::now();
    if (attempt == 0) {
        started = now;
        allowed = WaitAllowed();
    }
    if (now - started >= allowed) {
        GaveUp(allowed);
        return 0;
    }
    thread_local std::minstd_rand jitter(static_cast<unsigned>(getpid()));
    std::this_thread::sleep_for(std::chrono::microseconds(200 + jitter() % 1800));
    return 1;
}

constexpr const char* kHiveNames[] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",
                                      "HKEY_LOCAL_MACHINE"};

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS registry_key (
  id        INTEGER PRIMARY KEY AUTOINCREMENT,
  parent_id INTEGER REFERENCES registry_key(id) ON DELETE CASCADE,
  name      TEXT NOT NULL COLLATE NOCASE,
  UNIQUE (parent_id, name));
CREATE TABLE IF NOT EXISTS registry_value (
  key_id INTEGER NOT NULL REFERENCES registry_key(id) ON DELETE CASCADE,
  name   TEXT NOT NULL COLLATE NOCASE,
  type   INTEGER NOT NULL,
  data   BLOB NOT NULL,
  PRIMARY KEY (key_id, name));
)sql";

struct FileIdentity {
    dev_t device;
    ino_t inode;
    bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> IdentityOf(const std::string& path)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return FileIdentity{info.st_dev, info.st_ino};
}

// Codes that say the file itself is not a usable registry database, as opposed to a store that
// is busy, full or unreadable right now.
bool IsDamage(int code)
{
    return code == SQLITE_NOTADB || code == SQLITE_CORRUPT;
}

bool IsBusy(int code)
{
    return code == SQLITE_BUSY || code == SQLITE_LOCKED;
}

std::string FolderOf(const std::string& path)
{
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

std::string SystemReason(int error)
{
    return std::string(std::strerror(error)) + ".";
}

// Why the store's file cannot be written though it can be read; empty when nothing says so.
std::string WhyReadOnly(const std::string& path)
{
    if (files::IsWriteProtected(path.c_str()))
        return "The file is read-only.";
    // The rollback journal is made beside the file: without it no write can be committed.
    const std::string folder = FolderOf(path);
    if (files::IsWriteProtected(folder.c_str()))
        return "Its folder \"" + folder + "\" is read-only.";
    return {};
}

// Why the store's file can be neither opened nor made, in words for the user.
std::string WhyUnusable(const std::string& path, const std::exception& error)
{
    if (path.empty())
        return "There is no home folder to keep it in.";
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0) {
        if (S_ISDIR(status.st_mode))
            return "It is a folder, not a file.";
        if (!S_ISREG(status.st_mode))
            return "It is not a regular file.";
        if (::access(path.c_str(), R_OK) != 0)
            return SystemReason(errno);
    } else {
        const std::string folder = FolderOf(path);
        struct stat parent {};
        if (::stat(folder.c_str(), &parent) != 0)
            return "Its folder \"" + folder + "\" cannot be used: " + SystemReason(errno);
        if (!S_ISDIR(parent.st_mode))
            return "\"" + folder + "\" is not a folder.";
        if (files::IsWriteProtected(folder.c_str()))
            return "Its folder \"" + folder + "\" is read-only.";
    }
    return std::string("It cannot be opened: ") + error.what() + ".";
}

[[noreturn]] void ThrowDamage(const std::string& why)
{
    throw SqliteError(SQLITE_NOTADB, why);
}

std::string EnvironmentValue(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string HomeFolder()
{
    std::string home = EnvironmentValue("HOME");
    if (home.empty()) {
        if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
            home = entry->pw_dir;
    }
    return home;
}

std::string DefaultPath()
{
    std::string config = EnvironmentValue("XDG_CONFIG_HOME");
    // XDG base directories ignore relative values.
    if (config.empty() || config.front() != '/') {
        const std::string home = HomeFolder();
        if (home.empty())
            return {};
        config = home + "/.config";
    }
    return config + "/pinlore/registry.sqlite";
}

// Both tables present with the columns this code reads; fills the hive root ids. False when the
// schema still has to be created (a new file, or one a crash left half set up).
bool SchemaReady(sqlite3* db, std::array<std::int64_t, 3>& hives)
{
    SqliteStatement tables(db, "SELECT count(*) FROM sqlite_master WHERE type = 'table' "
                               "AND name IN ('registry_key', 'registry_value')");
    tables.Step();
    if (tables.Int64(0) < 2)
        return false;
    try {
        SqliteStatement keys(db, "SELECT id, parent_id, name FROM registry_key LIMIT 0");
        SqliteStatement values(db, "SELECT key_id, name, type, data FROM registry_value LIMIT 0");
    } catch (const SqliteError& error) {
        ThrowDamage(std::string("not a registry database: ") + error.what());
    }
    for (std::size_t hive = 0; hive < hives.size(); ++hive) {
        SqliteStatement root(db, "SELECT id FROM registry_key WHERE parent_id IS NULL AND name = ?");
        root.Bind(1, std::string_view(kHiveNames[hive]));
        if (!root.Step())
            return false;
        hives[hive] = root.Int64(0);
    }
    return true;
}

void CreateSchema(sqlite3* db)
{
    SqliteStatement::Execute(db, "BEGIN IMMEDIATE");
    try {
        SqliteStatement::Execute(db, kSchema);
        for (const char* name : kHiveNames) {
            // UNIQUE does not hold between NULL parents, so the roots are guarded by hand.
            SqliteStatement insert(db, "INSERT INTO registry_key (parent_id, name) SELECT NULL, ?1 "
                                       "WHERE NOT EXISTS (SELECT 1 FROM registry_key "
                                       "WHERE parent_id IS NULL AND name = ?1)");
            insert.Bind(1, std::string_view(name));
            insert.Step();
        }
        SqliteStatement::Execute(db, "COMMIT");
    } catch (const SqliteError& error) {
        if (!sqlite3_get_autocommit(db))
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        // Tables of these names but other columns: some other program's file.
        if (error.code() == SQLITE_ERROR)
            ThrowDamage(std::string("not a registry database: ") + error.what());
        throw;
    }
}

void Configure(sqlite3* db, bool suspectDamage, std::array<std::int64_t, 3>& hives)
{
    sqlite3_busy_handler(db, WaitForLock, nullptr);
    // A rollback journal with full syncs: a commit is on disk before it is reported, and the file
    // stays one file that users can copy.
    SqliteStatement::Execute(db, "PRAGMA foreign_keys = ON; PRAGMA synchronous = FULL; "
                                 "PRAGMA journal_mode = DELETE");
    if (suspectDamage) {
        SqliteStatement check(db, "PRAGMA quick_check");
        if (!check.Step() || check.Text(0) != "ok")
            ThrowDamage("registry database failed its integrity check");
    }
    if (SchemaReady(db, hives))
        return;
    CreateSchema(db);
    if (!SchemaReady(db, hives))
        ThrowDamage("registry database has no hive roots");
}

std::string AsideName(const std::string& path)
{
    char stamp[32];
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string base = path + ".corrupt-" + stamp;
    std::string candidate = base;
    for (int n = 1; IdentityOf(candidate); ++n)
        candidate = base + "-" + std::to_string(n);
    return candidate;
}

// Keeps the damaged file (the user may want to recover from it) and its journal, which would
// otherwise be played back into the fresh database, and says where it went. Another process may
// have moved the file already; then the file now at the path is its fresh one and stays, and it is
// that process's user who hears of the damage.
std::string MoveAside(const std::string& path, const std::optional<FileIdentity>& damaged)
{
    if (!damaged || IdentityOf(path) != damaged)
        return {};
    const std::string aside = AsideName(path);
    if (std::rename(path.c_str(), aside.c_str()) != 0)
        throw SqliteError(SQLITE_CANTOPEN, "cannot move the damaged registry aside");
    std::rename((path + "-journal").c_str(), (aside + "-journal").c_str());
    return aside;
}

}  // namespace

RegistryStore& RegistryStore::Instance()
{
    static RegistryStore store;
    return store;
}

RegistryStore::~RegistryStore()
{
    Disconnect();
}

std::string RegistryStore::Path()
{
    const std::string chosen = EnvironmentValue("PINLORE_REGISTRY");
    return chosen.empty() ? DefaultPath() : chosen;
}

Status RegistryStore::Read(const Work& work)
{
    return Run(false, work);
}

Status RegistryStore::Write(const Work& work)
{
    return Run(true, work);
}

std::uint64_t RegistryStore::Generation()
{
    std::unique_lock lock(mutex_, std::try_to_lock);
    if (!lock)
        return generation_;
    const ScopedBusyTimeout noWaiting(std::chrono::milliseconds(0));
    // Callers ask on every component creation. This process's own commits count at once (in
    // Transact); other processes' commits are looked for at most once per interval, which keeps a
    // file check and a query off every creation.
    const std::string path = Path();
    const auto now = std::chrono::steady_clock::now();
    if (db_ && owner_ == getpid() && path == checkedPath_ && now - checkedAt_ < kExternalChangeInterval)
        return generation_;
    checkedPath_ = path;
    checkedAt_ = now;
    try {
        Connect(false);
        // data_version moves when another connection commits; our own commits count in Transact.
        SqliteStatement version(db_, "PRAGMA data_version");
        version.Step();
        if (version.Int64(0) != dataVersion_) {
            dataVersion_ = version.Int64(0);
            ++generation_;
        }
    } catch (const SqliteError&) {
        // A store that cannot be read has no newer contents to announce.
    }
    return generation_;
}

Status RegistryStore::Batch(const std::function<Status()>& writes)
{
    return RunBatch(true, writes);
}

Status RegistryStore::ReadBatch(const std::function<Status()>& reads)
{
    return RunBatch(false, reads);
}

std::unique_lock<std::recursive_timed_mutex> RegistryStore::Acquire()
{
    std::unique_lock lock(mutex_, std::defer_lock);
    const std::chrono::milliseconds allowed = WaitAllowed();
    if (!lock.try_lock_for(allowed))
        GaveUp(allowed);
    return lock;
}

Status RegistryStore::RunBatch(bool write, const std::function<Status()>& steps)
{
    const std::unique_lock lock = Acquire();
    const Status failure = write ? kCantWrite : kCantRead;
    if (!lock) {
        if (write) NoticeWriteFailure(SQLITE_BUSY, {});
        return failure;
    }
    if (inBatch_) return write && !batchWrites_ ? kCantWrite : steps();
    try {
        Connect(false);
        const Work all = [&](const Session&) {
            inBatch_ = true;
            batchWrites_ = write;
            Status status = failure;
            try {
                status = steps();
            } catch (...) {
                inBatch_ = false;
                throw;
            }
            inBatch_ = false;
            return status;
        };
        return Transact(write, all);
    } catch (const SqliteError& error) {
        if (write) NoticeWriteFailure(error.code(), error.what());
        return failure;
    } catch (const std::exception&) {
        return failure;
    }
}

Status RegistryStore::Run(bool write, const Work& work)
{
    const std::unique_lock lock = Acquire();
    const Status failure = write ? kCantWrite : kCantRead;
    if (!lock) {
        if (write) NoticeWriteFailure(SQLITE_BUSY, {});
        return failure;
    }
    if (inBatch_) {
        // Inside a batch the transaction is already open on the connection; a read batch's
        // transaction would drop a write at its end, so it refuses one now.
        if (write && !batchWrites_)
            return kCantWrite;
        try {
            return work(Session{db_, epoch_, hives_});
        } catch (const std::exception&) {
            return failure;
        }
    }
    for (bool retried = false;; retried = true) {
        try {
            Connect(retried);
            return Transact(write, work);
        } catch (const SqliteError& error) {
            if (retried || !IsDamage(error.code())) {
                if (write) NoticeWriteFailure(error.code(), error.what());
                return failure;
            }
            // The file went bad under an open connection: reopen it, checked, once.
            Disconnect();
        } catch (const std::exception&) {
            return failure;
        }
    }
}

Status RegistryStore::Transact(bool write, const Work& work)
{
    SqliteStatement::Execute(db_, write ? "BEGIN IMMEDIATE" : "BEGIN");
    try {
        const sqlite3_int64 changesBefore = sqlite3_total_changes64(db_);
        const Status status = work(Session{db_, epoch_, hives_});
        const bool commit = write && status == kSuccess;
        SqliteStatement::Execute(db_, commit ? "COMMIT" : "ROLLBACK");
        if (commit && sqlite3_total_changes64(db_) != changesBefore)
            ++generation_;
        return status;
    } catch (...) {
        if (!sqlite3_get_autocommit(db_))
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

void RegistryStore::Connect(bool suspectDamage)
{
    const std::string path = Path();
    const bool inMemory = !memoryFor_.empty() && path == memoryFor_;
    if (db_ && owner_ == getpid() && !suspectDamage && path == path_ && inMemory == inMemory_ &&
        (inMemory || IdentityOf(path) == FileIdentity{device_, inode_}))
        return;
    Disconnect();
    sqlite3* db = nullptr;
    FileIdentity identity{};
    if (inMemory) {
        db = OpenInMemory();
    } else {
        if (path.empty())
            throw SqliteError(SQLITE_CANTOPEN, "no home folder for the registry");
        if (EnvironmentValue("PINLORE_REGISTRY").empty()) {
            std::error_code ignored;  // a folder that cannot be made shows up as a failed open
            std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
        }
        db = OpenUsable(path, suspectDamage);
        const std::optional<FileIdentity> found = IdentityOf(path);
        if (!found) {
            SqliteStatement::ForgetConnection(db);
            sqlite3_close(db);
            throw SqliteError(SQLITE_CANTOPEN, "registry file vanished while opening");
        }
        identity = *found;
    }
    if (path != path_ || inMemory != inMemory_ || identity != FileIdentity{device_, inode_})
        ++epoch_;
    db_ = db;
    path_ = path;
    inMemory_ = inMemory;
    device_ = identity.device;
    inode_ = identity.inode;
    owner_ = getpid();
    ++generation_;
    SqliteStatement version(db_, "PRAGMA data_version");
    version.Step();
    dataVersion_ = version.Int64(0);
}

sqlite3* RegistryStore::OpenUsable(const std::string& path, bool suspectDamage)
{
    for (bool movedAside = false;; movedAside = true) {
        const std::optional<FileIdentity> before = IdentityOf(path);
        // A FIFO or a device would block SQLite or feed it garbage; a folder cannot be opened at all.
        struct stat status {};
        if (before && (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)))
            throw SqliteError(SQLITE_CANTOPEN, "not a regular file");
        const std::string readOnly = WhyReadOnly(path);
        // A new file needs a folder it may be made in.
        if (!before && !readOnly.empty())
            throw SqliteError(SQLITE_CANTOPEN, readOnly);
        sqlite3* db = nullptr;
        const int flags = (readOnly.empty() ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE : SQLITE_OPEN_READONLY) |
                          SQLITE_OPEN_FULLMUTEX;
        const int code = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
        if (code != SQLITE_OK) {
            sqlite3_close(db);
            throw SqliteError(code, "cannot open the registry");
        }
        try {
            Configure(db, suspectDamage && !movedAside, hives_);
            if (!readOnly.empty())
                Notice(StoreNotice::Kind::ReadOnly, path, readOnly);
            return db;
        } catch (const SqliteError& error) {
            SqliteStatement::ForgetConnection(db);
            sqlite3_close(db);
            if (movedAside || !IsDamage(error.code()))
                throw;
            if (std::string aside = MoveAside(path, before); !aside.empty())
                Notice(StoreNotice::Kind::Replaced, std::move(aside), {});
        }
    }
}

sqlite3* RegistryStore::OpenInMemory()
{
    sqlite3* db = nullptr;
    const int code =
        sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX, nullptr);
    if (code != SQLITE_OK) {
        sqlite3_close(db);
        throw SqliteError(code, "cannot make the registry in memory");
    }
    try {
        Configure(db, false, hives_);
        return db;
    } catch (const SqliteError&) {
        SqliteStatement::ForgetConnection(db);
        sqlite3_close(db);
        throw;
    }
}

StoreState RegistryStore::Check(std::string& reason)
{
    const std::unique_lock lock = Acquire();
    if (!lock)
        return StoreState::Busy;
    for (bool retried = false;; retried = true) {
        try {
            Connect(retried);
            Transact(false, [](const Session& session) {
                SqliteStatement any(session.db, "SELECT 1 FROM registry_key LIMIT 1");
                any.Step();
                return kSuccess;
            });
            return StoreState::Ready;
        } catch (const SqliteError& error) {
            if (IsBusy(error.code()))
                return StoreState::Busy;
            // Damaged under an open connection: reopening it checked moves it aside.
            if (!retried && IsDamage(error.code())) {
                Disconnect();
                continue;
            }
            reason = WhyUnusable(Path(), error);
        } catch (const std::exception& error) {
            reason = WhyUnusable(Path(), error);
        }
        return StoreState::Unusable;
    }
}

void RegistryStore::KeepInMemory()
{
    std::lock_guard lock(mutex_);
    memoryFor_ = Path();
    Disconnect();
}

void RegistryStore::Notice(StoreNotice::Kind kind, std::string file, std::string detail)
{
    std::lock_guard lock(noticesMutex_);
    if (!told_.emplace(kind, Path()).second)
        return;
    notices_.push_back({kind, std::move(file), std::move(detail)});
    noticesPending_ = true;
}

void RegistryStore::NoticeWriteFailure(int code, const std::string& message)
{
    const std::string path = Path();
    if (IsBusy(code)) {
        Notice(StoreNotice::Kind::Busy, path, {});
        return;
    }
    // A store that cannot be opened at all is the business of whoever checked it at the start.
    if (inMemory_ || !IdentityOf(path))
        return;
    std::string why = WhyReadOnly(path);
    if (why.empty())
        why = message.empty() ? std::string("It cannot be written.") : "It cannot be written: " + message + ".";
    Notice(StoreNotice::Kind::ReadOnly, path, std::move(why));
}

std::vector<StoreNotice> RegistryStore::TakeNotices()
{
    std::lock_guard lock(noticesMutex_);
    noticesPending_ = false;
    return std::exchange(notices_, {});
}

void RegistryStore::Disconnect()
{
    // A connection must be neither used nor closed in a forked child: its file locks and journal
    // belong to the parent. The child leaves it as it is and opens its own.
    if (db_ && owner_ == getpid()) {
        SqliteStatement::ForgetConnection(db_);
        sqlite3_close(db_);
    }
    db_ = nullptr;
}

void SetBusyTimeout(std::chrono::milliseconds timeout)
{
    tBusyTimeout = timeout;
}

std::chrono::milliseconds BusyTimeout()
{
    return tBusyTimeout;
}

ScopedBusyTimeout::ScopedBusyTimeout(std::chrono::milliseconds timeout)
    : saved_(std::exchange(tBusyTimeout, timeout))
{
}

ScopedBusyTimeout::~ScopedBusyTimeout()
{
    tBusyTimeout = saved_;
}

StoreState CheckStore(std::string& reason)
{
    return RegistryStore::Instance().Check(reason);
}

void KeepStoreInMemory()
{
    RegistryStore::Instance().KeepInMemory();
}

std::vector<StoreNotice> TakeStoreNotices()
{
    return RegistryStore::Instance().TakeNotices();
}

bool StoreNoticesPending()
{
    return RegistryStore::Instance().NoticesPending();
}

}  // namespace registry
