#include "components/interfaces/table_cells.h"
#include "platform/ui/hosted_control.h"
#include "tests/components/browser/recording_cells.h"
#include "tests/support/registered_components.h"
#include "tests/support/scripted_shell_services.h"

#include <QApplication>
#include <QDrag>
#include <QMenu>
#include <QWheelEvent>
#include <QMimeData>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <memory>

using namespace com;
using namespace test_support;

namespace {

// A grid whose client area (left of its scroll bar) is 208 pixels wide: cells 200 x 150, step 158.
class Grid : public ComponentTest {
protected:
    void SetUp() override
    {
        ComponentTest::SetUp();
        host = std::make_unique<QWidget>();
        ComPtr<IUnknown> control;
        ASSERT_EQ(ui::HostControl(u"TableProject.TableCells.1", *host, control), S_OK);
        grid = control.as<ITableCells>();
        window = control.as<ui::IHostedControl>()->ControlWindow();
        tableControl = Make<RecordingTableControl>();
        grid->SetTableControl(tableControl->identity());
    }
    void TearDown() override
    {
        cells.clear();
        grid.reset();
        host.reset();
        tableControl.reset();
        ComponentTest::TearDown();
    }
    void show(int clientHeight, const std::vector<QString>& paths)
    {
        scrollBar = window->findChild<QScrollBar*>();
        host->resize(208 + scrollBar->sizeHint().width(), clientHeight);
        host->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(host.get()));
        for (const QString& path : paths) {
            cells.push_back(Make<RecordingCell>(path, !path.contains('.')));
            grid->AddCell(cells.back().get());
        }
        grid->CellFactoryChanged();
    }
    QImage paint()
    {
        QImage image(window->size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        window->render(&image);
        return image;
    }
    std::vector<int> selection() const
    {
        std::vector<int> selected;
        for (int i = 0; i < static_cast<int>(cells.size()); ++i)
            if (cells[i]->selected()) selected.push_back(i);
        return selected;
    }
    // The middle of cell i while the grid is not scrolled.
    static QPoint centreOf(int i) { return QPoint(100, 158 * i + 75); }
    void click(int i, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(window, Qt::LeftButton, modifiers, centreOf(i));
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(window, k, modifiers); }
    // What the screen shows of the grid now, once the repaints it asked for are done.
    QImage onScreen()
    {
        QCoreApplication::processEvents();
        return host->screen()->grabWindow(host->winId()).toImage().copy(QRect(window->mapTo(host.get(), QPoint()), window->size()));
    }

    std::unique_ptr<QWidget> host;
    ComPtr<ITableCells> grid;
    QWidget* window = nullptr;
    QScrollBar* scrollBar = nullptr;
    ComPtr<RecordingTableControl> tableControl;
    std::vector<ComPtr<RecordingCell>> cells;
};

std::vector<QString> Pictures(int n)
{
    std::vector<QString> paths;
    for (int i = 0; i < n; ++i) paths.push_back(QString("/trip/%1.jpg").arg(QChar('a' + i)));
    return paths;
}

TEST_F(Grid, CellsStandInOneColumnScrolledInQuarterSteps)
{
    show(474, Pictures(10));
    EXPECT_EQ(scrollBar->maximum(), 32);
    EXPECT_TRUE(scrollBar->isEnabled());
    uint16_t count = 0;
    grid->GetNumCells(&count);
    EXPECT_EQ(count, 10);

    QImage image = paint();
    ASSERT_FALSE(cells[1]->drawn.empty());
    EXPECT_EQ(cells[1]->drawn.back().left, 4);
    EXPECT_EQ(cells[1]->drawn.back().top, 158);
    EXPECT_EQ(cells[1]->drawn.back().right, 204);
    EXPECT_EQ(cells[1]->drawn.back().bottom, 308);
    EXPECT_TRUE(cells[5]->drawn.empty());  // below the window
    EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(100, 75), QColor(Qt::gray));

