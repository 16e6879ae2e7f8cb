#pragma once

#include "components/interfaces/interface_ids.h"
#include "platform/com/dispatch_table.h"

// Maps store every picture, sound and linked map by its absolute path, and a map's folder may have
// been copied elsewhere since. While a bag reads a map from a file, the documents and spots it loads
// ask it where each path they read is now (ILocatingPropertyBag::LocateFile), and keep that answer.
// By default the bag looks for a missing file at the same place relative to the map's folder
// (files::LocateFile); a caller that wants other answers (the pack, which names the copies it will
// make) gives the bag an IFileLocator before the load.

// Answers where the file `inStoredPath`, named by the map saved at `inMapFile`, is to be read from.
// The answer replaces the stored path in the loaded document; it may be the stored path itself.
struct IFileLocator : com::IDispatch {
    static constexpr const com::IID& kIid = IID_IFileLocator;
    using Base = com::IDispatch;
    virtual com::HRESULT LocateFile(com::BSTR inMapFile, com::BSTR inStoredPath, com::BSTR* outPath) noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const IFileLocator*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&IFileLocator::LocateFile, com::kRetval>(1, u"LocateFile"),
    };
    return members;
}

// What the XML property bag offers the components it loads from a file. Outside a load from a file
// (a stream, a save), LocateFile answers the stored path unchanged. An empty path stays empty.
struct ILocatingPropertyBag : com::IDispatch {
    static constexpr const com::IID& kIid = IID_ILocatingPropertyBag;
    using Base = com::IDispatch;
    // Null returns to the default search. The bag keeps a reference until it is replaced.
    virtual com::HRESULT SetFileLocator(IFileLocator* inLocator) noexcept = 0;
    virtual com::HRESULT LocateFile(com::BSTR inStoredPath, com::BSTR* outPath) noexcept = 0;
};

inline std::span<const com::DispatchMember> DispatchTableOf(const ILocatingPropertyBag*)
{
    static constexpr com::DispatchMember members[] = {
        com::Method<&ILocatingPropertyBag::SetFileLocator>(1, u"SetFileLocator"),
        com::Method<&ILocatingPropertyBag::LocateFile, com::kRetval>(2, u"LocateFile"),
    };
    return members;
}
