#include "components/interfaces/slide_show_controller.h"
#include "platform/com/event_source.h"
#include "platform/com/implements.h"
#include "platform/ui/hosted_control.h"
#include "tests/support/dispatch_calls.h"
#include "tests/support/registered_components.h"

#include <QAbstractButton>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace {

using Fired = std::vector<com::DISPID>;

const QColor kFace(170, 170, 170), kPressedFace(128, 128, 128), kHover(234, 209, 38), kGreen(0, 128, 0),
    kDarkRed(128, 0, 0);

class ControllerEvents final : public com::Implements<ControllerEvents, _ISlideShowControllerEvents> {
public:
    com::HRESULT BroadcastShowPreviousSlide() noexcept override { return record(kBroadcastShowPreviousSlide); }
    com::HRESULT BroadcastPlaySlideShow() noexcept override { return record(kBroadcastPlaySlideShow); }
    com::HRESULT BroadcastPauseSlideShow() noexcept override { return record(kBroadcastPauseSlideShow); }
    com::HRESULT BroadcastShowNextSlide() noexcept override { return record(kBroadcastShowNextSlide); }

    Fired fired;

private:
    com::HRESULT record(com::DISPID id)
    {
        fired.push_back(id);
        return com::S_OK;
    }
};

// The bar hosted 386 pixels wide in a shown top-level widget, its events recorded.
class SlideShowControllerTest : public test_support::ComponentTest {
protected:
    void SetUp() override
    {
        ComponentTest::SetUp();
        host = std::make_unique<QWidget>();
        host->resize(386, 40);
        com::ComPtr<com::IUnknown> control;
        ASSERT_EQ(ui::HostControl(u"Components.SlideShowController.1", *host, control), com::S_OK);
        controller = control.as<ISlideShowController>();
        bar = control.as<ui::IHostedControl>()->ControlWindow();
        events = com::Make<ControllerEvents>();
        ASSERT_EQ(connection.connect(controller.get(), events->identity()), com::S_OK);
        host->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(host.get()));
    }

    void TearDown() override
    {
        connection.disconnect();
        host.reset();
        controller.reset();
        events.reset();
        ComponentTest::TearDown();
    }

    QAbstractButton* button(int command) const { return bar->findChild<QAbstractButton*>(QString::number(command)); }

    // A pixel of the bar at a point of a button: (1, 14) lies in the hover frame and on the face
    // otherwise, (22, 14) on the symbol.
    QColor pixel(int command, QPoint point) const
    {
        return bar->grab().toImage().pixelColor(button(command)->geometry().topLeft() + point);
    }
    QColor edge(int command) const { return pixel(command, {1, 14}); }
    QColor symbol(int command) const { return pixel(command, {22, 14}); }

    static constexpr int kPrevious = 209, kPlay = 207, kPause = 208, kNext = 210;

    std::unique_ptr<QWidget> host;
    QWidget* bar = nullptr;
    com::ComPtr<ISlideShowController> controller;
    com::ComPtr<ControllerEvents> events;
    com::EventConnection<_ISlideShowControllerEvents> connection;
};

TEST_F(SlideShowControllerTest, FourButtonsStandCentredInARow)
{
    struct Case {
        int command;
        int x;
        QColor symbol;
    };
    for (const Case c : {Case{kPrevious, 103, kGreen}, Case{kPlay, 148, kGreen}, Case{kPause, 193, kDarkRed},
                         Case{kNext, 238, kGreen}}) {
        SCOPED_TRACE(c.command);
        ASSERT_NE(button(c.command), nullptr);
        EXPECT_EQ(button(c.command)->geometry(), QRect(c.x, 5, 40, 28));
        EXPECT_TRUE(button(c.command)->isVisible());
        EXPECT_EQ(edge(c.command), kFace) << "nothing is latched at first";
        EXPECT_EQ(symbol(c.command), c.symbol);
    }
    EXPECT_EQ(bar->grab().toImage().pixelColor(5, 5), QColor(Qt::black));
    host->resize(500, 40);
    EXPECT_EQ(button(kPrevious)->geometry(), QRect(160, 5, 40, 28));
}

