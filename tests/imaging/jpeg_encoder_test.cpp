#include "imaging/jpeg_encoder.h"

#include "imaging/bitmap.h"
#include "imaging/graphics.h"
#include "imaging/image.h"
#include "tests/imaging/picture_folder.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

using namespace imaging;
using imaging_test::PictureFolder;

// Fine detail, so that the quality setting changes the file size noticeably.
Image detailedPage()
{
    QImage noise(640, 480, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, 0xFF000000 | random.bounded(0x1000000));
    Bitmap page(noise.size(), 150.0, 150.0);
    {
        Graphics graphics(page.device());
        graphics.drawImage(Image::FromBitmap(noise), QRect(QPoint(0, 0), noise.size()));
    }
    return page.image();
}

TEST(JpegEncoding, LowerQualityGivesSmallerDataOfTheSameSizeAndResolution)
{
    PictureFolder folder;
    const Image page = detailedPage();

    const QByteArray full = JpegEncoder(50).encode(page);
    const QByteArray lowResolution = JpegEncoder(20).encode(page);

    EXPECT_LT(lowResolution.size(), full.size() * 3 / 4);
    for (const QByteArray& bytes : {full, lowResolution}) {
        const Image decoded = Image::FromFile(folder.write("page.jpg", bytes));
        EXPECT_EQ(decoded.size(), QSize(640, 480));
        EXPECT_NEAR(decoded.horizontalResolution(), 150.0, 0.5);
        EXPECT_NEAR(decoded.verticalResolution(), 150.0, 0.5);
    }
}

TEST(JpegEncoding, AnEmptyImageGivesNoData)
{
    EXPECT_TRUE(JpegEncoder(50).encode(Image()).isEmpty());
}

}  // namespace
