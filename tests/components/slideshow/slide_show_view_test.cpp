#include "tests/components/slideshow/slide_show_view_fixture.h"

#include "components/interfaces/undo_manager.h"
#include "platform/media/sound_window.h"
#include "tests/support/dispatch_calls.h"
#include "tests/support/document_model.h"
#include "tests/support/wave_file.h"

#include <QAbstractEventDispatcher>
#include <QDeadlineTimer>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using test_support::IndexOf;
using test_support::SlideShowViewTest;
using Mode = media::SoundWindow::Mode;
using Fired = std::vector<com::DISPID>;

const QColor kRed(255, 0, 0), kGreen(0, 255, 0), kBlue(0, 0, 255), kYellow(255, 255, 0),
    kWhite(255, 255, 255);

bool WaitForMode(media::SoundWindow& sound, Mode mode)
{
    QSignalSpy changes(&sound, &media::SoundWindow::modeChanged);
    const QDeadlineTimer deadline(10000);
    while (sound.mode() != mode)
        if (!changes.wait(int(deadline.remainingTime()))) return false;
    return true;
}

com::LONG NumImages(const com::ComPtr<IPhotoSpot>& spot)
{
    com::LONG count = 0;
    spot->NumImages(&count);
    return count;
}

class SlideShowViewBehaviour : public SlideShowViewTest {
protected:
    std::vector<QString> threePictures()
    {
        return {picture("red.png", {100, 100}, kRed), picture("green.png", {100, 100}, kGreen),
                picture("blue.png", {100, 100}, kBlue)};
    }

    com::ComPtr<IUndoManager> undoManager()
    {
        com::ComPtr<IUndoManager> manager;
        document->GetUndoManager(manager.put());
        return manager;
    }

    bool undoAvailable()
    {
        com::VARIANT_BOOL available = com::VARIANT_FALSE;
        undoManager()->UndoAvailable(&available);
        return available != com::VARIANT_FALSE;
    }

    bool dirty()
    {
        com::LONG isDirty = 0;
        document->IsDirty(&isDirty);
        return isDirty != 0;
    }

    QColor shown() { return paint().pixelColor(100, 100); }
};

TEST_F(SlideShowViewBehaviour, PlaysEachPictureOnceAfterItsPaintAndEndsBackAtTheFirst)
{
    const auto spot = currentSpotWith(threePictures());
    spot->SetIndex(2);
    start();
    EXPECT_EQ(runningTimer(), 0) << "the timer waits for the first paint";
    const QColor expected[] = {kRed, kGreen, kBlue};
    for (int step = 0; step < 3; ++step) {
        SCOPED_TRACE(step);
        EXPECT_EQ(IndexOf(spot), step);
        EXPECT_EQ(shown(), expected[step]);
        ASSERT_NE(runningTimer(), 0);
        EXPECT_TRUE(events->fired.empty());
        tick();
        if (step < 2) {
            EXPECT_EQ(runningTimer(), 0) << "the next picture gets its five seconds once painted";
        }
    }
    EXPECT_EQ(IndexOf(spot), 0);
    EXPECT_EQ(events->fired, Fired{kBroadcastStopSlideShow});
    EXPECT_EQ(shown(), kRed);
    EXPECT_EQ(runningTimer(), 0) << "an ended show stays ended";
}

TEST_F(SlideShowViewBehaviour, SpacePausesPictureAndSoundAndPlayStartsTheSoundAgain)
{
    const QString tone = folderPath() + "/tone.wav";
    test_support::WriteToneWave(tone, 3000);
    const auto spot = currentSpotWith(threePictures(), tone);
    start();
    paint();
    ASSERT_NE(runningTimer(), 0);
    const QPointer<media::SoundWindow> first = sound();
    ASSERT_TRUE(first);
    ASSERT_TRUE(WaitForMode(*first, Mode::Playing));

    press(Qt::Key_Space);
    EXPECT_EQ(runningTimer(), 0);
    EXPECT_TRUE(WaitForMode(*first, Mode::Paused));
    paint();
    EXPECT_EQ(runningTimer(), 0) << "a paint does not end a pause";

    press(Qt::Key_Space);
    paint();
    EXPECT_NE(runningTimer(), 0);
    EXPECT_TRUE(first.isNull()) << "playing again opens the sound afresh, from its beginning";
    ASSERT_NE(sound(), nullptr);
    EXPECT_TRUE(WaitForMode(*sound(), Mode::Playing));
    EXPECT_EQ(IndexOf(spot), 0);

    view->StopSlideShow();
    EXPECT_EQ(sound(), nullptr) << "a stopped show closes its sound";
    EXPECT_EQ(events->fired, Fired{kBroadcastStopSlideShow});
}

