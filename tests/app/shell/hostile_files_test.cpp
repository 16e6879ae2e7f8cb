// Files that are not what their names say, met through the ways the user opens maps and plays
// sounds: a FIFO (whose open would wait for a writer for ever), a device, maps past the loader's
// limit. None may block the window or be read past the limit; each failure names the file and why.
#include "app/shell/command_ids.h"
#include "app/shell/preferences.h"
#include "components/interfaces/photo_spot.h"
#include "platform/media/sound_window.h"
#include "platform/ui/qt_strings.h"
#include "tests/app/export/map_files.h"
#include "tests/app/shell/window_test.h"
#include "tests/support/watchdog.h"
#include "tests/support/wave_file.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace shell_test {
namespace {

using namespace std::chrono_literals;
using shell::MessageAnswer;
using Outcome = shell::WorkspaceView::OpenOutcome;
namespace command = shell::command;

constexpr auto kPatience = 10s;
const QString kNotRegular = QStringLiteral("It is not a regular file.");
const QString kTooLarge = QStringLiteral("It is larger than 1 GB.");

QString openError(const QString& file, const QString& reason)
{
    return QStringLiteral("An error occurred, the file could not be opened.\n\n%1: %2").arg(file, reason);
}

// The most memory the process has held so far, in bytes.
qint64 PeakMemory()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return qint64(usage.ru_maxrss) * 1024;
}

class HostileFilesTest : public WindowTest {
protected:
    struct Hostile {
        QString file;
        QString reason;
    };

    // A FIFO, a device under a map's name, a map of 1 GB and one byte (sparse: nothing is written),
    // and a valid map followed by a gigabyte of NULs.
    std::vector<Hostile> hostileMaps()
    {
        const QString fifo = path("fifo.plm");
        EXPECT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const QString device = path("zero.plm");
        EXPECT_TRUE(QFile::link("/dev/zero", device));
        const QString sparse = path("sparse.plm");
        QFile(sparse).open(QIODevice::WriteOnly);
        EXPECT_EQ(::truncate(QFile::encodeName(sparse).constData(), (qint64(1) << 30) + 1), 0);
        const QString padded = saveMap("padded.plm", 1);
        EXPECT_EQ(::truncate(QFile::encodeName(padded).constData(), QFileInfo(padded).size() + (qint64(1) << 30)), 0);
        return {{fifo, kNotRegular}, {device, kNotRegular}, {sparse, kTooLarge}, {padded, kTooLarge}};
    }
};

// Every way a map is opened: by the browser, a map spot, the recent files, zooming out, and at the
// start as the root map of the last run (which fails silently). The document stays as it was.
TEST_F(HostileFilesTest, MapsThatAreNoFilesOrTooLargeAreRefusedAtOnceWithTheirReason)
{
    const std::vector<Hostile> hostile = hostileMaps();
    const QString italy = saveMap("Italy.plm", 2);
    ASSERT_EQ(workspace().OpenDocumentFile(italy, true), Outcome::Opened);
    const qint64 memoryBefore = PeakMemory();

    const struct {
        const char* name;
        std::function<void(const QString&)> open;
    } ways[] = {
        {"activated in the browser",
         [this](const QString& file) {
             com::Bstr name = ui::ToBstr(file);
             com::BSTR value = name.get();
             workspace().tableControl()->OnFileSelected(&value);
         }},
        {"a linked map", [this](const QString& file) { workspace().GoToLinkedMap(file); }},
        {"a recent entry",
         [this](const QString& file) {
             frame().recentDocuments().add(file);
             frame().runCommand(command::kFirstRecentFile);
         }},
        {"zooming out", [this](const QString& file) { workspace().ZoomOut(file); }},
    };
    for (const auto& way : ways) {
        for (const Hostile& each : hostile) {
            SCOPED_TRACE(std::string(way.name) + ": " + each.file.toStdString());
            const test_support::Watchdog watchdog("opening " + each.file.toStdString(), kPatience);
            way.open(each.file);
            EXPECT_EQ(shell_.messages().back().text, openError(each.file, each.reason));
            EXPECT_EQ(workspace().documentPath(), italy);
            EXPECT_EQ(spotCount(), 2);
        }
    }

    for (const Hostile& each : hostile) {
        SCOPED_TRACE("the root map: " + each.file.toStdString());
        const test_support::Watchdog watchdog("starting on " + each.file.toStdString(), kPatience);
        shell::Preferences::SetRootMap(each.file);
        const std::size_t told = shell_.messages().size();
        recreateFrame();
        EXPECT_TRUE(workspace().documentPath().isEmpty());
        EXPECT_EQ(shell_.messages().size(), told);
    }
    EXPECT_LT(PeakMemory() - memoryBefore, qint64(256) << 20) << "a refused map was read";
}

