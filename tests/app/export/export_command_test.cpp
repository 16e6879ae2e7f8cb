#include "app/export/page_templates.h"
#include "tests/app/export/map_files.h"
#include "tests/app/export/site_folder.h"
#include "tests/support/heif_writer.h"
#include "tests/support/test_pictures.h"
#include "tests/support/registered_components.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QElapsedTimer>
#include <QImage>
#include <QImageWriter>
#include <QProcess>
#include <cerrno>
#include <csignal>
#include <functional>
#include <map>
#include <fcntl.h>
#include <array>
#include <sys/resource.h>
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
    // `inChild` runs in the program's process before it starts (limits, working folder).
    Outcome run(const QStringList& arguments, const std::function<void()>& inChild = {})
    {
        QProcess program;
        if (inChild)
            program.setChildProcessModifier(inChild);
        program.start(PINLORE_PROGRAM, QStringList{"--export-html"} + arguments);
        if (!program.waitForFinished(kPatienceMs)) {
            ADD_FAILURE() << "the export did not end";
            program.kill();
            program.waitForFinished();
        }
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
    EXPECT_TRUE(outcome.err.contains("Exporting picture 2 of 2\n"));
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
    EXPECT_EQ(outcome.err, "An error occurred, the file could not be opened.\n" + folder_.path("Broken.plm") +
                               ": It is not a map Pinlore can read.\n");
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
    EXPECT_EQ(outcome.err, "An error occurred. You may want to try saving to another location.\n" +
                               folder_.path("no/such/folder/Coast") + ": No such file or directory.\n");
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

TEST_F(ExportCommandLine, AStyleThatIsMissingOrUnknownIsRefused)
{
    const QString map = savedMap("Coast.plm", {});
    const struct {
        QStringList style;
        QString message;
    } cases[] = {
        {{"--style"}, "The option --style needs a style: classic or modern.\n"},
        {{"--style", "fancy"}, "There is no export style \"fancy\": choose classic or modern.\n"},
        {{"--style", "Modern"}, "There is no export style \"Modern\": choose classic or modern.\n"},
    };
    for (const auto& [style, message] : cases) {
        SCOPED_TRACE(style.join(' ').toStdString());
        const Outcome outcome = run(QStringList{map, folder_.folder("out")} + style);
        EXPECT_EQ(outcome.status, 1);
        EXPECT_TRUE(outcome.err.startsWith(message + "Usage: pinlore --export-html")) << outcome.err.toStdString();
        EXPECT_FALSE(folder_.exists("out/Coast"));
    }
}

// Only the pages differ between the styles: the same files, and the same pictures byte for byte.
TEST_F(ExportCommandLine, BothStylesWriteTheSameSiteWithTheirOwnPages)
{
    const QString harbour = folder_.photo("Harbour.jpg", {320, 240});
    auto linked = MapFiles::NewMap(folder_.picture("Town Map.jpg", {640, 480}));
    MapFiles::AddPhotoSpot(linked.get(), {10, 10, 50, 50}, {harbour});
    MapFiles::Save(linked.get(), folder_.path("Town.plm"));
    auto map = MapFiles::NewMap(folder_.picture("Coast Map.jpg", {800, 600}));
    MapFiles::AddPhotoSpot(map.get(), {100, 100, 200, 150}, {harbour, folder_.photo("Bay.png", {100, 200})},
                           folder_.write("bells.wav", "RIFF"));
    MapFiles::AddMapSpot(map.get(), {300, 300, 340, 340}, folder_.path("Town.plm"));
    MapFiles::Save(map.get(), folder_.path("Coast.plm"));

    std::map<QString, QByteArray> sites[2];
    const char* styles[] = {"classic", "modern"};
    for (int i = 0; i < 2; ++i) {
        const QString chosen = folder_.folder(styles[i]);
        const Outcome outcome = run({folder_.path("Coast.plm"), chosen, "--style", styles[i]});
        ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
        for (QDirIterator files(chosen, QDir::Files, QDirIterator::Subdirectories); files.hasNext();) {
            const QString file = files.next();
            QFile input(file);
            ASSERT_TRUE(input.open(QIODevice::ReadOnly));
            sites[i][QDir(chosen).relativeFilePath(file)] = input.readAll();
        }
    }
    ASSERT_EQ(sites[0].size(), sites[1].size());
    for (const auto& [name, classic] : sites[0]) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_EQ(sites[1].count(name), 1u);
        const QByteArray& modern = sites[1].at(name);
        if (name.endsWith(".html")) {
            EXPECT_TRUE(classic.startsWith("<HTML>"));
            EXPECT_TRUE(modern.startsWith("<!DOCTYPE html>"));
        } else {
            EXPECT_EQ(classic, modern);
        }
    }
    EXPECT_EQ(sites[1].count("Coast/spot1/spot0.html"), 1u);
    EXPECT_EQ(sites[1].count("Coast/sounds/spot0_sound.wav"), 1u);
    // The default is the classic style.
    const Outcome byDefault = run({folder_.path("Coast.plm"), folder_.folder("default")});
    ASSERT_EQ(byDefault.status, 0);
    EXPECT_EQ(folder_.read("default/Coast/spot0.html"), sites[0].at("Coast/spot0.html"));
    EXPECT_EQ(folder_.read("default/Coast/index.html"), sites[0].at("Coast/index.html"));
}

