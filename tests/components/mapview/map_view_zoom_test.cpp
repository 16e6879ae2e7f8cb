#include "components/interfaces/undo_manager.h"
#include "tests/components/mapview/hosted_map_view.h"
#include "tests/support/document_model.h"

#include <QApplication>
#include <QPainter>
#include <QTest>
#include <QWheelEvent>
#include <cstdlib>
#include <functional>

using namespace com;
using namespace test_support;

namespace {

class MapViewZoom : public HostedMapView {
protected:
    tagPOINT modelAt(QPoint area)
    {
        tagPOINT in{area.x(), area.y()}, out{};
        view->ConvertAreaPointToModelPoint(&in, &out);
        return out;
    }
    // The window pixel where model point (x, y) is shown.
    QPoint areaOf(int x, int y)
    {
        tagRECT model{x, y, x, y}, area{};
        view->ConvertModelRectToAreaRect(&model, &area);
        return QPoint(area.left, area.top);
    }
    // Window pixels per model unit, as the conversions show a long model line.
    double scale()
    {
        tagRECT model{0, 0, 600, 600}, area{};
        view->ConvertModelRectToAreaRect(&model, &area);
        return (area.right - area.left) / 600.0;
    }
    void wheel(QPoint at, QPoint angle, Qt::KeyboardModifiers keys = {})
    {
        QWheelEvent event(QPointF(at), QPointF(window().mapToGlobal(at)), QPoint(), angle, Qt::NoButton, keys,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&window(), &event);
    }
    void zoomIn(QPoint at, int steps) { wheel(at, QPoint(0, 120 * steps), Qt::ControlModifier); }
    ComPtr<IBaseSpot> addSpot(tagRECT bounds)
    {
        auto spot = BaseOf(MakePhotoSpot(document.get(), bounds).get());
        document->AddSpot(spot.get());
        return spot;
    }
};

TEST_F(MapViewZoom, StepsKeepTheMapPointUnderThePointer)
{
    show({400, 300});
    openMap(writePicture({800, 600}));  // fitted at one half
    const QPoint pointer(100, 80);
    const tagPOINT underPointer = modelAt(pointer);
    QTest::mouseMove(&window(), pointer);
    const struct Step {
        const char* what;
        std::function<void()> act;
        double scale;
    } steps[] = {
        {"Ctrl+wheel a notch in", [&] { zoomIn(pointer, 1); }, 2.0 / 3},
        {"Ctrl+wheel two notches in", [&] { zoomIn(pointer, 2); }, 1.5},
        {"half a notch at a time", [&] { wheel(pointer, {0, 60}, Qt::ControlModifier), wheel(pointer, {0, 60}, Qt::ControlModifier); }, 2.0},
        {"Ctrl+minus", [&] { QTest::keyClick(&window(), Qt::Key_Minus, Qt::ControlModifier); }, 1.5},
        {"Ctrl+plus", [&] { QTest::keyClick(&window(), Qt::Key_Plus, Qt::ControlModifier); }, 2.0},
        {"Ctrl+wheel a notch out", [&] { zoomIn(pointer, -1); }, 1.5},
        {"far past the largest step", [&] { zoomIn(pointer, 20); }, 8.0},
        {"far below the fit", [&] { zoomIn(pointer, -30); }, 0.5},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        EXPECT_DOUBLE_EQ(scale(), step.scale);
        const tagPOINT now = modelAt(pointer);
        EXPECT_LE(std::abs(now.x - underPointer.x), 1);
        EXPECT_LE(std::abs(now.y - underPointer.y), 1);
    }
}

// The same edits, told by the same model points, at the fit and at twice the fit.
TEST_F(MapViewZoom, EditsAtTwiceTheFitGiveTheModelResultsOfTheFit)
{
    show({400, 300});
    const QString map = writePicture({400, 300});  // at its own size when fitted
    using Points = std::vector<tagPOINT>;
    const struct Edit {
        const char* what;
        Points drag;  // press at the first, moves through the others, release at the last
        int key;      // pressed after the drag, or 0
        tagRECT bounds;
    } edits[] = {
        {"a click selects", {{130, 130}}, 0, {100, 100, 160, 160}},
        {"a drag centres the spot on the pointer", {{130, 130}, {136, 130}, {150, 140}}, 0, {120, 110, 180, 170}},
        {"a drag from a corner resizes", {{158, 158}, {163, 163}, {175, 178}}, 0, {100, 100, 175, 178}},
        {"an arrow key nudges", {{130, 130}}, Qt::Key_Right, {101, 100, 161, 160}},
    };
    for (const Edit& edit : edits) {
        for (const bool zoomed : {false, true}) {
            SCOPED_TRACE(std::string(edit.what) + (zoomed ? " at twice the fit" : " at the fit"));
            document->Empty();
            openMap(map);
            const auto spot = addSpot({100, 100, 160, 160});
            if (zoomed) zoomIn(areaOf(130, 130), 2);
            ASSERT_DOUBLE_EQ(scale(), zoomed ? 2.0 : 1.0);
            const auto at = [&](tagPOINT p) { return areaOf(p.x, p.y); };
            QTest::mousePress(&window(), Qt::LeftButton, {}, at(edit.drag.front()));
            for (const tagPOINT& p : edit.drag) QTest::mouseMove(&window(), at(p));
            QTest::mouseRelease(&window(), Qt::LeftButton, {}, at(edit.drag.back()));
            if (edit.key) QTest::keyClick(&window(), Qt::Key(edit.key));
            EXPECT_EQ(BoundsOf(spot.get()), edit.bounds);
            ComPtr<IBaseSpot> current;
            document->GetCurrentSpot(current.put());
            EXPECT_EQ(current, spot);
        }
    }
}

TEST_F(MapViewZoom, ADropAtTwiceTheFitMakesItsSpotUnderThePointer)
{
    show({400, 300});
    openMap(writePicture({400, 300}));
    zoomIn({300, 200}, 2);
    const QPoint pointer(250, 120);
    const tagPOINT underPointer = modelAt(pointer);
    drop({"/p/a.jpg"}, pointer);
    const auto spots = SpotsOf(document);
    ASSERT_EQ(spots.size(), 1u);
    const tagRECT bounds = BoundsOf(spots[0].get());
    EXPECT_EQ((bounds.left + bounds.right) / 2, underPointer.x);
    EXPECT_EQ((bounds.top + bounds.bottom) / 2, underPointer.y);
    // Forty window pixels across, as at any zoom.
    EXPECT_EQ(bounds.right - bounds.left, 20);
}

TEST_F(MapViewZoom, EveryWayBackGivesTheFitExactly)
{
    show({400, 300});
    const QString map = writePicture({800, 600}, Qt::darkGreen, "map.png");
    const std::vector<QPoint> probes = {{0, 0}, {37, 151}, {399, 299}, {201, 3}};
    const struct Way {
        const char* what;
        std::function<void()> back;
        bool keepsTheMap;
    } ways[] = {
        {"Ctrl+0", [&] { QTest::keyClick(&window(), Qt::Key_0, Qt::ControlModifier); }, true},
        {"ZoomToFit", [&] { view->ZoomToFit(); }, true},
        {"another map opening", [&] { openMap(writePicture({800, 600}, Qt::darkGreen, "other.png")); }, false},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.what);
        document->Empty();
        openMap(map);
        addSpot({300, 200, 400, 300});
        const QImage fitted = paint();
        std::vector<tagPOINT> fittedModel;
        for (const QPoint& p : probes) fittedModel.push_back(modelAt(p));

        zoomIn({120, 90}, 3);
        wheel({120, 90}, {0, -120});
        ASSERT_GT(scale(), 0.5);
        way.back();
        EXPECT_DOUBLE_EQ(scale(), 0.5);
        for (std::size_t i = 0; i < probes.size(); ++i) EXPECT_EQ(modelAt(probes[i]), fittedModel[i]);
        if (way.keepsTheMap) {
            EXPECT_EQ(paint(), fitted);
        }
    }
}

