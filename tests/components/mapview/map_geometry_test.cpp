#include "components/mapview/map_geometry.h"

#include <gtest/gtest.h>

using namespace mapview;

namespace {

struct FitCase {
    QSize picture, client;
    tagRECT pictureRect;
};

TEST(MapGeometry, FitPictureCentresWithoutEnlarging)
{
    const FitCase cases[] = {
        {{100, 100}, {400, 300}, {150, 100, 250, 200}},  // smaller: its own size, centred
        {{800, 600}, {400, 400}, {0, 50, 400, 350}},     // relatively wider: fitted to the width
        {{600, 800}, {400, 400}, {50, 0, 350, 400}},     // relatively taller: fitted to the height
        {{400, 300}, {400, 300}, {0, 0, 400, 300}},      // exactly the window's size
        {{0, 0}, {400, 300}, {0, 0, 0, 0}},              // a picture that did not decode
        {{800, 600}, {0, 0}, {0, 0, 0, 0}},              // a window not yet sized
    };
    for (const FitCase& c : cases)
        EXPECT_EQ(FitPicture(c.picture, c.client), c.pictureRect)
            << c.picture.width() << "x" << c.picture.height() << " in " << c.client.width() << "x" << c.client.height();
}

TEST(MapGeometry, ConversionsTruncateTowardZeroAndKeepSizes)
{
    const ViewFit ownSize = FitFor({100, 100}, {400, 300});
    EXPECT_EQ(AreaPointToModel(ownSize, {150, 100}), (tagPOINT{0, 0}));
    EXPECT_EQ(AreaPointToModel(ownSize, {149, 99}), (tagPOINT{-1, -1}));

    const ViewFit wide = FitFor({800, 600}, {400, 400});
    EXPECT_EQ(AreaPointToModel(wide, {200, 200}), (tagPOINT{400, 300}));
    EXPECT_EQ(ModelRectToArea(wide, {100, 100, 200, 200}), (tagRECT{50, 100, 100, 150}));
    EXPECT_EQ(AreaRectToModel(wide, {50, 100, 100, 150}), (tagRECT{100, 100, 200, 200}));
    EXPECT_EQ(ModelPointToArea(wide, {400, 300}), (tagPOINT{200, 200}));
    // One pixel above the picture at a factor of 1.5: -1.5 model units become -1.
    const ViewFit threeHalves = FitFor({600, 300}, {400, 400});
    EXPECT_EQ(AreaPointToModel(threeHalves, {0, 99}), (tagPOINT{0, -1}));
    const ViewFit smaller = FitFor({200, 100}, {100, 100});  // factor 2, picture at y 25
    EXPECT_EQ(AreaPointToModel(smaller, {0, 24}), (tagPOINT{0, -2}));

    // A rectangle keeps its size wherever its corner falls.
    const ViewFit odd = FitFor({300, 300}, {200, 200});
    const tagRECT a = ModelRectToArea(odd, {1, 1, 31, 31}), b = ModelRectToArea(odd, {2, 2, 32, 32});
    EXPECT_EQ(a.right - a.left, b.right - b.left);
}

TEST(MapGeometry, NudgesMoveOneWindowPixelAndKeepTheModelSize)
{
    for (const QSize client : {QSize(800, 600), QSize(556, 418), QSize(100, 75)}) {
        const ViewFit fit = FitFor({800, 600}, client);
        const tagPOINT shown = ModelPointToArea(fit, {200, 150});
        tagRECT r{200, 150, 305, 255};
        for (int i = 1; i <= 6; ++i) r = NudgeModelRect(fit, r, 1, 1);
        EXPECT_EQ(ModelPointToArea(fit, {r.left, r.top}), (tagPOINT{shown.x + 6, shown.y + 6})) << client.width();
        EXPECT_EQ(QSize(r.right - r.left, r.bottom - r.top), QSize(105, 105)) << client.width();
        const tagRECT there = r;
        EXPECT_EQ(NudgeModelRect(fit, NudgeModelRect(fit, r, -1, 0), 1, 0), there) << "and back";
    }
}

TEST(MapGeometry, DegenerateSizesNeverDivideByZero)
{
    const ViewFit noWindow = FitFor({800, 600}, {0, 0});
    EXPECT_TRUE(noWindow.degenerate);
    EXPECT_EQ(ModelRectToArea(noWindow, {10, 10, 20, 20}), (tagRECT{0, 0, 0, 0}));
    EXPECT_EQ(AreaPointToModel(noWindow, {5, 5}), (tagPOINT{5, 5}));
    const ViewFit noPicture = FitFor({0, 0}, {400, 300});
    EXPECT_EQ(ModelRectToArea(noPicture, {10, 10, 20, 20}), (tagRECT{0, 0, 0, 0}));
    EXPECT_EQ(AreaPointToModel(noPicture, {200, 150}), (tagPOINT{0, 0}));
}

TEST(MapGeometry, ClampKeepsEdgesInclusive)
{
    const tagRECT bounds{0, 0, 100, 50};
    EXPECT_EQ(ClampPoint({-5, 60}, bounds), (tagPOINT{0, 50}));
    EXPECT_EQ(ClampPoint({100, 0}, bounds), (tagPOINT{100, 0}));
    EXPECT_EQ(ClampPoint({101, -1}, bounds), (tagPOINT{100, 0}));
}

}  // namespace
