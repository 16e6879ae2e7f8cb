#include "components/slideshow/button_bitmaps.h"

#include <QPainter>
#include <QPolygon>
#include <array>

namespace slideshow {

namespace {

enum class Symbol { Previous, Play, Pause, Next };
enum class Look { Normal, Pressed, Hover };

constexpr QSize kBitmapSize(43, 29);
constexpr QColor kFace(170, 170, 170);
constexpr QColor kPressedFace(128, 128, 128);
constexpr QColor kLight(255, 255, 255);
constexpr QColor kShadow(85, 85, 85);
constexpr QColor kHover(234, 209, 38);
constexpr QColor kGreen(0, 128, 0);
constexpr QColor kDarkRed(128, 0, 0);
constexpr int kHoverFrame = 3;

struct Entry {
    int number;
    Symbol symbol;
    Look look;
};

constexpr std::array<Entry, 12> kBitmaps{{
    {211, Symbol::Previous, Look::Normal}, {209, Symbol::Previous, Look::Pressed}, {210, Symbol::Previous, Look::Hover},
    {208, Symbol::Play, Look::Normal},     {218, Symbol::Play, Look::Pressed},     {219, Symbol::Play, Look::Hover},
    {217, Symbol::Pause, Look::Normal},    {215, Symbol::Pause, Look::Pressed},    {216, Symbol::Pause, Look::Hover},
    {214, Symbol::Next, Look::Normal},     {212, Symbol::Next, Look::Pressed},     {213, Symbol::Next, Look::Hover},
}};

// A triangle pointing right (or left) whose tip lies `length` pixels from its base at `baseX`.
QPolygon Arrow(int baseX, int length, bool right)
{
    const int tipX = right ? baseX + length : baseX - length;
    return QPolygon({QPoint(baseX, 7), QPoint(baseX, 21), QPoint(tipX, 14)});
}

void DrawSymbol(QPainter& painter, Symbol symbol)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(symbol == Symbol::Pause ? kDarkRed : kGreen);
    switch (symbol) {
    case Symbol::Previous:
        painter.drawRect(10, 7, 3, 15);
        painter.drawPolygon(Arrow(27, 13, false));
        break;
    case Symbol::Play:
        painter.drawPolygon(Arrow(16, 13, true));
        break;
    case Symbol::Pause:
        painter.drawRect(13, 7, 6, 15);
        painter.drawRect(23, 7, 6, 15);
        break;
    case Symbol::Next:
        painter.drawPolygon(Arrow(16, 13, true));
        painter.drawRect(30, 7, 3, 15);
        break;
    }
}

QImage Draw(Symbol symbol, Look look)
{
    QImage bitmap(kBitmapSize, QImage::Format_RGB888);
    bitmap.fill(look == Look::Pressed ? kPressedFace : kFace);
    QPainter painter(&bitmap);
    const int right = kBitmapSize.width() - 1, bottom = kBitmapSize.height() - 1;
    if (look == Look::Hover) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(kHover);
        painter.drawRect(0, 0, kBitmapSize.width(), kHoverFrame);
        painter.drawRect(0, bottom + 1 - kHoverFrame, kBitmapSize.width(), kHoverFrame);
        painter.drawRect(0, 0, kHoverFrame, kBitmapSize.height());
        painter.drawRect(right + 1 - kHoverFrame, 0, kHoverFrame, kBitmapSize.height());
    } else {
        // A raised edge, or a sunken one while pressed.
        const bool sunken = look == Look::Pressed;
        painter.setPen(sunken ? kShadow : kLight);
        painter.drawLine(0, 0, right, 0);
        painter.drawLine(0, 0, 0, bottom);
        painter.setPen(sunken ? kLight : kShadow);
        painter.drawLine(0, bottom, right, bottom);
        painter.drawLine(right, 0, right, bottom);
    }
    if (look == Look::Pressed) painter.translate(1, 1);
    DrawSymbol(painter, symbol);
    return bitmap;
}

}  // namespace

QImage ButtonBitmap(int number)
{
    for (const Entry& entry : kBitmaps)
        if (entry.number == number) return Draw(entry.symbol, entry.look);
    return QImage();
}

}  // namespace slideshow
