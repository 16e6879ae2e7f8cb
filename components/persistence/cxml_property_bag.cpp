#include "components/persistence/cxml_property_bag.h"

#include "components/persistence/record_type_registry.h"
#include "components/persistence/replace_file_contents.h"
#include "platform/com/runtime.h"
#include "platform/files/moved_file.h"
#include "platform/files/regular_file.h"
#include "platform/ui/qt_strings.h"

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <sstream>

using namespace com;

namespace {

// What the type library lookup answers for a record type it does not describe.
constexpr HRESULT TYPE_E_ELEMENTNOTFOUND = MakeHresult(0x8002802B);

constexpr const char* kObjectElement = "Object";


constexpr std::size_t kLinearSearchLimit = 32;
constexpr ULONG kReadChunk = 1 << 20;

// Whitespace-only text is a value like any other (a string of spaces), and line ends inside text are
// kept as stored: the bag reads back exactly what it wrote.
constexpr unsigned kParseOptions = pugi::parse_cdata | pugi::parse_escapes | pugi::parse_ws_pcdata;
constexpr unsigned kFormatOptions = pugi::format_raw | pugi::format_no_declaration;

bool IsAsciiAlphanumeric(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

// Property name to element name: letters and digits stay, "_" doubles, any other character becomes
// "_" and its code in lower-case hexadecimal.
std::string EncodeName(std::u16string_view name)
{
    std::string encoded;
    encoded.reserve(name.size() + 4);
    for (const char16_t c : name) {
        if (IsAsciiAlphanumeric(c)) {
            encoded.push_back(static_cast<char>(c));
        } else if (c == u'_') {
            encoded.append("__");
        } else {
            char hex[8];
            const auto end = std::to_chars(hex, hex + sizeof hex, static_cast<unsigned>(c), 16).ptr;
            encoded.push_back('_');
            encoded.append(hex, end);
        }
    }
    return encoded;
}

// An encoded name is made of letters, digits and "_"; XML only refuses it when empty or when it
// begins with a digit, and a file holding such an element would never load again.
bool IsElementName(const std::string& name)
{
    return !name.empty() && !(name.front() >= '0' && name.front() <= '9');
}

// Converts stored text to a value of `type` with the platform's variant conversion. Stored numbers
// are nearly always plain decimal integers: those reach the conversion as a number, without the
// round trip through a UTF-16 string, and convert (and fail to fit) exactly as their text would.
HRESULT ConvertText(const char* text, VARTYPE type, Variant& out)
{
    const std::string_view digits(text);
    std::int64_t integer = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), integer);
    Variant source;
    if (!digits.empty() && error == std::errc() && end == digits.data() + digits.size()) {
        source.vt = VT_I8;
        source.llVal = integer;
    } else {
        source.vt = VT_BSTR;
        source.bstrVal = SysAllocStringFromUtf8(digits);
    }
    return VariantChangeType(&out, &source, 0, type);
}

template <class T>
HRESULT AttributeNumber(pugi::xml_attribute attribute, VARTYPE type, T& out)
{
    Variant number;
    const HRESULT hr = ConvertText(attribute.value(), type, number);
    if (FAILED(hr)) return hr;
    std::memcpy(&out, &number.llVal, sizeof out);
    return S_OK;
}

bool SetText(pugi::xml_node element, std::u16string_view text)
{
    return element.text().set(Utf16ToUtf8(text).c_str());
}

// Walks the tree without recursion, so that the depth of a hostile file cannot exhaust the stack.
bool ElementsNestedDeeperThan(const pugi::xml_document& document, std::size_t limit)
{
    std::size_t depth = 1;
    pugi::xml_node node = document.first_child();
    while (node) {
        if (depth > limit && node.type() == pugi::node_element) return true;
        if (node.first_child()) {
            node = node.first_child();
            ++depth;
            continue;
        }
        while (node && !node.next_sibling()) {
            node = node.parent();
            --depth;
        }
        if (node) node = node.next_sibling();
    }
    return false;
}

HRESULT ReadWholeStream(IStream* stream, std::vector<char>& text)
{
    std::size_t used = 0;
    for (;;) {
        text.resize(used + kReadChunk);
        ULONG read = 0;
        const HRESULT hr = stream->Read(text.data() + used, kReadChunk, &read);
        if (FAILED(hr)) return hr;
        used += read;
        if (read < kReadChunk) break;
    }
    text.resize(used);
    return S_OK;
}