TEST_F(ExportCommandLine, PhonePicturesBecomeJpegsOfTheirColoursInBothStylesAndBrokenOnesAreListed)
{
    using test_support::HeifWriter;
    using test_support::TestPictures;
    auto near = [](QColor a, QColor b) {
        return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40 &&
               std::abs(a.blue() - b.blue()) < 40;
    };
    HeifWriter::Options turned;
    turned.orientation = 6;  // seen as 320 x 640, the red half on top
    turned.thumbnailSize = 320;
    HeifWriter::Options deepAv1;
    deepAv1.codec = HeifWriter::Codec::Av1;
    deepAv1.bitDepth = 10;
    const QByteArray phone = HeifWriter::Encode(TestPictures::Halves({640, 320}), turned);
    const QStringList broken{folder_.write("cut.heic", phone.left(phone.size() / 2)),
                             folder_.write("huge.heic", HeifWriter::DeclaringSize(phone, {100000, 100000})),
                             folder_.write("garbage.heic", QByteArray(4096, 'Z'))};
    auto map = MapFiles::NewMap(folder_.write("Coast Map.HEIC", HeifWriter::Encode(TestPictures::Filled({800, 600}, Qt::yellow), {})));
    MapFiles::AddPhotoSpot(map.get(), {100, 100, 200, 150},
                           QStringList{folder_.write("IMG_0001.HEIC", phone),
                                       folder_.write("dawn.avif", HeifWriter::Encode(TestPictures::Filled({800, 600}, Qt::blue), deepAv1)),
                                       folder_.write("saved.webp", TestPictures::Webp(TestPictures::Filled({400, 300}, Qt::green)))} +
                               broken);
    MapFiles::Save(map.get(), folder_.path("Coast.plm"));

    for (const char* style : {"classic", "modern"}) {
        SCOPED_TRACE(style);
        const Outcome outcome = run({folder_.path("Coast.plm"), folder_.folder(style), "--style", style});
        EXPECT_EQ(outcome.status, 2);
        EXPECT_TRUE(outcome.err.contains("The export finished, but 6 of its files could not be made:")) << outcome.err.toStdString();
        for (const QString& picture : broken)
            EXPECT_EQ(outcome.err.count("The picture \"" + picture + "\" could not be read."), 2) << picture.toStdString();
        const QString images = folder_.path(QString(style) + "/Coast/images/");
        struct Expected {
            QString name;
            std::vector<std::pair<QPoint, QColor>> colours;
        };
        const QColor white(Qt::white);
        for (const QString prefix : {"spot0_img", "spot0_lo_res_img"}) {
            for (const Expected& e : {
                     Expected{"map.jpg", {{{320, 240}, Qt::yellow}, {{5, 5}, Qt::yellow}}},
                     // 240 x 480 between white bands
                     Expected{prefix + "0.jpg", {{{320, 100}, Qt::red}, {{320, 380}, Qt::blue}, {{100, 240}, white}, {{540, 240}, white}}},
                     Expected{prefix + "1.jpg", {{{320, 240}, Qt::blue}, {{5, 5}, Qt::blue}}},
                     Expected{prefix + "2.jpg", {{{320, 240}, Qt::green}, {{634, 474}, Qt::green}}},
                 }) {
                SCOPED_TRACE(e.name.toStdString());
                const QImage written(images + e.name);
                ASSERT_EQ(written.size(), QSize(640, 480));
                for (const auto& [point, colour] : e.colours)
                    EXPECT_TRUE(near(written.pixelColor(point), colour)) << point.x() << ", " << point.y();
            }
            EXPECT_FALSE(QFile::exists(images + prefix + "3.jpg"));
        }
    }
}

