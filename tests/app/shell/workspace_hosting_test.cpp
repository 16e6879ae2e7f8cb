#include "components/interfaces/photo_spot.h"
#include "platform/ui/qt_strings.h"
#include "tests/app/export/map_files.h"
#include "tests/app/shell/window_test.h"

#include <QAbstractButton>
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QTest>

namespace shell_test {
namespace {

// The command ids of the buttons the user clicks in the hosted controls.
constexpr int kAddPhotoTool = 202;
constexpr int kEditTool = 203;
constexpr int kPlay = 207;
constexpr int kPause = 208;
constexpr int kPreviousSlide = 209;
constexpr int kNextSlide = 210;
constexpr int kMaximize = 1001;
constexpr int kRestore = 1002;

class WorkspaceHostingTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        frame().resize(900, 600);
        frame().show();
        QApplication::setActiveWindow(&frame());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
    }

    QString pictureFile(const QString& name, QColor colour)
    {
        const QString file = path(name);
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(colour);
        image.save(file);
        return file;
    }

    // The current spot becomes a photo spot of the open map holding these pictures.
    com::ComPtr<IPhotoSpot> currentSpotWith(const QStringList& pictures)
    {
        IDocument* document = workspace().document();
        export_test::MapFiles::AddPhotoSpot(document, {10, 10, 40, 40}, pictures);
        com::LONG count = 0;
        document->GetNumSpots(&count);
        com::ComPtr<IBaseSpot> spot;
        document->SpotAtIndex(count - 1, spot.put());
        document->PutCurrentSpot(spot.get());
        return spot.tryAs<IPhotoSpot>();
    }
    com::ComPtr<IPhotoSpot> threePictureSpot()
    {
        return currentSpotWith({pictureFile("red.png", Qt::red), pictureFile("green.png", Qt::green),
                                pictureFile("blue.png", Qt::blue)});
    }

    static QWidget* controlWindow(QWidget* host) { return host->focusProxy(); }
    QWidget* slideShowWindow() { return controlWindow(workspace().slideShowViewHost()); }

    static QAbstractButton* button(QWidget* host, int command)
    {
        return controlWindow(host)->findChild<QAbstractButton*>(QString::number(command));
    }
    static void click(QWidget* host, int command)
    {
        QAbstractButton* target = button(host, command);
        ASSERT_TRUE(target) << command;
        QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
    }

    bool showingSlideShow()
    {
        return workspace().slideShowViewHost()->isVisible() && !workspace().mapViewHost()->isVisible();
    }
    bool showingMap()
    {
        return workspace().mapViewHost()->isVisible() && !workspace().slideShowViewHost()->isVisible();
    }
    bool controllerEnabled() { return button(workspace().slideShowControllerHost(), kNextSlide)->isEnabled(); }

    // The slide show's advance timer, started by the view's next paint; 0 while none runs.
    int advanceTimer()
    {
        slideShowWindow()->grab();
        const auto timers = QAbstractEventDispatcher::instance()->registeredTimers(slideShowWindow());
        return timers.isEmpty() ? 0 : timers.front().timerId;
    }
    // One tick of the running show, without its five seconds' wait.
    void tick()
    {
        const int timer = advanceTimer();
        ASSERT_NE(timer, 0);
        QTimerEvent event(timer);
        QCoreApplication::sendEvent(slideShowWindow(), &event);
    }

    static int indexOf(IPhotoSpot* spot)
    {
        com::LONG index = -1;
        spot->GetIndex(&index);
        return index;
    }
    com::ComPtr<IBaseSpot> currentSpot()
    {
        com::ComPtr<IBaseSpot> current;
        workspace().document()->GetCurrentSpot(current.put());
        return current;
    }
    com::ComPtr<IPhotoSpot> previewSpot()
    {
        com::ComPtr<IBaseSpot> preview;
        workspace().document()->GetPreviewSpot(preview.put());
        return preview.tryAs<IPhotoSpot>();
    }
    // The preview spot's pictures as "count: current picture".
    QString previewHolds()
    {
        com::LONG count = 0;
        previewSpot()->NumImages(&count);
        com::Bstr current;
        previewSpot()->CurrentImage(current.put());
        return QString::number(count) + QStringLiteral(": ") + ui::ToQString(current.view());
    }

    // What the file browser hands the palette when the user double-clicks a file.
    void fileSelected(const QString& file)
    {
        com::Bstr name = ui::ToBstr(file);
        com::BSTR value = name.get();
        workspace().toolPalette()->FileSelected(&value);
    }
};

