#include "imaging/image.h"

#include "tests/imaging/picture_folder.h"

#include <QBuffer>
#include <QDataStream>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using imaging::Image;
using imaging_test::PictureFolder;

constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kBlue = 0xFF0000FF;

bool nearColour(QRgb actual, QRgb expected, int tolerance = 24)
{
    return qAbs(qRed(actual) - qRed(expected)) <= tolerance
           && qAbs(qGreen(actual) - qGreen(expected)) <= tolerance
           && qAbs(qBlue(actual) - qBlue(expected)) <= tolerance;
}

// Red on the left half, blue on the right: scaling that mixes up or shifts pixels shows.
QImage halves(QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(kRed);
    for (int y = 0; y < size.height(); ++y)
        for (int x = size.width() / 2; x < size.width(); ++x)
            picture.setPixel(x, y, kBlue);
    return picture;
}

// A BMP header that declares `size` at 24 bits per pixel, followed by a few bytes of pixels.
QByteArray bmpDeclaring(QSize size)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("BM", 2);
    out << quint32(0) << quint16(0) << quint16(0) << quint32(54);
    out << quint32(40) << qint32(size.width()) << qint32(size.height()) << quint16(1) << quint16(24)
        << quint32(0) << quint32(0) << qint32(2835) << qint32(2835) << quint32(0) << quint32(0);
    out << quint64(0) << quint64(0);
    return bytes;
}

// `jpeg` with an EXIF block saying the picture must be turned 90° clockwise to be seen upright.
QByteArray withOrientationTurnedClockwise(const QByteArray& jpeg)
{
    QByteArray tiff;
    QDataStream out(&tiff, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::BigEndian);
    out.writeRawData("MM", 2);
    out << quint16(42) << quint32(8);                                   // header, first directory
    out << quint16(1) << quint16(0x0112) << quint16(3) << quint32(1);   // one entry: orientation
    out << quint16(6) << quint16(0) << quint32(0);                      // value 6, no next directory
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment("\xFF\xE1", 2);
    const int length = payload.size() + 2;
    segment.append(char(length >> 8)).append(char(length & 0xFF)).append(payload);
    return jpeg.left(2) + segment + jpeg.mid(2);
}

TEST(ImageDecoding, FilesThatCannotBeDecodedGiveSizeZero)
{
    PictureFolder folder;
    const QByteArray jpeg = [&] {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        halves(QSize(64, 48)).save(&buffer, "JPEG");
        return bytes;
    }();
    QStringList undecodable{
        folder.path("missing.jpg"),
        folder.write("empty.png", {}),
        folder.write("text.jpg", "not a picture at all"),
        folder.write("header-only.jpg", jpeg.left(20)),
        folder.write("png-header-only.png",
                     QByteArray::fromHex("89504e470d0a1a0a0000000d4948445200000040000000300806000000")),
        // A MNG signature before PNG chunks: a decoder draws it, but no header says its size, so it
        // could not be weighed against the limits before decoding (found by the fuzzer).
        // A GIF whose frame is wider than the size its reader reports (found by the fuzzer).
        folder.write("wider.gif", QByteArray::fromBase64("R0lGODlhF//4AAAAACEAACxJRjg5YRf/+AAAAAAhAAAsAAAAlwAAAAB2+voAAACXAAAAAHb6+iAgjpyWRIAAADs=")),
        folder.write("no-size.png", QByteArray::fromBase64("ik1ORw0KGgoAAAANSUhEUgAAAAQAAAADCAIAAAA7ljmRAAAAKklEQVR4nA3HMQEAMAz"
                                                           "DMAMriMDpaSgBUYCbPgEOLh5CnLjx8lOnbr36AOO3DflsbMvSAAAAAElFTkSuQmCC")),
    };
    // Never opened for reading: that would wait for a writer forever.
    const QString fifo = folder.path("fifo.jpg");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    undecodable.append(fifo);
    for (const QString& path : undecodable) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_EQ(Image::FromFile(path).size(), QSize(0, 0));
        EXPECT_EQ(Image::FromFile(path, QSize(32, 24)).size(), QSize(0, 0));
    }
    EXPECT_EQ(Image::SizeOfFile(folder.path("missing.jpg")), QSize());
    EXPECT_EQ(Image::SizeOfFile(folder.path("text.jpg")), QSize());
    EXPECT_EQ(Image::SizeOfFile(fifo), QSize());
}

