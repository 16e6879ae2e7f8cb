#pragma once

#include <QRect>

namespace shell {

// Where the workspace puts its control hosts for a client area of `width` x `height` pixels. The
// tool palette's best size decides the width of the file browser column (unless the user has made
// the column wider or narrower: `bestWidth` is then the width chosen); without a palette it is
// 200 x 28. Maximised, the palette and the list are hidden and their rectangles are empty.
struct WorkspaceLayout {
    static constexpr int kDefaultBestWidth = 200;
    static constexpr int kDefaultBestHeight = 28;

    QRect toolPalette;
    QRect tableControl;
    // The map view and the slide show view share one place; one of them is visible at a time.
    QRect views;
    QRect slideShowController;

    static WorkspaceLayout Compute(int width, int height, bool maximised, int bestWidth = kDefaultBestWidth,
                                   int bestHeight = kDefaultBestHeight);
};

}  // namespace shell
