#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace shell {

// The program's values under the per-user key "Software\Quillmere\Pinlore\Prefs". A key or value that
// cannot be read gives the default; a write that fails is not reported (the next run just starts
// from the default).
class Preferences {
public:
    static constexpr char kKey[] = "Software\\Quillmere\\Pinlore\\Prefs";
    static constexpr int kTipCount = 15;

    // "RootMap": the outermost map of the last run, kept as raw bytes (the UTF-8 path and one zero
    // byte). Empty when missing or empty. Paths of any length are kept whole.
    static QString RootMap();
    static void SetRootMap(const QString& path);

    // "ShowWelcomeDialog": a DWORD 0 or 1, true when missing, so that a first start welcomes.
    static bool ShowWelcomeDialog();
    static void SetShowWelcomeDialog(bool show);

    // "ShowTipsOnStartup": a DWORD 0 or 1, false when missing.
    static bool ShowTipsOnStartup();
    static void SetShowTipsOnStartup(bool show);
    // The same without waiting for a registry another program holds: nothing while it cannot be read.
    static std::optional<bool> ShowTipsOnStartupAtOnce();

    // "CurrentTip": the index of the tip shown last. Steps it once, wrapping at both ends, stores it
    // and gives the new index, always 0 to kTipCount - 1: a stored value out of that range (written
    // by hand, or by another program) is first taken modulo kTipCount, so no step ever leaves the
    // tips. A missing value counts as 0.
    enum class TipStep { Forward, Backward };
    static int StepCurrentTip(TipStep step);

private:
    static bool readFlag(const char* name, bool fallback);
    // `fallback` when the value is missing; nothing when the registry cannot be read.
    static std::optional<bool> tryReadFlag(const char* name, bool fallback);
    static void writeDword(const char* name, std::uint32_t value);
};

}  // namespace shell
