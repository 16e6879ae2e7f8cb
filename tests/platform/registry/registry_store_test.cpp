#include "platform/registry/registry_key.h"

#include "tests/support/temporary_directory.h"
#include "tests/support/temporary_registry.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

using namespace registry;
namespace fs = std::filesystem;

namespace {

// Sets or clears an environment variable for one scope.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            previous_ = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnvironment()
    {
        if (previous_)
            setenv(name_, previous_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> previous_;
};

void WriteGarbage(const fs::path& file)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    for (int i = 0; i < 512; ++i)
        out << "not a registry ";
}

std::vector<fs::path> AsideFiles(const fs::path& registryFile)
{
    std::vector<fs::path> found;
    const std::string prefix = registryFile.filename().string() + ".corrupt-";
    for (const fs::directory_entry& entry : fs::directory_iterator(registryFile.parent_path())) {
        if (entry.path().filename().string().starts_with(prefix))
            found.push_back(entry.path());
    }
    return found;
}

std::string Contents(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Forks a child that waits for a byte on `gate`, then runs body with a connection of its own and
// exits 0 when body succeeded.
pid_t StartChild(int gate, const std::function<bool()>& body)
{
    const pid_t pid = fork();
    if (pid == 0) {
        char go = 0;
        const bool ok = read(gate, &go, 1) == 1 && body();
        _exit(ok ? 0 : 1);
    }
    return pid;
}

int ExitCodeOf(pid_t pid)
{
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

bool WriteValues(const std::string& prefix, int count)
{
    RegistryKey key;
    if (key.Create(Hive::CurrentUser, "Software\\Race") != kSuccess)
        return false;
    for (int i = 0; i < count; ++i) {
        if (key.SetDwordValue(prefix + std::to_string(i), static_cast<std::uint32_t>(i)) != kSuccess)
            return false;
    }
    return true;
}

TEST(RegistryStore, AGarbageFileIsMovedAsideAndAFreshStoreTakesItsPlace)
{
    test_support::TemporaryRegistry registry;
    WriteGarbage(registry.file());
    const std::string garbage = Contents(registry.file());

    RegistryKey key;
    ASSERT_EQ(key.Create(Hive::CurrentUser, "Software\\Quillmere"), kSuccess);
    ASSERT_EQ(key.SetDwordValue("Kept", 1), kSuccess);
    std::uint32_t kept = 0;
    EXPECT_EQ(key.QueryDwordValue("Kept", kept), kSuccess);

    const std::vector<fs::path> aside = AsideFiles(registry.file());
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(Contents(aside.front()), garbage);
}

TEST(RegistryStore, AFileDamagedWhileOpenIsReplacedOnTheNextCall)
{
    test_support::TemporaryRegistry registry;
    RegistryKey key;
    ASSERT_EQ(key.Create(Hive::CurrentUser, "Software"), kSuccess);
    WriteGarbage(registry.file());

    // The key belonged to the damaged file; the fresh one does not know it.
    EXPECT_EQ(key.SetDwordValue("Lost", 1), kInvalidHandle);
    EXPECT_EQ(AsideFiles(registry.file()).size(), 1u);
    ASSERT_EQ(key.Create(Hive::CurrentUser, "Software"), kSuccess);
    EXPECT_EQ(key.SetDwordValue("Works", 1), kSuccess);
}

TEST(RegistryStore, AnotherProgramsDatabaseIsMovedAside)
{
    test_support::TemporaryRegistry registry;
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(registry.file().c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE registry_key (colour TEXT)", nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);

    RegistryKey key;
    ASSERT_EQ(key.Create(Hive::CurrentUser, "Software"), kSuccess);
    EXPECT_EQ(AsideFiles(registry.file()).size(), 1u);
}

TEST(RegistryStore, AnUnreachableFileAnswersCantReadAndCantWrite)
{
    test_support::TemporaryDirectory folder;
    const std::string file = (folder.path() / "missing" / "registry.sqlite").string();
    ScopedEnvironment location("PINLORE_REGISTRY", file.c_str());

    RegistryKey key;
    EXPECT_EQ(key.Open(Hive::CurrentUser, "Software"), kCantRead);
    EXPECT_EQ(key.Create(Hive::CurrentUser, "Software"), kCantWrite);
    EXPECT_FALSE(key.IsOpen());
    EXPECT_FALSE(fs::exists(folder.path() / "missing"));
}

TEST(RegistryStore, TheDefaultFileLivesInTheConfigFolderWhichIsCreated)
{
    test_support::TemporaryDirectory home;
    ScopedEnvironment noOverride("PINLORE_REGISTRY", nullptr);
    ScopedEnvironment homeFolder("HOME", home.path().c_str());
    {
        ScopedEnvironment noConfig("XDG_CONFIG_HOME", nullptr);
        EXPECT_EQ(RegistryPath(), (home.path() / ".config/pinlore/registry.sqlite").string());
    }
    const fs::path config = home.path() / "config";
    ScopedEnvironment configFolder("XDG_CONFIG_HOME", config.c_str());
    const fs::path file = config / "pinlore" / "registry.sqlite";
    EXPECT_EQ(RegistryPath(), file.string());

    RegistryKey key;
    ASSERT_EQ(key.Create(Hive::CurrentUser, "Software"), kSuccess);
    EXPECT_TRUE(fs::exists(file));
}

TEST(RegistryStore, KeysDoNotCarryOverToAnotherStoreFile)
{
    test_support::TemporaryRegistry first;
    RegistryKey key;
    ASSERT_EQ(key.Create(Hive::CurrentUser, "Software"), kSuccess);

    test_support::TemporaryRegistry second;
    EXPECT_EQ(key.SetDwordValue("Elsewhere", 1), kInvalidHandle);
    EXPECT_EQ(key.Open(Hive::CurrentUser, "Software"), kFileNotFound);
}

TEST(RegistryGeneration, ChangesWithEveryCommittedWriteAndOnlyThen)
{
    test_support::TemporaryRegistry registry;
    RegistryKey key;
    ASSERT_EQ(key.Create(Hive::CurrentUser, "Software"), kSuccess);
    const std::uint64_t start = RegistryGeneration();
    EXPECT_EQ(RegistryGeneration(), start);

    ASSERT_EQ(key.SetDwordValue("A", 1), kSuccess);
    const std::uint64_t afterWrite = RegistryGeneration();
    EXPECT_NE(afterWrite, start);

    std::uint32_t value = 0;
    ASSERT_EQ(key.QueryDwordValue("A", value), kSuccess);
    ASSERT_EQ(key.Create(Hive::CurrentUser, "Software"), kSuccess);
    EXPECT_EQ(key.DeleteSubKey("Missing"), kFileNotFound);
    EXPECT_EQ(RegistryGeneration(), afterWrite);
}

TEST(RegistryGeneration, ChangesWhenAnotherProcessCommits)
{
    test_support::TemporaryRegistry registry;
    RegistryKey key;
    ASSERT_EQ(key.Create(Hive::CurrentUser, "Software\\Race"), kSuccess);
    const std::uint64_t before = RegistryGeneration();

    int gate[2];
    ASSERT_EQ(pipe(gate), 0);
    const pid_t child = StartChild(gate[0], [] { return WriteValues("child", 1); });
    ASSERT_GT(child, 0);
    ASSERT_EQ(write(gate[1], "g", 1), 1);
    ASSERT_EQ(ExitCodeOf(child), 0);
    close(gate[0]);
    close(gate[1]);

    // Another process's commit is noticed within the store's check interval: poll until it shows.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (RegistryGeneration() == before && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
    EXPECT_NE(RegistryGeneration(), before);
    std::uint32_t value = 1;
    EXPECT_EQ(key.QueryDwordValue("child0", value), kSuccess);
    EXPECT_EQ(value, 0u);
}

TEST(RegistryConcurrency, TwoProcessesWritingAtOnceLoseNoValue)
{
    constexpr int kEach = 2000;
    test_support::TemporaryRegistry registry;
    RegistryKey key;
    ASSERT_EQ(key.Create(Hive::CurrentUser, "Software\\Race"), kSuccess);

    int gate[2];
    ASSERT_EQ(pipe(gate), 0);
    const pid_t child = StartChild(gate[0], [] { return WriteValues("child", kEach); });
    ASSERT_GT(child, 0);
    ASSERT_EQ(write(gate[1], "g", 1), 1);
    const bool parentWrote = WriteValues("parent", kEach);
    const int childExit = ExitCodeOf(child);
    close(gate[0]);
    close(gate[1]);
    ASSERT_TRUE(parentWrote);
    ASSERT_EQ(childExit, 0);

    std::vector<std::string> names;
    ASSERT_EQ(key.EnumValues(names), kSuccess);
    EXPECT_EQ(names.size(), 2u * kEach);
    for (const char* prefix : {"parent", "child"}) {
        for (int i = 0; i < kEach; ++i) {
            std::uint32_t value = 0;
            ASSERT_EQ(key.QueryDwordValue(prefix + std::to_string(i), value), kSuccess);
            ASSERT_EQ(value, static_cast<std::uint32_t>(i));
        }
    }
}

TEST(RegistryConcurrency, ThreadsShareTheStore)
{
    constexpr int kEach = 200;
    test_support::TemporaryRegistry registry;
    bool firstWrote = false;
    bool secondWrote = false;
    std::thread first([&] { firstWrote = WriteValues("first", kEach); });
    std::thread second([&] { secondWrote = WriteValues("second", kEach); });
    first.join();
    second.join();
    EXPECT_TRUE(firstWrote);
    EXPECT_TRUE(secondWrote);

    RegistryKey key;
    ASSERT_EQ(key.Open(Hive::CurrentUser, "Software\\Race"), kSuccess);
    std::vector<std::string> names;
    ASSERT_EQ(key.EnumValues(names), kSuccess);
    EXPECT_EQ(names.size(), 2u * kEach);
}

}  // namespace

TEST(RegistryBatch, WritesLandTogetherOrNotAtAll)
{
    test_support::TemporaryRegistry temporary;
    using namespace registry;
    const Status failed = WriteAll([] {
        RegistryKey key;
        EXPECT_EQ(key.Create(Hive::CurrentUser, "Software\\Batch"), kSuccess);
        EXPECT_EQ(key.SetDwordValue("First", 1), kSuccess);
        return kCantWrite;
    });
    EXPECT_EQ(failed, kCantWrite);
    RegistryKey missing;
    EXPECT_EQ(missing.Open(Hive::CurrentUser, "Software\\Batch"), kFileNotFound);

    EXPECT_EQ(WriteAll([] {
                  RegistryKey key;
                  const Status created = key.Create(Hive::CurrentUser, "Software\\Batch");
                  return created == kSuccess ? key.SetDwordValue("First", 1) : created;
              }),
              kSuccess);
    RegistryKey written;
    ASSERT_EQ(written.Open(Hive::CurrentUser, "Software\\Batch"), kSuccess);
    std::uint32_t value = 0;
    EXPECT_EQ(written.QueryDwordValue("First", value), kSuccess);
    EXPECT_EQ(value, 1u);
}

TEST(RegistryBatch, ReadsShareOneTransactionAndRefuseWrites)
{
    test_support::TemporaryRegistry temporary;
    using namespace registry;
    RegistryKey key;
    ASSERT_EQ(key.Create(Hive::CurrentUser, "Software\\Batch"), kSuccess);
    ASSERT_EQ(key.SetDwordValue("First", 1), kSuccess);

    std::uint32_t value = 0;
    EXPECT_EQ(ReadAll([&] {
                  RegistryKey read;
                  const Status opened = read.Open(Hive::CurrentUser, "Software\\Batch");
                  if (opened != kSuccess) return opened;
                  EXPECT_EQ(read.SetDwordValue("First", 2), kCantWrite);
                  EXPECT_EQ(WriteAll([&] { return read.SetDwordValue("First", 3); }), kCantWrite);
                  return read.QueryDwordValue("First", value);
              }),
              kSuccess);
    EXPECT_EQ(value, 1u);
    EXPECT_EQ(key.QueryDwordValue("First", value), kSuccess);
    EXPECT_EQ(value, 1u) << "no write inside the reads landed";
    EXPECT_EQ(ReadAll([] { return kFileNotFound; }), kFileNotFound);
}
