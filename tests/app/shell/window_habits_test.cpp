#include "app/shell/column_handle.h"
#include "app/shell/command_ids.h"
#include "app/shell/preferences.h"
#include "app/shell/spot_story_dialog.h"
#include "components/interfaces/class_ids.h"
#include "platform/com/runtime.h"
#include "platform/ui/hosted_control.h"
#include "platform/ui/qt_strings.h"
#include "tests/app/shell/window_test.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <QWheelEvent>
#include <cmath>
#include <functional>
#include <map>

namespace shell_test {
namespace {

using shell::MessageAnswer;

// What users of the desktop expect of the window beyond what it always did: context menus,
// shortcuts, a column and a window that keep their size, and text readable in any palette.
class WindowHabitsTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        showFrame();
    }
    void showFrame()
    {
        frame().resize(900, 600);
        frame().show();
        QApplication::setActiveWindow(&frame());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
    }
    static QWidget* controlWindow(QWidget* host) { return host->focusProxy(); }
    QWidget* mapWindow() { return controlWindow(workspace().mapViewHost()); }
    QWidget* gridWindow()
    {
        com::ComPtr<ITableCells> cells;
        workspace().tableControl()->GetTableCells(cells.put());
        return cells.as<ui::IHostedControl>()->ControlWindow();
    }
    int cellCount()
    {
        com::ComPtr<ITableCells> cells;
        workspace().tableControl()->GetTableCells(cells.put());
        std::uint16_t count = 0;
        cells->GetNumCells(&count);
        return count;
    }
    void browse(const QString& folder)
    {
        auto factory = com::CreateInstance<IImageCellFactory>(CLSID_PLImageCellFactory);
        factory->SetDirectory(ui::ToBstr(folder).get());
        workspace().tableControl()->SetCellFactory(factory.as<ICellFactory>().get());
    }
    QString picture(const QString& name)
    {
        const QString file = path(name);
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        image.save(file);
        return file;
    }
    // The window pixel that shows model point (x, y) of the map.
    QPoint areaOf(int x, int y)
    {
        tagRECT model{x, y, x, y}, area{};
        workspace().mapView()->ConvertModelRectToAreaRect(&model, &area);
        return QPoint(area.left, area.top);
    }
    // A right click through the window system, which turns it into a context menu request; the
    // menu that opened, if one did.
    QMenu* contextMenuAt(QWidget* widget, QPoint at)
    {
        QTest::mouseClick(frame().windowHandle(), Qt::RightButton, {}, widget->mapTo(&frame(), at));
        return qobject_cast<QMenu*>(QApplication::activePopupWidget());
    }
    static QStringList itemsOf(QMenu* menu)
    {
        QStringList items;
        for (QAction* action : menu->actions()) items.append(action->text());
        return items;
    }
    static void choose(QMenu* menu, const QString& item)
    {
        for (QAction* action : menu->actions())
            if (action->text() == item) action->trigger();
        menu->close();
    }
    void undo() { frame().runCommand(shell::command::kUndo); }
    void redo() { frame().runCommand(shell::command::kRedo); }
    QString mapFile()
    {
        com::Bstr file;
        workspace().document()->GetMapFile(file.put());
        return ui::ToQString(file.view());
    }
};

