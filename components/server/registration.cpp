#include "components/server/registration.h"

#include "components/interfaces/type_library.h"
#include "components/server/class_catalogue.h"
#include "platform/registry/registry_key.h"

#include <filesystem>
#include <string_view>
#include <vector>

namespace components {

namespace {

using registry::Hive;
using registry::RegistryKey;
using registry::Status;

constexpr char kAppIdRoot[] = "AppID";
constexpr char kServerAppIdKey[] = "AppID\\Components.DLL";
constexpr char kDispatchProxyStub[] = "{00020424-0000-0000-C000-000000000046}";

com::HRESULT FromStatus(Status status)
{
    return status == registry::kSuccess ? com::S_OK : com::MakeHresult(0x80070000u | (status & 0xFFFF));
}

// Collects registry writes and keeps the first failure, so each step reads as a list of entries.
class Writer {
public:
    void key(const std::string& path, std::string_view defaultValue = {}, bool hasDefault = true)
    {
        RegistryKey key;
        if (!track(key.Create(Hive::ClassesRoot, path))) return;
        if (hasDefault) track(key.SetStringValue("", defaultValue));
    }
    void emptyKey(const std::string& path) { key(path, {}, false); }
    void value(const std::string& path, std::string_view name, std::string_view text)
    {
        RegistryKey key;
        if (!track(key.Create(Hive::ClassesRoot, path))) return;
        track(key.SetStringValue(name, text));
    }
    Status status() const { return status_; }

private:
    bool track(Status status)
    {
        if (status_ == registry::kSuccess) status_ = status;
        return status_ == registry::kSuccess;
    }
    Status status_ = registry::kSuccess;
};

std::string VersionIndependent(const std::string& progId)
{
    const auto dot = progId.rfind('.');
    return progId.substr(0, dot);
}

std::string LibraryKey()
{
    return "TypeLib\\" + com::FormatGuid(LIBID_Components);
}

std::string LibraryVersion()
{
    return std::to_string(kComponentsLibraryMajorVersion) + "." + std::to_string(kComponentsLibraryMinorVersion);
}

void WriteClass(Writer& writer, const ClassEntry& entry, const std::string& modulePath)
{
    const std::string progId = entry.progId;
    const std::string independent = VersionIndependent(progId);
    const std::string friendly = std::string(entry.className) + " Object";
    const std::string classId = com::FormatGuid(entry.classId);
    const std::string appId = com::FormatGuid(LIBID_Components);
    const std::string classKey = "CLSID\\" + classId;

    writer.key(progId, friendly);
    writer.key(progId + "\\CLSID", classId);
    writer.key(independent, friendly);
    writer.key(independent + "\\CLSID", classId);
    writer.key(independent + "\\CurVer", progId);
    writer.key(classKey, friendly);
    writer.key(classKey + "\\ProgID", progId);
    writer.key(classKey + "\\VersionIndependentProgID", independent);
    writer.emptyKey(classKey + "\\Programmable");
    writer.key(classKey + "\\InprocServer32", modulePath);
    writer.value(classKey + "\\InprocServer32", "ThreadingModel", "apartment");
    writer.key(classKey + "\\TypeLib", com::FormatGuid(LIBID_Components));
    writer.value(classKey, "AppID", appId);
    if (entry.isControl) {
        writer.emptyKey(classKey + "\\Control");
        writer.key(classKey + "\\ToolboxBitmap32", modulePath + ", 1");
        writer.key(classKey + "\\MiscStatus", "131473");
        writer.key(classKey + "\\Version", "1.0");
    }
}

void WriteTypeLibrary(Writer& writer, const std::string& modulePath)
{
    const std::string versionKey = LibraryKey() + "\\" + LibraryVersion();
    writer.key(versionKey, kComponentsLibraryHelpString);
    writer.key(versionKey + "\\0\\win32", modulePath);
    writer.key(versionKey + "\\FLAGS", "0");
    writer.key(versionKey + "\\HELPDIR", std::filesystem::path(modulePath).parent_path().string());
    for (const InterfaceEntry& entry : InterfaceCatalogue()) {
        const std::string interfaceKey = "Interface\\" + com::FormatGuid(entry.iid);
        writer.key(interfaceKey, entry.name);
        writer.key(interfaceKey + "\\ProxyStubClsid", kDispatchProxyStub);
        writer.key(interfaceKey + "\\ProxyStubClsid32", kDispatchProxyStub);
        writer.key(interfaceKey + "\\TypeLib", com::FormatGuid(LIBID_Components));
        writer.value(interfaceKey + "\\TypeLib", "Version", LibraryVersion());
    }
}

// Deletes a tree; one that is not there is already gone.
Status DeleteTree(const std::string& path)
{
    RegistryKey root;
    if (root.Open(Hive::ClassesRoot, "") != registry::kSuccess) return registry::kSuccess;
    const Status status = root.RecursiveDeleteSubKey(path);
    return status == registry::kFileNotFound ? registry::kSuccess : status;
}

void DeleteIfEmpty(const std::string& path)
{
    RegistryKey key;
    if (key.Open(Hive::ClassesRoot, path) != registry::kSuccess) return;
    std::vector<std::string> keys, values;
    if (key.EnumSubKeys(keys) != registry::kSuccess || key.EnumValues(values) != registry::kSuccess) return;
    key.Close();
    if (keys.empty() && values.empty()) DeleteTree(path);
}

}  // namespace

com::HRESULT RegisterServer(const std::string& modulePath)
{
    // One transaction: a registration is either all there or not at all.
    return FromStatus(registry::WriteAll([&] {
        Writer writer;
        writer.key(std::string(kAppIdRoot) + "\\" + com::FormatGuid(LIBID_Components), kComponentsLibraryName);
        writer.value(kServerAppIdKey, "AppID", com::FormatGuid(LIBID_Components));
        for (const ClassEntry& entry : ClassCatalogue())
            if (entry.classObject) WriteClass(writer, entry, modulePath);
        WriteTypeLibrary(writer, modulePath);
        return writer.status();
    }));
}

com::HRESULT UnregisterServer()
{
    std::vector<std::string> trees = {std::string(kAppIdRoot) + "\\" + com::FormatGuid(LIBID_Components),
                                      kServerAppIdKey, LibraryKey()};
    for (const ClassEntry& entry : ClassCatalogue()) {
        trees.push_back(entry.progId);
        trees.push_back(VersionIndependent(entry.progId));
        trees.push_back("CLSID\\" + com::FormatGuid(entry.classId));
    }
    for (const InterfaceEntry& entry : InterfaceCatalogue())
        trees.push_back("Interface\\" + com::FormatGuid(entry.iid));
    return FromStatus(registry::WriteAll([&] {
        for (const std::string& tree : trees)
            if (const Status status = DeleteTree(tree); status != registry::kSuccess) return status;
        for (const char* root : {"CLSID", "TypeLib", "Interface"})
            DeleteIfEmpty(root);
        return registry::kSuccess;
    }));
}

}  // namespace components