HRESULT WriteWholeStream(IStream* stream, std::string_view text)
{
    while (!text.empty()) {
        const auto size = static_cast<ULONG>(std::min<std::size_t>(text.size(), 1u << 30));
        ULONG written = 0;
        const HRESULT hr = stream->Write(text.data(), size, &written);
        if (FAILED(hr)) return hr;
        if (written == 0) return STG_E_WRITEFAULT;
        text.remove_prefix(written);
    }
    return S_OK;
}

}  // namespace

template <class Body>
HRESULT CXMLPropertyBag::runOperation(Body&& body)
{
    if (document_) return E_UNEXPECTED;
    const HRESULT hr = Guarded([&] {
        document_ = std::make_unique<pugi::xml_document>();
        return body();
    });
    elements_.clear();
    document_.reset();
    return hr;
}

HRESULT CXMLPropertyBag::SaveToFile(BSTR bstrFileName, IUnknown* pObject) noexcept
{
    if (View(bstrFileName).empty()) return E_INVALIDARG;
    return runOperation([&] {
        std::string xml;
        const HRESULT hr = saveDocument(pObject, xml);
        if (FAILED(hr)) return hr;
        return persistence::ReplaceFileContents(Bstr(View(bstrFileName)).toUtf8(), xml);
    });
}

HRESULT CXMLPropertyBag::SaveToStream(IStream* pStream, IUnknown* pObject) noexcept
{
    if (!pStream) return E_POINTER;
    return runOperation([&] {
        std::string xml;
        const HRESULT hr = saveDocument(pObject, xml);
        if (FAILED(hr)) return hr;
        return WriteWholeStream(pStream, xml);
    });
}

HRESULT CXMLPropertyBag::LoadFromFile(BSTR bstrFileName, IErrorLog* pErrorLog, IUnknown** ppObject) noexcept
{
    if (!ppObject) return E_POINTER;
    *ppObject = nullptr;
    return runOperation([&] {
        const std::u16string_view name = View(bstrFileName);
        if (name.empty()) return E_FAIL;
        // The components loaded ask where the files this map names are now, for as long as the
        // load runs, however it ends.
        struct FileBeingLoaded {
            explicit FileBeingLoaded(std::unique_ptr<LoadingFile>& slot, BSTR fileName) : slot(slot)
            {
                const QString path = ui::ToQString(fileName);
                slot = std::make_unique<LoadingFile>(Bstr(View(fileName)), files::MovedFiles(path.left(path.lastIndexOf(u'/'))));
            }
            ~FileBeingLoaded() { slot.reset(); }
            std::unique_ptr<LoadingFile>& slot;
        } const loading(loading_, bstrFileName);
        // A file that cannot be read is, to the caller, a missing one.
        files::RegularFile file(QString::fromUtf16(name.data(), static_cast<qsizetype>(name.size())),
                                kMaxPropertyBagFileBytes);
        std::optional<QByteArray> text = file.readAll();
        if (!text) return E_FAIL;
        return loadDocument(text->data(), static_cast<std::size_t>(text->size()), pErrorLog, ppObject);
    });
}

struct CXMLPropertyBag::LoadingFile {
    Bstr path;
    files::MovedFiles movedFiles;
};

CXMLPropertyBag::CXMLPropertyBag() = default;
CXMLPropertyBag::~CXMLPropertyBag() = default;

HRESULT CXMLPropertyBag::SetFileLocator(IFileLocator* inLocator) noexcept
{
    locator_ = ComPtr<IFileLocator>(inLocator);
    return S_OK;
}

HRESULT CXMLPropertyBag::LocateFile(BSTR inStoredPath, BSTR* outPath) noexcept
{
    if (!outPath) return E_POINTER;
    *outPath = nullptr;
    return Guarded([&] {
        Bstr located(View(inStoredPath));
        if (loading_ && !View(inStoredPath).empty()) {
            if (locator_)
                ThrowIfFailed(locator_->LocateFile(loading_->path.get(), inStoredPath, located.put()));
            else
                located = ui::ToBstr(loading_->movedFiles.locate(ui::ToQString(inStoredPath)));
        }
        if (located.isNull() && inStoredPath) throw std::bad_alloc();
        *outPath = located.detach();
        return S_OK;
    });
}