TEST_F(SlideShowViewBehaviour, PlayWhilePlayingKeepsOneTimerAndOnlyItsTicksStep)
{
    const auto spot = currentSpotWith(threePictures());
    start();
    paint();
    for (int press = 0; press < 3; ++press) {
        view->PlaySlideShow();
        paint();
        EXPECT_EQ(QAbstractEventDispatcher::instance()->registeredTimers(window).size(), 1) << press;
    }
    const int advance = runningTimer();
    QTimerEvent other(advance + 1);
    QCoreApplication::sendEvent(window, &other);
    EXPECT_EQ(IndexOf(spot), 0) << "another timer of the window is no tick";

    view->StopSlideShow();
    EXPECT_EQ(runningTimer(), 0);
    QTimerEvent late(advance);
    QCoreApplication::sendEvent(window, &late);
    EXPECT_EQ(IndexOf(spot), 0) << "a stopped show does not step";
    EXPECT_EQ(events->fired, Fired{kBroadcastStopSlideShow});
}

TEST_F(SlideShowViewBehaviour, AShowStartedOverAnotherSilencesTheSoundOfTheFirst)
{
    const QString tone = folderPath() + "/tone.wav";
    test_support::WriteToneWave(tone, 3000);
    currentSpotWith(threePictures(), tone);
    start();
    ASSERT_NE(sound(), nullptr);
    currentSpotWith({picture("preview.png", {100, 100}, kYellow)});
    start();
    EXPECT_EQ(sound(), nullptr);
    EXPECT_EQ(shown(), kYellow);
}

TEST_F(SlideShowViewBehaviour, KeysStepThroughThePicturesOrStopTheShow)
{
    const auto spot = currentSpotWith(threePictures());
    start();
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        com::LONG index;
        bool stops;
    };
    const Case cases[] = {
        {Qt::Key_Right, Qt::NoModifier, 1, false}, {Qt::Key_Left, Qt::NoModifier, 2, false},
        {Qt::Key_U, Qt::ControlModifier, 0, true}, {Qt::Key_F6, Qt::ControlModifier, 0, true},
        {Qt::Key_U, Qt::NoModifier, 0, false},     {Qt::Key_F6, Qt::NoModifier, 0, false},
        {Qt::Key_A, Qt::NoModifier, 0, false},     {Qt::Key_Escape, Qt::NoModifier, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QKeySequence(c.key | c.modifiers).toString().toStdString());
        spot->SetIndex(0);
        events->fired.clear();
        press(c.key, c.modifiers);
        EXPECT_EQ(IndexOf(spot), c.index);
        EXPECT_EQ(events->fired, c.stops ? Fired{kBroadcastStopSlideShow} : Fired{});
    }
    spot->SetIndex(0);
    press(Qt::Key_Right);
    EXPECT_EQ(shown(), kGreen) << "a step shows its picture through the spot's announcement";
}

TEST_F(SlideShowViewBehaviour, DeleteRemovesTheCurrentPictureShowsTheNextAndUndoPutsItBack)
{
    const auto spot = currentSpotWith(threePictures());
    start();
    press(Qt::Key_Right);
    press(Qt::Key_Delete);
    EXPECT_EQ(NumImages(spot), 2);
    EXPECT_EQ(IndexOf(spot), 1);
    EXPECT_EQ(shown(), kBlue);
    EXPECT_TRUE(dirty());
    EXPECT_TRUE(events->fired.empty());

    undoManager()->Undo();
    EXPECT_EQ(NumImages(spot), 3);
    EXPECT_EQ(IndexOf(spot), 1);
    EXPECT_EQ(shown(), kGreen);
}

TEST_F(SlideShowViewBehaviour, DeleteOfTheLastPictureRemovesTheSpotAndEndsTheShowUndoably)
{
    const auto spot = currentSpotWith({picture("red.png", {100, 100}, kRed)});
    start();
    paint();
    press(Qt::Key_Backspace);
    EXPECT_TRUE(test_support::SpotsOf(document).empty());
    EXPECT_EQ(events->fired, Fired{kBroadcastStopSlideShow});
    EXPECT_EQ(runningTimer(), 0);
    EXPECT_TRUE(dirty()) << "a deleted spot must not be lost by closing without saving";

    undoManager()->Undo();
    const auto spots = test_support::SpotsOf(document);
    ASSERT_EQ(spots.size(), 1u);
    EXPECT_EQ(test_support::IdentityOf(spots.front().get()), test_support::IdentityOf(spot.get()));
    EXPECT_EQ(NumImages(spot), 1);
    EXPECT_FALSE(undoAvailable());
}