    scrollBar->setValue(5);  // one step and a quarter: 5 x 39 pixels
    paint();
    EXPECT_EQ(cells[1]->drawn.back().top, 158 - 195);
    click(1);  // y = 233 + 195 lies in cell 2
    EXPECT_EQ(selection(), std::vector<int>{2});
}

TEST_F(Grid, AllCellsFittingLeaveNothingToScroll)
{
    show(474, Pictures(2));
    EXPECT_EQ(scrollBar->maximum(), 0);
    EXPECT_FALSE(scrollBar->isEnabled());
}

TEST_F(Grid, SelectionByMouse)
{
    show(800, Pictures(5));
    click(1, Qt::ShiftModifier);  // no anchor: just this one
    EXPECT_EQ(selection(), std::vector<int>{1});
    click(3, Qt::ControlModifier);
    EXPECT_EQ(selection(), (std::vector<int>{1, 3}));
    click(3, Qt::ControlModifier);
    EXPECT_EQ(selection(), std::vector<int>{1});
    click(1);
    click(4, Qt::ShiftModifier);
    EXPECT_EQ(selection(), (std::vector<int>{1, 2, 3, 4}));
    click(2);  // a plain click without a drag narrows the selection
    EXPECT_EQ(selection(), std::vector<int>{2});
    QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(100, 790));  // beyond the last cell
    EXPECT_EQ(selection(), std::vector<int>{2});
}