TEST(ImageDecoding, APictureCutShortGivesSizeZeroThoughItsDecoderWouldFillTheRest)
{
    PictureFolder folder;
    QImage picture = halves(QSize(400, 300));
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, 0xFF000000 | ((x * y * 2654435761u) & 0xFFFFFF));
    QFile complete(folder.save("complete.jpg", picture, "JPEG", 90));
    ASSERT_TRUE(complete.open(QIODevice::ReadOnly));
    const QByteArray jpeg = complete.readAll();

    for (const qsizetype kept : {jpeg.size() / 2, jpeg.size() - 8}) {
        SCOPED_TRACE(kept);
        const QString path = folder.write("cut.jpg", jpeg.left(kept));
        EXPECT_EQ(Image::FromFile(path).size(), QSize(0, 0));
        EXPECT_EQ(Image::FromFile(path, QSize(100, 75)).size(), QSize(0, 0));
    }
    EXPECT_EQ(Image::FromFile(complete.fileName()).size(), QSize(400, 300));
}

TEST(ImageDecoding, CompletePicturesOfEachKindDecodeInFull)
{
    PictureFolder folder;
    const QImage picture = halves(QSize(48, 32));
    const QStringList paths{
        folder.save("picture.jpg", picture, "JPEG"),
        folder.save("picture.png", picture, "PNG"),
        folder.save("picture.bmp", picture, "BMP"),
        folder.save("picture.tif", picture, "TIFF"),
        folder.write("picture.gif", QByteArray::fromBase64("R0lGODlhAQABAIAAAAAAAP///yH5BAEAAAAALAAAAAABAAEAAAIBRAA7")),
    };
    for (const QString& path : paths) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_EQ(Image::FromFile(path).size(), Image::SizeOfFile(path));
        EXPECT_FALSE(Image::FromFile(path).size().isEmpty());
        EXPECT_EQ(Image::FromFile(path, QSize(24, 16)).size(), QSize(24, 16));
    }
}

TEST(ImageDecoding, AHeaderDeclaringAHugePictureFailsLikeAnUndecodableFile)
{
    PictureFolder folder;
    const QString path = folder.write("huge.bmp", bmpDeclaring(QSize(100000, 100000)));

    EXPECT_EQ(Image::FromFile(path).size(), QSize(0, 0));
    EXPECT_EQ(Image::FromFile(path, QSize(640, 480)).size(), QSize(0, 0));
}

TEST(ImageDecoding, DecodesAPictureWithItsSizeColoursAndResolution)
{
    PictureFolder folder;
    QImage picture = halves(QSize(120, 80));
    picture.setDotsPerMeterX(11811);  // 300 dpi
    picture.setDotsPerMeterY(5906);   // 150 dpi
    const Image image = Image::FromFile(folder.save("picture.png", picture, "PNG"));

    EXPECT_EQ(image.size(), QSize(120, 80));
    EXPECT_EQ(Image::SizeOfFile(folder.path("picture.png")), QSize(120, 80));
    EXPECT_TRUE(nearColour(image.pixels().pixel(10, 40), kRed, 0));
    EXPECT_TRUE(nearColour(image.pixels().pixel(110, 40), kBlue, 0));
    EXPECT_NEAR(image.horizontalResolution(), 300.0, 0.1);
    EXPECT_NEAR(image.verticalResolution(), 150.0, 0.1);
}