TEST_F(WorkspaceHostingTest, ThePalettesToolButtonsHandTheirToolToTheMapView)
{
    EXPECT_EQ(QApplication::focusWidget(), controlWindow(workspace().mapViewHost()));  // the map has the keys at start
    currentSpotWith({pictureFile("first.png", Qt::red)});
    const int spotsBefore = spotCount();
    QWidget* map = controlWindow(workspace().mapViewHost());

    // The photo tool asks for a picture on a click and makes a spot of it there.
    button(workspace().toolPaletteHost(), kAddPhotoTool)->click();
    shell_.answerOpenFile(pictureFile("added.png", Qt::yellow));
    QTest::mouseClick(map, Qt::LeftButton, {}, QPoint(300, 300));
    EXPECT_EQ(shell_.openFileRequests().size(), 1u);
    EXPECT_EQ(spotCount(), spotsBefore + 1);

    // The edit tool only selects: no question, no spot.
    button(workspace().toolPaletteHost(), kEditTool)->click();
    QTest::mouseClick(map, Qt::LeftButton, {}, QPoint(300, 300));
    EXPECT_EQ(shell_.openFileRequests().size(), 1u);
    EXPECT_EQ(spotCount(), spotsBefore + 1);
}

// Every way a show ends brings the map back with the controller disabled and leaves the spot the
// user was looking at current.
TEST_F(WorkspaceHostingTest, ASlideShowTakesTheMapsPlaceUntilItEnds)
{
    const struct {
        const char* name;
        std::function<void()> end;
    } endings[] = {
        {"after its last picture", [this] { for (int i = 0; i < 3; ++i) tick(); }},
        {"by Ctrl+U", [this] { QTest::keyClick(slideShowWindow(), Qt::Key_U, Qt::ControlModifier); }},
        {"when its spot is deleted", [this] { workspace().mapView()->OnDeleteKey(); }},
    };
    for (const auto& ending : endings) {
        SCOPED_TRACE(ending.name);
        const com::ComPtr<IPhotoSpot> spot = threePictureSpot();
        ASSERT_TRUE(showingMap());
        EXPECT_FALSE(controllerEnabled());

        workspace().toolPalette()->StartSlideShow();
        EXPECT_TRUE(showingSlideShow());
        EXPECT_TRUE(controllerEnabled());
        EXPECT_EQ(QApplication::focusWidget(), slideShowWindow());
        EXPECT_NE(advanceTimer(), 0);

        ending.end();
        EXPECT_TRUE(showingMap());
        EXPECT_FALSE(controllerEnabled());
        EXPECT_EQ(QApplication::focusWidget(), controlWindow(workspace().mapViewHost()));
        EXPECT_EQ(advanceTimer(), 0);
    }
}

// Delete in a show of a spot's only picture deletes the spot and ends the show; Undo brings the spot
// back as it was, the current spot, and selecting another leaves one spot drawn as selected.
TEST_F(WorkspaceHostingTest, ASpotDeletedInItsShowComesBackWithoutASecondSelectionFrame)
{
    workspace().OpenDocumentFile(saveMap("Italy.plm", 2), true);  // spots at x 10 and 50 of the map
    QWidget* map = controlWindow(workspace().mapViewHost());
    const auto areaOf = [&](tagRECT model) {
        tagRECT area{};
        workspace().mapView()->ConvertModelRectToAreaRect(&model, &area);
        return area;
    };
    const tagRECT first = areaOf({10, 10, 40, 40}), second = areaOf({50, 10, 80, 40});
    const auto centre = [](const tagRECT& r) { return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); };
    QTest::mouseDClick(map, Qt::LeftButton, {}, centre(first));
    ASSERT_TRUE(showingSlideShow());
    QTest::keyClick(slideShowWindow(), Qt::Key_Delete);
    ASSERT_TRUE(showingMap());
    ASSERT_EQ(spotCount(), 1);
    QTest::keyClick(map, Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(spotCount(), 2);
    EXPECT_EQ(currentSpotIndex(), 0);

    QTest::mouseClick(map, Qt::LeftButton, {}, centre(second));
    const QImage shown = map->grab().toImage();
    const QColor kSelected(255, 0, 0), kVisited(135, 52, 163);
    EXPECT_EQ(shown.pixelColor(first.left + 3, centre(first).y()), kVisited);
    EXPECT_EQ(shown.pixelColor(second.left + 3, centre(second).y()), kSelected);
}

TEST_F(WorkspaceHostingTest, OpeningOrEmptyingTheMapEndsAShowFirst)
{
    const QString other = saveMap("other.plm", 1);
    const struct {
        const char* name;
        std::function<void()> change;
    } changes[] = {
        {"New", [this] { workspace().New(); }},
        {"Open", [&] { workspace().OpenDocumentFile(other, true); }},
    };
    for (const auto& change : changes) {
        SCOPED_TRACE(change.name);
        threePictureSpot();
        workspace().toolPalette()->StartSlideShow();
        ASSERT_TRUE(showingSlideShow());
        makeDirty();
        shell_.answerMessage(shell::MessageAnswer::No);
        change.change();
        EXPECT_TRUE(showingMap());
        EXPECT_FALSE(controllerEnabled());
    }
}

