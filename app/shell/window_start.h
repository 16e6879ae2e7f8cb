#pragma once

#include <QByteArray>
#include <memory>
#include <optional>
#include <string>

namespace shell {

class MainFrame;

// The start of the window, after the application object exists: the registry made ready (see
// SettingsStore), the component library at `libraryPath` registered, the frame made and shown, and
// the map named on the command line (`document`, its bytes as the system gave them) opened, a
// failure told in turn with the other dialogs of the start. Null when the program cannot run, after
// a message (and a line on stderr) that says why.
//
// Thread: the user-interface thread, which from now on waits only briefly for the registry.
std::unique_ptr<MainFrame> StartWindow(const std::optional<QByteArray>& document, const std::string& libraryPath);

}  // namespace shell