TEST_F(Grid, SelectionByKeys)
{
    show(474, Pictures(6));
    key(Qt::Key_Down);
    EXPECT_EQ(selection(), std::vector<int>{0});
    key(Qt::Key_Down);
    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(selection(), (std::vector<int>{1, 2, 3}));
    key(Qt::Key_Up, Qt::ShiftModifier);  // back into the block: it shrinks
    EXPECT_EQ(selection(), (std::vector<int>{1, 2}));
    key(Qt::Key_Up);
    EXPECT_EQ(selection(), std::vector<int>{1});
    for (int i = 0; i < 6; ++i) key(Qt::Key_Down);
    EXPECT_EQ(selection(), std::vector<int>{5});
    EXPECT_GT(scrollBar->value(), 0);  // the moving end was scrolled towards the view
    key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(selection().size(), 6u);
    key(Qt::Key_Return);
    key(Qt::Key_U, Qt::ControlModifier);
    key(Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(tableControl->calls, (std::vector<QString>{"OnFileSelected /trip/f.jpg", "GoUp", "Browse"}));
}

TEST_F(Grid, KeysRepaintTheSelectionAlsoWhenEveryCellFits)
{
    show(800, Pictures(3));
    window->setFocus();
    for (const auto& [k, modifiers] : {std::pair{Qt::Key_Down, Qt::NoModifier}, {Qt::Key_Down, Qt::NoModifier},
                                       {Qt::Key_Up, Qt::ShiftModifier}, {Qt::Key_Down, Qt::ShiftModifier}}) {
        onScreen();
        key(k, modifiers);
        const QImage screen = onScreen(), drawn = paint();
        for (int i = 0; i < 3; ++i)  // the left edge of each cell's frame
            EXPECT_EQ(screen.pixelColor(5, 158 * i + 75), drawn.pixelColor(5, 158 * i + 75)) << k << " cell " << i;
    }
}

TEST_F(Grid, KeypadDigitsSelectAllAndBrowseWithCtrlAndSearchWithout)
{
    show(474, {"/p/1 map.jpg", "/p/2 photo.jpg", "/p/3 photo.jpg"});
    key(Qt::Key_2, Qt::KeypadModifier);
    EXPECT_EQ(selection(), std::vector<int>{1});
    key(Qt::Key_1, Qt::KeypadModifier | Qt::ControlModifier);
    EXPECT_EQ(selection(), (std::vector<int>{0, 1, 2}));
    key(Qt::Key_2, Qt::KeypadModifier | Qt::ControlModifier);
    EXPECT_EQ(tableControl->calls, std::vector<QString>{"Browse"});
}

TEST_F(Grid, TypingANameFindsItsCell)
{
    show(474, {"/p/apple.jpg", "/p/avocado.jpg", "/p/banana.jpg", "/p/berry.jpg", "/p/cherry.jpg"});
    key(Qt::Key_B);
    EXPECT_EQ(selection(), std::vector<int>{2});
    EXPECT_EQ(scrollBar->value(), scrollBar->maximum() * 2 / 5);
    key(Qt::Key_E);  // "be"
    EXPECT_EQ(selection(), std::vector<int>{3});
    key(Qt::Key_Z);  // "bez": nothing matches, the selection stays
    EXPECT_EQ(selection(), std::vector<int>{3});
}

TEST_F(Grid, RepeatingTheFirstLetterStepsThroughItsCells)
{
    show(474, {"/p/apple.jpg", "/p/avocado.jpg", "/p/banana.jpg"});
    key(Qt::Key_A);
    EXPECT_EQ(selection(), std::vector<int>{0});
    key(Qt::Key_A);
    EXPECT_EQ(selection(), std::vector<int>{1});
}

TEST_F(Grid, DoubleClicksOpenFoldersAndHandFilesToTheHost)
{
    show(800, {"/p/a.jpg", "/p/sub"});
    QTest::mouseDClick(window, Qt::LeftButton, {}, centreOf(0));
    QTest::mouseDClick(window, Qt::LeftButton, {}, centreOf(1));
    EXPECT_EQ(tableControl->calls, (std::vector<QString>{"OnFileSelected /p/a.jpg", "SetCellFactory /p/sub"}));
}

TEST_F(Grid, DraggingOffersTheSelectedFilesAsUris)
{
    show(800, {"/p/a.jpg", "/p/b.wav", "/p/c.plm", "/p/sub"});
    click(0);
    click(1, Qt::ShiftModifier);
    click(3, Qt::ControlModifier);
    QTest::mousePress(window, Qt::LeftButton, {}, centreOf(1));
    QList<QUrl> offered;
    QSize picture;
    // The drag loop is modal: look at what it offers from inside it, then cancel it.
    QTimer::singleShot(0, [&] {
        if (QDrag* drag = window->findChild<QDrag*>()) {
            offered = drag->mimeData()->urls();
            picture = drag->pixmap().size();
        }
        QTest::keyClick(window, Qt::Key_Escape);
    });
    QTest::mouseMove(window, centreOf(1) + QPoint(0, 1));
    QCoreApplication::processEvents();  // where the platform has no drag loop, the look happens here
    EXPECT_EQ(offered, (QList<QUrl>{QUrl("file:///p/a.jpg"), QUrl("file:///p/b.wav"), QUrl("file:///p/sub")}));
    EXPECT_EQ(picture, QSize(200, 158 + 150));  // the cell and the selected one above it
    QTest::mouseRelease(window, Qt::LeftButton, {}, centreOf(1));
    EXPECT_EQ(selection(), (std::vector<int>{0, 1, 3}));  // the release after a drag keeps the group
}

TEST_F(Grid, FoldersCannotBeDragged)
{
    show(800, {"/p/a.jpg", "/p/sub"});
    QTest::mousePress(window, Qt::LeftButton, {}, centreOf(1));
    QTest::mouseMove(window, centreOf(1) + QPoint(0, 5));
    EXPECT_EQ(window->findChild<QDrag*>(), nullptr);
    QTest::mouseRelease(window, Qt::LeftButton, {}, centreOf(1));
}

TEST_F(Grid, AnEmptyFolderSaysSo)
{
    show(474, {});
    const QImage image = paint();
    int dark = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 208; ++x) dark += image.pixelColor(x, y).lightness() < 128;
    EXPECT_GT(dark, 50);
    key(Qt::Key_Down);  // keys do nothing without cells
}

}  // namespace

