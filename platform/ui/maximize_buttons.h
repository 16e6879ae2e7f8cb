#pragma once

#include <functional>

class QPushButton;
class QWidget;

namespace ui {

// The pair of buttons at the top left of a view's window: "<" asks for the view to fill the
// workspace, ">" for it to give the file browser its place back. One of them shows at a time. They
// take no focus: the keys belong to the view. Their object names are their command ids.
//
// Thread: the user-interface thread.
class MaximizeButtons {
public:
    static constexpr int kMaximizeCommand = 1001;
    static constexpr int kRestoreCommand = 1002;

    // The buttons are children of `window`, which owns them.
    MaximizeButtons(QWidget& window, std::function<void()> onMaximize, std::function<void()> onRestore);

    // "<" while the view is not maximised, ">" while it is.
    void showFor(bool maximized);

private:
    QPushButton* maximize_;
    QPushButton* restore_;
};

}  // namespace ui
