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

TEST(MapGeometry, ConversionsPlaceThePictureWhereItIsPainted)
{
    // 800 x 600 into 556 wide: painted 417 high, which 600 x (556 / 800) computed apart makes 416.
    for (const QSize client : {QSize(556, 418), QSize(557, 418), QSize(556, 700), QSize(300, 418)}) {
        const tagRECT painted = FitPicture({800, 600}, client);
        EXPECT_EQ(ModelPointToArea(FitFor({800, 600}, client), {0, 0}), (tagPOINT{painted.left, painted.top}))
            << client.width() << "x" << client.height();
    }
}

TEST(MapGeometry, NudgesMoveOneWindowPixelAndKeepTheModelSize)
{
    const QSize picture(800, 600);
    const tagRECT start{200, 150, 305, 255};  // 105 x 105
    for (const QSize client : {QSize(800, 600), QSize(556, 418), QSize(333, 250), QSize(100, 75)}) {
        SCOPED_TRACE(client.width());
        const ViewFit fit = FitFor(picture, client);
        const tagPOINT shown = ModelPointToArea(fit, {start.left, start.top});
        tagRECT r = start;
        for (int i = 1; i <= 6; ++i) {
            r = NudgeModelRect(fit, NudgeModelRect(fit, r, 1, 0), 0, 1);
            EXPECT_EQ(ModelPointToArea(fit, {r.left, r.top}), (tagPOINT{shown.x + i, shown.y + i}));
            EXPECT_EQ(r.right - r.left, 105);
            EXPECT_EQ(r.bottom - r.top, 105);
        }
        for (int i = 0; i < 6; ++i) r = NudgeModelRect(fit, NudgeModelRect(fit, r, -1, 0), 0, -1);
        EXPECT_EQ(ModelPointToArea(fit, {r.left, r.top}), shown);
        const tagRECT back = r;
        r = NudgeModelRect(fit, NudgeModelRect(fit, r, 1, 0), -1, 0);
        EXPECT_EQ(r, back) << "there and back is where it started";
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
