#include "components/browser/cell_icons.h"

#include <QPainter>
#include <QPainterPath>

namespace browser {

namespace {

// A loudspeaker facing right with three arcs of sound, in the few flat colours of a 16-colour
// bitmap, on white like the cells it is drawn into.
QImage DrawSoundIcon()
{
    QImage icon(112, 108, QImage::Format_RGB32);
    icon.fill(Qt::white);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 2));
    painter.setBrush(QColor(128, 128, 128));
    painter.drawRect(QRectF(14, 40, 18, 28));
    QPainterPath cone;
    cone.moveTo(32, 40);
    cone.lineTo(56, 18);
    cone.lineTo(56, 90);
    cone.lineTo(32, 68);
    cone.closeSubpath();
    painter.setBrush(QColor(0, 0, 128));
    painter.drawPath(cone);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(128, 0, 0), 5, Qt::SolidLine, Qt::RoundCap));
    for (int radius : {14, 27, 40})
        painter.drawArc(QRectF(56 - radius, 54 - radius, 2 * radius, 2 * radius), -50 * 16, 100 * 16);
    return icon;
}

// A closed manila folder with its tab at the top left.
QImage DrawFolderIcon()
{
    QImage icon(40, 41, QImage::Format_RGB32);
    icon.fill(Qt::white);
    QPainter painter(&icon);
    painter.setPen(QPen(QColor(128, 96, 0), 1));
    painter.setBrush(QColor(230, 190, 80));
    painter.drawRect(2, 6, 14, 6);
    painter.setBrush(QColor(255, 214, 102));
    painter.drawRect(2, 10, 35, 27);
    painter.setPen(QPen(QColor(255, 236, 170), 1));
    painter.drawLine(3, 11, 36, 11);
    return icon;
}

}  // namespace

const QImage& SoundIcon()
{
    static const QImage icon = DrawSoundIcon();
    return icon;
}

const QImage& FolderIcon()
{
    static const QImage icon = DrawFolderIcon();
    return icon;
}

}  // namespace browser
