#pragma once

#include <QImage>

namespace bench_support {

// A 12-megapixel picture of smooth gradients under fine grain, different for every seed: saved as a
// JPEG it costs about what a camera's photograph costs to decode.
QImage MakePhotograph(unsigned seed);

}  // namespace bench_support
