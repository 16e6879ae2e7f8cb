#include "imaging/jpeg_encoder.h"

#include "imaging/bitmap.h"
#include "imaging/graphics.h"
#include "imaging/image.h"
#include "tests/imaging/picture_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <unistd.h>

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

TEST(JpegEncoding, LowerQualityGivesASmallerFileOfTheSameSize)
{
    PictureFolder folder;
    const Image page = detailedPage();

    ASSERT_TRUE(JpegEncoder(50).encode(page, folder.path("full.jpg")));
    ASSERT_TRUE(JpegEncoder(20).encode(page, folder.path("lo_res.jpg")));

    EXPECT_LT(QFileInfo(folder.path("lo_res.jpg")).size(), QFileInfo(folder.path("full.jpg")).size() * 3 / 4);
    for (const char* name : {"full.jpg", "lo_res.jpg"}) {
        const Image decoded = Image::FromFile(folder.path(name));
        EXPECT_EQ(decoded.size(), QSize(640, 480)) << name;
        EXPECT_NEAR(decoded.horizontalResolution(), 150.0, 0.5) << name;
        EXPECT_NEAR(decoded.verticalResolution(), 150.0, 0.5) << name;
    }
}

TEST(JpegEncoding, ReplacesAnExistingFile)
{
    PictureFolder folder;
    const QString path = folder.write("map.jpg", "old contents");

    ASSERT_TRUE(JpegEncoder(50).encode(detailedPage(), path));

    EXPECT_EQ(Image::SizeOfFile(path), QSize(640, 480));
    EXPECT_TRUE(QDir(folder.path("")).entryList(QDir::Files) == QStringList{"map.jpg"});
}

TEST(JpegEncoding, FailsIntoAFolderThatDoesNotExist)
{
    PictureFolder folder;
    const QString path = folder.path("images/map.jpg");

    EXPECT_FALSE(JpegEncoder(50).encode(detailedPage(), path));
    EXPECT_FALSE(QFile::exists(path));
}

TEST(JpegEncoding, FailsIntoAFolderWithoutWritePermission)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    PictureFolder folder;
    ASSERT_TRUE(QDir().mkdir(folder.path("locked")));
    ASSERT_TRUE(QFile::setPermissions(folder.path("locked"), QFile::ReadOwner | QFile::ExeOwner));

    EXPECT_FALSE(JpegEncoder(50).encode(detailedPage(), folder.path("locked/map.jpg")));
}

TEST(JpegEncoding, AnEmptyImageFailsAndLeavesTheOldFileAlone)
{
    PictureFolder folder;
    const QString path = folder.write("map.jpg", "old contents");

    EXPECT_FALSE(JpegEncoder(50).encode(Image(), path));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("old contents"));
}

}  // namespace