TEST_F(WindowHabitsTest, TheMapsContextMenuActsOnTheSpotOrTheMapUnderThePointer)
{
    const QString italy = saveMap("Italy.plm", 1, {saveMap("Rome.plm", 0)});
    const QString rome = path("Rome.plm");
    int storiesAsked = 0;
    const struct Case {
        const char* what;
        QPoint model;  // where the right click lands on the map
        QStringList items;
        QString chosen;
        std::function<void()> check;
    } cases[] = {
        {"a photo spot's show", {25, 25}, {"Play &Slide Show", "Spot &Story...\tF2", "", "&Delete\tDel"},
         "Play &Slide Show",
         [&] {
             EXPECT_TRUE(workspace().slideShowViewHost()->isVisible());
             EXPECT_EQ(currentSpotIndex(), 0);
             workspace().StopSlideShow();
         }},
        {"a map spot's map", {65, 75}, {"&Go to Map", "Spot &Story...\tF2", "", "&Delete\tDel"}, "&Go to Map",
         [&] { EXPECT_EQ(workspace().documentPath(), rome); }},
        {"a spot's story", {65, 75}, {}, "Spot &Story...\tF2",
         [&] {
             EXPECT_EQ(storiesAsked, 1);
             EXPECT_EQ(currentSpotIndex(), 1);
         }},
        {"a spot deleted", {65, 75}, {}, "&Delete\tDel",
         [&] {
             EXPECT_EQ(spotCount(), 1);
             undo();
             EXPECT_EQ(spotCount(), 2);
             shell_.answerMessage(MessageAnswer::No);  // the map reopened for the next case
         }},
        {"the map zoomed to fit", {200, 200}, {"Zoom to &Fit\tCtrl+0"}, "Zoom to &Fit\tCtrl+0",
         [&] { EXPECT_EQ(areaOf(400, 300) - areaOf(0, 0), QPoint(400, 300)); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.chosen.startsWith("Spot &Story"))
            whenModal<shell::SpotStoryDialog>([&](shell::SpotStoryDialog& dialog) {
                ++storiesAsked;
                dialog.reject();
            });
        ASSERT_EQ(workspace().OpenDocumentFile(italy, true), shell::WorkspaceView::OpenOutcome::Opened);
        // Zoomed in, so that the fit has something to come back from.
        QWheelEvent wheel(QPointF(100, 100), mapWindow()->mapToGlobal(QPointF(100, 100)), QPoint(), QPoint(0, 120),
                          Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(mapWindow(), &wheel);
        QMenu* menu = contextMenuAt(mapWindow(), areaOf(c.model.x(), c.model.y()));
        ASSERT_TRUE(menu);
        if (!c.items.isEmpty()) {
            EXPECT_EQ(itemsOf(menu), c.items);
        }
        choose(menu, c.chosen);
        c.check();
    }
    // Where the window shows no map there is nothing to offer.
    frame().runCommand(shell::command::kNew);
    EXPECT_FALSE(contextMenuAt(mapWindow(), QPoint(100, 100)));
}

TEST_F(WindowHabitsTest, APictureFromTheBrowserBecomesTheMapPictureInOneStepOfUndo)
{
    const QString italy = saveMap("Italy.plm", 1);
    workspace().OpenDocumentFile(italy, true);
    const QString before = mapFile();
    QDir().mkpath(path("harbour"));
    const QString harbour = picture("harbour/harbour.png");
    browse(path("harbour"));
    QMenu* menu = contextMenuAt(gridWindow(), QPoint(40, 40));
    ASSERT_TRUE(menu);
    choose(menu, "&Use as Map Picture");
    EXPECT_EQ(mapFile(), harbour);
    EXPECT_TRUE(dirty());
    undo();
    EXPECT_EQ(mapFile(), before);
    redo();
    EXPECT_EQ(mapFile(), harbour);
}

TEST_F(WindowHabitsTest, TheShortcutsUsersTryFirst)
{
    workspace().OpenDocumentFile(saveMap("Italy.plm", 1), true);
    browse(folder_.path().c_str());
    const struct Case {
        const char* what;
        QKeySequence keys;
        std::function<void()> before;
        std::function<void()> check;
    } cases[] = {
        {"F11 goes full screen", QKeySequence(Qt::Key_F11), [] {}, [&] { EXPECT_TRUE(frame().isFullScreen()); }},
        {"F11 comes back", QKeySequence(Qt::Key_F11), [] {}, [&] { EXPECT_FALSE(frame().isFullScreen()); }},
        {"F5 reads the browser's folder again", QKeySequence(Qt::Key_F5), [&] { picture("new.png"); },
         [&, cells = cellCount()] { EXPECT_EQ(cellCount(), cells + 1); }},
        {"Ctrl+Shift+S is Save As", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
         [&] { shell_.answerSaveFile(std::nullopt); },
         [&] { EXPECT_EQ(shell_.saveFileRequests().size(), 1u); }},
        {"Ctrl+Q asks to save, and Cancel keeps the window", QKeySequence(Qt::CTRL | Qt::Key_Q),
         [&] {
             makeDirty();
             shell_.answerMessage(MessageAnswer::Cancel);
         },
         [&] {
             EXPECT_EQ(shell_.messageTexts().back(), "Save Current Document?");
             EXPECT_TRUE(frame().isVisible());
         }},
        {"Ctrl+Q with No closes", QKeySequence(Qt::CTRL | Qt::Key_Q), [&] { shell_.answerMessage(MessageAnswer::No); },
         [&] { EXPECT_FALSE(frame().isVisible()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.before();
        QTest::keySequence(QApplication::focusWidget(), c.keys);
        c.check();
    }
}

TEST_F(WindowHabitsTest, TheBrowserColumnAndTheWindowAreKeptAcrossARestart)
{
    recreateFrame();
    EXPECT_TRUE(frame().screen()->availableGeometry().contains(frame().geometry())) << "the first window fits";
    showFrame();
    EXPECT_EQ(workspace().tableControlHost()->width(), 200) << "the palette's best width the first time";
    auto* handle = workspace().findChild<shell::ColumnHandle*>();
    ASSERT_TRUE(handle);
    const struct Drag {
        int by;
        int width;
    } drags[] = {{80, 280}, {-120, 160}, {-200, 120} /* the narrowest */};
    for (const Drag& drag : drags) {
        QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(3, 100));
        QTest::mouseMove(handle, QPoint(3 + drag.by, 100));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(3 + drag.by, 100));
        EXPECT_EQ(workspace().tableControlHost()->width(), drag.width);
        EXPECT_EQ(workspace().mapViewHost()->x(), drag.width + 2);
    }
    QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(3, 100));
    QTest::mouseMove(handle, QPoint(113, 100));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(113, 100));
    frame().resize(700, 520);
    frame().close();

    recreateFrame();
    frame().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame()));
    EXPECT_EQ(frame().size(), QSize(700, 520));
    EXPECT_EQ(workspace().tableControlHost()->width(), 230);
    frame().showMaximized();
    frame().close();
    recreateFrame();
    frame().show();
    EXPECT_TRUE(frame().isMaximized());
}

