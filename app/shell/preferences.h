#pragma once

#include <QString>

namespace shell {

// The program's values under the per-user key "Software\Quillmere\Pinlore\Prefs". A key or value that
// cannot be read gives the default; a write that fails is not reported (the next run just starts
// from the default).
class Preferences {
public:
    static constexpr char kKey[] = "Software\\Quillmere\\Pinlore\\Prefs";

    // "RootMap": the outermost map of the last run, kept as raw bytes (the UTF-8 path and one zero
    // byte). Empty when missing or empty. Paths of any length are kept whole.
    static QString RootMap();
    static void SetRootMap(const QString& path);

    // "ShowTipsOnStartup": a DWORD 0 or 1, false when missing.
    static bool ShowTipsOnStartup();
    static void SetShowTipsOnStartup(bool show);
};

}  // namespace shell