namespace {

TEST_F(Grid, HomeEndAndThePageKeysMoveAPageOfCellsAtATime)
{
    show(474, Pictures(10));  // three whole cells to a page
    const struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        std::vector<int> selected;
        int shown;  // the cell that must be wholly on screen
    } steps[] = {
        {Qt::Key_End, {}, {9}, 9},
        {Qt::Key_Home, {}, {0}, 0},
        {Qt::Key_PageDown, {}, {3}, 3},
        {Qt::Key_PageDown, {}, {6}, 6},
        {Qt::Key_PageUp, {}, {3}, 3},
        {Qt::Key_End, Qt::ShiftModifier, {3, 4, 5, 6, 7, 8, 9}, 9},
        {Qt::Key_PageUp, Qt::ShiftModifier, {3, 4, 5, 6}, 6},
        {Qt::Key_Home, Qt::ShiftModifier, {0, 1, 2, 3}, 0},
        {Qt::Key_PageUp, {}, {0}, 0},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(QKeySequence(step.key | step.modifiers).toString().toStdString());
        key(step.key, step.modifiers);
        EXPECT_EQ(selection(), step.selected);
        paint();
        ASSERT_FALSE(cells[step.shown]->drawn.empty());
        EXPECT_GE(cells[step.shown]->drawn.back().top, 0);
        EXPECT_LE(cells[step.shown]->drawn.back().bottom, 474);
    }
}

TEST_F(Grid, TheWheelScrollsAQuarterStepForEachOfTheDesktopsLines)
{
    show(474, Pictures(10));
    const int lines = QApplication::wheelScrollLines();
    const auto turn = [&](QWidget* under, int angle) {
        QWheelEvent event(QPointF(5, 5), under->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, angle), Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(under, &event);
    };
    turn(window, -120);
    EXPECT_EQ(scrollBar->value(), lines);
    turn(scrollBar, -120);
    EXPECT_EQ(scrollBar->value(), 2 * lines);
    // Fine wheels add up to lines.
    for (int i = 0; i < 4; ++i) turn(window, 30);
    EXPECT_EQ(scrollBar->value(), lines);
}

TEST_F(Grid, TheContextMenuOfACellActsOnIt)
{
    ScriptedShellServices shell;
    show(800, {"/p/a.jpg", "/p/b.wav", "/p/c.plm", "/p/sub"});
    const struct Case {
        int cell;
        QStringList items;
        QString chosen;
        std::vector<QString> calls;
        std::vector<QString> shown;
    } cases[] = {
        {0, {"&Preview", "Show in &File Manager", "&Use as Map Picture"}, "&Preview", {"OnFileSelected /p/a.jpg"}, {}},
        {0, {}, "&Use as Map Picture", {"OnUseAsMapPicture /p/a.jpg"}, {}},
        {0, {}, "Show in &File Manager", {}, {"/p/a.jpg"}},
        {1, {"Show in &File Manager"}, "Show in &File Manager", {}, {"/p/b.wav"}},
        {2, {"&Open", "Show in &File Manager"}, "&Open", {"OnFileSelected /p/c.plm"}, {}},
        {3, {"&Open", "Show in &File Manager"}, "&Open", {"SetCellFactory /p/sub"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen.toStdString() + " on cell " + std::to_string(c.cell));
        tableControl->calls.clear();
        const std::size_t shownBefore = shell.shownItems().size();
        click(c.cell == 0 ? 1 : 0);
        // Through the window system, which turns the right button into a context menu request.
        QTest::mouseClick(host->windowHandle(), Qt::RightButton, {}, window->mapTo(host.get(), centreOf(c.cell)));
        EXPECT_EQ(selection(), std::vector<int>{c.cell}) << "the cell right-clicked is chosen";
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_TRUE(menu);
        QStringList items;
        QAction* chosen = nullptr;
        for (QAction* action : menu->actions()) {
            items.append(action->text());
            if (action->text() == c.chosen) chosen = action;
        }
        if (!c.items.isEmpty()) {
            EXPECT_EQ(items, c.items);
        }
        ASSERT_TRUE(chosen);
        chosen->trigger();
        menu->close();
        EXPECT_EQ(tableControl->calls, c.calls);
        EXPECT_EQ(std::vector<QString>(shell.shownItems().begin() + shownBefore, shell.shownItems().end()), c.shown);
    }
}

}  // namespace
