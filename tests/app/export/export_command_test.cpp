#include "app/export/page_templates.h"
#include "tests/app/export/map_files.h"
#include "tests/app/export/site_folder.h"
#include "tests/support/registered_components.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <gtest/gtest.h>

using export_test::MapFiles;
using export_test::StoredPage;
using html_export::PageTemplates;

namespace {

constexpr int kPatienceMs = 60000;

struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

}  // namespace

// Runs the built program the way a user does, in a registry of its own.
class ExportCommandLine : public test_support::ComponentTest {
protected:
    Outcome run(const QStringList& arguments)
    {
        QProcess program;
        program.start(PINLORE_PROGRAM, QStringList{"--export-html"} + arguments);
        EXPECT_TRUE(program.waitForFinished(kPatienceMs));
        return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
                QString::fromUtf8(program.readAllStandardOutput()), QString::fromUtf8(program.readAllStandardError())};
    }

    QString savedMap(const QString& name, const QStringList& pictures)
    {
        auto map = MapFiles::NewMap(folder_.picture("Coast Map.jpg", {800, 600}));
        MapFiles::AddPhotoSpot(map.get(), {100, 100, 200, 150}, pictures);
        const QString path = folder_.path(name);
        MapFiles::Save(map.get(), path);
        return path;
    }

    export_test::SiteFolder folder_;
};

TEST_F(ExportCommandLine, ExportsTheSiteIntoAFolderNamedAfterTheMap)
{
    const QString map = savedMap("Coast.plm", {folder_.picture("p.jpg", {64, 48})});
    const QString chosen = folder_.folder("Web Pages");
    const Outcome outcome = run({map, chosen});
    EXPECT_EQ(outcome.status, 0) << outcome.err.toStdString();
    EXPECT_EQ(outcome.out, "Your map has been exported to the folder \"Coast\" inside of \"Web Pages\"\n");
    EXPECT_TRUE(outcome.err.contains("Exported 2 of 2 pictures"));
    EXPECT_TRUE(folder_.exists("Web Pages/Coast/index.html"));
    EXPECT_TRUE(folder_.exists("Web Pages/Coast/spot0.html"));
    EXPECT_TRUE(folder_.exists("Web Pages/Coast/images/pushPin.gif"));
    EXPECT_TRUE(folder_.exists("Web Pages/Coast/images/spot0_lo_res_img0.jpg"));
}

TEST_F(ExportCommandLine, AnExistingSiteFolderIsKeptUnlessOverwriteIsGiven)
{
    const QString map = savedMap("Coast.plm", {});
    const QString chosen = folder_.folder("Web Pages");
    folder_.folder("Web Pages/Coast");
    const Outcome refused = run({map, chosen});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "The folder \"Coast\" inside of \"Web Pages\" already exists. Exporting to this location may "
                           "overwrite existing files in the folder \"Coast\".\n");
    EXPECT_FALSE(folder_.exists("Web Pages/Coast/index.html"));

    const Outcome overwritten = run({map, chosen, "--overwrite"});
    EXPECT_EQ(overwritten.status, 0);
    EXPECT_TRUE(folder_.exists("Web Pages/Coast/index.html"));
}

TEST_F(ExportCommandLine, AFileThatDoesNotLoadIsRefused)
{
    const Outcome outcome = run({folder_.write("Broken.plm", "<Object"), folder_.folder("out")});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "An error occurred, the file could not be opened.\n");
    EXPECT_TRUE(QDir(folder_.path("out")).isEmpty());
}

TEST_F(ExportCommandLine, AMapWithoutPictureIsRefused)
{
    auto map = MapFiles::NewMap(QString());
    MapFiles::Save(map.get(), folder_.path("Empty.plm"));
    const Outcome outcome = run({folder_.path("Empty.plm"), folder_.folder("out")});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "You must add a map picture to the current map before exporting to html.\n");
}

TEST_F(ExportCommandLine, AFolderThatCannotBeMadeIsRefused)
{
    const Outcome outcome = run({savedMap("Coast.plm", {}), folder_.path("no/such/folder")});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "An error occurred. You may want to try saving to another location.\n");
}

TEST_F(ExportCommandLine, FilesThatCouldNotBeMadeAreListedAndTheStatusSaysSo)
{
    const QString missing = folder_.path("gone.jpg");
    const Outcome outcome = run({savedMap("Coast.plm", {missing}), folder_.folder("out")});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_TRUE(outcome.out.isEmpty());
    EXPECT_TRUE(outcome.err.contains("The export finished, but 2 of its files could not be made:"));
    EXPECT_TRUE(outcome.err.contains(folder_.path("out/Coast/images/spot0_img0.jpg") + ": The picture \"" + missing +
                                     "\" could not be read."));
    EXPECT_TRUE(folder_.exists("out/Coast/index.html"));
}

