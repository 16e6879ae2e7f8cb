#include "tests/components/slideshow/slide_show_view_fixture.h"

#include "tests/support/document_model.h"
#include "tests/support/heif_writer.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

namespace {

using test_support::SlideShowViewTest;

const QColor kWhite(255, 255, 255), kBlack(0, 0, 0), kRed(255, 0, 0), kBlue(0, 0, 255);

// JPEG's colours come back only nearly as written.
bool Near(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) <= 8 && std::abs(a.green() - b.green()) <= 8 &&
           std::abs(a.blue() - b.blue()) <= 8;
}

// Every pixel just inside the rectangle's edges has the picture's colour, every pixel just outside
// (within the view) is white.
void ExpectPictureAt(const QImage& view, QRect expected, QColor colour)
{
    const QPoint centre = expected.center();
    const QPoint inside[] = {{expected.left(), centre.y()}, {expected.right(), centre.y()},
                             {centre.x(), expected.top()}, {centre.x(), expected.bottom()}};
    for (QPoint point : inside)
        EXPECT_TRUE(Near(view.pixelColor(point), colour)) << "inside at " << point.x() << ", " << point.y();
    const QPoint outside[] = {{expected.left() - 1, centre.y()}, {expected.right() + 1, centre.y()},
                              {centre.x(), expected.top() - 1}, {centre.x(), expected.bottom() + 1}};
    for (QPoint point : outside) {
        if (!view.rect().contains(point)) continue;
        EXPECT_EQ(view.pixelColor(point), kWhite) << "outside at " << point.x() << ", " << point.y();
    }
}

TEST_F(SlideShowViewTest, PicturesAreFittedIntoTheViewNeverEnlargedAndCentred)
{
    struct Case {
        QSize picture;
        const char* format;
        QRect drawn;  // in a 200 × 200 view
    };
    const Case cases[] = {
        {{400, 300}, "PNG", QRect(0, 25, 200, 150)},   // wider than tall: the width fills the view
        {{300, 600}, "PNG", QRect(50, 0, 100, 200)},   // taller: the height fills it
        {{100, 50}, "PNG", QRect(50, 75, 100, 50)},    // smaller both ways: its own size, centred
        {{150, 41}, "PNG", QRect(25, 79, 150, 41)},    // halves truncate
        {{200, 100}, "PNG", QRect(0, 50, 200, 100)},   // exactly as wide: scaled, to the same size
        {{201, 67}, "PNG", QRect(0, 67, 200, 66)},     // 67 / 201 × 200 = 66.67 truncates to 66
        {{2400, 1800}, "JPG", QRect(0, 25, 200, 150)}, // decoded small, placed by its full size
    };
    int number = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.picture.width() << " x " << c.picture.height());
        currentSpotWith({picture(QString("picture%1.%2").arg(++number).arg(c.format).toLower(), c.picture, kRed,
                                 c.format)});
        start();
        ExpectPictureAt(paint(), c.drawn, kRed);
    }
}

TEST_F(SlideShowViewTest, PhonePicturesAndWebPicturesAreSlidesTurnedAsTheyAreSeen)
{
    using test_support::HeifWriter;
    using test_support::TestPictures;
    HeifWriter::Options turned;
    turned.orientation = 6;  // the red left half comes on top
    HeifWriter::Options deepAv1;
    deepAv1.codec = HeifWriter::Codec::Av1;
    deepAv1.bitDepth = 10;

    currentSpotWith({file("IMG_0001.HEIC", HeifWriter::Encode(TestPictures::Halves({160, 80}), turned))});
    start();
    const QImage shown = paint();  // 80 x 160 at its own size, centred in the 200 x 200 view
    auto roughly = [](QColor a, QColor b) {
        return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40 &&
               std::abs(a.blue() - b.blue()) < 40;
    };
    for (QPoint point : {QPoint(61, 21), QPoint(138, 21), QPoint(100, 60)})
        EXPECT_TRUE(roughly(shown.pixelColor(point), kRed)) << point.x() << ", " << point.y();
    for (QPoint point : {QPoint(61, 178), QPoint(138, 178), QPoint(100, 140)})
        EXPECT_TRUE(roughly(shown.pixelColor(point), kBlue)) << point.x() << ", " << point.y();
    for (QPoint point : {QPoint(59, 100), QPoint(140, 100), QPoint(100, 19), QPoint(100, 180)})
        EXPECT_EQ(shown.pixelColor(point), kWhite) << point.x() << ", " << point.y();

    currentSpotWith({file("dawn.avif", HeifWriter::Encode(TestPictures::Filled({400, 200}, kBlue), deepAv1))});
    start();
    ExpectPictureAt(paint(), QRect(0, 50, 200, 100), kBlue);

    currentSpotWith({file("saved.webp", TestPictures::Webp(TestPictures::Filled({100, 50}, kRed)))});
    start();
    ExpectPictureAt(paint(), QRect(50, 75, 100, 50), kRed);
}

