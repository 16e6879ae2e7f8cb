#include "bench/support/synthetic_photograph.h"

#include <random>

namespace bench_support {

QImage MakePhotograph(unsigned seed)
{
    constexpr QSize kPhotograph(4000, 3000);
    QImage image(kPhotograph, QImage::Format_RGB32);
    std::minstd_rand random(seed);
    const int w = kPhotograph.width(), h = kPhotograph.height();
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int grain = int(random() & 31) - 16;
            line[x] = qRgb(qBound(0, x * 255 / w + grain, 255), qBound(0, y * 255 / h + grain, 255),
                           qBound(0, int((x + y + seed * 997) % (w + h)) * 255 / (w + h) + grain, 255));
        }
    }
    return image;
}

}  // namespace bench_support
