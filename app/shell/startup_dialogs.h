#pragma once

#include <functional>

class QWidget;

namespace shell {

// The dialogs of the workspace's first paint, each when the preferences ask for it: the tip of the
// day, then the welcome, whose "Yes" calls `startTutorial`. Their answers are stored for the next
// start; a user who declines to see the welcome again gets the tips in its place.
void RunStartupDialogs(QWidget& owner, const std::function<void()>& startTutorial);

}  // namespace shell
