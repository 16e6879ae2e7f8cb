// Feeds arbitrary bytes to the document loader: the XML property bag re-creating whatever components
// the file names, through the registered component library, as opening a .plm file does.
#include "components/interfaces/class_ids.h"
#include "components/interfaces/xml_property_bag.h"
#include "platform/com/runtime.h"
#include "tests/support/private_component_registry.h"

#include <cstdint>
#include <cstdlib>

namespace {
com::ComPtr<IXMLPropertyBag> bag;
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    test_support::UsePrivateComponentRegistry(PINLORE_COMPONENTS_LIBRARY);
    if (com::FAILED(com::CreateInstance(CLSID_CXMLPropertyBag, bag))) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    com::ComPtr<com::IStream> stream = com::CreateMemoryStream();
    stream->Write(data, static_cast<com::ULONG>(size), nullptr);
    stream->Seek(0, com::STREAM_SEEK_SET, nullptr);
    com::ComPtr<com::IUnknown> object;
    const com::HRESULT hr = bag->LoadFromStream(stream.get(), nullptr, object.put());
    // No object after a failure, and a loaded tree saves again.
    if (com::FAILED(hr) && object) std::abort();
    if (object) {
        com::ComPtr<com::IStream> copy = com::CreateMemoryStream();
        if (com::FAILED(bag->SaveToStream(copy.get(), object.get()))) std::abort();
    }
    return 0;
}
