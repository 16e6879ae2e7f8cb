#include "app/shell/preferences.h"

#include "platform/registry/registry_key.h"

#include <algorithm>
#include <vector>

namespace shell {

QString Preferences::RootMap()
{
    registry::RegistryKey key;
    std::vector<std::uint8_t> bytes;
    registry::ValueType type{};
    if (key.Open(registry::Hive::CurrentUser, kKey) != registry::kSuccess ||
        key.QueryValue("RootMap", type, bytes) != registry::kSuccess)
        return {};
    // The text ends at the first zero byte, whatever the value's length.
    const auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    return QString::fromUtf8(reinterpret_cast<const char*>(bytes.data()), end - bytes.begin());
}

void Preferences::SetRootMap(const QString& path)
{
    registry::RegistryKey key;
    if (key.Create(registry::Hive::CurrentUser, kKey) != registry::kSuccess) return;
    const QByteArray text = path.toUtf8();
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    key.SetValue("RootMap", registry::ValueType::None, bytes);
}

bool Preferences::ShowTipsOnStartup()
{
    registry::RegistryKey key;
    std::uint32_t value = 0;
    if (key.Open(registry::Hive::CurrentUser, kKey) != registry::kSuccess ||
        key.QueryDwordValue("ShowTipsOnStartup", value) != registry::kSuccess)
        return false;
    return value != 0;
}

void Preferences::SetShowTipsOnStartup(bool show)
{
    registry::RegistryKey key;
    if (key.Create(registry::Hive::CurrentUser, kKey) != registry::kSuccess) return;
    key.SetDwordValue("ShowTipsOnStartup", show ? 1 : 0);
}

}  // namespace shell