HRESULT CXMLPropertyBag::LoadFromStream(IStream* pStream, IErrorLog* pErrorLog, IUnknown** ppObject) noexcept
{
    if (!ppObject) return E_POINTER;
    *ppObject = nullptr;
    if (!pStream) return E_POINTER;
    std::vector<char> text;
    return runOperation([&] {
        const HRESULT hr = ReadWholeStream(pStream, text);
        if (FAILED(hr)) return hr;
        return loadDocument(text.data(), text.size(), pErrorLog, ppObject);
    });
}

HRESULT CXMLPropertyBag::saveDocument(IUnknown* object, std::string& xml)
{
    if (!object) return E_POINTER;
    ComPtr<IPersistPropertyBag> persist;
    if (FAILED(object->QueryInterface(IID_IPersistPropertyBag, persist.putVoid()))) return E_NOINTERFACE;
    pugi::xml_node root = document_->append_child(kObjectElement);
    if (!root) return E_OUTOFMEMORY;
    // A root that cannot say its class or fails to save would make a file that loads nothing; the
    // save fails instead, and the previous file stays.
    const HRESULT hr = saveObject(root, persist.get());
    if (FAILED(hr)) return hr;
    std::ostringstream out;
    document_->save(out, "", kFormatOptions, pugi::encoding_utf8);
    if (!out) return E_OUTOFMEMORY;
    xml = std::move(out).str();
    return S_OK;
}

HRESULT CXMLPropertyBag::loadDocument(char* text, std::size_t size, IErrorLog* errorLog, IUnknown** object)
{
    // Parsed in place: `text` outlives the document, which the operation releases first.
    if (!document_->load_buffer_inplace(text, size, kParseOptions, pugi::encoding_auto)) return E_FAIL;
    if (ElementsNestedDeeperThan(*document_, kMaxNesting)) return E_FAIL;
    const pugi::xml_node root = document_->find_node([](pugi::xml_node node) {
        return node.type() == pugi::node_element && std::strcmp(node.name(), kObjectElement) == 0;
    });
    if (!root) return E_FAIL;
    ComPtr<IUnknown> created;
    const HRESULT hr = createObject(root, errorLog, created);
    if (FAILED(hr)) return hr;
    // A root element that names no class gives nothing to open; callers take S_OK to mean an object.
    if (!created) return E_FAIL;
    *object = created.detach();
    return S_OK;
}

HRESULT CXMLPropertyBag::saveObject(pugi::xml_node element, IPersistPropertyBag* object)
{
    if (elements_.size() >= kMaxNesting) return E_FAIL;
    CLSID classId{};
    HRESULT hr = object->GetClassID(&classId);
    if (FAILED(hr)) return hr;
    if (!element.append_attribute("clsid").set_value(FormatGuid(classId).c_str())) return E_OUTOFMEMORY;
    elements_.push_back(Frame(element));
    hr = object->Save(this, 1, 1);
    elements_.pop_back();
    return hr;
}

HRESULT CXMLPropertyBag::createObject(pugi::xml_node element, IErrorLog* errorLog, ComPtr<IUnknown>& object)
{
    const pugi::xml_attribute classAttribute = element.attribute("clsid");
    if (!classAttribute) return S_OK;
    const auto classId = ParseGuid(classAttribute.value());
    if (!classId) return CO_E_CLASSSTRING;
    if (*classId == GUID_NULL) return S_OK;
    ComPtr<IPersistPropertyBag> persist;
    HRESULT hr = CoCreateInstance(*classId, nullptr, CLSCTX_INPROC_SERVER, IID_IPersistPropertyBag, persist.putVoid());
    if (FAILED(hr)) return hr;
    hr = persist->InitNew();
    if (FAILED(hr)) return hr;
    elements_.push_back(Frame(element));
    hr = persist->Load(this, errorLog);
    elements_.pop_back();
    if (FAILED(hr)) return hr;
    object = persist.as<IUnknown>();
    return S_OK;
}

