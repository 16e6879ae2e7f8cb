#include "app/shell/workspace_layout.h"

namespace shell {

namespace {
constexpr int kControllerHeight = 35;
}

WorkspaceLayout WorkspaceLayout::Compute(int width, int height, bool maximised, int bestWidth, int bestHeight)
{
    WorkspaceLayout layout;
    if (maximised) {
        layout.views = QRect(2, 2, width - 2, height - kControllerHeight - 2);
        layout.slideShowController = QRect(2, height - kControllerHeight, width - 2, kControllerHeight);
        return layout;
    }
    layout.toolPalette = QRect(2, 4, bestWidth - 6, bestHeight - 3);
    layout.tableControl = QRect(0, bestHeight + 2, bestWidth, height - bestHeight - 4);
    layout.views = QRect(bestWidth + 2, 2, width - bestWidth - 2, height - kControllerHeight - 2);
    layout.slideShowController = QRect(bestWidth, height - kControllerHeight, width - bestWidth, kControllerHeight);
    return layout;
}

}  // namespace shell
