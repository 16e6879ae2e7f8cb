#include "imaging/font.h"

#include <QStringList>
#include <QtMath>

namespace imaging {

QString Font::GenericSansSerifFamily()
{
    return QStringLiteral("Sans Serif");
}

Font::Font(const QString& family, qreal size, FontStyle style, FontUnit unit)
{
    font_.setFamilies(QStringList{family});
    font_.setStyleHint(QFont::SansSerif);
    if (unit == FontUnit::Pixel)
        font_.setPixelSize(qMax(1, qRound(size)));
    else
        font_.setPointSizeF(size);
    font_.setBold(style.bold);
    font_.setItalic(style.italic);
    font_.setUnderline(style.underline);
    font_.setStrikeOut(style.strikeout);
}

}  // namespace imaging
