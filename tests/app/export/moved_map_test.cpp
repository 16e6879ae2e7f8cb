#include "tests/app/export/map_files.h"
#include "tests/app/export/site_folder.h"
#include "tests/support/registered_components.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <sys/stat.h>
#include <gtest/gtest.h>

using export_test::MapFiles;

namespace {

constexpr int kPatienceMs = 60000;

struct Outcome {
    int status = -1;
    QString err;
};

// Every file of a folder's tree by its path inside it, with its bytes.
std::map<QString, QByteArray> TreeOf(const QString& folder)
{
    std::map<QString, QByteArray> tree;
    QDirIterator files(folder, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        tree.emplace(QDir(folder).relativeFilePath(path), file.readAll());
    }
    return tree;
}

// A trip made in "made/Trip": a country map, a city map in a sub-folder whose photo spot shows a
// picture of the country's Photos folder, and two pictures named alike in different folders.
class MovedMap : public test_support::ComponentTest {
protected:
    void SetUp() override
    {
        test_support::ComponentTest::SetUp();
        const QString trip = folder_.folder("made/Trip");
        QDir(trip).mkpath("Photos/Harbour");
        QDir(trip).mkpath("City");
        const QString country = folder_.picture("made/Trip/Country.png", {800, 600}, Qt::darkGreen);
        const QString a = folder_.picture("made/Trip/Photos/a.jpg", {320, 240}, Qt::red);
        const QString harbourA = folder_.picture("made/Trip/Photos/Harbour/a.jpg", {320, 240}, Qt::blue);
        const QString b = folder_.picture("made/Trip/Photos/b.jpg", {320, 240}, Qt::yellow);
        const QString city = folder_.picture("made/Trip/City/City.png", {640, 480}, Qt::gray);
        auto cityMap = MapFiles::NewMap(city);
        MapFiles::AddPhotoSpot(cityMap.get(), {10, 10, 60, 60}, {b});
        MapFiles::Save(cityMap.get(), trip + "/City/City.plm");
        auto countryMap = MapFiles::NewMap(country);
        MapFiles::AddPhotoSpot(countryMap.get(), {100, 100, 200, 200}, {a, harbourA});
        MapFiles::AddMapSpot(countryMap.get(), {300, 300, 400, 400}, trip + "/City/City.plm");
        MapFiles::Save(countryMap.get(), trip + "/Trip.plm");
    }

    Outcome run(const QStringList& arguments)
    {
        QProcess program;
        program.start(PINLORE_PROGRAM, arguments);
        if (!program.waitForFinished(kPatienceMs)) {
            ADD_FAILURE() << "the program did not end";
            program.kill();
            program.waitForFinished();
        }
        return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
                QString::fromUtf8(program.readAllStandardError())};
    }

    // The classic site of the map at `map`, exported into `into`.
    std::map<QString, QByteArray> exported(const QString& map, const QString& into)
    {
        const Outcome outcome = run({"--export-html", map, folder_.folder(into)});
        EXPECT_EQ(outcome.status, 0) << outcome.err.toStdString();
        return TreeOf(folder_.path(into + "/Trip"));
    }

    export_test::SiteFolder folder_;
};