// SIGTERM, what a session or a service manager ends programs with, cancels like Ctrl+C.
TEST_F(ExportCommandLine, CtrlCAndSigtermCancelTheExportWithinASecondAndSaySo)
{
    const QString photo = folder_.photo("p.jpg", {800, 600});
    for (const int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        const QString map = savedMap(QStringLiteral("Coast%1.plm").arg(signal), QStringList(400, photo));
        QProcess program;
        program.setReadChannel(QProcess::StandardError);
        program.start(PINLORE_PROGRAM, {"--export-html", map, folder_.folder("out")});
        // The progress shows once the writing pass converts pictures.
        QByteArray progress;
        while (!progress.contains("Exporting picture") && program.waitForReadyRead(kPatienceMs))
            progress += program.readAllStandardError();
        ASSERT_EQ(program.state(), QProcess::Running) << progress.toStdString();
        QElapsedTimer timer;
        timer.start();
        ::kill(static_cast<pid_t>(program.processId()), signal);
        ASSERT_TRUE(program.waitForFinished(kPatienceMs));
        EXPECT_LT(timer.elapsed(), 1000);
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 130);
        EXPECT_TRUE(program.readAllStandardOutput().isEmpty());
        const QString said = QString::fromUtf8(progress + program.readAllStandardError());
        EXPECT_TRUE(said.contains("The export was cancelled after ")) << said.toStdString();
        EXPECT_TRUE(said.contains("What was written stays in \"" + folder_.path("out/Coast%1\".").arg(signal)));
    }
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

namespace {

// A map file text in the format the component library writes, made without components so that
// thousands of them take no time: `model` is a saved map whose one map spot links to "NEXT".
QByteArray linkingTo(const QByteArray& model, const QString& next)
{
    return QByteArray(model).replace("NEXT", next.toHtmlEscaped().toUtf8());
}

QByteArray sofPatched(QByteArray jpeg, quint16 width, quint16 height, const char* frameMarker = "\xFF\xC0")
{
    const qsizetype sof = jpeg.indexOf(frameMarker);
    if (sof < 0)
        return QByteArray();
    jpeg[sof + 5] = char(height >> 8);
    jpeg[sof + 6] = char(height & 0xFF);
    jpeg[sof + 7] = char(width >> 8);
    jpeg[sof + 8] = char(width & 0xFF);
    return jpeg;
}

QStringList filesBelow(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    return files;
}

}  // namespace

TEST_F(ExportCommandLine, AChainOfLinkedMapsStopsAtThePathLimitAndSaysSoOnce)
{
    const QString mapPicture = folder_.picture("Map.jpg", {16, 12});
    auto model = MapFiles::NewMap(mapPicture);
    MapFiles::AddMapSpot(model.get(), {0, 0, 4, 4}, "NEXT");
    MapFiles::Save(model.get(), folder_.path("model.plm"));
    const QByteArray text = folder_.read("model.plm");
    // Each map's folder is six bytes deeper than its parent's, so a few hundred reach the limit.
    constexpr int kMaps = 1000;
    folder_.folder("chain");
    for (int i = 0; i < kMaps; ++i)
        folder_.write(QStringLiteral("chain/%1.plm").arg(i), linkingTo(text, folder_.path("chain/%1.plm").arg(i + 1)));

    const Outcome outcome = run({folder_.path("chain/0.plm"), folder_.folder("out")});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.err.count("lies so deep that the path of its folder would pass the system's limit"), 1)
        << outcome.err.left(2000).toStdString();
    // Listed as a map, not counted among the files.
    EXPECT_TRUE(outcome.err.contains("The export finished, but 1 of its linked maps could not be exported:\n"));
    EXPECT_FALSE(outcome.err.contains("files could not be made"));
    EXPECT_LT(outcome.err.size(), 100000);
    EXPECT_TRUE(folder_.exists("out/0/spot0/spot0/index.html"));
}