TEST_F(SlideShowControllerTest, ClicksTellTheHostAndPlayAndPauseLatch)
{
    controller->Enable();
    EXPECT_EQ(edge(kPlay), kPressedFace) << "Enable latches Play";
    EXPECT_EQ(edge(kPause), kFace);

    struct Case {
        int command;
        com::DISPID event;
        QColor play;
        QColor pause;
    };
    const Case cases[] = {
        {kPause, kBroadcastPauseSlideShow, kFace, kPressedFace},
        {kPause, kBroadcastPauseSlideShow, kFace, kPressedFace},
        {kNext, kBroadcastShowNextSlide, kFace, kPressedFace},
        {kPrevious, kBroadcastShowPreviousSlide, kFace, kPressedFace},
        {kPlay, kBroadcastPlaySlideShow, kPressedFace, kFace},
        {kPlay, kBroadcastPlaySlideShow, kPressedFace, kFace},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        events->fired.clear();
        QTest::mouseClick(button(c.command), Qt::LeftButton, Qt::NoModifier, QPoint(20, 14));
        EXPECT_EQ(events->fired, Fired{c.event});
        QTest::mouseMove(bar, QPoint(5, 5));
        EXPECT_EQ(edge(kPlay), c.play);
        EXPECT_EQ(edge(kPause), c.pause);
    }
}

TEST_F(SlideShowControllerTest, HoverAndPressedLooksFollowThePointer)
{
    controller->Enable();
    QAbstractButton* next = button(kNext);
    QTest::mouseMove(next, QPoint(20, 14));
    EXPECT_EQ(edge(kNext), kHover);
    QTest::mouseMove(bar, QPoint(5, 5));
    EXPECT_EQ(edge(kNext), kFace);

    // Pressed, dragged off and back on, released off: the pushed look follows, nothing is fired.
    QTest::mouseMove(next, QPoint(20, 14));
    QTest::mousePress(next, Qt::LeftButton, Qt::NoModifier, QPoint(20, 14));
    EXPECT_EQ(edge(kNext), kPressedFace);
    QTest::mouseMove(next, QPoint(60, 14));
    EXPECT_EQ(edge(kNext), kFace);
    QTest::mouseMove(next, QPoint(20, 14));
    EXPECT_EQ(edge(kNext), kPressedFace);
    QTest::mouseMove(next, QPoint(60, 14));
    QTest::mouseRelease(next, Qt::LeftButton, Qt::NoModifier, QPoint(60, 14));
    EXPECT_TRUE(events->fired.empty());
    EXPECT_EQ(edge(kNext), kFace);
}

TEST_F(SlideShowControllerTest, DisableHidesTheButtonsAndEnableShowsThemWithPlayLatched)
{
    controller->Enable();
    QTest::mouseClick(button(kPause), Qt::LeftButton);
    controller->Disable();
    EXPECT_FALSE(bar->isEnabled());
    for (int command : {kPrevious, kPlay, kPause, kNext}) EXPECT_FALSE(button(command)->isVisible());
    EXPECT_EQ(bar->grab().toImage().pixelColor(150, 14), QColor(Qt::white));
    events->fired.clear();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, QPoint(160, 14));
    EXPECT_TRUE(events->fired.empty());

    controller->Enable();
    EXPECT_TRUE(bar->isEnabled());
    for (int command : {kPrevious, kPlay, kPause, kNext}) EXPECT_TRUE(button(command)->isVisible());
    EXPECT_EQ(edge(kPlay), kPressedFace);
    EXPECT_EQ(edge(kPause), kFace);
}

TEST_F(SlideShowControllerTest, DispatchTakesNoArguments)
{
    com::IDispatch* dispatch = test_support::AsDispatch(controller);
    test_support::ExpectDispatchIds(dispatch, {{u"Disable", 1}, {u"enable", 2}});
    EXPECT_NO_THROW(test_support::Call(dispatch, 1));
    EXPECT_FALSE(bar->isEnabled());
    EXPECT_EQ(com::InvokeMethod(dispatch, 2, nullptr, com::LONG(1)), com::DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(com::InvokeMethod(dispatch, 3, nullptr), com::DISP_E_MEMBERNOTFOUND);
}

}  // namespace