HRESULT CXMLPropertyBag::Write(const OLECHAR* name, VARIANT* value) noexcept
{
    if (!name || !value) return E_POINTER;
    if (elements_.empty()) return E_UNEXPECTED;
    return Guarded([&] {
        const std::string elementName = EncodeName(name);
        if (!IsElementName(elementName)) return E_INVALIDARG;
        if (value->vt & (VT_BYREF | VT_ARRAY)) return S_OK;
        pugi::xml_node parent = elements_.back().element;
        pugi::xml_node element = parent.append_child(elementName.c_str());
        if (!element) return E_OUTOFMEMORY;
        HRESULT hr = element.append_attribute("vt").set_value(static_cast<unsigned>(value->vt)) ? S_OK : E_OUTOFMEMORY;
        if (SUCCEEDED(hr)) hr = Guarded([&] { return writeContent(element, *value); });
        if (FAILED(hr)) parent.remove_child(element);
        return hr;
    });
}

HRESULT CXMLPropertyBag::writeContent(pugi::xml_node element, const VARIANT& value)
{
    switch (value.vt) {
    case VT_RECORD:
        return writeRecord(element, value);
    case VT_DISPATCH:
    case VT_UNKNOWN: {
        // A null object is stored without a class and reads back as null.
        if (!value.punkVal) return S_OK;
        ComPtr<IPersistPropertyBag> persist;
        const HRESULT hr = value.punkVal->QueryInterface(IID_IPersistPropertyBag, persist.putVoid());
        if (FAILED(hr)) return hr;
        return saveObject(element, persist.get());
    }
    case VT_BSTR:
        return SetText(element, View(value.bstrVal)) ? S_OK : E_OUTOFMEMORY;
    default: {
        Variant text;
        const HRESULT hr = VariantChangeType(&text, &value, 0, VT_BSTR);
        if (FAILED(hr)) return hr;
        return SetText(element, View(text.bstrVal)) ? S_OK : E_OUTOFMEMORY;
    }
    }
}

HRESULT CXMLPropertyBag::writeRecord(pugi::xml_node element, const VARIANT& value)
{
    const RecordType* type = value.record.pRecInfo;
    const auto* data = static_cast<const unsigned char*>(value.record.pvRecord);
    if (!type || !data) return E_INVALIDARG;
    const bool described = element.append_attribute("uuid").set_value(FormatGuid(type->guid).c_str()) &&
                           element.append_attribute("libid").set_value(FormatGuid(type->libraryId).c_str()) &&
                           element.append_attribute("major").set_value(static_cast<unsigned>(type->majorVersion)) &&
                           element.append_attribute("minor").set_value(static_cast<unsigned>(type->minorVersion)) &&
                           element.append_attribute("lcid").set_value(static_cast<unsigned long>(type->locale));
    if (!described) return E_OUTOFMEMORY;
    elements_.push_back(Frame(element));
    HRESULT hr = S_OK;
    for (std::size_t i = 0; i < type->fieldCount && SUCCEEDED(hr); ++i) {
        const RecordField& field = type->fields[i];
        const std::size_t size = VariantScalarSize(field.type);
        if (size == 0) {
            hr = DISP_E_BADVARTYPE;
            break;
        }
        Variant fieldValue;
        fieldValue.vt = field.type;
        std::memcpy(&fieldValue.llVal, data + field.offset, size);
        hr = Write(field.name, &fieldValue);
    }
    elements_.pop_back();
    return hr;
}

HRESULT CXMLPropertyBag::Read(const OLECHAR* name, VARIANT* value, IErrorLog* errorLog) noexcept
{
    if (!name || !value) return E_POINTER;
    if (elements_.empty()) return E_UNEXPECTED;
    return Guarded([&] {
        // `value` only says which type is wanted; it owns nothing yet.
        const VARTYPE wanted = value->vt;
        Variant result;
        const pugi::xml_node element = findChild(elements_.back(), EncodeName(name));
        if (element) {
            HRESULT hr = readContent(element, errorLog, result);
            if (FAILED(hr)) return hr;
            if (wanted != VT_EMPTY && result.vt != VT_EMPTY && result.vt != wanted) {
                hr = VariantChangeType(&result, &result, 0, wanted);
                if (FAILED(hr)) return hr;
            }
        }
        *value = result;
        VariantInit(&result);
        return S_OK;
    });
}

