#include "platform/com/stream.h"

#include "platform/com/implements.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace com {

namespace {

HRESULT NewPosition(std::uint64_t current, std::uint64_t size, std::int64_t move, DWORD origin, std::uint64_t& position)
{
    std::int64_t base = 0;
    switch (origin) {
    case STREAM_SEEK_SET: base = 0; break;
    case STREAM_SEEK_CUR: base = static_cast<std::int64_t>(current); break;
    case STREAM_SEEK_END: base = static_cast<std::int64_t>(size); break;
    default: return STG_E_INVALIDFUNCTION;
    }
    if ((move < 0 && base < -move) || (move > 0 && base > std::numeric_limits<std::int64_t>::max() - move))
        return STG_E_INVALIDFUNCTION;
    position = static_cast<std::uint64_t>(base + move);
    return S_OK;
}

class MemoryStream final : public Implements<MemoryStream, IStream> {
public:
    HRESULT Read(void* buffer, ULONG size, ULONG* read) noexcept override
    {
        if (!buffer && size) return E_POINTER;
        const std::uint64_t available = position_ < bytes_.size() ? bytes_.size() - position_ : 0;
        const auto count = static_cast<ULONG>(std::min<std::uint64_t>(size, available));
        if (count) std::memcpy(buffer, bytes_.data() + position_, count);
        position_ += count;
        if (read) *read = count;
        return count < size ? S_FALSE : S_OK;
    }
    HRESULT Write(const void* buffer, ULONG size, ULONG* written) noexcept override
    {
        if (!buffer && size) return E_POINTER;
        return Guarded([&] {
            if (position_ + size > bytes_.size()) bytes_.resize(position_ + size);
            if (size) std::memcpy(bytes_.data() + position_, buffer, size);
            position_ += size;
            if (written) *written = size;
            return S_OK;
        });
    }
    HRESULT Seek(std::int64_t move, DWORD origin, std::uint64_t* newPosition) noexcept override
    {
        std::uint64_t position = 0;
        const HRESULT hr = NewPosition(position_, bytes_.size(), move, origin, position);
        if (FAILED(hr)) return hr;
        position_ = position;
        if (newPosition) *newPosition = position_;
        return S_OK;
    }
    HRESULT SetSize(std::uint64_t size) noexcept override
    {
        return Guarded([&] {
            bytes_.resize(size);
            return S_OK;
        });
    }
    HRESULT Commit(DWORD) noexcept override { return S_OK; }
    HRESULT GetSize(std::uint64_t* size) noexcept override
    {
        if (!size) return E_POINTER;
        *size = bytes_.size();
        return S_OK;
    }

private:
    std::vector<char> bytes_;
    std::uint64_t position_ = 0;
};

HRESULT FromErrno(int error)
{
    switch (error) {
    case ENOENT: case ENOTDIR: return STG_E_FILENOTFOUND;
    case EACCES: case EPERM: case EROFS: return STG_E_ACCESSDENIED;
    case ENOSPC: case EDQUOT: return STG_E_MEDIUMFULL;
    default: return E_FAIL;
    }
}

class FileStream final : public Implements<FileStream, IStream> {
public:
    explicit FileStream(int descriptor) : descriptor_(descriptor) {}
    ~FileStream() override { ::close(descriptor_); }

    HRESULT Read(void* buffer, ULONG size, ULONG* read) noexcept override
    {
        if (!buffer && size) return E_POINTER;
        ULONG total = 0;
        while (total < size) {
            const ssize_t count = ::read(descriptor_, static_cast<char*>(buffer) + total, size - total);
            if (count < 0 && errno == EINTR) continue;
            if (count < 0) return STG_E_READFAULT;
            if (count == 0) break;
            total += static_cast<ULONG>(count);
        }
        if (read) *read = total;
        return total < size ? S_FALSE : S_OK;
    }
    HRESULT Write(const void* buffer, ULONG size, ULONG* written) noexcept override
    {
        if (!buffer && size) return E_POINTER;
        ULONG total = 0;
        while (total < size) {
            const ssize_t count = ::write(descriptor_, static_cast<const char*>(buffer) + total, size - total);
            if (count < 0 && errno == EINTR) continue;
            if (count < 0) {
                if (written) *written = total;
                return errno == ENOSPC ? STG_E_MEDIUMFULL : STG_E_WRITEFAULT;
            }
            total += static_cast<ULONG>(count);
        }
        if (written) *written = total;
        return S_OK;
    }
    HRESULT Seek(std::int64_t move, DWORD origin, std::uint64_t* newPosition) noexcept override
    {
        static constexpr int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
        if (origin > STREAM_SEEK_END) return STG_E_INVALIDFUNCTION;
        const off_t position = ::lseek(descriptor_, move, kWhence[origin]);
        if (position < 0) return STG_E_INVALIDFUNCTION;
        if (newPosition) *newPosition = static_cast<std::uint64_t>(position);
        return S_OK;
    }
    HRESULT SetSize(std::uint64_t size) noexcept override
    {
        return ::ftruncate(descriptor_, static_cast<off_t>(size)) == 0 ? S_OK : FromErrno(errno);
    }
    HRESULT Commit(DWORD) noexcept override { return ::fsync(descriptor_) == 0 ? S_OK : STG_E_WRITEFAULT; }
    HRESULT GetSize(std::uint64_t* size) noexcept override
    {
        if (!size) return E_POINTER;
        struct stat info {};
        if (::fstat(descriptor_, &info) != 0) return E_FAIL;
        *size = static_cast<std::uint64_t>(info.st_size);
        return S_OK;
    }

private:
    int descriptor_;
};

}  // namespace

ComPtr<IStream> CreateMemoryStream()
{
    return Make<MemoryStream>();
}

HRESULT CreateFileStream(const std::string& path, FileStreamMode mode, IStream** out)
{
    if (!out) return E_POINTER;
    *out = nullptr;
    const int flags = mode == FileStreamMode::Read ? O_RDONLY : O_WRONLY | O_CREAT | O_TRUNC;
    const int descriptor = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
    if (descriptor < 0) return FromErrno(errno);
    try {
        *out = Make<FileStream>(descriptor).detach();
    } catch (const std::bad_alloc&) {
        ::close(descriptor);
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

}  // namespace com
