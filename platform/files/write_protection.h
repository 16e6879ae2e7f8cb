#pragma once

#include <sys/stat.h>
#include <unistd.h>

namespace files {

// Whether the file or folder at `path` is write-protected: this process may not write it, or its
// mode gives no one the right to. The mode counts for the superuser as well, who could write anyway:
// it says what the owner wants, as a text editor takes it. A path that names nothing is not.
//
// Header only, for the registry's store beside the programs' Qt code. Thread: any.
inline bool IsWriteProtected(const char* path)
{
    struct stat status {};
    if (::stat(path, &status) != 0)
        return false;
    return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path, W_OK) != 0;
}

}  // namespace files