TEST_F(MapViewZoom, AZoomedMapScrollsWithTheWheelAndPansWithADrag)
{
    show({400, 300});
    openMap(writePicture({400, 300}));
    const auto spot = addSpot({190, 140, 210, 160});
    const QPoint probe(200, 150);
    const struct Scroll {
        const char* what;
        std::function<void()> act;
        QPoint picture;  // how far the picture moved, in window pixels
    } scrolls[] = {
        {"the wheel a notch down", [&] { wheel(probe, {0, -120}); }, {0, -60}},
        {"Shift and the wheel", [&] { wheel(probe, {0, -120}, Qt::ShiftModifier); }, {-60, 0}},
        {"a drag with the middle button",
         [&] {
             QTest::mousePress(&window(), Qt::MiddleButton, {}, probe);
             QTest::mouseMove(&window(), probe + QPoint(-30, -20));
             QTest::mouseRelease(&window(), Qt::MiddleButton, {}, probe + QPoint(-30, -20));
         },
         {-30, -20}},
        {"a drag with the left button while Space is held",
         [&] {
             QTest::keyPress(&window(), Qt::Key_Space);
             QTest::mousePress(&window(), Qt::LeftButton, {}, probe);
             QTest::mouseMove(&window(), probe + QPoint(24, 16));
             QTest::mouseRelease(&window(), Qt::LeftButton, {}, probe + QPoint(24, 16));
             QTest::keyRelease(&window(), Qt::Key_Space);
         },
         {24, 16}},
    };
    for (const Scroll& scroll : scrolls) {
        SCOPED_TRACE(scroll.what);
        view->ZoomToFit();
        const tagPOINT atFit = modelAt(probe);
        scroll.act();
        EXPECT_EQ(modelAt(probe), atFit);  // nothing to scroll at the fit

        zoomIn(probe, 2);
        const tagPOINT before = modelAt(probe);
        scroll.act();
        const tagPOINT after = modelAt(probe);
        EXPECT_EQ(after.x, before.x - scroll.picture.x() / 2);
        EXPECT_EQ(after.y, before.y - scroll.picture.y() / 2);
        // Panning leaves the spots alone.
        EXPECT_EQ(BoundsOf(spot.get()), (tagRECT{190, 140, 210, 160}));
    }
}

TEST_F(MapViewZoom, ADevicePixelRatioOfTwoPaintsTheMapAtTwiceThePixels)
{
    // Columns one picture pixel wide, alternately black and white: shown at half size they blur to
    // grey, drawn pixel for pixel they stay apart.
    QImage stripes(400, 300, QImage::Format_RGB32);
    for (int x = 0; x < stripes.width(); ++x)
        for (int y = 0; y < stripes.height(); ++y) stripes.setPixel(x, y, x % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    const QString picture = QString::fromStdString((folder.path() / "stripes.png").string());
    ASSERT_TRUE(stripes.save(picture));
    show({200, 150});
    openMap(picture);

    QImage screen(QSize(400, 300), QImage::Format_RGB32);
    screen.setDevicePixelRatio(2);
    window().render(&screen, QPoint(), QRegion(), QWidget::DrawChildren);
    // Away from the button in the top left corner.
    for (int x = 100; x < 110; ++x) EXPECT_EQ(screen.pixel(x, 200), stripes.pixel(x, 200)) << x;

    const QImage single = paint();
    EXPECT_NE(QColor(single.pixel(50, 100)), QColor(Qt::black));
    EXPECT_NE(QColor(single.pixel(50, 100)), QColor(Qt::white));
}

}  // namespace
