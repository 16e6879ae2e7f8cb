#pragma once

#include <QFont>
#include <QString>

namespace ui {

// The platform sizes fonts by their cell height (ascent plus descent) in pixels, Qt by their em
// size: the font of `family` whose lines are `cellHeight` pixels high.
QFont CellHeightFont(const QString& family, int cellHeight);

}  // namespace ui
