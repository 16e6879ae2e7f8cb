#include "components/browser/last_directory.h"

#include "platform/registry/registry_key.h"

#include <cstdint>
#include <vector>

namespace browser {

namespace {

constexpr char kPrefsKey[] = "Software\\Quillmere\\Pinlore\\Prefs";
constexpr char kValueName[] = "LastDirectory";

}  // namespace

std::optional<QString> ReadLastDirectory()
{
    registry::RegistryKey key;
    if (key.Open(registry::Hive::CurrentUser, kPrefsKey) != registry::kSuccess) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    if (key.QueryBinaryValue(kValueName, bytes) != registry::kSuccess || bytes.size() % 2 != 0)
        return std::nullopt;
    QString text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const char16_t unit = char16_t(bytes[i] | bytes[i + 1] << 8);
        if (unit == 0) break;
        text += QChar(unit);
    }
    if (text.isEmpty()) return std::nullopt;
    return text;
}

void WriteLastDirectory(const QString& directory)
{
    registry::RegistryKey key;
    if (key.Create(registry::Hive::CurrentUser, kPrefsKey) != registry::kSuccess) return;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(2 * directory.size() + 2);
    for (const QChar c : directory) {
        bytes.push_back(std::uint8_t(c.unicode() & 0xFF));
        bytes.push_back(std::uint8_t(c.unicode() >> 8));
    }
    bytes.push_back(0);
    bytes.push_back(0);
    key.SetBinaryValue(kValueName, bytes);
}

}  // namespace browser
