#include "imaging/bitmap.h"

#include "imaging/graphics.h"
#include "imaging/image.h"

#include <gtest/gtest.h>

namespace {

using namespace imaging;

TEST(Bitmap, IsA24BitPictureOfTheGivenSizeAndResolutionClearedToAColour)
{
    Bitmap bitmap(QSize(640, 480), 300.0, 72.0);
    {
        Graphics graphics(bitmap.device());
        graphics.clear(0xFFFFFFFF);
    }
    const Image image = bitmap.image();

    EXPECT_EQ(image.size(), QSize(640, 480));
    EXPECT_EQ(image.pixels().format(), QImage::Format_RGB888);
    EXPECT_NEAR(image.horizontalResolution(), 300.0, 0.1);
    EXPECT_NEAR(image.verticalResolution(), 72.0, 0.1);
    EXPECT_EQ(image.pixels().pixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(image.pixels().pixel(639, 479), 0xFFFFFFFFu);
}

TEST(Bitmap, AnEmptyBitmapTakesDrawingWithoutEffect)
{
    Bitmap bitmap(QSize(0, 480), 96.0, 96.0);
    {
        Graphics graphics(bitmap.device());
        graphics.clear(0xFFFFFFFF);
        graphics.drawImage(Image::FromBitmap(QImage(QSize(4, 4), QImage::Format_RGB32)), QRect(0, 0, 4, 4));
    }
    EXPECT_EQ(bitmap.image().size(), QSize(0, 0));
}

}  // namespace
