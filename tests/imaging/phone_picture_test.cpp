#include "imaging/image.h"

#include "tests/imaging/picture_folder.h"
#include "tests/support/heif_writer.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

namespace {

using imaging::Image;
using imaging_test::PictureFolder;
using test_support::HeifWriter;
using test_support::TestPictures;

constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kBlue = 0xFF0000FF;
constexpr QRgb kGreen = 0xFF00FF00;

bool nearColour(QRgb actual, QRgb expected)
{
    constexpr int kTolerance = 40;  // HEVC and AV1 at 4:2:0 or 4:2:2 blur colours near an edge
    return qAbs(qRed(actual) - qRed(expected)) <= kTolerance && qAbs(qGreen(actual) - qGreen(expected)) <= kTolerance &&
           qAbs(qBlue(actual) - qBlue(expected)) <= kTolerance;
}

// What the four quarters of a decoded picture show.
struct Look {
    QRgb topLeft, topRight, bottomLeft, bottomRight;
};

void expectLook(const QImage& pixels, const Look& look)
{
    const int w = pixels.width(), h = pixels.height();
    const std::pair<QPoint, QRgb> quarters[] = {{{w / 4, h / 4}, look.topLeft},
                                                {{3 * w / 4, h / 4}, look.topRight},
                                                {{w / 4, 3 * h / 4}, look.bottomLeft},
                                                {{3 * w / 4, 3 * h / 4}, look.bottomRight}};
    for (const auto& [point, colour] : quarters)
        EXPECT_TRUE(nearColour(pixels.pixel(point), colour))
            << point.x() << ", " << point.y() << ": " << std::hex << pixels.pixel(point);
}

TEST(PhonePictures, DecodeToTheirPixelsTurnedAsTheyAreMeantToBeSeen)
{
    PictureFolder folder;
    const QImage picture = TestPictures::Halves(QSize(320, 160));
    const Look asStored{kRed, kBlue, kRed, kBlue};
    struct Case {
        const char* name;
        QByteArray bytes;
        QSize size;
        Look look;
    };
    HeifWriter::Options turned;
    turned.orientation = 6;  // a quarter turn clockwise: the left half comes on top
    turned.thumbnailSize = 64;
    HeifWriter::Options mirrored;
    mirrored.orientation = 2;
    HeifWriter::Options deepAv1;
    deepAv1.codec = HeifWriter::Codec::Av1;
    deepAv1.bitDepth = 10;
    const Case cases[] = {
        {"IMG_0001.HEIC", HeifWriter::Encode(picture, {}), {320, 160}, asStored},
        {"IMG_0002.heic", HeifWriter::Encode(picture, turned), {160, 320}, {kRed, kRed, kBlue, kBlue}},
        {"mirrored.heif", HeifWriter::Encode(picture, mirrored), {320, 160}, {kBlue, kRed, kBlue, kRed}},
        {"deep.avif", HeifWriter::Encode(picture, deepAv1), {320, 160}, asStored},
        {"saved.webp", TestPictures::Webp(picture), {320, 160}, asStored},
        // Named as what it is not: the content decides.
        {"misnamed.jpg", HeifWriter::Encode(picture, {}), {320, 160}, asStored},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = folder.write(c.name, c.bytes);
        EXPECT_EQ(Image::SizeOfFile(path), c.size);
        const Image full = Image::FromFile(path);
        ASSERT_EQ(full.size(), c.size);
        expectLook(full.pixels(), c.look);
        // Reduced: by a whole factor and averaged, then scaled to exactly the size asked for.
        const QSize small = c.size / 4 - QSize(3, 3);
        const Image reduced = Image::FromFile(path, small);
        ASSERT_EQ(reduced.size(), small);
        expectLook(reduced.pixels(), c.look);
    }
}

// Found by the fuzzer: an AVIF whose colour primaries libheif does not know. Other viewers show it,
// and so does Pinlore (refusing it strictly, libheif 1.15 leaked the picture).
TEST(PhonePictures, AnUnknownColourDescriptionStillDecodes)
{
    PictureFolder folder;
    const QString path = folder.write("unknown-primaries.avif", QByteArray::fromBase64(
        "AAAAHGZ0eXBhdmlmAAAAAGF2aWZtaWYxbWlhZgAAAPRtZXRhAAAAAAAAACFoZGxyAAAAAAAAAABwaWN0AAAAAAAAAAAAAAAA"
        "AAAAAA5waXRtAAAAAAABAAAAImlsb2MAAAAAREAAAQABAAAAAAEYAAEAAAAAAAAAPAAAACNpaW5mAAAAAAABAAAAFWluZmUC"
        "AAAAAAEAAGF2MDEAAAAAdGlwcnAAAABUaXBjbwAAABNjb2xybmNseAACAAIABoAAAAAMYXYxQ4FASgAAAAAJaXJvdAMAAAAU"
        "aXNwZQAAAAAAAAAwAAAAQAAAABBwaXhpAAAAAAMKCgoAAAAYaXBtYQAAAAAAAAABAAEFgYIDBIUAAABEbWRhdBIACglYFX+9"
        "iWlpbmYyLRGAAggghAC0VVTe4gcng2io6VSSE4ahDRd5gKdYBQUFhSO0DUo7EBCvzYiYQA=="));
    EXPECT_EQ(Image::FromFile(path).size(), QSize(48, 64));
}

TEST(PhonePictures, AlphaIsKeptAtFullSizeAndWhenReduced)
{
    PictureFolder folder;
    HeifWriter::Options av1;
    av1.codec = HeifWriter::Codec::Av1;
    const QImage picture = TestPictures::Halves(QSize(256, 128), true);
    for (const QString& path : {folder.write("clear.avif", HeifWriter::Encode(picture, av1)),
                                folder.write("clear.heic", HeifWriter::Encode(picture, {})),
                                folder.write("clear.webp", TestPictures::Webp(picture))}) {
        SCOPED_TRACE(path.toStdString());
        for (const Image& image : {Image::FromFile(path), Image::FromFile(path, QSize(64, 32))}) {
            ASSERT_FALSE(image.size().isEmpty());
            const QImage pixels = image.pixels().convertToFormat(QImage::Format_ARGB32);
            EXPECT_TRUE(nearColour(pixels.pixel(pixels.width() / 4, pixels.height() / 2), kRed));
            EXPECT_GE(qAlpha(pixels.pixel(pixels.width() / 4, pixels.height() / 2)), 250);
            EXPECT_LE(qAlpha(pixels.pixel(3 * pixels.width() / 4, pixels.height() / 2)), 5);
        }
    }
}

// The thumbnail is green, the picture red and blue: what is decoded shows which was.
TEST(PhonePictures, TheThumbnailAFileCarriesServesOnlySizesItCovers)
{
    PictureFolder folder;
    HeifWriter::Options withThumbnail;
    withThumbnail.thumbnailSize = 320;
    withThumbnail.thumbnail = TestPictures::Filled(QSize(64, 48), kGreen);
    const QString upright = folder.write("upright.heic", HeifWriter::Encode(TestPictures::Halves(QSize(1280, 960)), withThumbnail));
    withThumbnail.orientation = 6;
    const QString turned = folder.write("turned.heic", HeifWriter::Encode(TestPictures::Halves(QSize(1280, 960)), withThumbnail));

    EXPECT_EQ(Image::HeaderOfFile(upright).size, QSize(1280, 960));
    EXPECT_EQ(Image::HeaderOfFile(upright).embeddedThumbnail, QSize(320, 240));
    EXPECT_EQ(Image::HeaderOfFile(turned).embeddedThumbnail, QSize(240, 320));
    struct Case {
        QString path;
        QSize size;
        bool fromThumbnail;
    };
    for (const Case& c : {Case{upright, {200, 150}, true}, Case{upright, {320, 240}, true},
                          Case{upright, {321, 240}, false}, Case{turned, {150, 200}, true},
                          Case{turned, {241, 200}, false}}) {
        SCOPED_TRACE(testing::Message() << c.path.toStdString() << " " << c.size.width() << "x" << c.size.height());
        const Image thumbnail = Image::ThumbnailFromFile(c.path, c.size);
        ASSERT_EQ(thumbnail.size(), c.size);
        const QRgb topLeft = thumbnail.pixels().pixel(c.size.width() / 4, c.size.height() / 4);
        EXPECT_TRUE(nearColour(topLeft, c.fromThumbnail ? kGreen : kRed)) << std::hex << topLeft;
        // The picture itself is never stood in for.
        EXPECT_TRUE(nearColour(Image::FromFile(c.path, c.size).pixels().pixel(c.size.width() / 4, c.size.height() / 4), kRed));
    }
    EXPECT_EQ(Image::HeaderOfFile(folder.write("none.heic", HeifWriter::Encode(TestPictures::Halves(QSize(64, 32)), {}))).embeddedThumbnail,
              QSize());
}

TEST(PhonePictures, BrokenLyingAndFakeFilesAreRefusedLikeAnyUndecodablePicture)
{
    PictureFolder folder;
    HeifWriter::Options av1;
    av1.codec = HeifWriter::Codec::Av1;
    HeifWriter::Options thumbnail;
    thumbnail.thumbnailSize = 64;
    const QImage picture = TestPictures::Halves(QSize(320, 240));
    const QByteArray heic = HeifWriter::Encode(picture, {});
    const QByteArray withThumbnail = HeifWriter::Encode(picture, thumbnail);
    const QByteArray avif = HeifWriter::Encode(picture, av1);
    const QByteArray saved = TestPictures::Webp(picture);
    const QStringList refused{
        folder.write("cut.heic", heic.left(heic.size() / 2)),
        folder.write("cut-in-its-pixels.heic", heic.left(heic.size() - 64)),
        folder.write("cut.avif", avif.left(avif.size() - 16)),
        folder.write("cut.webp", saved.left(saved.size() / 2)),
        folder.write("huge.heic", HeifWriter::DeclaringSize(withThumbnail, QSize(100000, 100000))),
        folder.write("smaller-than-it-is.heic", HeifWriter::DeclaringSize(withThumbnail, QSize(160, 120))),
        folder.write("garbage.heic", QByteArray(4096, '\x5a')),
        folder.write("type-box-only.heic", QByteArray::fromHex("0000001866747970686569630000000068656963")),
    };
    for (const QString& path : refused) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_EQ(Image::FromFile(path).size(), QSize(0, 0));
        EXPECT_EQ(Image::FromFile(path, QSize(64, 48)).size(), QSize(0, 0));
        EXPECT_EQ(Image::ThumbnailFromFile(path, QSize(40, 30)).size(), QSize(0, 0));
    }
    // Refused from the header alone, before any decoding.
    EXPECT_EQ(Image::SizeOfFile(folder.path("huge.heic")), QSize());
    EXPECT_EQ(Image::SizeOfFile(folder.path("garbage.heic")), QSize());
}

}  // namespace
