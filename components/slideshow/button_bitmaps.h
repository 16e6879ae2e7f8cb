#pragma once

#include <QImage>

namespace slideshow {

// The controller's twelve button pictures, drawn by the library itself and looked up by their
// resource numbers: 43 × 29 pixels, 24 bits, a grey face (170, 170, 170) with a green symbol
// (Previous, Play, Next) or a dark red one (Pause). The pressed pictures have a darker, sunken face
// with the symbol pushed one pixel down and right; the hover pictures frame the face in yellow.
//
// Normal, pressed and hover numbers: Previous 211, 209, 210; Play 208, 218, 219; Pause 217, 215,
// 216; Next 214, 212, 213. Any other number gives a null image.
QImage ButtonBitmap(int number);

}  // namespace slideshow
