#include "imaging/graphics.h"

#include "imaging/brush.h"
#include "imaging/font.h"
#include "imaging/image.h"
#include "imaging/pen.h"
#include "imaging/string_format.h"

#include <QGuiApplication>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

using namespace imaging;

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kRed = 0xFFFF0000;

QImage canvas(QSize size = QSize(100, 100))
{
    QImage pixels(size, QImage::Format_ARGB32);
    pixels.fill(kWhite);
    return pixels;
}

// The smallest rectangle holding every pixel that is not white.
QRect inkBounds(const QImage& pixels)
{
    QRect bounds;
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x)
            if (pixels.pixel(x, y) != kWhite)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

TEST(DrawImage, ThePictureFillsExactlyTheTargetRectangle)
{
    QImage red(8, 4, QImage::Format_RGB32);
    red.fill(kRed);
    for (Interpolation interpolation : {Interpolation::Default, Interpolation::HighQuality}) {
        QImage pixels = canvas();
        {
            Graphics graphics(pixels);
            graphics.setInterpolation(interpolation);
            graphics.drawImage(Image::FromBitmap(red), QRect(20, 30, 40, 10));
        }
        EXPECT_EQ(inkBounds(pixels), QRect(20, 30, 40, 10));
        EXPECT_EQ(pixels.pixel(20, 30), kRed);
        EXPECT_EQ(pixels.pixel(59, 39), kRed);
    }
}

TEST(DrawImage, HighQualityAveragesDetailAwayInsteadOfAliasing)
{
    QImage stripes(400, 400, QImage::Format_RGB32);
    for (int y = 0; y < stripes.height(); ++y)
        for (int x = 0; x < stripes.width(); ++x)
            stripes.setPixel(x, y, x % 2 ? kBlack : kWhite);
    QImage pixels = canvas(QSize(40, 40));
    {
        Graphics graphics(pixels);
        graphics.setInterpolation(Interpolation::HighQuality);
        graphics.drawImage(Image::FromBitmap(stripes), QRect(0, 0, 40, 40));
    }
    for (int x = 0; x < 40; ++x)
        EXPECT_NEAR(qGray(pixels.pixel(x, 20)), 128, 16) << x;
}

TEST(DrawRectangle, TheStrokeIsCentredOnTheEdge)
{
    QImage pixels = canvas();
    {
        Graphics graphics(pixels);
        graphics.drawRectangle(Pen(0xFF000000, 2.0), QRect(10, 10, 20, 20));
    }
    EXPECT_EQ(inkBounds(pixels), QRect(9, 9, 22, 22));
    for (int x : {9, 10, 29, 30})
        EXPECT_EQ(pixels.pixel(x, 20), kBlack) << x;
    for (int x : {11, 28})
        EXPECT_EQ(pixels.pixel(x, 20), kWhite) << x;
    EXPECT_EQ(pixels.pixel(9, 9), kBlack);  // mitred corner
}

TEST(Clear, FillsEveryPixelInsideTheClipRegionOnly)
{
    QImage pixels = canvas();
    QPainter painter(&pixels);
    painter.setClipRect(QRect(10, 20, 30, 40));
    painter.setPen(QColor(Qt::green));
    {
        Graphics graphics(painter);
        graphics.clear(kRed);
        graphics.drawRectangle(Pen(0xFF0000FF, 4.0), QRect(0, 0, 100, 100));
    }
    EXPECT_EQ(painter.pen().color(), QColor(Qt::green));  // the borrowed painter is as it was
    painter.end();

    EXPECT_EQ(inkBounds(pixels), QRect(10, 20, 30, 40));
    EXPECT_EQ(pixels.pixel(25, 40), kRed);
}

TEST(FillEllipse, APathGradientRunsFromTheCentreColourToTheSurroundColour)
{
    QImage pixels(100, 60, QImage::Format_ARGB32);
    pixels.fill(Qt::transparent);
    const QRectF band(0, 0, 100, 60);
    {
        Graphics graphics(pixels);
        graphics.fillEllipse(Brush::PathGradient(band, 0xC8000032, 0x00000000), band);
    }
    const QRgb centre = pixels.pixel(50, 30);
    EXPECT_NEAR(qAlpha(centre), 0xC8, 6);
    EXPECT_NEAR(qBlue(centre), 0x32, 6);
    EXPECT_LT(qAlpha(pixels.pixel(97, 30)), 24);  // near the rim along the long axis
    EXPECT_LT(qAlpha(pixels.pixel(50, 2)), 24);   // and along the short one: the gradient is elliptic
    EXPECT_GT(qAlpha(pixels.pixel(50, 15)), qAlpha(pixels.pixel(50, 5)));
    EXPECT_EQ(qAlpha(pixels.pixel(1, 1)), 0);     // outside the ellipse
}

// Text needs the application's font database.
class DrawString : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (!QCoreApplication::instance()) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            static int argc = 1;
            static char name[] = "imaging_tests";
            static char* argv[] = {name, nullptr};
            static QGuiApplication application(argc, argv);
        }
    }

    static QImage drawn(const StringFormat& format, const QRectF& layout, const QString& text)
    {
        QImage pixels = canvas(QSize(200, 100));
        Graphics graphics(pixels);
        graphics.drawString(text, Font(Font::GenericSansSerifFamily(), 12, {.bold = true}, FontUnit::Pixel),
                            Brush::Solid(0xFFFFD11C), layout, format);
        return pixels;
    }
};

TEST_F(DrawString, CentredTextSitsInTheMiddleOfItsRectangle)
{
    const QRectF layout(20, 40, 160, 40);
    const QRect ink = inkBounds(drawn(StringFormat(StringAlignment::Center, StringAlignment::Center),
                                      layout, QStringLiteral("Pinlore Map")));

    ASSERT_FALSE(ink.isEmpty());
    EXPECT_TRUE(layout.toRect().contains(ink));
    EXPECT_NEAR(ink.center().x(), layout.center().x(), 3);
    EXPECT_NEAR(ink.center().y(), layout.center().y(), 4);
    EXPECT_GT(ink.width(), 40);
}

TEST_F(DrawString, NearAndFarAlignTextToTheEdges)
{
    const QRectF layout(20, 10, 160, 80);
    const QRect near = inkBounds(drawn(StringFormat(StringAlignment::Near, StringAlignment::Near),
                                       layout, QStringLiteral("label")));
    const QRect far = inkBounds(drawn(StringFormat(StringAlignment::Far, StringAlignment::Far),
                                      layout, QStringLiteral("label")));

    EXPECT_LT(near.left(), 24);
    EXPECT_LT(near.top(), 16);
    EXPECT_GT(far.right(), 175);
    EXPECT_GT(far.bottom(), 82);
}

TEST_F(DrawString, LongTextWrapsAndStaysInsideItsRectangle)
{
    const QRectF layout(50, 40, 60, 20);
    const QRect ink = inkBounds(drawn(StringFormat(StringAlignment::Center, StringAlignment::Center),
                                      layout, QStringLiteral("a very long picture name that cannot fit")));

    ASSERT_FALSE(ink.isEmpty());
    EXPECT_TRUE(layout.toRect().contains(ink)) << ink.x() << "," << ink.y() << " " << ink.width() << "x"
                                               << ink.height();
}

}  // namespace
