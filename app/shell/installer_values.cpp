#include "app/shell/installer_values.h"

namespace shell {

registry::Status WriteInstallerValues()
{
    registry::RegistryKey key;
    registry::Status status = key.Create(registry::Hive::LocalMachine,
                                         "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pinlore_is1");
    if (status != registry::kSuccess) return status;
    status = key.SetDwordValue("NoModify", 0);
    if (status != registry::kSuccess) return status;
    return key.SetDwordValue("NoRepair", 0);
}

}  // namespace shell
