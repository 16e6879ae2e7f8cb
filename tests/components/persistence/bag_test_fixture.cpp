#include "tests/components/persistence/bag_test_fixture.h"

#include "components/interfaces/class_ids.h"
#include "platform/registry/registry_key.h"

#include <fstream>
#include <sstream>

using namespace com;

namespace persistence_test {

void BagTest::SetUp()
{
    ComponentTest::SetUp();
    registry::RegistryKey server;
    ASSERT_EQ(server.Create(registry::Hive::ClassesRoot, "CLSID\\" + FormatGuid(CLSID_PropertyProbe) + "\\InprocServer32"),
              registry::kSuccess);
    ASSERT_EQ(server.SetStringValue("", PROPERTY_PROBE_MODULE), registry::kSuccess);
    ASSERT_EQ(server.SetStringValue("ThreadingModel", "apartment"), registry::kSuccess);
    ASSERT_EQ(CreateInstance(CLSID_CXMLPropertyBag, bag_), S_OK);
}

void BagTest::TearDown()
{
    bag_.reset();
    ComponentTest::TearDown();
}

ComPtr<IPropertyProbe> BagTest::newProbe()
{
    ComPtr<IPropertyProbe> probe;
    EXPECT_EQ(CreateInstance(CLSID_PropertyProbe, probe), S_OK);
    return probe;
}

std::string BagTest::saveToText(IUnknown* object)
{
    ComPtr<IStream> stream = CreateMemoryStream();
    EXPECT_EQ(bag_->SaveToStream(stream.get(), object), S_OK);
    std::uint64_t size = 0;
    stream->GetSize(&size);
    std::string text(size, '\0');
    stream->Seek(0, STREAM_SEEK_SET, nullptr);
    stream->Read(text.data(), static_cast<ULONG>(size), nullptr);
    return text;
}

HRESULT BagTest::loadText(const std::string& text, ComPtr<IUnknown>& object)
{
    ComPtr<IStream> stream = CreateMemoryStream();
    stream->Write(text.data(), static_cast<ULONG>(text.size()), nullptr);
    stream->Seek(0, STREAM_SEEK_SET, nullptr);
    object.reset();
    return bag_->LoadFromStream(stream.get(), nullptr, object.put());
}

ProbeRead BagTest::roundTrip(std::u16string name, Variant value, VARTYPE wanted)
{
    ComPtr<IPropertyProbe> probe = newProbe();
    probe->Add(name, std::move(value), wanted);
    ComPtr<IUnknown> loaded;
    EXPECT_EQ(loadText(saveToText(probe.get()), loaded), S_OK);
    if (!loaded) return {name, E_FAIL, {}};
    const auto& reads = loaded.as<IPropertyProbe>()->Reads();
    EXPECT_EQ(reads.size(), 1u);
    return reads.empty() ? ProbeRead{name, E_FAIL, {}} : reads.front();
}

std::string BagTest::readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void BagTest::writeFile(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

}  // namespace persistence_test
