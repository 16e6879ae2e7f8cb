#include "app/export/document_snapshot.h"
#include "app/shell/command_ids.h"
#include "tests/app/export/map_files.h"
#include "tests/app/shell/window_test.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>

namespace shell_test {
namespace {

using export_test::MapFiles;

class MovedMapWindow : public WindowTest {
protected:
    QString pictureAt(const QString& name)
    {
        QDir().mkpath(QFileInfo(path(name)).absolutePath());
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        picture.save(path(name));
        return path(name);
    }
};

TEST_F(MovedMapWindow, AMovedMapOpensWithItsFilesSavesWhereTheyAreAndTellsWhatIsMissing)
{
    const QString mapPicture = pictureAt("made/Trip/Map.png");
    const QString kept = pictureAt("made/Trip/Photos/kept.png");
    const QString lost = pictureAt("made/Trip/Photos/lost.png");
    auto map = MapFiles::NewMap(mapPicture);
    MapFiles::AddPhotoSpot(map.get(), {10, 10, 30, 30}, {kept});
    MapFiles::AddPhotoSpot(map.get(), {40, 10, 60, 30}, {lost});
    MapFiles::Save(map.get(), path("made/Trip/Trip.plm"));
    ASSERT_TRUE(QDir().mkpath(path("usb")));
    ASSERT_TRUE(QDir().rename(path("made/Trip"), path("usb/Trip (copy)")));
    ASSERT_TRUE(QFile::remove(path("usb/Trip (copy)/Photos/lost.png")));

    const QString moved = path("usb/Trip (copy)/Trip.plm");
    ASSERT_EQ(workspace().OpenDocumentFile(moved, true), shell::WorkspaceView::OpenOutcome::Opened);
    EXPECT_FALSE(dirty()) << "finding the files is no change of the map";
    // One message, once the map shows, naming what is nowhere to be found and which spot shows it.
    QTRY_COMPARE(shell_.messageTexts().size(), std::size_t(1));
    const QString message = shell_.messageTexts().front();
    EXPECT_TRUE(message.startsWith("1 file of this map could not be found")) << message.toStdString();
    EXPECT_TRUE(message.contains(lost + " (spot 2)")) << message.toStdString();
    EXPECT_FALSE(message.contains("kept.png"));

    makeDirty();
    ASSERT_TRUE(workspace().Save());
    const std::optional<html_export::MapSnapshot> saved = html_export::DocumentSnapshot::Load(moved).map;
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->mapPicture, path("usb/Trip (copy)/Map.png"));
    EXPECT_EQ(saved->spots[0].pictures, QStringList{path("usb/Trip (copy)/Photos/kept.png")});
    EXPECT_EQ(saved->spots[1].pictures, QStringList{lost}) << "a file found nowhere keeps its name";
}

}  // namespace
}  // namespace shell_test

namespace shell_test {
namespace {

TEST_F(MovedMapWindow, PackMapCopiesTheSavedMapIntoTheChosenFolder)
{
    workspace().OpenDocumentFile(saveMap("Italy.plm", 2), true);
    makeDirty();
    shell_.answerMessage(shell::MessageAnswer::Cancel);
    frame().runCommand(shell::command::kPackMap);
    EXPECT_EQ(shell_.messageTexts().back(), "You must save the current map before packing it.");
    EXPECT_TRUE(shell_.folderPrompts().empty()) << "what is on screen is packed only once it is saved";

    ASSERT_TRUE(workspace().Save());
    QDir().mkpath(path("packs"));
    shell_.answerFolder(path("packs"));
    frame().runCommand(shell::command::kPackMap);
    EXPECT_EQ(shell_.messageTexts().back(), "Your map has been packed into the folder \"Italy\" inside of \"packs\".");
    EXPECT_EQ(shell_.shownFolders().back(), path("packs/Italy"));
    const std::optional<html_export::MapSnapshot> packed = html_export::DocumentSnapshot::Load(path("packs/Italy/Italy.plm")).map;
    ASSERT_TRUE(packed);
    EXPECT_TRUE(packed->mapPicture.startsWith(path("packs/Italy/pictures/"))) << packed->mapPicture.toStdString();
    EXPECT_TRUE(QFile::exists(packed->mapPicture));
}

}  // namespace
}  // namespace shell_test
