#include "platform/files/moved_file.h"
#include "tests/support/temporary_directory.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

// A trip made at /home/anna/Trips/Harbour and copied into the test's "usb/Harbour (copy)".
class MovedFile : public testing::Test {
protected:
    QString at(const fs::path& relative) const { return QString::fromStdString((moved_ / relative).string()); }
    void make(const fs::path& relative) const
    {
        fs::create_directories((moved_ / relative).parent_path());
        std::ofstream(moved_ / relative) << "picture";
    }

    test_support::TemporaryDirectory folder_;
    const fs::path moved_ = folder_.path() / "usb" / "Harbour (copy)";
};

TEST_F(MovedFile, AFileIsFoundAtItsPlaceRelativeToTheMapLongestFirstAndNowhereElse)
{
    const QString stored = "/home/anna/Trips/Harbour/Photos/a.jpg";
    const struct {
        const char* what;
        std::vector<fs::path> made;
        QString expected;  // relative to the moved map's folder; empty: the stored path, not found
        fs::path mapFolder = "";
    } cases[] = {
        {"beside the map", {"Photos/a.jpg"}, "Photos/a.jpg"},
        {"straight in the map's folder", {"a.jpg"}, "a.jpg"},
        {"the longest match first", {"Photos/a.jpg", "Harbour/Photos/a.jpg"}, "Harbour/Photos/a.jpg"},
        {"the whole stored path below the map", {"home/anna/Trips/Harbour/Photos/a.jpg", "a.jpg"},
         "home/anna/Trips/Harbour/Photos/a.jpg"},
        {"not a same-named file in another folder", {"Other/a.jpg"}, ""},
        {"nothing there", {}, ""},
        {"beside the folder of a map in a sub-folder", {"Photos/a.jpg"}, "Photos/a.jpg", "City"},
        {"its own folder before the one above", {"Photos/a.jpg", "City/Photos/a.jpg"}, "City/Photos/a.jpg", "City"},
        {"never a lone name above the map's folder", {"a.jpg"}, "", "City"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(moved_);
        fs::create_directories(moved_);
        for (const fs::path& made : c.made) make(made);
        const QString expected = c.expected.isEmpty() ? stored : at(c.expected.toStdString());
        fs::create_directories(moved_ / c.mapFolder);
        EXPECT_EQ(files::LocateFile(stored, at(c.mapFolder)).toStdString(), expected.toStdString());
    }
}

TEST_F(MovedFile, OnlyRegularFilesCountAndNothingLeadsOutOfTheMapsFolder)
{
    fs::create_directories(moved_ / "Photos");
    make("here.jpg");
    EXPECT_EQ(files::LocateFile(at("here.jpg"), "/elsewhere"), at("here.jpg")) << "a file where it was stays";
    EXPECT_EQ(files::LocateFile("", at("")), "");

    ASSERT_EQ(::mkfifo((moved_ / "Photos" / "fifo.jpg").c_str(), 0600), 0);
    fs::create_directories(moved_ / "Photos" / "folder.jpg");
    fs::create_symlink("loop.jpg", moved_ / "Photos" / "loop.jpg");
    for (const char* name : {"fifo.jpg", "folder.jpg", "loop.jpg"}) {
        const QString stored = QString("/old/Photos/") + name;
        EXPECT_EQ(files::LocateFile(stored, at("")), stored) << name;
    }

    // "secret.jpg" lies beside the map's folder, not in it: ".." must not reach it.
    std::ofstream(moved_.parent_path() / "secret.jpg") << "secret";
    EXPECT_EQ(files::LocateFile("/old/../secret.jpg", at("Photos")), "/old/../secret.jpg");
    make("kept.jpg");
    EXPECT_EQ(files::LocateFile("/old/x/../kept.jpg", at("")), at("kept.jpg"))
        << "only the components after the last \"..\" are joined";
}

}  // namespace
