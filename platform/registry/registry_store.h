#pragma once

#include "platform/registry/registry_key.h"
#include "platform/registry/store_state.h"

#include <sys/types.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <utility>
#include <vector>

struct sqlite3;

namespace registry {

// The process's one connection to the registry database. It follows the environment: when the
// path changes (tests point PINLORE_REGISTRY at a new file), or the file at the path is replaced,
// or the process was forked, the next call opens the file anew. A file that is not a registry
// database is moved aside to "<name>.corrupt-<time>" and a fresh one takes its place, so a damaged
// file costs the user their settings but never the program (and they hear of it: StoreNotice). A
// file or folder that is write-protected is opened for reading only.
//
// Thread: any; one mutex serialises the work of all threads. Across processes SQLite's file locks
// and a busy timeout make writers queue; each thread waits as long as its own busy timeout says,
// for the lock of the file and for the mutex alike.
class RegistryStore {
public:
    // What a piece of work runs against: the connection, which file it is on, and the hive roots.
    struct Session {
        sqlite3* db;
        // Changes whenever the connection moves to another file: key ids from an older file mean
        // nothing in this one.
        std::uint64_t epoch;
        std::array<std::int64_t, 3> hives;
    };
    using Work = std::function<Status(const Session&)>;

    static RegistryStore& Instance();

    // Runs work in one read transaction. Store failures answer kCantRead.
    Status Read(const Work& work);
    // Runs work in one write transaction (BEGIN IMMEDIATE, so a second writer waits for the lock
    // instead of failing on an upgrade later), committed only when work answers kSuccess.
    // Store failures answer kCantWrite.
    Status Write(const Work& work);

    // Runs several writes of this thread as one transaction: all of them land, or none (the first
    // failing write decides the answer). Other threads wait until the batch ends.
    Status Batch(const std::function<Status()>& writes);
    // Runs several reads of this thread in one read transaction: they see one state of the store,
    // and pay for the transaction once. A write inside answers kCantWrite. Other threads wait until
    // the batch ends.
    Status ReadBatch(const std::function<Status()>& reads);

    // Never waits: while another thread works on the store, the generation last seen.
    std::uint64_t Generation();

    StoreState Check(std::string& reason);
    void KeepInMemory();
    std::vector<StoreNotice> TakeNotices();
    bool NoticesPending() const { return noticesPending_; }

    static std::string Path();

private:
    RegistryStore() = default;
    ~RegistryStore();
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    // The store's mutex, taken within the calling thread's busy timeout; not owned when it was not.
    std::unique_lock<std::recursive_timed_mutex> Acquire();
    Status Run(bool write, const Work& work);
    Status RunBatch(bool write, const std::function<Status()>& steps);
    Status Transact(bool write, const Work& work);
    void Connect(bool suspectDamage);
    sqlite3* OpenUsable(const std::string& path, bool suspectDamage);
    sqlite3* OpenInMemory();
    void Disconnect();
    void Notice(StoreNotice::Kind kind, std::string file, std::string detail);
    // A write that failed (or could not start): the user hears that settings are not being saved.
    void NoticeWriteFailure(int code, const std::string& message);

    std::recursive_timed_mutex mutex_;  // recursive: the writes of a batch come back in through Run
    bool inBatch_ = false;
    bool batchWrites_ = false;
    sqlite3* db_ = nullptr;
    std::string path_;
    bool inMemory_ = false;
    std::string memoryFor_;  // the file the store stands in for in memory; empty while none
    dev_t device_ = 0;
    ino_t inode_ = 0;
    pid_t owner_ = 0;
    std::uint64_t epoch_ = 0;
    std::array<std::int64_t, 3> hives_{};
    std::atomic<std::uint64_t> generation_ = 0;
    std::string checkedPath_;
    std::chrono::steady_clock::time_point checkedAt_;
    std::int64_t dataVersion_ = 0;

    // Apart from mutex_, so that asking for notices never waits for a thread at work on the store.
    std::mutex noticesMutex_;
    std::vector<StoreNotice> notices_;
    std::set<std::pair<StoreNotice::Kind, std::string>> told_;
    std::atomic<bool> noticesPending_ = false;
};

}  // namespace registry