// Relative luminance and contrast ratio as the web's accessibility guidelines define them.
double Luminance(QColor colour)
{
    const auto linear = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
}

double Contrast(QColor a, QColor b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// How far the text in `area` stands out: the ground is its most common colour, the text the colour
// that differs most from it.
double TextContrast(const QImage& area)
{
    std::map<QRgb, int> counts;
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x) ++counts[area.pixel(x, y)];
    const QRgb ground =
        std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
    double most = 1;
    for (const auto& [colour, count] : counts) most = std::max(most, Contrast(QColor(colour), QColor(ground)));
    return most;
}

TEST_F(WindowHabitsTest, ADarkPaletteLeavesEveryTextReadable)
{
    const QPalette original = QApplication::palette();
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(53, 53, 53));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, QColor(35, 35, 35));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Button, QColor(53, 53, 53));
    dark.setColor(QPalette::ButtonText, Qt::white);
    QApplication::setPalette(dark);
    QCoreApplication::processEvents();  // the widgets learn of it from posted events
    frame().runCommand(shell::command::kNew);  // no map: the hint shows
    QDir().mkpath(path("nothing here"));
    browse(path("nothing here"));

    const QImage window = frame().grab().toImage();
    const auto inWindow = [&](QWidget* widget, QRect part = {}) {
        const QRect shown = part.isNull() ? widget->rect() : part;
        return window.copy(QRect(widget->mapTo(&frame(), shown.topLeft()), shown.size()));
    };
    const struct Text {
        const char* what;
        QImage area;
    } texts[] = {
        {"the folder's name", inWindow(frame().findChild<QLabel*>("214"))},
        {"the map's hint", inWindow(mapWindow(), QRect(0, 80, mapWindow()->width(), 60))},
        {"the empty folder's text", inWindow(gridWindow(), QRect(0, 0, 100, 60))},
        {"Go Up a Folder", inWindow(frame().findChild<QAbstractButton*>("204"))},
        {"Browse for Folder", inWindow(frame().findChild<QAbstractButton*>("201"))},
        {"the menu bar", inWindow(frame().menuBar())},
    };
    QApplication::setPalette(original);
    QCoreApplication::processEvents();
    for (const Text& text : texts) EXPECT_GT(TextContrast(text.area), 3.0) << text.what;
    // The ground around the map takes the palette's.
    EXPECT_EQ(window.pixelColor(workspace().mapViewHost()->mapTo(&frame(), QPoint(-1, 100))), QColor(35, 35, 35));
}

}  // namespace
}  // namespace shell_test
