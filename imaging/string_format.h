#pragma once

#include <Qt>

namespace imaging {

// Where text sits along one axis of its layout rectangle: at the start, centred, or at the end.
enum class StringAlignment { Near, Center, Far };

// How Graphics::drawString lays text out in its rectangle: aligned on both axes, wrapped at word
// boundaries, and clipped to the rectangle.
class StringFormat {
public:
    StringFormat(StringAlignment horizontal, StringAlignment vertical);

    int qtFlags() const { return flags_; }

private:
    int flags_;
};

}  // namespace imaging
