#include "platform/com/stream.h"

#include "platform/com/implements.h"

#include <algorithm>
#include <cstring>
#include <limits>
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

}  // namespace

ComPtr<IStream> CreateMemoryStream()
{
    return Make<MemoryStream>();
}

}  // namespace com