TEST_F(SlideShowViewBehaviour, ATickAfterTheSpotWentEndsTheShow)
{
    const auto spot = currentSpotWith(threePictures());
    start();
    paint();
    ASSERT_NE(runningTimer(), 0);
    // Deleted while the view was hidden, so the view never heard of it and its timer runs on.
    host->hide();
    document->DeleteSpot(test_support::BaseOf(spot.get()).get());
    host->show();
    tick();
    EXPECT_EQ(events->fired, Fired{kBroadcastStopSlideShow});
    EXPECT_EQ(runningTimer(), 0);
}

TEST_F(SlideShowViewBehaviour, EmptyAndUndecodableSpotsShowWhiteAndEndWithoutFailing)
{
    struct Case {
        const char* name;
        std::vector<QString> pictures;
        int ticksToEnd;
    };
    const Case cases[] = {
        {"no pictures", {}, 1},
        {"undecodable pictures", {file("broken.jpg", "not a picture"), file("empty.png", "")}, 2},
        {"missing picture", {folderPath() + "/missing.jpg"}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        currentSpotWith(c.pictures);
        events->fired.clear();
        start();
        for (int i = 0; i < c.ticksToEnd; ++i) {
            EXPECT_EQ(shown(), kWhite);
            ASSERT_NE(runningTimer(), 0);
            EXPECT_TRUE(events->fired.empty());
            tick();
        }
        EXPECT_EQ(events->fired, Fired{kBroadcastStopSlideShow});
    }
}

TEST_F(SlideShowViewBehaviour, ADropOfSeveralPicturesIsOneStepOfUndo)
{
    const auto spot = currentSpotWith({picture("red.png", {100, 100}, kRed)});
    start();
    drop({picture("green.png", {100, 100}, kGreen), picture("blue.jpg", {100, 100}, kBlue, "JPG"),
          picture("yellow.png", {100, 100}, kYellow)});
    EXPECT_EQ(NumImages(spot), 4);
    EXPECT_EQ(IndexOf(spot), 0) << "each picture went in at the then current index";
    EXPECT_EQ(shown(), kYellow);
    EXPECT_TRUE(dirty());
    EXPECT_EQ(shell.refusedSounds(), 0);
    EXPECT_TRUE(window->hasFocus());

    undoManager()->Undo();
    EXPECT_EQ(NumImages(spot), 1);
    EXPECT_FALSE(undoAvailable());
    EXPECT_EQ(shown(), kRed);
}

TEST_F(SlideShowViewBehaviour, ADropOfOtherFilesIsRefusedAndChangesNothing)
{
    const auto spot = currentSpotWith({picture("red.png", {100, 100}, kRed)});
    start();
    drop({file("notes.txt", "text"), file("song.wav", ""), file("tour.plm", "")});
    EXPECT_EQ(shell.refusedSounds(), 3);
    EXPECT_EQ(NumImages(spot), 1);
    EXPECT_FALSE(undoAvailable()) << "no empty step of undo";
    EXPECT_FALSE(dirty());
}

TEST_F(SlideShowViewBehaviour, WithoutAPhotoSpotStartDropAndDeleteDoNothing)
{
    const QString red = picture("red.png", {100, 100}, kRed);
    start();
    paint();
    EXPECT_EQ(runningTimer(), 0) << "no current spot: no show";

    const auto mapSpot = test_support::MakeMapSpot(document.get(), {0, 0, 10, 10});
    const auto base = test_support::BaseOf(mapSpot.get());
    document->AddSpot(base.get());
    document->PutCurrentSpot(base.get());
    start();
    drop({red});
    press(Qt::Key_Delete);
    EXPECT_EQ(test_support::SpotsOf(document).size(), 1u);
    EXPECT_EQ(shell.refusedSounds(), 0);
    EXPECT_FALSE(undoAvailable());
    EXPECT_FALSE(dirty());
    EXPECT_TRUE(events->fired.empty());
}

TEST_F(SlideShowViewBehaviour, ChangesWhileHiddenAreNotShown)
{
    const auto spot = currentSpotWith(threePictures());
    start();
    EXPECT_EQ(shown(), kRed);
    host->hide();
    view->NextSlide();
    host->show();
    EXPECT_EQ(IndexOf(spot), 1);
    EXPECT_EQ(shown(), kRed);
}

TEST_F(SlideShowViewBehaviour, ACornerClickEndsTheShow)
{
    host->resize(640, 480);
    currentSpotWith(threePictures());
    start();
    struct Case {
        QPoint point;
        bool stops;
    };
    for (const Case c : {Case{{440, 10}, false}, Case{{441, 10}, true}, Case{{441, 150}, false},
                         Case{{639, 149}, true}, Case{{100, 10}, false}}) {
        SCOPED_TRACE(testing::Message() << c.point.x() << ", " << c.point.y());
        events->fired.clear();
        QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, c.point);
        EXPECT_EQ(events->fired, c.stops ? Fired{kBroadcastStopSlideShow} : Fired{});
    }
    events->fired.clear();
    QTest::mouseClick(window, Qt::RightButton, Qt::NoModifier, {600, 10});
    EXPECT_TRUE(events->fired.empty());
}

