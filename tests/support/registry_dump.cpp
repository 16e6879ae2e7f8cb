#include "tests/support/registry_dump.h"

#include <vector>

namespace test_support {

namespace {

void DumpKey(const registry::RegistryKey& key, const std::string& path, std::map<std::string, std::string>& dump)
{
    dump[path];
    std::vector<std::string> values;
    key.EnumValues(values);
    for (const std::string& name : values) {
        registry::ValueType type{};
        std::vector<std::uint8_t> bytes;
        key.QueryValue(name, type, bytes);
        std::string text = std::to_string(static_cast<int>(type)) + ":";
        text.append(bytes.begin(), bytes.end());
        dump[path + "|" + name] = text;
    }
    std::vector<std::string> children;
    key.EnumSubKeys(children);
    for (const std::string& name : children) {
        registry::RegistryKey child;
        if (child.Open(key, name) == registry::kSuccess)
            DumpKey(child, path.empty() ? name : path + "\\" + name, dump);
    }
}

}  // namespace

std::map<std::string, std::string> DumpHive(registry::Hive hive)
{
    std::map<std::string, std::string> dump;
    // One read transaction: one state of the store, read at the cost of one.
    registry::ReadAll([&] {
        registry::RegistryKey root;
        if (root.Open(hive, "") == registry::kSuccess)
            DumpKey(root, "", dump);
        return registry::kSuccess;
    });
    return dump;
}

}  // namespace test_support
