#include "platform/ui/qt_strings.h"
#include "tests/components/mapview/hosted_map_view.h"
#include "components/interfaces/class_ids.h"
#include "components/interfaces/spot_view.h"
#include "platform/com/runtime.h"
#include "tests/support/dispatch_calls.h"
#include "tests/support/document_model.h"

#include <QPainter>

using namespace com;
using namespace test_support;

namespace {

const QColor kMapColour(0, 128, 0);
const QColor kRed(255, 0, 0), kPurple(135, 52, 163), kBlue(0, 0, 255), kBlack(0, 0, 0), kWhite(255, 255, 255);
const QColor kUntouched(Qt::magenta);

// A 400 x 300 map in a 400 x 300 window: model and area coordinates are the same.
class MapViewPainting : public HostedMapView {
protected:
    void SetUp() override
    {
        HostedMapView::SetUp();
        show({400, 300});
        openMap(writePicture({400, 300}, kMapColour));
    }
    ComPtr<IBaseSpot> addSpot(tagRECT bounds)
    {
        auto spot = BaseOf(MakeMapSpot(document.get(), bounds).get());
        document->AddSpot(spot.get());
        return spot;
    }
};

// The colours across row y at the given columns.
std::vector<QColor> Row(const QImage& image, int y, std::initializer_list<int> columns)
{
    std::vector<QColor> colours;
    for (int x : columns) colours.push_back(image.pixelColor(x, y));
    return colours;
}

TEST_F(MapViewPainting, SpotFramesLieThreePixelsInsideInTheirStateColour)
{
    const auto spot = addSpot({100, 100, 140, 140});
    struct State {
        bool selected, visited;
        QColor frame;
    };
    for (const State& state : {State{false, false, kBlue}, State{false, true, kPurple}, State{true, true, kRed}}) {
        document->PutCurrentSpot(state.selected ? spot.get() : nullptr);
        spot->SetVisited(state.visited ? VARIANT_TRUE : VARIANT_FALSE);
        paint();  // the pending rectangles go with this paint; the next one draws everything
        const QImage image = paint();
        EXPECT_EQ(Row(image, 120, {102, 103, 104, 105, 134, 135, 136, 137}),
                  (std::vector<QColor>{kMapColour, state.frame, state.frame, kMapColour, kMapColour, state.frame,
                                       state.frame, kMapColour}));
        EXPECT_EQ(Row(image, 103, {120}), (std::vector<QColor>(1, state.frame)));
        EXPECT_EQ(Row(image, 136, {120}), (std::vector<QColor>(1, state.frame)));
        EXPECT_EQ(image.pixelColor(120, 137), kMapColour);
        if (!state.selected) {
            EXPECT_EQ(Row(image, 103, {103, 136}), (std::vector<QColor>(2, state.frame)));
            EXPECT_EQ(image.pixelColor(100, 100), kMapColour);  // no handles
            continue;
        }
        // Handles: white 6 x 6 squares outlined in black at the rectangle's corners, over the frame.
        EXPECT_EQ(Row(image, 100, {99, 100, 105, 106, 133, 134, 139, 140}),
                  (std::vector<QColor>{kMapColour, kBlack, kBlack, kMapColour, kMapColour, kBlack, kBlack, kMapColour}));
        EXPECT_EQ(Row(image, 103, {101, 104, 135, 138}), (std::vector<QColor>(4, kWhite)));
        EXPECT_EQ(Row(image, 139, {100, 105, 134, 139}), (std::vector<QColor>(4, kBlack)));
        EXPECT_EQ(image.pixelColor(120, 100), kMapColour);
    }
}

TEST_F(MapViewPainting, SpotsTooSmallForTheInsetFrameGetItAlongTheirEdges)
{
    for (const int size : {7, 6, 4, 1}) {
        SCOPED_TRACE(size);
        const LONG left = 20 * size;
        addSpot({left, 200, left + size, 200 + size});
        paint();  // the pending rectangle; the next paint draws everything
        const QImage image = paint();
        const int inset = size > 6 ? 3 : 0;
        EXPECT_EQ(image.pixelColor(left + inset, 200 + inset), kBlue);
        EXPECT_EQ(image.pixelColor(left - 1, 200), kMapColour);  // nothing outside the spot
        EXPECT_EQ(image.pixelColor(left + size, 200 + size - 1), kMapColour);
    }
}

TEST_F(MapViewPainting, ChangesOfSpotsRepaintOnlyTheirRectangles)
{
    const auto spot = addSpot({100, 100, 140, 140});
    paint();
    EXPECT_EQ(paint().pixelColor(30, 30), kMapColour);  // nothing pending: the whole window

    tagRECT moved{200, 200, 240, 240};
    document->ChangeNotification(spot.get(), kSpotMoving);
    spot->SetBounds(&moved);
    document->ChangeNotification(spot.get(), kSpotMoved);
    const QImage image = paint();
    EXPECT_EQ(image.pixelColor(30, 30), kUntouched);
    EXPECT_EQ(image.pixelColor(103, 120), kMapColour);  // the old place, wiped
    EXPECT_EQ(image.pixelColor(203, 220), kBlue);       // the new place, drawn
    EXPECT_EQ(image.pixelColor(150, 120), kUntouched);

    document->ChangeNotification(spot.get(), kPictureAdded);  // not a change of the map
    EXPECT_EQ(paint().pixelColor(30, 30), kMapColour);
}

// The window sizes at which a picture scaled to the window's width is painted one pixel lower than
// the spots' conversions put it, and their neighbours.
TEST_F(HostedMapView, SpotFramesStandThreePixelsInsideThePaintedPicture)
{
    openMap(writePicture({800, 600}, kMapColour));
    document->AddSpot(BaseOf(MakeMapSpot(document.get(), {0, 0, 800, 600}).get()).get());
    for (const QSize size : {QSize(556, 418), QSize(557, 418), QSize(452, 340), QSize(453, 341)}) {
        SCOPED_TRACE(size.width());
        show(size);
        const QImage image = paint();
        const auto firstRow = [&](const QColor& colour) {
            for (int y = 0; y < image.height(); ++y)
                if (image.pixelColor(size.width() / 2, y) == colour) return y;
            return -1;
        };
        EXPECT_EQ(firstRow(kBlue), firstRow(kMapColour) + 3);
    }
}

// As when the map comes back after a slide show: its whole window is repainted, last row and
// column included, whatever else is pending.
TEST_F(HostedMapView, InvalMapRepaintsTheWholeWindow)
{
    openMap(writePicture({800, 600}, kMapColour));
    const auto spot = BaseOf(MakeMapSpot(document.get(), {0, 0, 10, 10}).get());
    for (const QSize size : {QSize(300, 236), QSize(335, 262)}) {
        SCOPED_TRACE(size.width());
        show(size);
        paint();
        document->ChangeNotification(spot.get(), kSpotSelectionChanged);
        view->InvalMap();
        const QImage image = paint();
        EXPECT_NE(image.pixelColor(size.width() - 1, size.height() - 1), kUntouched);
        EXPECT_NE(image.pixelColor(size.width() / 2, size.height() - 1), kUntouched);
    }
}

TEST_F(MapViewPainting, AnEmptyWindowShowsTheHint)
{
    document->SetMapFile(nullptr);
    const QImage image = paint();
    EXPECT_EQ(image.pixelColor(30, 5), kWhite);
    const auto darkIn = [&](int top, int bottom) {
        int dark = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < image.width(); ++x) dark += image.pixelColor(x, y).lightness() < 128;
        return dark;
    };
    EXPECT_EQ(darkIn(20, 80), 0);  // above the text, below the button
    EXPECT_GT(darkIn(80, 160), 100);  // the wrapped lines of text below the 80-pixel margin
}