TEST_F(MovedMap, AMovedTreeAndItsPackExportAsTheyDidWhereTheyWereMade)
{
    const auto before = exported(folder_.path("made/Trip/Trip.plm"), "site-before");
    ASSERT_FALSE(before.empty());

    ASSERT_TRUE(QDir().mkpath(folder_.path("usb")));
    ASSERT_TRUE(QDir().rename(folder_.path("made/Trip"), folder_.path("usb/Trip (copy)")));
    // A picture of the same name elsewhere is another picture: never taken for a.jpg.
    folder_.folder("made/Photos");
    folder_.picture("made/Photos/a.jpg", {320, 240}, Qt::magenta);
    EXPECT_EQ(exported(folder_.path("usb/Trip (copy)/Trip.plm"), "site-moved"), before);

    const Outcome packed = run({"--pack", folder_.path("usb/Trip (copy)/Trip.plm"), folder_.folder("packs")});
    ASSERT_EQ(packed.status, 0) << packed.err.toStdString();
    const auto pack = TreeOf(folder_.path("packs/Trip"));
    for (const char* file : {"Trip.plm", "maps/City.plm", "pictures/Country.png", "pictures/City.png", "pictures/a.jpg",
                             "pictures/a (2).jpg", "pictures/b.jpg"})
        EXPECT_TRUE(pack.contains(file)) << file;
    EXPECT_TRUE(pack.at("Trip.plm").contains(folder_.path("packs/Trip/maps/City.plm").toUtf8()));
    EXPECT_EQ(run({"--pack", folder_.path("usb/Trip (copy)/Trip.plm"), folder_.path("packs")}).status, 1)
        << "a pack that exists is kept without --overwrite";

    // The pack goes on alone: the trip it was made from is gone.
    ASSERT_TRUE(QDir(folder_.path("usb")).removeRecursively());
    ASSERT_TRUE(QDir().rename(folder_.path("packs/Trip"), folder_.path("Trip")));
    EXPECT_EQ(exported(folder_.path("Trip/Trip.plm"), "site-pack"), before);
}

TEST_F(MovedMap, AFileMissingAfterTheMoveIsToldByTheExportAndThePack)
{
    ASSERT_TRUE(QDir().rename(folder_.path("made/Trip"), folder_.path("Moved")));
    ASSERT_TRUE(QFile::remove(folder_.path("Moved/Photos/Harbour/a.jpg")));
    const QString lost = folder_.path("made/Trip/Photos/Harbour/a.jpg");

    const Outcome exportedOutcome = run({"--export-html", folder_.path("Moved/Trip.plm"), folder_.folder("site")});
    EXPECT_EQ(exportedOutcome.status, 2);
    EXPECT_TRUE(exportedOutcome.err.contains(lost)) << exportedOutcome.err.toStdString();
    EXPECT_FALSE(exportedOutcome.err.contains("Photos/a.jpg")) << "only what the search did not find is reported";

    const Outcome packed = run({"--pack", folder_.path("Moved/Trip.plm"), folder_.folder("packs")});
    EXPECT_EQ(packed.status, 2);
    EXPECT_TRUE(packed.err.contains(lost)) << packed.err.toStdString();
    EXPECT_TRUE(QFile::exists(folder_.path("packs/Trip/pictures/a.jpg")));
}

}  // namespace

namespace {

// What a map names is read only when it is a regular file, and a pack writes only inside its folder,
// whatever the stored paths hold.
TEST_F(MovedMap, APackReadsOnlyRegularFilesAndWritesOnlyInsideItsFolder)
{
    const QString trip = folder_.folder("hostile");
    const QString fifo = trip + "/waiting.jpg";
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    folder_.picture("secret.jpg", {8, 8});
    auto map = MapFiles::NewMap(folder_.path("made/Trip/Country.png"));
    MapFiles::AddPhotoSpot(map.get(), {1, 1, 20, 20}, {fifo, trip + "/../secret.jpg", "/nowhere/../../secret.jpg", trip});
    MapFiles::Save(map.get(), trip + "/Hostile.plm");

    const Outcome packed = run({"--pack", trip + "/Hostile.plm", folder_.folder("packs")});
    EXPECT_EQ(packed.status, 2) << packed.err.toStdString();
    for (const QString& refused : {fifo, QString("/nowhere/../../secret.jpg"), trip})
        EXPECT_TRUE(packed.err.contains(refused + ":")) << refused.toStdString() << "\n" << packed.err.toStdString();
    const auto pack = TreeOf(folder_.path("packs"));
    for (const auto& [file, bytes] : pack) EXPECT_TRUE(file.startsWith("Hostile/")) << file.toStdString();
    EXPECT_TRUE(pack.contains("Hostile/pictures/Country.png"));
    EXPECT_TRUE(pack.contains("Hostile/pictures/secret.jpg")) << "a path the map names through \"..\" is still its path";
}

}  // namespace
