#pragma once

#include "components/interfaces/file_locator.h"
#include "components/interfaces/xml_property_bag.h"
#include "components/persistence/property_count.h"
#include "platform/com/implements.h"

#include <pugixml.hpp>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The XML property bag: writes a component and the components held in its properties as nested
// elements, and re-creates them by the class identifiers stored beside them (see IXMLPropertyBag).
// Toward the components it stores it is their IPropertyBag: Read and Write address the children of
// the element of the component being saved or loaded; during a load from a file it also tells them
// where the files their map names are now (ILocatingPropertyBag).
//
// Thread: the thread that created it; one operation at a time.
class CXMLPropertyBag final
    : public com::Implements<CXMLPropertyBag, IXMLPropertyBag, com::IPropertyBag, IPropertyCount, ILocatingPropertyBag> {
public:
    // Elements nested deeper than this fail a load, and components nested deeper fail a save: a
    // document is three levels deep, and the bound keeps hostile files and components that store
    // themselves from exhausting the stack.
    static constexpr std::size_t kMaxNesting = 64;

    CXMLPropertyBag();

    com::HRESULT SaveToFile(com::BSTR bstrFileName, com::IUnknown* pObject) noexcept override;
    com::HRESULT LoadFromFile(com::BSTR bstrFileName, com::IErrorLog* pErrorLog,
                              com::IUnknown** ppObject) noexcept override;
    com::HRESULT SaveToStream(com::IStream* pStream, com::IUnknown* pObject) noexcept override;
    com::HRESULT LoadFromStream(com::IStream* pStream, com::IErrorLog* pErrorLog,
                                com::IUnknown** ppObject) noexcept override;

    // A missing property reads as VT_EMPTY with S_OK. When `value` comes in typed, a stored value of
    // another type is converted to it. E_UNEXPECTED outside a load.
    com::HRESULT Read(const com::OLECHAR* name, com::VARIANT* value, com::IErrorLog* errorLog) noexcept override;
    // By-reference values and arrays are not written (S_OK). E_INVALIDARG for a name that cannot
    // become an element name (empty, or beginning with a digit); E_UNEXPECTED outside a save.
    com::HRESULT Write(const com::OLECHAR* name, com::VARIANT* value) noexcept override;
    // The child elements of the component being loaded: an upper bound on the keys it can find.
    com::HRESULT CountProperties(com::ULONG* count) noexcept override;

    com::HRESULT SetFileLocator(IFileLocator* inLocator) noexcept override;
    com::HRESULT LocateFile(com::BSTR inStoredPath, com::BSTR* outPath) noexcept override;

private:
    ~CXMLPropertyBag() override;

    // An element whose children the component being saved or loaded reads and writes.
    struct Frame {
        explicit Frame(pugi::xml_node element) : element(element) {}
        pugi::xml_node element;
        // Children by name, built on the first read of an element with many children: the spots of
        // a large document would otherwise each cost a scan of the whole list.
        std::unordered_map<std::string_view, pugi::xml_node> index;
        bool indexed = false;
        bool counted = false;
        std::optional<com::ULONG> elementCount;
    };

    template <class Body>
    com::HRESULT runOperation(Body&& body);
    com::HRESULT saveDocument(com::IUnknown* object, std::string& xml);
    // Parses `text` in place.
    com::HRESULT loadDocument(char* text, std::size_t size, com::IErrorLog* errorLog, com::IUnknown** object);

    com::HRESULT saveObject(pugi::xml_node element, com::IPersistPropertyBag* object);
    com::HRESULT createObject(pugi::xml_node element, com::IErrorLog* errorLog, com::ComPtr<com::IUnknown>& object);

    com::HRESULT writeContent(pugi::xml_node element, const com::VARIANT& value);
    com::HRESULT writeRecord(pugi::xml_node element, const com::VARIANT& value);
    com::HRESULT readContent(pugi::xml_node element, com::IErrorLog* errorLog, com::Variant& value);
    com::HRESULT readRecord(pugi::xml_node element, com::Variant& value);

    pugi::xml_node findChild(Frame& frame, const std::string& name);

    // Held while an operation runs; its presence is what makes a nested operation fail.
    std::unique_ptr<pugi::xml_document> document_;
    std::vector<Frame> elements_;
    // The map LoadFromFile is reading, and where it has found the files the map names; null
    // outside such a load.
    struct LoadingFile;
    std::unique_ptr<LoadingFile> loading_;
    com::ComPtr<IFileLocator> locator_;
};