HRESULT CXMLPropertyBag::CountProperties(ULONG* count) noexcept
{
    if (!count) return E_POINTER;
    if (elements_.empty()) return E_UNEXPECTED;
    Frame& frame = elements_.back();
    if (!frame.elementCount) {
        ULONG elements = 0;
        for (pugi::xml_node child = frame.element.first_child(); child; child = child.next_sibling())
            if (child.type() == pugi::node_element) ++elements;
        frame.elementCount = elements;
    }
    *count = *frame.elementCount;
    return S_OK;
}

HRESULT CXMLPropertyBag::readContent(pugi::xml_node element, IErrorLog* errorLog, Variant& value)
{
    std::int16_t storedType = 0;
    HRESULT hr = AttributeNumber(element.attribute("vt"), VT_I2, storedType);
    if (FAILED(hr)) return hr;
    const auto type = static_cast<VARTYPE>(storedType);
    if (type & (VT_BYREF | VT_ARRAY)) return DISP_E_BADVARTYPE;

    switch (type) {
    case VT_EMPTY:
        return S_OK;
    case VT_RECORD:
        return readRecord(element, value);
    case VT_DISPATCH:
    case VT_UNKNOWN: {
        ComPtr<IUnknown> object;
        hr = createObject(element, errorLog, object);
        if (FAILED(hr)) return hr;
        if (type == VT_UNKNOWN) {
            value = Variant::FromUnknown(object.get());
        } else {
            ComPtr<IDispatch> dispatch;
            if (object) dispatch = object.as<IDispatch>();
            value = Variant::FromDispatch(dispatch.get());
        }
        return S_OK;
    }
    case VT_BSTR:
        value.clear();
        value.vt = VT_BSTR;
        value.bstrVal = SysAllocStringFromUtf8(element.text().get());
        return value.bstrVal ? S_OK : E_OUTOFMEMORY;
    default:
        return ConvertText(element.text().get(), type, value);
    }
}

HRESULT CXMLPropertyBag::readRecord(pugi::xml_node element, Variant& value)
{
    const auto recordId = ParseGuid(element.attribute("uuid").value());
    const auto libraryId = ParseGuid(element.attribute("libid").value());
    if (!recordId || !libraryId) return CO_E_CLASSSTRING;
    WORD major = 0, minor = 0;
    DWORD locale = 0;
    HRESULT hr = AttributeNumber(element.attribute("major"), VT_UI2, major);
    if (SUCCEEDED(hr)) hr = AttributeNumber(element.attribute("minor"), VT_UI2, minor);
    if (SUCCEEDED(hr)) hr = AttributeNumber(element.attribute("lcid"), VT_UI4, locale);
    if (FAILED(hr)) return hr;
    const RecordType* type = persistence::FindRecordType(*recordId, *libraryId, major, minor, locale);
    if (!type) return TYPE_E_ELEMENTNOTFOUND;

    auto* data = static_cast<unsigned char*>(std::calloc(1, type->size));
    if (!data) return E_OUTOFMEMORY;
    value.clear();
    value.vt = VT_RECORD;
    value.record.pvRecord = data;
    value.record.pRecInfo = type;

    // Fields missing from the file stay zero.
    elements_.push_back(Frame(element));
    for (std::size_t i = 0; i < type->fieldCount && SUCCEEDED(hr); ++i) {
        const RecordField& field = type->fields[i];
        Variant fieldValue;
        fieldValue.vt = field.type;
        hr = Read(field.name, &fieldValue, nullptr);
        if (SUCCEEDED(hr) && fieldValue.vt == field.type)
            std::memcpy(data + field.offset, &fieldValue.llVal, VariantScalarSize(field.type));
    }
    elements_.pop_back();
    return hr;
}

pugi::xml_node CXMLPropertyBag::findChild(Frame& frame, const std::string& name)
{
    if (!frame.counted) {
        frame.counted = true;
        std::size_t children = 0;
        for (pugi::xml_node child = frame.element.first_child(); child && children <= kLinearSearchLimit;
             child = child.next_sibling())
            ++children;
        if (children > kLinearSearchLimit) {
            // The first child of a name wins, as in a scan from the front.
            for (const pugi::xml_node child : frame.element.children()) {
                if (child.type() == pugi::node_element) frame.index.try_emplace(child.name(), child);
            }
            frame.indexed = true;
        }
    }
    if (frame.indexed) {
        const auto found = frame.index.find(name);
        return found == frame.index.end() ? pugi::xml_node() : found->second;
    }
    return frame.element.child(name.c_str());
}