TEST_F(HostileFilesTest, ASpotWhoseSoundIsAFifoShowsItsPicturesInSilence)
{
    const QString fifo = path("sound.wav");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString picture = path("photo.png");
    ASSERT_TRUE(QImage(64, 48, QImage::Format_RGB32).save(picture));
    const com::ComPtr<IDocument> map = export_test::MapFiles::NewMap(picture);
    export_test::MapFiles::AddPhotoSpot(map.get(), {10, 10, 40, 40}, {picture}, fifo);
    export_test::MapFiles::Save(map.get(), path("Coast.plm"));
    ASSERT_EQ(workspace().OpenDocumentFile(path("Coast.plm"), true), Outcome::Opened);
    com::ComPtr<IBaseSpot> spot;
    workspace().document()->FirstSpot(spot.put());
    workspace().document()->PutCurrentSpot(spot.get());

    const test_support::Watchdog watchdog("starting a show whose sound is a FIFO", kPatience);
    workspace().toolPalette()->StartSlideShow();
    ASSERT_FALSE(workspace().slideShowViewHost()->isHidden());
    const auto* sound = workspace().slideShowViewHost()->findChild<media::SoundWindow*>();
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->mode(), media::SoundWindow::Mode::NotReady);
}

// A map file made read-only by its owner is replaced only when the user says so; the save of a
// read-only map answered with Cancel keeps the changes for another try.
TEST_F(HostileFilesTest, AReadOnlyMapIsReplacedOnlyAfterTheUserAgrees)
{
    const QString italy = saveMap("Italy.plm", 2);
    ASSERT_EQ(workspace().OpenDocumentFile(italy, true), Outcome::Opened);
    ASSERT_TRUE(QFile::setPermissions(italy, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    com::ComPtr<IBaseSpot> first;
    workspace().document()->FirstSpot(first.put());
    workspace().document()->DeleteSpot(first.get());
    makeDirty();
    const QString question = "\"" + italy + "\" is read-only.\n\nDo you want to replace it anyway?";

    shell_.answerMessage(MessageAnswer::Cancel);
    frame().runCommand(command::kSave);
    EXPECT_EQ(shell_.messageTexts(), std::vector<QString>{question});
    EXPECT_EQ(shell_.messages().back().icon, shell::MessageIcon::Warning);
    EXPECT_TRUE(dirty());
    EXPECT_EQ(spotsSavedIn(italy), 2);

    shell_.answerMessage(MessageAnswer::Ok);
    frame().runCommand(command::kSave);
    EXPECT_EQ(shell_.messageTexts(), (std::vector<QString>{question, question}));
    EXPECT_FALSE(dirty());
    EXPECT_EQ(spotsSavedIn(italy), 1);
    EXPECT_EQ(QFileInfo(italy).permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther), 0);
}

// A save killed before its rename leaves a hidden temporary file beside the map; the next save of
// the same map removes it, but not the file of a save still writing, nor another map's.
TEST_F(HostileFilesTest, ASaveRemovesWhatKilledSavesOfTheSameMapLeftBehind)
{
    const QString italy = saveMap("Italy.plm", 2);
    ASSERT_EQ(workspace().OpenDocumentFile(italy, true), Outcome::Opened);
    const auto write = [this](const QString& name) {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, '<'));
        return path(name);
    };
    const QString stale = write(".Italy.plm.0123456789abcdef");
    const QString writing = write(".Italy.plm.fedcba9876543210");
    const QString otherMaps = write(".Spain.plm.0123456789abcdef");
    const QString notOurs = write(".Italy.plm.backup");
    const int lock = ::open(QFile::encodeName(writing).constData(), O_RDONLY);
    ASSERT_GE(lock, 0);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);

    makeDirty();
    frame().runCommand(command::kSave);
    ::close(lock);
    EXPECT_FALSE(dirty());
    EXPECT_FALSE(QFile::exists(stale));
    for (const QString& kept : {writing, otherMaps, notOurs}) EXPECT_TRUE(QFile::exists(kept)) << kept.toStdString();
    const QStringList left = QDir(path("")).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(left.filter(QRegularExpression("^\\.Italy\\.plm\\.")).size(), 2);
}

}  // namespace
}  // namespace shell_test
