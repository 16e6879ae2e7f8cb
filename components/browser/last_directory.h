#pragma once

#include <QString>
#include <optional>

// The folder the file browser showed last, kept across runs in the per-user registry as the value
// "LastDirectory" of "Software\Quillmere\Pinlore\Prefs": binary data holding the path's UTF-16
// characters and a two-byte zero. Paths of any length are kept whole.
//
// Thread: any.
namespace browser {

// Nothing when the value is missing, empty, not binary or not a whole number of characters.
std::optional<QString> ReadLastDirectory();

// A registry that cannot be written keeps its old value.
void WriteLastDirectory(const QString& directory);

}  // namespace browser
