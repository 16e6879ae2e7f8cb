#include "app/export/map_file.h"

#include "components/interfaces/class_ids.h"
#include "components/interfaces/xml_property_bag.h"
#include "platform/com/bstr.h"
#include "platform/com/runtime.h"
#include "platform/files/regular_file.h"

namespace html_export {

namespace {

MapFile::Opened Failed(const QString& why)
{
    return {nullptr, why};
}

}  // namespace

MapFile::Opened MapFile::Open(const QString& path)
{
    {
        // The loader checks the file again as it reads it; this look only finds the words for a
        // file it would refuse.
        const files::RegularFile file(path, kMaxPropertyBagFileBytes);
        if (!file.isOpen())
            return Failed(file.failure());
    }
    com::ComPtr<IXMLPropertyBag> bag;
    if (com::FAILED(com::CreateInstance(CLSID_CXMLPropertyBag, bag)))
        return Failed(QStringLiteral("The document component could not be created."));
    com::ComPtr<com::IUnknown> object;
    const com::Bstr name(std::u16string_view(reinterpret_cast<const char16_t*>(path.utf16()), path.size()));
    if (com::FAILED(bag->LoadFromFile(name.get(), nullptr, object.put())) || !object)
        return Failed(QStringLiteral("It is not a map Pinlore can read."));
    com::ComPtr<IDocument> document = object.tryAs<IDocument>();
    if (!document)
        return Failed(QStringLiteral("It holds no map."));
    return {std::move(document), QString()};
}

}  // namespace html_export
