#pragma once

#include <QFont>
#include <QRect>

namespace ui {

// A dialog template's font on this desktop. Templates name "MS Sans Serif" or "Microsoft Sans
// Serif"; Liberation Sans stands in for both, its metrics close to what the templates' numbers were
// measured against.
QFont DialogFont(int pointSize);

// Converts a dialog template's units into pixels of its font: a horizontal unit is a quarter of the
// font's average character width, a vertical unit an eighth of its height. Like the platform's own
// conversion, each value is rounded to the nearest pixel, halves away from zero.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    int baseX() const { return baseX_; }
    int baseY() const { return baseY_; }

    int toPixelsX(int x) const;
    int toPixelsY(int y) const;
    QRect toPixels(int x, int y, int cx, int cy) const;
    QSize toPixels(QSize units) const;

private:
    int baseX_;
    int baseY_;
};

}  // namespace ui
