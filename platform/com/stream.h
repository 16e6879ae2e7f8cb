#pragma once

#include "platform/com/com_ptr.h"
#include "platform/com/export.h"

#include <cstdint>

namespace com {

inline constexpr IID IID_ISequentialStream = MakeGuid("{0C733A30-2A1C-11CE-ADE5-00AA0044773D}");
inline constexpr IID IID_IStream = MakeGuid("{0000000C-0000-0000-C000-000000000046}");

struct ISequentialStream : IUnknown {
    static constexpr const IID& kIid = IID_ISequentialStream;
    using Base = IUnknown;
    // Reads up to `size` bytes; *read tells how many (fewer at the end, S_FALSE then).
    virtual HRESULT Read(void* buffer, ULONG size, ULONG* read) noexcept = 0;
    virtual HRESULT Write(const void* buffer, ULONG size, ULONG* written) noexcept = 0;

protected:
    ~ISequentialStream() = default;
};

enum StreamSeek : DWORD { STREAM_SEEK_SET = 0, STREAM_SEEK_CUR = 1, STREAM_SEEK_END = 2 };

struct IStream : ISequentialStream {
    static constexpr const IID& kIid = IID_IStream;
    using Base = ISequentialStream;
    virtual HRESULT Seek(std::int64_t move, DWORD origin, std::uint64_t* newPosition) noexcept = 0;
    virtual HRESULT SetSize(std::uint64_t size) noexcept = 0;
    // Makes what was written durable (a file stream flushes to disk).
    virtual HRESULT Commit(DWORD flags) noexcept = 0;
    virtual HRESULT GetSize(std::uint64_t* size) noexcept = 0;

protected:
    ~IStream() = default;
};

// A stream over a growable block of memory, starting empty.
PINLORE_COM_EXPORT ComPtr<IStream> CreateMemoryStream();

}  // namespace com
