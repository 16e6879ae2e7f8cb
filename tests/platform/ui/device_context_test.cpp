#include "platform/ui/device_context.h"

#include <gtest/gtest.h>

using namespace ui;

namespace {

const QColor kBackground(Qt::magenta), kRed(255, 0, 0), kBlack(0, 0, 0), kWhite(255, 255, 255), kGreen(0, 255, 0);

// Draws on a 20 x 20 magenta canvas and gives back the pixels.
template <class Draw>
QImage Drawn(Draw draw)
{
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(kBackground);
    {
        QPainter painter(&image);
        DeviceContext dc(painter);
        draw(dc);
    }
    return image;
}

// The colours of row y from column 0 to 19, as one letter each: the test reads like a picture.
std::string Row(const QImage& image, int y)
{
    std::string row;
    for (int x = 0; x < image.width(); ++x) {
        const QColor c = image.pixelColor(x, y);
        row += c == kBackground ? '.' : c == kRed ? 'r' : c == kBlack ? 'k' : c == kWhite ? 'w' : c == kGreen ? 'g' : '?';
    }
    return row;
}

TEST(DeviceContext, RectanglesCoverExactlyTheirPixels)
{
    // The defaults: a black pen one pixel wide and a white brush; right and bottom are outside.
    const QImage plain = Drawn([](DeviceContext& dc) { dc.rectangle(2, 2, 8, 6); });
    EXPECT_EQ(Row(plain, 1), "....................");
    EXPECT_EQ(Row(plain, 2), "..kkkkkk............");
    EXPECT_EQ(Row(plain, 3), "..kwwwwk............");
    EXPECT_EQ(Row(plain, 5), "..kkkkkk............");
    EXPECT_EQ(Row(plain, 6), "....................");

    // A two-pixel pen lies inside the rectangle; a hollow brush leaves the inside alone.
    const QImage framed = Drawn([](DeviceContext& dc) {
        const GdiPen oldPen = dc.selectPen({Rgb(255, 0, 0), 2});
        const GdiBrush oldBrush = dc.selectBrush({.hollow = true});
        dc.rectangle(3, 3, 17, 17);
        EXPECT_EQ(dc.selectPen(oldPen).width, 2);
        dc.selectBrush(oldBrush);
        dc.rectangle(0, 0, 3, 3);  // the defaults are back
    });
    EXPECT_EQ(Row(framed, 0), "kkk.................");
    EXPECT_EQ(Row(framed, 1), "kwk.................");
    EXPECT_EQ(Row(framed, 3), "...rrrrrrrrrrrrrr...");
    EXPECT_EQ(Row(framed, 4), "...rrrrrrrrrrrrrr...");
    EXPECT_EQ(Row(framed, 5), "...rr..........rr...");
    EXPECT_EQ(Row(framed, 16), "...rrrrrrrrrrrrrr...");
    EXPECT_EQ(Row(framed, 17), "....................");

    const QImage unpenned = Drawn([](DeviceContext& dc) {
        dc.selectPen({.null = true});
        dc.selectBrush({Rgb(0, 255, 0)});
        dc.rectangle(1, 1, 4, 2);
        dc.rectangle(5, 1, 5, 9);  // empty: nothing
    });
    EXPECT_EQ(Row(unpenned, 1), ".ggg................");
}

TEST(DeviceContext, TheClipRegionLimitsDrawingAndCopies)
{
    QImage source(20, 20, QImage::Format_RGB32);
    source.fill(kGreen);
    const QImage image = Drawn([&](DeviceContext& dc) {
        dc.setClipRegion(QRegion(4, 0, 3, 20) + QRegion(10, 0, 2, 20));
        dc.bitBlt(QRect(0, 0, 20, 20), source);
        dc.fillRect(QRect(0, 2, 20, 1), Rgb(255, 0, 0));
        dc.removeClip();
        dc.fillRect(QRect(0, 3, 2, 1), Rgb(255, 0, 0));
    });
    EXPECT_EQ(Row(image, 0), "....ggg...gg........");
    EXPECT_EQ(Row(image, 2), "....rrr...rr........");
    EXPECT_EQ(Row(image, 3), "rr..ggg...gg........");  // the clip is gone
}

}  // namespace
