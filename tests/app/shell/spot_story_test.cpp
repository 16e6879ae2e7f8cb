#include "app/shell/command_ids.h"
#include "app/shell/spot_story_dialog.h"
#include "components/interfaces/spot_story.h"
#include "platform/ui/hosted_control.h"
#include "platform/ui/qt_strings.h"
#include "tests/app/shell/window_test.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

namespace shell_test {
namespace {

class SpotStoryTest : public WindowTest {
protected:
    // The map "Trip.plm" with two photo spots, open and shown, its first spot clicked current.
    QWidget* openMapAndClickFirstSpot()
    {
        workspace().OpenDocumentFile(saveMap("Trip.plm", 2), true);
        frame().show();
        QApplication::setActiveWindow(&frame());
        EXPECT_TRUE(QTest::qWaitForWindowActive(&frame()));
        QWidget* map = com::ComPtr<IMapView>(workspace().mapView()).as<ui::IHostedControl>()->ControlWindow();
        map->setFocus();
        QTest::mouseClick(map, Qt::LeftButton, {}, centreOfSpot(0));
        EXPECT_EQ(currentSpotIndex(), 0);
        return map;
    }

    // Edit > Spot Story..., enabled once the event loop has caught up with the selection.
    QAction* storyCommand()
    {
        for (QAction* action : frame().findChildren<QAction*>())
            if (action->data().toInt() == shell::command::kSpotStory) return action;
        return nullptr;
    }

    QPoint centreOfSpot(int index)
    {
        com::ComPtr<IBaseSpot> spot;
        workspace().document()->SpotAtIndex(index, spot.put());
        tagRECT bounds{};
        tagRECT area{};
        spot->GetBounds(&bounds);
        workspace().mapView()->ConvertModelRectToAreaRect(&bounds, &area);
        return {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
    }

    QString titleOfSpot(int index)
    {
        com::ComPtr<IBaseSpot> spot;
        workspace().document()->SpotAtIndex(index, spot.put());
        com::Bstr title;
        spot.as<ISpotStory>()->GetTitle(title.put());
        return ui::ToQString(title.view());
    }

    // Answers the story dialog with the keyboard alone: the title, Tab, the text, Tab, the caption,
    // then Enter (OK) or Escape (Cancel).
    static void typeStory(bool accept)
    {
        whenModal<shell::SpotStoryDialog>([accept](shell::SpotStoryDialog& dialog) {
            QTest::keyClicks(dialog.focusWidget(), "Harbour <at> dawn & \"more\"");
            QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
            QTest::keyClicks(dialog.focusWidget(), "Boats came in.");
            QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
            QTest::keyClicks(dialog.focusWidget(), "Then the bells.");
            QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
            QTest::keyClicks(dialog.focusWidget(), "The pier");
            QTest::keyClick(dialog.focusWidget(), accept ? Qt::Key_Return : Qt::Key_Escape);
        });
    }
};

TEST_F(SpotStoryTest, F2EditsTheCurrentSpotsStoryAsOneUndoStepAndCancelChangesNothing)
{
    QWidget* map = openMapAndClickFirstSpot();
    const bool wasDirty = dirty();
    ASSERT_TRUE(storyCommand());
    EXPECT_EQ(storyCommand()->text(), "Spot &Story...\tF2");
    QTRY_VERIFY(storyCommand()->isEnabled());

    typeStory(false);
    QTest::keyClick(map, Qt::Key_F2);
    EXPECT_EQ(titleOfSpot(0), "");
    EXPECT_EQ(dirty(), wasDirty);
    EXPECT_FALSE(workspace().UndoAvailable());

    // The window manager gives the window the keyboard back once the dialog has gone.
    QApplication::setActiveWindow(&frame());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
    typeStory(true);
    QTest::keyClick(map, Qt::Key_F2);
    EXPECT_EQ(titleOfSpot(0), "Harbour <at> dawn & \"more\"");
    com::ComPtr<IBaseSpot> spot;
    workspace().document()->SpotAtIndex(0, spot.put());
    com::Bstr text;
    com::Bstr caption;
    spot.as<ISpotStory>()->GetText(text.put());
    spot.as<ISpotStory>()->GetCaption(0, caption.put());
    EXPECT_EQ(ui::ToQString(text.view()), "Boats came in.\nThen the bells.");
    EXPECT_EQ(ui::ToQString(caption.view()), "The pier");
    EXPECT_TRUE(dirty());

    workspace().Undo();
    EXPECT_EQ(titleOfSpot(0), "") << "title, text and caption undo together";
    spot.as<ISpotStory>()->GetCaption(0, caption.put());
    EXPECT_EQ(ui::ToQString(caption.view()), "");
    EXPECT_FALSE(workspace().UndoAvailable());
    workspace().Redo();
    EXPECT_EQ(titleOfSpot(0), "Harbour <at> dawn & \"more\"");

    // Hovering the spot tells its story; the words stay words.
    const QPoint centre = centreOfSpot(0);
    QHelpEvent hover(QEvent::ToolTip, centre, map->mapToGlobal(centre));
    QApplication::sendEvent(map, &hover);
    EXPECT_EQ(QToolTip::text(), "<p style=\"white-space:pre-wrap\"><b>Harbour &lt;at&gt; dawn &amp; &quot;more&quot;</b>"
                                "<br>Boats came in.<br>Then the bells.</p>");
    QHelpEvent elsewhere(QEvent::ToolTip, centreOfSpot(1), map->mapToGlobal(centreOfSpot(1)));
    QApplication::sendEvent(map, &elsewhere);
    // A spot without a story has no tooltip.
    QTRY_VERIFY(QToolTip::text().isEmpty());
}

TEST_F(SpotStoryTest, TheCommandWaitsForASpotOfTheMapAndTheMouseWorksTheDialog)
{
    workspace().OpenDocumentFile(saveMap("Trip.plm", 1), true);
    EXPECT_FALSE(workspace().HasCurrentSpot());

    com::ComPtr<IBaseSpot> spot;
    workspace().document()->SpotAtIndex(0, spot.put());
    workspace().document()->PutCurrentSpot(spot.get());
    ASSERT_TRUE(workspace().HasCurrentSpot());
    whenModal<shell::SpotStoryDialog>([](shell::SpotStoryDialog& dialog) {
        auto* title = dialog.findChild<QLineEdit*>("title");
        QTest::mouseClick(title, Qt::LeftButton);
        QTest::keyClicks(title, "Clicked in");
        QTest::mouseClick(dialog.findChild<QPushButton*>("OK"), Qt::LeftButton);
    });
    workspace().EditSpotStory();
    EXPECT_EQ(titleOfSpot(0), "Clicked in");

    com::ComPtr<IBaseSpot> preview;
    workspace().document()->GetPreviewSpot(preview.put());
    workspace().document()->PutCurrentSpot(preview.get());
    EXPECT_FALSE(workspace().HasCurrentSpot()) << "a picture previewed from the browser has no story";
}

}  // namespace
}  // namespace shell_test
