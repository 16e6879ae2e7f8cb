#include "tests/components/persistence/property_probe.h"

#include "components/interfaces/xml_property_bag.h"
#include "platform/com/class_factory.h"

#include <charconv>

namespace {

struct Property {
    std::u16string name;
    com::Variant value;
    com::VARTYPE wanted;
};

class PropertyProbe final : public com::Implements<PropertyProbe, com::IPersistPropertyBag, IPropertyProbe> {
public:
    com::HRESULT GetClassID(com::CLSID* classId) noexcept override
    {
        *classId = CLSID_PropertyProbe;
        return com::S_OK;
    }
    com::HRESULT InitNew() noexcept override { return com::S_OK; }

    com::HRESULT Save(com::IPropertyBag* bag, int, int) noexcept override
    {
        std::u16string names;
        for (const Property& property : properties_) {
            const std::string wanted = std::to_string(property.wanted);
            names += std::u16string(wanted.begin(), wanted.end()) + u"|" + property.name + u"\n";
        }
        com::Variant list = com::Variant::FromString(names);
        writes_.assign(1, bag->Write(u"ProbeNames", &list));
        for (Property& property : properties_) writes_.push_back(bag->Write(property.name.c_str(), &property.value));
        return com::S_OK;
    }

    com::HRESULT Load(com::IPropertyBag* bag, com::IErrorLog* errorLog) noexcept override
    {
        loadErrorLog_ = errorLog;
        com::ComPtr<com::IStream> stream = com::CreateMemoryStream();
        if (const auto xmlBag = com::ComPtr<com::IPropertyBag>(bag).tryAs<IXMLPropertyBag>())
            nestedResult_ = xmlBag->SaveToStream(stream.get(), identity());

        com::Variant list;
        bag->Read(u"ProbeNames", &list, errorLog);
        std::u16string_view names = list.vt == com::VT_BSTR ? com::View(list.bstrVal) : std::u16string_view();
        while (!names.empty()) {
            const std::size_t bar = names.find(u'|');
            const std::size_t end = names.find(u'\n');
            const std::string wanted(names.begin(), names.begin() + bar);
            ProbeRead read{std::u16string(names.substr(bar + 1, end - bar - 1)), com::S_OK, {}};
            std::from_chars(wanted.data(), wanted.data() + wanted.size(), read.value.vt);
            read.result = bag->Read(read.name.c_str(), &read.value, errorLog);
            if (com::FAILED(read.result)) com::VariantInit(&read.value);
            reads_.push_back(std::move(read));
            names.remove_prefix(end + 1);
        }
        com::Variant result;
        bag->Read(u"ProbeLoadResult", &result, errorLog);
        return result.vt == com::VT_ERROR ? result.scode : com::S_OK;
    }

    void Add(std::u16string name, com::Variant value, com::VARTYPE wanted) override
    {
        properties_.push_back({std::move(name), std::move(value), wanted});
    }
    const std::vector<ProbeRead>& Reads() const override { return reads_; }
    const std::vector<com::HRESULT>& Writes() const override { return writes_; }
    com::HRESULT NestedOperationResult() const override { return nestedResult_; }
    com::IErrorLog* LoadErrorLog() const override { return loadErrorLog_; }

private:
    std::vector<Property> properties_;
    std::vector<ProbeRead> reads_;
    std::vector<com::HRESULT> writes_;
    com::HRESULT nestedResult_ = com::S_OK;
    com::IErrorLog* loadErrorLog_ = nullptr;
};

}  // namespace

extern "C" __attribute__((visibility("default"))) com::HRESULT DllGetClassObject(const com::CLSID& classId,
                                                                                 const com::IID& iid, void** out)
{
    *out = nullptr;
    if (classId != CLSID_PropertyProbe) return com::CLASS_E_CLASSNOTAVAILABLE;
    return com::ClassFactory<PropertyProbe>::Instance()->QueryInterface(iid, out);
}

extern "C" __attribute__((visibility("default"))) com::HRESULT DllCanUnloadNow()
{
    return com::ModuleLockCount() == 0 ? com::S_OK : com::S_FALSE;
}
