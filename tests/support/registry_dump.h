#pragma once

#include "platform/registry/registry_key.h"

#include <map>
#include <string>

namespace test_support {

// Everything below a hive: one entry per key ("CLSID\\{...}", value "") and one per value
// ("CLSID\\{...}" + "|" + value name, value its type and bytes), so that two registries compare
// whole, whatever order their keys were created in.
std::map<std::string, std::string> DumpHive(registry::Hive hive);

}  // namespace test_support