TEST_F(ExportCommandLine, WrongArgumentsShowTheUsage)
{
    const Outcome outcome = run({"only-one.plm"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_TRUE(outcome.err.startsWith("Usage: pinlore --export-html MAP.plm FOLDER [--overwrite]"));
}

TEST_F(ExportCommandLine, CtrlCCancelsTheExport)
{
    // A picture that is a pipe holds the export at that picture until the test closes the pipe, so
    // Ctrl+C surely arrives while the export runs.
    const QString pipe = folder_.path("held.jpg");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString map = savedMap("Coast.plm", {pipe, folder_.picture("after.jpg", {64, 48})});
    QProcess program;
    program.start(PINLORE_PROGRAM, {"--export-html", map, folder_.folder("out")});
    int writer = -1;
    while ((writer = ::open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK)) < 0) {
        ASSERT_EQ(errno, ENXIO);
        ASSERT_FALSE(program.waitForFinished(10)) << program.readAllStandardError().toStdString();
    }
    ::kill(static_cast<pid_t>(program.processId()), SIGINT);
    ::close(writer);
    ASSERT_TRUE(program.waitForFinished(kPatienceMs));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 130);
    EXPECT_TRUE(program.readAllStandardOutput().isEmpty());
}

TEST_F(ExportCommandLine, PagesWithNamesBeyondAsciiStartWithTheUtf8ByteOrderMark)
{
    auto map = MapFiles::NewMap(folder_.picture("Straße.jpg", {800, 600}));
    MapFiles::AddPhotoSpot(map.get(), {100, 100, 200, 150}, {folder_.picture("p.jpg", {64, 48})});
    MapFiles::Save(map.get(), folder_.path("Zürich.plm"));

    const Outcome outcome = run({folder_.path("Zürich.plm"), folder_.folder("out")});
    EXPECT_EQ(outcome.status, 0) << outcome.err.toStdString();
    const QByteArray mark = "\xEF\xBB\xBF";
    EXPECT_EQ(folder_.read("out/Zürich/index.html"),
              mark + StoredPage(PageTemplates::IndexHead("Straße", PageTemplates::RootLinkLine()) +
                                PageTemplates::PhotoSpotPin(154, 134, 0) + PageTemplates::IndexClosing()));
    EXPECT_EQ(folder_.read("out/Zürich/spot0.html"),
              mark + StoredPage(PageTemplates::SpotHead("Straße", "Zürich") + PageTemplates::WaitingNote() +
                                PageTemplates::SlideShowScript(PageTemplates::PictureEntry(0, 0),
                                                               PageTemplates::LowResolutionEntry(0, 0))));
}

TEST_F(ExportCommandLine, AMapReachedThroughASymbolicLinkIsExportedOnce)
{
    folder_.folder("maps");
    ASSERT_EQ(::symlink(QFile::encodeName(folder_.path("maps")).constData(), QFile::encodeName(folder_.path("linked")).constData()), 0);
    auto city = MapFiles::NewMap(folder_.picture("maps/City.jpg", {640, 480}));
    MapFiles::AddMapSpot(city.get(), {0, 0, 10, 10}, folder_.path("maps/Coast.plm"));
    MapFiles::Save(city.get(), folder_.path("maps/Paris.plm"));
    auto coast = MapFiles::NewMap(folder_.picture("maps/Coast.jpg", {640, 480}));
    MapFiles::AddMapSpot(coast.get(), {0, 0, 10, 10}, folder_.path("maps/Paris.plm"));
    MapFiles::AddMapSpot(coast.get(), {0, 0, 10, 10}, folder_.path("linked/Paris.plm"));
    MapFiles::Save(coast.get(), folder_.path("maps/Coast.plm"));

    // Started through the link, so the city's link back to the root names it by another path too.
    const Outcome outcome = run({folder_.path("linked/Coast.plm"), folder_.folder("out")});
    EXPECT_EQ(outcome.status, 0) << outcome.err.toStdString();
    EXPECT_EQ(folder_.read("out/Coast/index.html"),
              StoredPage(PageTemplates::IndexHead("Coast", PageTemplates::RootLinkLine()) +
                         PageTemplates::MapSpotPin(39, 39, 0) + PageTemplates::IndexClosing()));
    EXPECT_EQ(folder_.read("out/Coast/spot0/index.html"),
              StoredPage(PageTemplates::IndexHead("City", PageTemplates::ParentLinkLine("Coast")) +
                         PageTemplates::IndexClosing()));
    EXPECT_FALSE(folder_.exists("out/Coast/spot1"));
    EXPECT_FALSE(folder_.exists("out/Coast/spot0/spot0"));
}

TEST_F(ExportCommandLine, ALinkedMapWithoutMapPictureGetsNoPinAndIsReported)
{
    MapFiles::Save(MapFiles::NewMap(QString()).get(), folder_.path("Empty.plm"));
    auto coast = MapFiles::NewMap(folder_.picture("Coast.jpg", {640, 480}));
    MapFiles::AddMapSpot(coast.get(), {0, 0, 10, 10}, folder_.path("Empty.plm"));
    MapFiles::Save(coast.get(), folder_.path("Coast.plm"));

    const Outcome outcome = run({folder_.path("Coast.plm"), folder_.folder("out")});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_TRUE(outcome.err.contains(folder_.path("Empty.plm") + ": The linked map has no map picture."))
        << outcome.err.toStdString();
    EXPECT_EQ(folder_.read("out/Coast/index.html"),
              StoredPage(PageTemplates::IndexHead("Coast", PageTemplates::RootLinkLine()) + PageTemplates::IndexClosing()));
    EXPECT_TRUE(QDir(folder_.path("out/Coast/spot0/images")).isEmpty());
}
