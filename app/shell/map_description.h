#pragma once

#include <QString>

namespace shell {

// What "pinlore MAP.plm" does while the program has no window: opens the map through the component
// library and prints what it holds, so a user can check a map file and find how to publish it.
// Exit status 0, or 1 with the system's message when the file cannot be opened.
int DescribeMap(const QString& path);

}  // namespace shell
