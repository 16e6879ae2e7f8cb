#pragma once

#include "platform/com/guid.h"

// The "Components" type library: the interfaces, classes and DISPIDs declared in this folder. Its
// identifier also names the server's AppID.
inline constexpr com::GUID LIBID_Components = com::MakeGuid("{43DAD637-BBAB-4BDD-AE30-39205DBAB24A}");
inline constexpr char kComponentsLibraryName[] = "Components";
inline constexpr char kComponentsLibraryHelpString[] = "Components 1.0 Type Library";
inline constexpr unsigned short kComponentsLibraryMajorVersion = 1;
inline constexpr unsigned short kComponentsLibraryMinorVersion = 0;
inline constexpr unsigned long kComponentsLibraryLocale = 0x0409;
