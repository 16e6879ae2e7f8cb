#include "app/export/page_geometry.h"

#include <gtest/gtest.h>

using html_export::PageGeometry;

TEST(PageGeometry, AFourByThreeMapScalesSpotsAndPinsOntoThePage)
{
    const std::optional<tagRECT> page = PageGeometry::MapToPage({800, 600}, {100, 100, 200, 150});
    ASSERT_TRUE(page);
    EXPECT_TRUE(*page == (tagRECT{80, 80, 160, 120}));
    EXPECT_EQ(PageGeometry::PinPoint(*page), QPoint(154, 134));
}

TEST(PageGeometry, ATallMapIsCentredSoSpotsMoveRight)
{
    const std::optional<tagRECT> page = PageGeometry::MapToPage({480, 960}, {0, 0, 100, 100});
    ASSERT_TRUE(page);
    EXPECT_TRUE(*page == (tagRECT{200, 0, 250, 50}));
}

TEST(PageGeometry, AWideMapIsCentredSoSpotsMoveDown)
{
    const std::optional<tagRECT> page = PageGeometry::MapToPage({1280, 480}, {0, 0, 100, 100});
    ASSERT_TRUE(page);
    EXPECT_TRUE(*page == (tagRECT{0, 120, 50, 170}));
}

TEST(PageGeometry, AMapOfWidthZeroIsNotMapped)
{
    EXPECT_FALSE(PageGeometry::MapToPage({0, 600}, {1, 2, 3, 4}));
    EXPECT_FALSE(PageGeometry::MapToPage({0, 0}, {1, 2, 3, 4}));
    EXPECT_TRUE(PageGeometry::MapToPage({600, 0}, {1, 2, 3, 4}));
}

TEST(PageGeometry, PinsOfSpotsLeftOfOrAboveThePageStayAtItsEdge)
{
    EXPECT_EQ(PageGeometry::PinPoint({-100, -60, -20, -10}), QPoint(34, 34));
}

TEST(PageGeometry, PicturesFillOrAreLetterboxedIntoTheImage)
{
    EXPECT_EQ(PageGeometry::PictureRect({320, 240}), QRect(0, 0, 640, 480));
    EXPECT_EQ(PageGeometry::PictureRect({1000, 1000}), QRect(80, 0, 480, 480));
    EXPECT_EQ(PageGeometry::PictureRect({1280, 480}), QRect(0, 120, 640, 240));
}

TEST(PageGeometry, PicturesOfSizeZeroHaveNoPlace)
{
    EXPECT_FALSE(PageGeometry::PictureRect({0, 0}));
    EXPECT_FALSE(PageGeometry::PictureRect({0, 100}));
    EXPECT_FALSE(PageGeometry::PictureRect({100, 0}));
}
