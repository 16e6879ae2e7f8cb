#pragma once

#include "components/interfaces/interface_ids.h"
#include "platform/com/dispatch_table.h"
#include "platform/com/persist.h"
#include "platform/com/stream.h"

#include <cstdint>

// Stores a tree of persistable components (IPersistPropertyBag) as XML and re-creates it from the
// class identifiers written beside each component. `.plm` documents are written and read this way.
//
// Results: E_UNEXPECTED when an operation is started while another runs on the same bag (a component
// must not save or load through the bag that is saving or loading it); E_NOINTERFACE for a root
// object without IPersistPropertyBag; E_FAIL for a missing, damaged or too deeply nested file, for
// one that is not a regular file and for one larger than kMaxPropertyBagFileBytes; the creation code
// of a class the file names that is not registered. A load that fails hands out no object. A save
// that fails leaves the previous file as it was.
//
// LoadFromFile never waits on a FIFO or device named as the file, and refuses a file over the
// limit before reading any of it: a map is text of a few megabytes at most, and anything near the
// limit is a mistake or an attack that would cost gigabytes of memory.
inline constexpr std::int64_t kMaxPropertyBagFileBytes = std::int64_t(1) << 30;

struct IXMLPropertyBag : com::IDispatch {
    static constexpr const com::IID& kIid = IID_IXMLPropertyBag;
    using Base = com::IDispatch;
    virtual com::HRESULT SaveToFile(com::BSTR bstrFileName, com::IUnknown* pObject) noexcept = 0;
    // `ppObject` is an output (the type library marks it as an input): the new root component, with a
    // reference that the caller releases; null after a failure.
    virtual com::HRESULT LoadFromFile(com::BSTR bstrFileName, com::IErrorLog* pErrorLog,
                                      com::IUnknown** ppObject) noexcept = 0;
    virtual com::HRESULT SaveToStream(com::IStream* pStream, com::IUnknown* pObject) noexcept = 0;
    // Reads from the stream's current position to its end.
    virtual com::HRESULT LoadFromStream(com::IStream* pStream, com::IErrorLog* pErrorLog,
                                        com::IUnknown** ppObject) noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const IXMLPropertyBag*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&IXMLPropertyBag::SaveToFile>(1, u"SaveToFile"),
        com::Method<&IXMLPropertyBag::LoadFromFile>(2, u"LoadFromFile"),
        com::Method<&IXMLPropertyBag::SaveToStream>(3, u"SaveToStream"),
        com::Method<&IXMLPropertyBag::LoadFromStream>(4, u"LoadFromStream"),
    };
    return members;
}
