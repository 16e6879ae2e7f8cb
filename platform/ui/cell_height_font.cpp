#include "platform/ui/cell_height_font.h"

#include <QFontMetricsF>
#include <cmath>

namespace ui {

QFont CellHeightFont(const QString& family, int cellHeight)
{
    QFont font(family);
    font.setPixelSize(cellHeight);
    const qreal height = QFontMetricsF(font).ascent() + QFontMetricsF(font).descent();
    if (height > 0) font.setPixelSize(std::max(1, int(std::lround(cellHeight * cellHeight / height))));
    return font;
}

}  // namespace ui