// Each names a FIFO, a device or a file past the size bound where a picture, sound or map belongs.
TEST_F(ExportCommandLine, OnlyRegularFilesAreReadAndTheOthersAreReported)
{
    const QString fifo = folder_.path("fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString huge = folder_.write("huge.plm", "");
    ASSERT_EQ(::truncate(QFile::encodeName(huge).constData(), (qint64(1) << 30) + 1), 0);
    const QString picture = folder_.picture("Coast Map.jpg", {800, 600});
    const QString notRegular = QStringLiteral("It is not a regular file.");

    struct Case {
        const char* name;
        QString mapPicture, photo, sound, linkedMap, root;
        int status;
        QString reported;
    };
    const std::vector<Case> cases = {
        {"map picture", fifo, {}, {}, {}, {}, 2, "could not be read"},
        {"photo", picture, fifo, {}, {}, {}, 2, "could not be read"},
        {"sound", picture, {}, fifo, {}, {}, 2, fifo + ": " + notRegular},
        {"linked map", picture, {}, {}, fifo, {}, 2, fifo + ": The linked map could not be opened: " + notRegular},
        {"linked device", picture, {}, {}, "/dev/zero", {}, 2, "/dev/zero: The linked map could not be opened: " + notRegular},
        {"root fifo", {}, {}, {}, {}, fifo, 1, fifo + ": " + notRegular},
        {"root device", {}, {}, {}, {}, "/dev/zero", 1, "/dev/zero: " + notRegular},
        {"root too large", {}, {}, {}, {}, huge, 1, huge + ": It is larger than 1 GB."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QString root = c.root;
        if (root.isEmpty()) {
            auto map = MapFiles::NewMap(c.mapPicture);
            MapFiles::AddPhotoSpot(map.get(), {0, 0, 4, 4}, c.photo.isEmpty() ? QStringList() : QStringList{c.photo}, c.sound);
            if (!c.linkedMap.isEmpty())
                MapFiles::AddMapSpot(map.get(), {0, 0, 4, 4}, c.linkedMap);
            root = folder_.path(QStringLiteral("%1.plm").arg(QString::fromLatin1(c.name).replace(' ', '_')));
            MapFiles::Save(map.get(), root);
        }
        const Outcome outcome = run({root, folder_.folder("out"), "--overwrite"});
        EXPECT_EQ(outcome.status, c.status) << outcome.err.toStdString();
        EXPECT_TRUE(outcome.err.contains(c.reported)) << outcome.err.toStdString();
    }
}

// A size limit fails the writes past it the way a full disk does.
TEST_F(ExportCommandLine, AFileThatCouldNotBeWrittenWholeIsListedAndNeverLeftUnderItsName)
{
    const QString map = savedMap("Coast.plm", {folder_.photo("p.jpg", {800, 600})});
    const Outcome outcome = run({map, folder_.folder("out")}, [] {
        const rlimit limit{24 * 1024, 24 * 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    EXPECT_EQ(outcome.status, 2);
    const QString full = folder_.path("out/Coast/images/spot0_img0.jpg");
    EXPECT_TRUE(outcome.err.contains(full + ": The file could not be written: File too large.")) << outcome.err.toStdString();
    EXPECT_FALSE(QFile::exists(full));
    EXPECT_TRUE(folder_.exists("out/Coast/index.html"));
    for (const QString& file : filesBelow(folder_.path("out")))
        EXPECT_FALSE(QFileInfo(file).fileName().startsWith('.')) << file.toStdString();
}

TEST_F(ExportCommandLine, AMapFileNamedOnlyByDotsGetsASiteFolderOfItsOwn)
{
    folder_.folder("maps");
    const QString chosen = folder_.folder("out");
    folder_.write("out/keep.txt", "kept");
    for (const char* name : {".plm", "...plm"}) {
        SCOPED_TRACE(name);
        const QString map = savedMap(QStringLiteral("maps/") + name, {});
        const Outcome outcome = run({map, chosen, "--overwrite"});
        EXPECT_EQ(outcome.status, 0) << outcome.err.toStdString();
        EXPECT_EQ(outcome.out, "Your map has been exported to the folder \"Map\" inside of \"out\"\n");
        EXPECT_TRUE(folder_.exists("out/Map/index.html"));
        QStringList entries = QDir(chosen).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        entries.sort();
        EXPECT_EQ(entries, QStringList({"Map", "keep.txt"}));
        EXPECT_FALSE(folder_.exists("index.html"));
        EXPECT_FALSE(folder_.exists("images"));
    }
}

TEST_F(ExportCommandLine, AWorkingFolderThatCannotBeReadIsAnErrorNotTheRoot)
{
    // Deeper than the longest path the system gives out for the working folder.
    const QByteArray level(250, 'd');
    constexpr int kLevels = 20;
    const QByteArray base = QFile::encodeName(folder_.folder("deep"));
    int folder = ::open(base.constData(), O_DIRECTORY);
    for (int i = 0; i < kLevels; ++i) {
        ASSERT_EQ(::mkdirat(folder, level.constData(), 0700), 0);
        const int inner = ::openat(folder, level.constData(), O_DIRECTORY);
        ::close(folder);
        folder = inner;
    }
    ::close(folder);
    const QString map = savedMap("Unreadable Working Folder.plm", {});

    const Outcome outcome = run({map, "."}, [base, level] {
        if (::chdir(base.constData()) != 0)
            ::_exit(99);
        for (int i = 0; i < kLevels; ++i)
            if (::chdir(level.constData()) != 0)
                ::_exit(99);
    });
    EXPECT_EQ(outcome.status, 1) << outcome.err.toStdString();
    EXPECT_FALSE(outcome.err.isEmpty());
    EXPECT_FALSE(QFileInfo::exists("/Unreadable Working Folder"));

    // Taken apart from the inside, since its whole path is too long for most calls.
    folder = ::open(base.constData(), O_DIRECTORY);
    std::vector<int> folders{folder};
    for (int i = 0; i < kLevels - 1; ++i)
        folders.push_back(::openat(folders.back(), level.constData(), O_DIRECTORY));
    for (auto it = folders.rbegin(); it != folders.rend(); ++it) {
        EXPECT_EQ(::unlinkat(*it, level.constData(), AT_REMOVEDIR), 0);
        ::close(*it);
    }
}

TEST_F(ExportCommandLine, TwoExportsIntoTheSameFolderAtOnceBothSucceed)
{
    const QString picture = folder_.picture("p.jpg", {64, 48});
    auto map = MapFiles::NewMap(folder_.picture("Coast Map.jpg", {800, 600}));
    for (int i = 0; i < 20; ++i)
        MapFiles::AddPhotoSpot(map.get(), {0, 0, 4, 4}, {picture}, folder_.write("s.wav", "RIFF"));
    MapFiles::Save(map.get(), folder_.path("Coast.plm"));
    const QString chosen = folder_.folder("out");

    std::array<QProcess, 2> programs;
    for (QProcess& program : programs)
        program.start(PINLORE_PROGRAM, {"--export-html", folder_.path("Coast.plm"), chosen, "--overwrite"});
    for (QProcess& program : programs) {
        ASSERT_TRUE(program.waitForFinished(kPatienceMs));
        EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    }
}

TEST_F(ExportCommandLine, AReplacedFileKeepsItsMode)
{
    const QString map = savedMap("Coast.plm", {folder_.picture("p.jpg", {64, 48})});
    ASSERT_EQ(run({map, folder_.folder("out")}).status, 0);
    const QByteArray page = QFile::encodeName(folder_.path("out/Coast/index.html"));
    const QByteArray picture = QFile::encodeName(folder_.path("out/Coast/images/map.jpg"));
    ASSERT_EQ(::chmod(page.constData(), 0444), 0);
    ASSERT_EQ(::chmod(picture.constData(), 0600), 0);
    folder_.write("out/Coast/spot0.html", "old");

    ASSERT_EQ(run({map, folder_.path("out"), "--overwrite"}).status, 0);
    struct stat status {};
    ASSERT_EQ(::stat(page.constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0444u);
    ASSERT_EQ(::stat(picture.constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0600u);
    EXPECT_NE(folder_.read("out/Coast/spot0.html"), "old");
}

TEST_F(ExportCommandLine, SoundsKeepTheirWholeExtensionAndOnlySoundsAreCopied)
{
    const QByteArray flac("fLaC\0\0\0\x22", 8);
    auto map = MapFiles::NewMap(folder_.picture("Coast Map.jpg", {800, 600}));
    MapFiles::AddPhotoSpot(map.get(), {0, 0, 4, 4}, {}, folder_.write("bells.flac", flac));
    MapFiles::AddPhotoSpot(map.get(), {0, 0, 4, 4}, {}, folder_.write("bells", flac));
    MapFiles::AddPhotoSpot(map.get(), {0, 0, 4, 4}, {}, folder_.write("passwd", "root:x:0:0:root:/root:/bin/sh\n"));
    MapFiles::Save(map.get(), folder_.path("Coast.plm"));

    const Outcome outcome = run({folder_.path("Coast.plm"), folder_.folder("out")});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(folder_.read("out/Coast/sounds/spot0_sound.flac"), flac);
    EXPECT_EQ(folder_.read("out/Coast/sounds/spot1_sound"), flac);
    EXPECT_EQ(QDir(folder_.path("out/Coast/sounds")).entryList(QDir::Files), QStringList({"spot0_sound.flac", "spot1_sound"}));
    EXPECT_TRUE(outcome.err.contains(folder_.path("passwd") + ": It is not a sound file.")) << outcome.err.toStdString();
    EXPECT_TRUE(folder_.read("out/Coast/spot1.html").contains("<BGSOUND SRC=\"sounds/spot1_sound\">"));
    EXPECT_FALSE(folder_.read("out/Coast/spot2.html").contains("BGSOUND"));
}

// A progressive JPEG under the pixel bound still makes its decoder keep every coefficient of the
// picture, here some 700 MB, whatever scale it is decoded at. The decoders' own chatter about these
// pictures stays out of the output.
TEST_F(ExportCommandLine, PicturesDeclaringTooManyPixelsOrCutShortAreRefusedQuietly)
{
    const QByteArray small = folder_.read(QFileInfo(folder_.picture("small.jpg", {16, 16})).fileName());
    const QString bomb = folder_.write("bomb.jpg", sofPatched(small, 60000, 60000));
    QByteArray progressive;
    {
        QBuffer buffer(&progressive);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setProgressiveScanWrite(true);
        QImage picture(16, 16, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        ASSERT_TRUE(writer.write(picture));
    }
    const QByteArray deepBytes = sofPatched(progressive, 15000, 15000, "\xFF\xC2");
    ASSERT_FALSE(deepBytes.isEmpty());
    const QString deep = folder_.write("deep.jpg", deepBytes);
    const QByteArray photo = folder_.read(QFileInfo(folder_.photo("whole.jpg", {400, 300})).fileName());
    const QString cut = folder_.write("cut.jpg", photo.left(photo.size() / 2) + "\xFF\xD9");

    const Outcome outcome = run({savedMap("Coast.plm", {bomb, deep, cut}), folder_.folder("out")});
    EXPECT_EQ(outcome.status, 2);
    for (const QString& picture : {bomb, deep, cut})
        EXPECT_TRUE(outcome.err.contains("The picture \"" + picture + "\" could not be read.")) << outcome.err.toStdString();
    for (const char* chatter : {"Bogus", "allocation limit", "Corrupt JPEG", "Premature end"})
        EXPECT_FALSE(outcome.err.contains(chatter, Qt::CaseInsensitive)) << chatter;
}
