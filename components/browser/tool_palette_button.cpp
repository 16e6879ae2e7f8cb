#include "components/browser/tool_palette_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace browser {

ToolPaletteButton::ToolPaletteButton(const QString& text, QWidget& parent) : QPushButton(text, &parent)
{
    setToolTip(text);
}

void ToolPaletteButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const int room = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).width();
    option.text = fontMetrics().elidedText(text(), Qt::ElideRight, room);
    painter.drawControl(QStyle::CE_PushButton, option);
}

}  // namespace browser
