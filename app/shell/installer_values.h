#pragma once

#include "platform/registry/registry_key.h"

namespace shell {

// What "pinlore /sbd" does for the installer: the DWORD values "NoModify" and then, when that
// worked, "NoRepair" (both 0) under the key
// HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall\Pinlore_is1 .
registry::Status WriteInstallerValues();

}  // namespace shell
