// A user's whole session on the real main window, through the events a person's mouse and keys
// make: building a map from the file browser, editing it, watching its show, undoing and redoing
// it, saving, reopening and exporting it.
#include "app/shell/command_ids.h"
#include "components/interfaces/map_spot.h"
#include "components/interfaces/photo_spot.h"
#include "platform/ui/qt_strings.h"
#include "tests/app/shell/window_test.h"
#include "tests/support/wave_file.h"

#include <QAbstractButton>
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDir>
#include <QDrag>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QScrollBar>

namespace shell_test {
namespace {

constexpr int kBrowseForFolder = 201;
constexpr int kEditTool = 203;

const QColor kPhotoColours[] = {QColor(200, 30, 30), QColor(30, 160, 40), QColor(40, 60, 210)};

class UserSessionTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        journey_ = path("journey");
        QDir().mkpath(journey_);
        // The file names put the browser's cells in this order.
        picture("1 map.jpg", QSize(800, 600), QColor(170, 205, 230));
        for (int i = 0; i < 3; ++i) picture(QStringLiteral("%1 photo.jpg").arg(i + 2), QSize(320, 240), kPhotoColours[i]);
        test_support::WriteToneWave(journey_ + "/5 sound.wav", 200);
        linkedMap_ = saveMap("journey/6 Rome.plm", 1);
        showFrame();
    }

    void showFrame()
    {
        // Tall enough for the browser to show every cell of the journey's folder without scrolling.
        frame().resize(1000, 1200);
        frame().show();
        QApplication::setActiveWindow(&frame());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
    }