TEST_F(WorkspaceHostingTest, AShowWithNothingToShowKeepsTheMap)
{
    currentSpotWith({});
    workspace().toolPalette()->StartSlideShow();
    EXPECT_TRUE(showingMap());
    EXPECT_FALSE(controllerEnabled());

    workspace().document()->PutCurrentSpot(nullptr);
    workspace().toolPalette()->StartSlideShow();
    EXPECT_TRUE(showingMap());
}

TEST_F(WorkspaceHostingTest, TheControllersButtonsStepTheShowAndGiveItTheKeyboard)
{
    const com::ComPtr<IPhotoSpot> spot = threePictureSpot();
    workspace().toolPalette()->StartSlideShow();
    QWidget* controller = workspace().slideShowControllerHost();

    const struct {
        int command;
        int index;
        bool timerRuns;
    } steps[] = {
        {kPreviousSlide, 2, true},  // from the first picture back to the last
        {kNextSlide, 0, true},
        {kPause, 0, false},
        {kNextSlide, 1, false},
        {kPlay, 1, true},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.command);
        controller->setFocus();
        click(controller, step.command);
        EXPECT_EQ(indexOf(spot.get()), step.index);
        EXPECT_EQ(advanceTimer() != 0, step.timerRuns);
        EXPECT_EQ(QApplication::focusWidget(), slideShowWindow());
    }
}

TEST_F(WorkspaceHostingTest, TheSlideShowsCornerButtonsMaximiseAndRestoreTheWorkspace)
{
    threePictureSpot();
    workspace().toolPalette()->StartSlideShow();

    click(workspace().slideShowViewHost(), kMaximize);
    EXPECT_TRUE(workspace().maximised());
    EXPECT_FALSE(workspace().toolPaletteHost()->isVisible());
    EXPECT_FALSE(workspace().tableControlHost()->isVisible());
    com::LONG maximized = 0;
    workspace().mapView()->GetMaximized(&maximized);
    EXPECT_EQ(maximized, 1);

    click(workspace().slideShowViewHost(), kRestore);
    EXPECT_FALSE(workspace().maximised());
    EXPECT_TRUE(workspace().toolPaletteHost()->isVisible());
    EXPECT_TRUE(workspace().tableControlHost()->isVisible());
    workspace().mapView()->GetMaximized(&maximized);
    EXPECT_EQ(maximized, 0);
}

TEST_F(WorkspaceHostingTest, APictureChosenInTheBrowserIsPreviewedAloneAndLeavesNoCurrentSpot)
{
    const QString first = pictureFile("FIRST.JPG", Qt::red);
    const QString second = pictureFile("second.png", Qt::green);

    fileSelected(first);
    EXPECT_TRUE(showingSlideShow());
    EXPECT_EQ(currentSpot(), previewSpot().tryAs<IBaseSpot>());
    EXPECT_EQ(previewHolds(), "1: " + first);

    // A second preview over the first shows only its own picture.
    fileSelected(second);
    EXPECT_EQ(previewHolds(), "1: " + second);

    tick();
    EXPECT_TRUE(showingMap());
    EXPECT_FALSE(currentSpot());
}

TEST_F(WorkspaceHostingTest, FilesThatAreNoPictureOrMapAreNotActivated)
{
    for (const char* name : {"photo.jpeg", "song.wav", "notes.txt"}) {
        SCOPED_TRACE(name);
        const QString file = path(QString::fromLatin1(name));
        QFile(file).open(QIODevice::WriteOnly);
        fileSelected(file);
        EXPECT_TRUE(showingMap());
        EXPECT_EQ(previewHolds(), "0: ");
    }
}

TEST_F(WorkspaceHostingTest, APreviewOfAnUndecodablePictureEndsWithTheMapBack)
{
    const QString broken = path("broken.jpg");
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture at all");
    file.close();

    fileSelected(broken);
    EXPECT_TRUE(showingSlideShow());
    tick();
    EXPECT_TRUE(showingMap());
    EXPECT_FALSE(currentSpot());
}

TEST_F(WorkspaceHostingTest, TheToolsOpenMapGoesIntoTheLinkedMap)
{
    const QString linked = saveMap("linked.plm", 2);
    const QString outer = saveMap("outer.plm", 0, {linked});
    ASSERT_EQ(workspace().OpenDocumentFile(outer, true), shell::WorkspaceView::OpenOutcome::Opened);

    com::Bstr name = ui::ToBstr(linked);
    com::BSTR value = name.get();
    workspace().toolPalette()->OpenMap(&value);
    EXPECT_EQ(workspace().documentPath(), linked);
    com::Bstr root;
    workspace().mapView()->GetRootMap(root.put());
    EXPECT_EQ(ui::ToQString(root.view()), outer);
}

}  // namespace
}  // namespace shell_test