TEST_F(SlideShowViewTest, AResizedViewFitsThePictureAgain)
{
    currentSpotWith({picture("wide.png", {400, 300}, kRed)});
    start();
    ExpectPictureAt(paint(), QRect(0, 25, 200, 150), kRed);
    host->resize(400, 400);
    ExpectPictureAt(paint(), QRect(0, 50, 400, 300), kRed);
    host->resize(500, 400);
    ExpectPictureAt(paint(), QRect(50, 50, 400, 300), kRed);
}

TEST_F(SlideShowViewTest, TheMapPictureStandsFramedInTheTopRightCorner)
{
    host->resize(640, 480);
    struct Case {
        QSize map;
        QRect thumbnail;
    };
    const Case cases[] = {
        {{400, 300}, QRect(440, 0, 200, 150)},   // the map's aspect is the box's
        {{300, 600}, QRect(502, 0, 75, 150)},    // tall: the height fills the box
        {{100, 25}, QRect(440, 50, 200, 50)},    // small and wide: enlarged to the box's width
    };
    currentSpotWith({});
    int number = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.map.width() << " x " << c.map.height());
        start(picture(QString("map%1.png").arg(++number), c.map, kBlue));
        const QImage pixels = paint();
        const QRect t = c.thumbnail;
        const int middleY = t.center().y(), middleX = t.center().x();
        EXPECT_EQ(pixels.pixelColor(t.center()), kBlue);
        EXPECT_EQ(pixels.pixelColor(t.left() + 1, middleY), kBlue);
        // A two-pixel frame centred on the thumbnail's edges.
        for (QPoint frame : {QPoint(t.left() - 1, middleY), QPoint(t.left(), middleY), QPoint(middleX, t.top()),
                             QPoint(t.right(), middleY), QPoint(middleX, t.bottom()), QPoint(middleX, t.bottom() + 1)})
            EXPECT_EQ(pixels.pixelColor(frame), kBlack) << frame.x() << ", " << frame.y();
        EXPECT_EQ(pixels.pixelColor(t.left() - 2, middleY), kWhite);
        EXPECT_EQ(pixels.pixelColor(middleX, t.bottom() + 2), kWhite);
        view->StopSlideShow();
    }
}

TEST_F(SlideShowViewTest, AMapPictureThatDoesNotDecodeLeavesTheCornerEmpty)
{
    host->resize(640, 480);
    currentSpotWith({});
    start(file("map.png", "not a picture"));
    const QImage pixels = paint();
    EXPECT_EQ(pixels.pixelColor(540, 75), kWhite);
    EXPECT_EQ(pixels.pixelColor(440, 75), kWhite);
}

}  // namespace

// The caption stands in a dark band across the foot of the picture, in white, over a light picture
// as over a dark one; a picture without a caption, or the next one, shows no band.
TEST_F(SlideShowViewTest, TheCurrentPicturesCaptionReadsInABandAtItsFoot)
{
    host->resize(400, 400);
    const QRect drawn(0, 50, 400, 300);
    for (const QColor& colour : {kWhite, kBlack}) {
        SCOPED_TRACE(colour.name().toStdString());
        // As the workspace starts a show of a map just opened: the view is shown once the show has begun.
        host->hide();
        const auto spot = currentSpotWith({picture("captioned.png", {400, 300}, colour), picture("plain.png", {400, 300}, kRed)});
        test_support::SetStory(spot.get(), {u"", u"", {u"Harbour at dawn, the boats coming in", u""}});
        start();
        host->show();
        const QImage shown = paint();
        int white = 0;
        int band = 0;
        for (int x = drawn.left(); x <= drawn.right(); ++x) {
            for (int y = drawn.bottom() - 40; y <= drawn.bottom(); ++y) {
                const QColor pixel = shown.pixelColor(x, y);
                if (pixel.lightness() > 200) ++white;
                if (pixel.lightness() < 90) ++band;
            }
        }
        EXPECT_GT(white, 50) << "the caption's letters";
        EXPECT_GT(band, 2000) << "the band under them";
        EXPECT_TRUE(Near(shown.pixelColor(drawn.center().x(), drawn.top() + 10), colour)) << "the picture above the band";

        view->NextSlide();
        ExpectPictureAt(paint(), drawn, kRed);
        view->StopSlideShow();
    }
}
