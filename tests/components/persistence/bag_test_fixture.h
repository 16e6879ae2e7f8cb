#pragma once

#include "components/interfaces/xml_property_bag.h"
#include "tests/components/persistence/property_probe.h"
#include "tests/support/registered_components.h"
#include "tests/support/temporary_directory.h"

#include <string>

namespace persistence_test {

// A component test with the property probe registered beside the library, a bag created by class
// identifier and a folder of its own.
class BagTest : public test_support::ComponentTest {
protected:
    void SetUp() override;
    void TearDown() override;

    com::ComPtr<IPropertyProbe> newProbe();
    // Saves through SaveToStream and gives the XML text; fails the test when the save fails.
    std::string saveToText(com::IUnknown* object);
    // Loads XML text through LoadFromStream.
    com::HRESULT loadText(const std::string& text, com::ComPtr<com::IUnknown>& object);
    // A probe saved with one property and loaded back: what its Read answered.
    ProbeRead roundTrip(std::u16string name, com::Variant value, com::VARTYPE wanted = com::VT_EMPTY);

    std::filesystem::path file(const char* name) const { return folder_.path() / name; }
    static std::string readFile(const std::filesystem::path& path);
    static void writeFile(const std::filesystem::path& path, const std::string& text);

    com::ComPtr<IXMLPropertyBag> bag_;

private:
    test_support::TemporaryDirectory folder_;
};

}  // namespace persistence_test
