#include "components/slideshow/caption_band.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>

namespace slideshow {

namespace {

constexpr int kMaxLines = 3;
constexpr int kMinPixelSize = 11;
constexpr int kMaxPixelSize = 22;
// Dark enough under white text for the contrast of body text whatever the picture shows.
constexpr QColor kBand(0, 0, 0, 176);

}  // namespace

void PaintCaptionBand(QImage& target, const QRect& picture, const QString& caption)
{
    const QString text = caption.simplified();
    if (text.isEmpty() || picture.isEmpty()) return;

    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(std::clamp(picture.height() / 24, kMinPixelSize, kMaxPixelSize));
    const QFontMetrics metrics(font);
    const int margin = metrics.height() / 2;
    const int width = std::max(1, picture.width() - 2 * margin);

    QStringList lines;
    QTextLayout layout(text, font);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        if (lines.size() == kMaxLines - 1) {
            lines.append(metrics.elidedText(text.mid(line.textStart()), Qt::ElideRight, width));
            break;
        }
        lines.append(text.mid(line.textStart(), line.textLength()).trimmed());
    }
    layout.endLayout();

    const int bandHeight = std::min(picture.height(), static_cast<int>(lines.size()) * metrics.height() + 2 * margin);
    const QRect band(picture.left(), picture.bottom() + 1 - bandHeight, picture.width(), bandHeight);
    QPainter painter(&target);
    painter.setClipRect(picture);
    painter.fillRect(band, kBand);
    painter.setFont(font);
    painter.setPen(Qt::white);
    int y = band.top() + margin;
    for (const QString& line : lines) {
        painter.drawText(QRect(band.left() + margin, y, width, metrics.height()), Qt::AlignHCenter | Qt::AlignVCenter, line);
        y += metrics.height();
    }
}

}  // namespace slideshow