    void picture(const QString& name, QSize size, QColor colour)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(journey_ + "/" + name, "JPEG", 95));
    }

    static QWidget* controlWindow(QWidget* host) { return host->focusProxy(); }
    QWidget* mapWindow() { return controlWindow(workspace().mapViewHost()); }
    QWidget* slideShowWindow() { return controlWindow(workspace().slideShowViewHost()); }
    // The grid of the file browser: what lies under the first cell's centre, below the folder label.
    QWidget* browserGrid()
    {
        QWidget* list = controlWindow(workspace().tableControlHost());
        return list->childAt(QPoint(100, 100));
    }

    // Where the grid shows the centre of cell `i`, its list not scrolled: cells as wide as the grid
    // beside its scroll bar less two margins of 4, three quarters as high, 8 apart.
    QPoint cellCentre(int i)
    {
        QWidget* grid = browserGrid();
        const int client = grid->width() - grid->findChild<QScrollBar*>()->sizeHint().width();
        const int height = (client - 8) * 3 / 4;
        return QPoint(client / 2, (height + 8) * i + height / 2);
    }
    void clickCell(int i, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(browserGrid(), Qt::LeftButton, modifiers, cellCentre(i));
    }

    // Drags the browser's selection from cell `i` (pressing on a cell outside it selects that cell alone) and lets go over the map at `point`, as the
    // platform's drag loop does: the map is told of the drag entering, moving and dropping with
    // what the browser offers.
    void dragToMap(int i, QPoint point)
    {
        QWidget* grid = browserGrid();
        const QPoint cell = cellCentre(i);
        bool dropped = false;
        QTimer::singleShot(0, [&] {
            // The newest drag: a platform without a drag loop leaves the earlier ones about.
            const QList<QDrag*> drags = grid->findChildren<QDrag*>();
            if (drags.isEmpty()) return;
            QDrag* drag = drags.constLast();
            const Qt::DropActions offered = drag->supportedActions();
            QMimeData* data = drag->mimeData();
            QDragEnterEvent enter(point, offered, data, Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(mapWindow(), &enter);
            QDragMoveEvent move(point, offered, data, Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(mapWindow(), &move);
            QDropEvent drop(point, offered, data, Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(mapWindow(), &drop);
            dropped = true;
            QTest::keyClick(grid, Qt::Key_Escape);  // ends the drag loop, where the platform runs one
        });
        QTest::mousePress(grid, Qt::LeftButton, {}, cell);
        QTest::mouseMove(grid, cell + QPoint(0, 12));
        QCoreApplication::processEvents();
        QTest::mouseRelease(grid, Qt::LeftButton, {}, cell + QPoint(0, 12));
        ASSERT_TRUE(dropped);
    }

    com::ComPtr<IBaseSpot> spot(int index)
    {
        com::ComPtr<IBaseSpot> found;
        workspace().document()->SpotAtIndex(index, found.put());
        return found;
    }
    tagRECT areaOf(IBaseSpot* spot)
    {
        tagRECT model{}, area{};
        spot->GetBounds(&model);
        workspace().mapView()->ConvertModelRectToAreaRect(&model, &area);
        return area;
    }
    // The point of the map view at these fractions of the map picture's width and height.
    QPoint onMap(double x, double y)
    {
        tagRECT model{}, area{};
        workspace().mapView()->GetModelBounds(&model);
        workspace().mapView()->ConvertModelRectToAreaRect(&model, &area);
        return QPoint(area.left + int((area.right - area.left) * x), area.top + int((area.bottom - area.top) * y));
    }
    static QPoint centreOf(const tagRECT& r) { return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); }
    // A drag of the mouse over the map with the left button, in steps as a hand moves.
    void dragOnMap(QPoint from, QPoint to)
    {
        QTest::mousePress(mapWindow(), Qt::LeftButton, {}, from);
        for (int step = 1; step <= 4; ++step) QTest::mouseMove(mapWindow(), from + (to - from) * step / 4);
        QTest::mouseRelease(mapWindow(), Qt::LeftButton, {}, to);
    }

    QString mapFile()
    {
        com::Bstr file;
        workspace().document()->GetMapFile(file.put());
        return ui::ToQString(file.view());
    }
    // The map as a person checks it: its picture, each spot's kind, place, pictures, sound, link.
    QStringList describeMap()
    {
        QStringList lines{QFileInfo(mapFile()).fileName()};
        for (int i = 0; i < spotCount(); ++i) {
            const com::ComPtr<IBaseSpot> each = spot(i);
            tagRECT r{};
            each->GetBounds(&r);
            QString line = QStringLiteral("%1,%2,%3,%4").arg(r.left).arg(r.top).arg(r.right).arg(r.bottom);
            if (const auto photo = each.tryAs<IPhotoSpot>()) {
                com::LONG count = 0;
                photo->NumImages(&count);
                com::Bstr sound;
                photo->GetAudioFile(sound.put());
                line += QStringLiteral(" photos %1 sound %2").arg(count).arg(QFileInfo(ui::ToQString(sound.view())).fileName());
            } else if (const auto link = each.tryAs<IMapSpot>()) {
                com::Bstr linked;
                link->GetFileName(linked.put());
                line += " map " + QFileInfo(ui::ToQString(linked.view())).fileName();
            }
            lines << line;
        }
        return lines;
    }

    void key(int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }

    QColor slideShowCentre()
    {
        const QImage shown = slideShowWindow()->grab().toImage();
        return shown.pixelColor(shown.rect().center());
    }
    // One tick of the show's advance timer, which the view's paint starts, without its wait.
    void tickSlideShow()
    {
        slideShowWindow()->grab();
        const auto timers = QAbstractEventDispatcher::instance()->registeredTimers(slideShowWindow());
        ASSERT_EQ(timers.size(), 1);
        QTimerEvent tick(timers.front().timerId);
        QCoreApplication::sendEvent(slideShowWindow(), &tick);
    }

    QString journey_;
    QString linkedMap_;
};

bool near(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) < 24 && std::abs(a.green() - b.green()) < 24 && std::abs(a.blue() - b.blue()) < 24;
}