TEST_F(SlideShowViewBehaviour, TheTwoButtonsAskForMaximiseAndRestore)
{
    auto* maximize = window->findChild<QPushButton*>("1001");
    auto* restore = window->findChild<QPushButton*>("1002");
    ASSERT_TRUE(maximize && restore);
    EXPECT_EQ(maximize->text(), "<");
    EXPECT_EQ(restore->text(), ">");
    EXPECT_EQ(maximize->geometry(), QRect(0, 0, 20, 20));
    EXPECT_TRUE(maximize->isVisible());
    EXPECT_FALSE(restore->isVisible());

    QTest::mouseClick(maximize, Qt::LeftButton);
    EXPECT_EQ(events->fired, Fired{kSlideShowMaximizeView});
    EXPECT_FALSE(maximize->isVisible());
    EXPECT_TRUE(restore->isVisible());
    com::LONG maximized = -1;
    view->GetMaximized(&maximized);
    EXPECT_EQ(maximized, 0) << "the host sets the flag";

    QTest::mouseClick(restore, Qt::LeftButton);
    EXPECT_EQ(events->fired, (Fired{kSlideShowMaximizeView, kSlideShowMinimizeView}));
    EXPECT_TRUE(maximize->isVisible());

    view->PutMaximized(7);
    view->GetMaximized(&maximized);
    EXPECT_EQ(maximized, 7);
    EXPECT_FALSE(maximize->isVisible());
    EXPECT_TRUE(restore->isVisible());
    view->PutMaximized(0);
    EXPECT_TRUE(maximize->isVisible());
    EXPECT_FALSE(restore->isVisible());
}

TEST_F(SlideShowViewBehaviour, DispatchReachesEveryOperation)
{
    com::IDispatch* dispatch = test_support::AsDispatch(view);
    test_support::ExpectDispatchIds(dispatch, {{u"GetDocument", 1}, {u"SetDocument", 2}, {u"DocumentChanged", 3},
                                               {u"OnSlideShowStart", 4}, {u"StopSlideShow", 5}, {u"PauseSlideShow", 6},
                                               {u"PlaySlideShow", 7}, {u"NextSlide", 8}, {u"PreviousSlide", 9},
                                               {u"maximized", 10}});
    const auto spot = currentSpotWith(threePictures());
    test_support::Call(dispatch, 8);
    EXPECT_EQ(IndexOf(spot), 1);
    test_support::Call(dispatch, 5);
    EXPECT_EQ(events->fired, Fired{kBroadcastStopSlideShow});

    view->PutMaximized(3);
    com::Variant result;
    com::DISPPARAMS none{};
    ASSERT_EQ(dispatch->Invoke(10, com::GUID_NULL, 0, com::DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr),
              com::S_OK);
    EXPECT_EQ(result.vt, com::VT_I4);
    EXPECT_EQ(result.lVal, 3);

    EXPECT_EQ(com::InvokeMethod(dispatch, 5, nullptr, com::LONG(1)), com::DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(com::InvokeMethod(dispatch, 11, nullptr), com::DISP_E_MEMBERNOTFOUND);
    const com::Bstr notAnObject(u"x");
    EXPECT_EQ(com::InvokeMethod(dispatch, 3, nullptr, notAnObject.get(), com::LONG(4)), com::DISP_E_TYPEMISMATCH);
}

}  // namespace
