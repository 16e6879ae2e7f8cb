#include "app/shell/preferences.h"

#include "platform/registry/registry_key.h"
#include "platform/registry/store_state.h"

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

bool Preferences::ShowWelcomeDialog()
{
    return readFlag("ShowWelcomeDialog", true);
}

void Preferences::SetShowWelcomeDialog(bool show)
{
    writeDword("ShowWelcomeDialog", show ? 1 : 0);
}

bool Preferences::ShowTipsOnStartup()
{
    return readFlag("ShowTipsOnStartup", false);
}

void Preferences::SetShowTipsOnStartup(bool show)
{
    writeDword("ShowTipsOnStartup", show ? 1 : 0);
}

int Preferences::StepCurrentTip(TipStep step)
{
    registry::RegistryKey key;
    std::uint32_t stored = 0;
    if (key.Open(registry::Hive::CurrentUser, kKey) != registry::kSuccess ||
        key.QueryDwordValue("CurrentTip", stored) != registry::kSuccess)
        stored = 0;
    const std::uint32_t count = kTipCount;
    const std::uint32_t current = stored % count;
    const std::uint32_t next = step == TipStep::Forward ? (current + 1) % count : (current + count - 1) % count;
    writeDword("CurrentTip", next);
    return static_cast<int>(next);
}

std::optional<bool> Preferences::ShowTipsOnStartupAtOnce()
{
    const registry::ScopedBusyTimeout noWaiting(std::chrono::milliseconds(0));
    return tryReadFlag("ShowTipsOnStartup", false);
}

bool Preferences::readFlag(const char* name, bool fallback)
{
    return tryReadFlag(name, fallback).value_or(fallback);
}

std::optional<bool> Preferences::tryReadFlag(const char* name, bool fallback)
{
    registry::RegistryKey key;
    std::uint32_t value = 0;
    registry::Status status = key.Open(registry::Hive::CurrentUser, kKey);
    if (status == registry::kSuccess) status = key.QueryDwordValue(name, value);
    if (status == registry::kCantRead) return std::nullopt;
    return status == registry::kSuccess ? value != 0 : fallback;
}

void Preferences::writeDword(const char* name, std::uint32_t value)
{
    registry::RegistryKey key;
    if (key.Create(registry::Hive::CurrentUser, kKey) != registry::kSuccess) return;
    key.SetDwordValue(name, value);
}

}  // namespace shell