TEST_F(UserSessionTest, AMapIsBuiltEditedWatchedUndoneSavedReopenedAndExported)
{
    // The browser is pointed at the journey's folder.
    shell_.answerFolder(journey_);
    QAbstractButton* browse = controlWindow(workspace().toolPaletteHost())->findChild<QAbstractButton*>(
        QString::number(kBrowseForFolder));
    QTest::mouseClick(browse, Qt::LeftButton, {}, browse->rect().center());
    com::Bstr shownFolder;
    workspace().tableControl()->GetDirectory(shownFolder.put());
    ASSERT_EQ(ui::ToQString(shownFolder.view()), journey_);
    // The map picture, then three photos in one drop, their sound, and a link to another map.
    dragToMap(0, QPoint(300, 300));
    EXPECT_EQ(QFileInfo(mapFile()).fileName(), "1 map.jpg");
    clickCell(1);
    clickCell(3, Qt::ShiftModifier);
    dragToMap(2, onMap(0.3, 0.3));
    ASSERT_EQ(spotCount(), 1);
    dragToMap(4, centreOf(areaOf(spot(0).get())));
    dragToMap(5, onMap(0.7, 0.7));
    ASSERT_EQ(spotCount(), 2);
    const QStringList built = describeMap();
    EXPECT_TRUE(built[1].endsWith("photos 3 sound 5 sound.wav")) << built[1].toStdString();
    EXPECT_TRUE(built[2].endsWith("map 6 Rome.plm")) << built[2].toStdString();

    // With the edit tool picked in the palette, the photo spot is moved, then made larger.
    controlWindow(workspace().toolPaletteHost())->findChild<QAbstractButton*>(QString::number(kEditTool))->click();
    const QPoint target = onMap(0.2, 0.6);
    dragOnMap(centreOf(areaOf(spot(0).get())), target);
    // The centre follows the pointer in map units, which are not the screen's.
    EXPECT_LE((centreOf(areaOf(spot(0).get())) - target).manhattanLength(), 4);
    const tagRECT moved = areaOf(spot(0).get());
    dragOnMap(QPoint(moved.right - 2, moved.bottom - 2), QPoint(moved.right + 40, moved.bottom + 30));
    const tagRECT resized = areaOf(spot(0).get());
    EXPECT_GT(resized.right - resized.left, moved.right - moved.left + 30);
    EXPECT_EQ(QPoint(resized.left, resized.top), QPoint(moved.left, moved.top));
    const QStringList edited = describeMap();

    // A double click plays the spot's show in the map's place, through its three photos.
    QTest::mouseDClick(mapWindow(), Qt::LeftButton, {}, centreOf(resized));
    ASSERT_TRUE(workspace().slideShowViewHost()->isVisible());
    EXPECT_FALSE(workspace().mapViewHost()->isVisible());
    for (const QColor& colour : kPhotoColours) {
        EXPECT_TRUE(near(slideShowCentre(), colour)) << slideShowCentre().name().toStdString();
        tickSlideShow();
    }
    EXPECT_TRUE(workspace().mapViewHost()->isVisible());
    EXPECT_FALSE(workspace().slideShowViewHost()->isVisible());

    // Six steps back leave the empty map; six forward bring back the edited one.
    for (int i = 0; i < 6; ++i) key(Qt::Key_Z);
    EXPECT_EQ(describeMap(), QStringList{""});
    EXPECT_FALSE(workspace().UndoAvailable());
    for (int i = 0; i < 6; ++i) key(Qt::Key_Y);
    EXPECT_EQ(describeMap(), edited);
    key(Qt::Key_Z);
    key(Qt::Key_Z);
    EXPECT_EQ(describeMap(), built);
    key(Qt::Key_Y);
    key(Qt::Key_Y);

    // Saved, closed, and shown again at the next start.
    const QString saved = journey_ + "/Trip.plm";
    shell_.answerSaveFile(saved);
    key(Qt::Key_S);
    ASSERT_TRUE(QFileInfo::exists(saved));
    ASSERT_TRUE(frame().close());
    recreateFrame();
    showFrame();
    EXPECT_EQ(workspace().documentPath(), saved);
    EXPECT_EQ(describeMap(), edited);
    const QImage shown = mapWindow()->grab().toImage();
    EXPECT_TRUE(near(shown.pixelColor(700, 500), QColor(170, 205, 230)));

    // Exported to a web site through the menu and its dialogs.
    const QString sites = path("sites");
    QDir().mkpath(sites);
    shell_.answerFolder(sites);
    shell_.answerChoice(1);  // the modern style
    shell_.answerButton(0);  // the folder shown
    frame().commandAction(shell::command::kExportToHtml)->trigger();
    EXPECT_EQ(shell_.messages().back().title, "Export Complete");
    QFile index(sites + "/Trip/index.html");
    ASSERT_TRUE(index.open(QIODevice::ReadOnly));
    EXPECT_TRUE(index.readAll().startsWith("<!DOCTYPE html>"));
    for (const char* file : {"index.html", "spot0.html", "images/spot0_img2.jpg", "spot1/index.html"})
        EXPECT_TRUE(QFileInfo::exists(sites + "/Trip/" + file)) << file;
}

}  // namespace
}  // namespace shell_test