TEST_F(MapViewPainting, WithoutADocumentNothingIsPainted)
{
    view->SetDocument(nullptr);
    EXPECT_EQ(paint().pixelColor(200, 150), kUntouched);
}

TEST_F(MapViewPainting, TheContainingMapShowsFramedInTheCorner)
{
    Bstr map = Bstr(u"/maps/country.plm"), picture = ui::ToBstr(writePicture({800, 300}, kRed));
    BSTR a = map.get(), b = picture.get();
    view->PushContainingMap(&a, &b);
    const QImage image = paint();
    // 800 x 300 into 200 x 150: 200 x 75, centred at y 37 of the box at x 200.
    EXPECT_EQ(image.pixelColor(300, 60), kRed);
    EXPECT_EQ(Row(image, 60, {199, 200, 201, 398, 399}),
              (std::vector<QColor>{kMapColour, kBlack, kRed, kRed, kBlack}));
    EXPECT_EQ(image.pixelColor(300, 36), kMapColour);
    EXPECT_EQ(image.pixelColor(300, 37), kBlack);
    EXPECT_EQ(image.pixelColor(300, 111), kBlack);
    EXPECT_EQ(image.pixelColor(300, 112), kMapColour);
}

TEST_F(MapViewPainting, SpotViewsDrawThroughDispatchOnlyForAMapView)
{
    const auto spot = addSpot({2, 2, 18, 18});
    const auto drawn = [&](const CLSID& spotViewClass, IUnknown* onView) {
        QImage image(20, 20, QImage::Format_RGB32);
        image.fill(kUntouched);
        {
            QPainter painter(&image);
            ui::DeviceContext dc(painter);
            const auto spotView = CreateInstance<IBaseSpotView>(spotViewClass);
            EXPECT_EQ(Call(AsDispatch(spotView), 1, onView, spot.get(), &dc).vt, VT_EMPTY);
        }
        return image.pixelColor(5, 10);
    };
    EXPECT_EQ(drawn(CLSID_PLMapSpotView, view.get()), kBlue);
    EXPECT_EQ(drawn(CLSID_PLMapSpotView, document.get()), kUntouched);
    EXPECT_EQ(drawn(CLSID_PLBaseSpotView, view.get()), kUntouched);
}

}  // namespace
