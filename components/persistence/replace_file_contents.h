#pragma once

#include "platform/com/hresult.h"

#include <filesystem>
#include <string_view>

namespace persistence {

// Puts `contents` in place of the file at `path` so that the file always holds either its old
// contents or the new ones, also after a crash or a power cut: the contents go to a new file in the
// same folder, which is flushed to disk and then renamed over the old one, and the folder is flushed.
// A file being replaced keeps its permissions; a symbolic link is followed, not replaced. Temporary
// files that earlier saves of the same file left when they were killed are removed.
//
// On failure nothing has changed and no temporary file is left: STG_E_FILENOTFOUND when the folder
// does not exist, STG_E_ACCESSDENIED when it may not be written, STG_E_MEDIUMFULL when the disk (or
// the process's file size limit) is full, STG_E_WRITEFAULT or E_FAIL for other failures, E_INVALIDARG
// for a path that names no file.
com::HRESULT ReplaceFileContents(const std::filesystem::path& path, std::string_view contents);

}  // namespace persistence