TEST(ImageDecoding, AnExifOrientationTurnsThePictureAndItsReportedSize)
{
    PictureFolder folder;
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(halves(QSize(160, 80)).save(&buffer, "JPEG", 95));
    const QString path = folder.write("turned.jpg", withOrientationTurnedClockwise(jpeg));

    EXPECT_EQ(Image::SizeOfFile(path), QSize(80, 160));
    const Image full = Image::FromFile(path);
    ASSERT_EQ(full.size(), QSize(80, 160));
    EXPECT_TRUE(nearColour(full.pixels().pixel(40, 20), kRed));  // the left half is now on top
    EXPECT_TRUE(nearColour(full.pixels().pixel(40, 140), kBlue));
    const Image reduced = Image::FromFile(path, QSize(20, 40));
    ASSERT_EQ(reduced.size(), QSize(20, 40));
    EXPECT_TRUE(nearColour(reduced.pixels().pixel(10, 5), kRed));
    EXPECT_TRUE(nearColour(reduced.pixels().pixel(10, 35), kBlue));
}

TEST(ReducedDecoding, ALargeJpegDecodesToExactlyTheAskedSizeWithItsColours)
{
    PictureFolder folder;
    QImage picture = halves(QSize(4000, 3000));
    picture.setDotsPerMeterX(7087);  // 180 dpi
    picture.setDotsPerMeterY(7087);
    const QString path = folder.save("large.jpg", picture, "JPEG", 90);

    EXPECT_EQ(Image::SizeOfFile(path), QSize(4000, 3000));
    for (const QSize size : {QSize(400, 300), QSize(333, 250), QSize(1999, 1499), QSize(640, 100)}) {
        SCOPED_TRACE(size.width());
        const Image image = Image::FromFile(path, size);
        ASSERT_EQ(image.size(), size);
        EXPECT_TRUE(nearColour(image.pixels().pixel(size.width() / 4, size.height() / 2), kRed));
        EXPECT_TRUE(nearColour(image.pixels().pixel(size.width() * 3 / 4, size.height() / 2), kBlue));
        EXPECT_NEAR(image.horizontalResolution(), 180.0, 0.5);
    }
}

TEST(ReducedDecoding, ASmallPictureIsEnlargedToTheAskedSize)
{
    PictureFolder folder;
    const QString path = folder.save("small.png", halves(QSize(40, 30)), "PNG");

    const Image image = Image::FromFile(path, QSize(400, 300));

    ASSERT_EQ(image.size(), QSize(400, 300));
    EXPECT_TRUE(nearColour(image.pixels().pixel(50, 150), kRed, 0));
    EXPECT_TRUE(nearColour(image.pixels().pixel(350, 150), kBlue, 0));
    EXPECT_EQ(Image::FromFile(path, QSize(0, 300)).size(), QSize(0, 0));
}

TEST(Thumbnail, HasExactlyTheAskedSizeWhetherShrinkingOrEnlarging)
{
    QImage picture = halves(QSize(200, 100));
    picture.setDotsPerMeterX(3780);
    picture.setDotsPerMeterY(3780);
    const Image image = Image::FromBitmap(picture);

    for (const QSize size : {QSize(20, 10), QSize(7, 93), QSize(200, 100), QSize(1000, 600)}) {
        SCOPED_TRACE(size.width());
        const Image thumbnail = image.thumbnail(size);
        ASSERT_EQ(thumbnail.size(), size);
        EXPECT_TRUE(nearColour(thumbnail.pixels().pixel(0, size.height() / 2), kRed));
        EXPECT_TRUE(nearColour(thumbnail.pixels().pixel(size.width() - 1, size.height() / 2), kBlue));
        EXPECT_NEAR(thumbnail.horizontalResolution(), 96.0, 0.1);
    }
    EXPECT_EQ(image.thumbnail(QSize(0, 10)).size(), QSize(0, 0));
    EXPECT_EQ(Image().thumbnail(QSize(10, 10)).size(), QSize(0, 0));
}

}  // namespace
