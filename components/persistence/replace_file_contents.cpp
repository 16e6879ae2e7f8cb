#include "components/persistence/replace_file_contents.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace persistence {

namespace {

com::HRESULT FromErrno(int error)
{
    switch (error) {
    case ENOENT: case ENOTDIR: return com::STG_E_FILENOTFOUND;
    case EACCES: case EPERM: case EROFS: return com::STG_E_ACCESSDENIED;
    case ENOSPC: case EDQUOT: case EFBIG: return com::STG_E_MEDIUMFULL;
    case EIO: return com::STG_E_WRITEFAULT;
    default: return com::E_FAIL;
    }
}

constexpr std::size_t kSuffixDigits = 16;

// A name no other writer uses: hidden (file lists skip it), beside the target so that the final
// rename stays within one file system.
std::filesystem::path TemporaryName(const std::filesystem::path& target)
{
    std::random_device random;
    char suffix[kSuffixDigits + 2];
    std::snprintf(suffix, sizeof suffix, ".%08x%08x", random(), random());
    return target.parent_path() / ("." + target.filename().string() + suffix);
}

bool IsTemporaryNameOf(const std::string& name, const std::string& target)
{
    const std::string prefix = "." + target + ".";
    if (name.size() != prefix.size() + kSuffixDigits || !name.starts_with(prefix)) return false;
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// Removes what saves of `target` left behind when they were killed before their rename. A save in
// progress holds a lock on its temporary file for as long as it writes; a file nobody holds a lock on
// is a dead save's.
void RemoveStaleTemporaries(const std::filesystem::path& target)
{
    std::error_code error;
    std::filesystem::directory_iterator folder(target.parent_path(), error);
    if (error) return;
    const std::string targetName = target.filename().string();
    for (const std::filesystem::directory_entry& entry : folder) {
        if (!IsTemporaryNameOf(entry.path().filename().string(), targetName)) continue;
        const int descriptor = ::open(entry.path().c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
        if (descriptor < 0) continue;
        struct stat status {};
        if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) && ::flock(descriptor, LOCK_EX | LOCK_NB) == 0)
            ::unlink(entry.path().c_str());
        ::close(descriptor);
    }
}

com::HRESULT WriteAll(int descriptor, std::string_view contents)
{
    while (!contents.empty()) {
        const ssize_t written = ::write(descriptor, contents.data(), contents.size());
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return FromErrno(errno);
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    return ::fsync(descriptor) == 0 ? com::S_OK : FromErrno(errno);
}

// Makes the rename itself durable. File systems that cannot flush a folder say EINVAL; there is
// nothing more to do on them.
com::HRESULT FlushFolder(const std::filesystem::path& folder)
{
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return FromErrno(errno);
    const int result = ::fsync(descriptor);
    const int error = errno;
    ::close(descriptor);
    return result == 0 || error == EINVAL ? com::S_OK : FromErrno(error);
}

}  // namespace

com::HRESULT ReplaceFileContents(const std::filesystem::path& path, std::string_view contents)
{
    if (!path.has_filename()) return com::E_INVALIDARG;
    std::error_code error;
    std::filesystem::path target = std::filesystem::absolute(path, error);
    if (error) return com::E_FAIL;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(target, error))) {
        target = std::filesystem::weakly_canonical(target, error);
        if (error) return com::STG_E_FILENOTFOUND;
    }

    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;

    std::filesystem::path temporary;
    int descriptor = -1;
    do {
        temporary = TemporaryName(target);
        descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    } while (descriptor < 0 && errno == EEXIST);
    if (descriptor < 0) return FromErrno(errno);
    // Tells a later save that this file is not stale; the lock goes with the descriptor.
    ::flock(descriptor, LOCK_EX);

    com::HRESULT hr = com::S_OK;
    if (replacing && S_ISREG(old.st_mode) && ::fchmod(descriptor, old.st_mode & 07777) != 0) hr = FromErrno(errno);
    if (com::SUCCEEDED(hr)) hr = WriteAll(descriptor, contents);
    if (::close(descriptor) != 0 && com::SUCCEEDED(hr)) hr = FromErrno(errno);
    if (com::SUCCEEDED(hr) && ::rename(temporary.c_str(), target.c_str()) != 0) hr = FromErrno(errno);
    if (com::FAILED(hr)) {
        ::unlink(temporary.c_str());
        return hr;
    }
    // The new contents are in place; a failing flush of the folder only says that the rename may
    // not survive a power cut, which the caller learns from the result.
    hr = FlushFolder(target.parent_path());
    RemoveStaleTemporaries(target);
    return hr;
}

}  // namespace persistence
