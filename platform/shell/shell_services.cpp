#include "platform/shell/shell_services.h"

#include "platform/shell/desktop_shell_services.h"

namespace shell {

namespace {
ShellServices* installed = nullptr;
}

ShellServices& Services()
{
    static DesktopShellServices desktop;
    return installed ? *installed : desktop;
}

void InstallServices(ShellServices* services)
{
    installed = services;
}

}  // namespace shell
