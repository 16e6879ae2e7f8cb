#include "platform/ui/dialog_units.h"

#include <QFontMetrics>

namespace ui {

namespace {

// a × b / c rounded to the nearest whole number, halves away from zero.
int mulDiv(int a, int b, int c)
{
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

}  // namespace

QFont DialogFont(int pointSize)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(pointSize);
    // Where the family is missing, another sans-serif face stands in rather than the desktop's default.
    font.setStyleHint(QFont::SansSerif);
    return font;
}

DialogUnits::DialogUnits(const QFont& font)
{
    // The average width is taken over the 52 letters of the alphabet, rounded, as the platform does.
    static const QString kLetters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const QFontMetrics metrics(font);
    baseX_ = (metrics.horizontalAdvance(kLetters) / 26 + 1) / 2;
    baseY_ = metrics.height();
}

int DialogUnits::toPixelsX(int x) const
{
    return mulDiv(x, baseX_, 4);
}

int DialogUnits::toPixelsY(int y) const
{
    return mulDiv(y, baseY_, 8);
}

QRect DialogUnits::toPixels(int x, int y, int cx, int cy) const
{
    return {toPixelsX(x), toPixelsY(y), toPixelsX(cx), toPixelsY(cy)};
}

QSize DialogUnits::toPixels(QSize units) const
{
    return {toPixelsX(units.width()), toPixelsY(units.height())};
}

}  // namespace ui
