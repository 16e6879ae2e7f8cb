#include "components/server/registration.h"

#include "components/interfaces/type_library.h"
#include "components/server/class_catalogue.h"
#include "platform/registry/registry_key.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <optional>
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
// Beside the server's AppID entry, so that unregistering removes it with the rest.
constexpr char kFingerprintValue[] = "RegistrationFingerprint";

com::HRESULT FromStatus(Status status)
{
    return status == registry::kSuccess ? com::S_OK : com::MakeHresult(0x80070000u | (status & 0xFFFF));
}

// One entry the registration writes under HKEY_CLASSES_ROOT: a key, or a named or default value.
struct Entry {
    std::string path;
    std::string name;                 // "" is the key's default value
    std::optional<std::string> text;  // nothing: the key alone, without a default value
};

// Everything one registration writes, in order. Writing and fingerprinting both read this list, so
// the fingerprint can never miss an entry that the registration adds.
class Plan {
public:
    void key(const std::string& path, std::string_view defaultValue) { entries_.push_back({path, "", std::string(defaultValue)}); }
    void emptyKey(const std::string& path) { entries_.push_back({path, "", std::nullopt}); }
    void value(const std::string& path, std::string_view name, std::string_view text)
    {
        entries_.push_back({path, std::string(name), std::string(text)});
    }
    const std::vector<Entry>& entries() const { return entries_; }

private:
    std::vector<Entry> entries_;
};

std::string VersionIndependent(const std::string& progId)
{
    const auto dot = progId.rfind('.');
    return progId.substr(0, dot);
}

std::string AppIdKey()
{
    return std::string(kAppIdRoot) + "\\" + com::FormatGuid(LIBID_Components);
}

std::string LibraryKey()
{
    return "TypeLib\\" + com::FormatGuid(LIBID_Components);
}

std::string LibraryVersion()
{
    return std::to_string(kComponentsLibraryMajorVersion) + "." + std::to_string(kComponentsLibraryMinorVersion);
}

// A type library's locale key is the locale identifier in hexadecimal without leading zeros.
std::string LibraryLocale()
{
    char text[16];
    std::snprintf(text, sizeof text, "%lx", kComponentsLibraryLocale);
    return text;
}

std::string TypeLibraryFileKey()
{
    return LibraryKey() + "\\" + LibraryVersion() + "\\" + LibraryLocale() + "\\win32";
}

void PlanClass(Plan& plan, const ClassEntry& entry, const std::string& modulePath)
{
    const std::string progId = entry.progId;
    const std::string independent = VersionIndependent(progId);
    const std::string friendly = std::string(entry.className) + " Object";
    const std::string classId = com::FormatGuid(entry.classId);
    const std::string appId = com::FormatGuid(LIBID_Components);
    const std::string classKey = "CLSID\\" + classId;

    plan.key(progId, friendly);
    plan.key(progId + "\\CLSID", classId);
    plan.key(independent, friendly);
    plan.key(independent + "\\CLSID", classId);
    plan.key(independent + "\\CurVer", progId);
    plan.key(classKey, friendly);
    plan.key(classKey + "\\ProgID", progId);
    plan.key(classKey + "\\VersionIndependentProgID", independent);
    plan.emptyKey(classKey + "\\Programmable");
    plan.key(classKey + "\\InprocServer32", modulePath);
    plan.value(classKey + "\\InprocServer32", "ThreadingModel", "apartment");
    plan.key(classKey + "\\TypeLib", com::FormatGuid(LIBID_Components));
    plan.value(classKey, "AppID", appId);
    if (entry.isControl) {
        plan.emptyKey(classKey + "\\Control");
        plan.key(classKey + "\\ToolboxBitmap32", modulePath + ", 1");
        plan.key(classKey + "\\MiscStatus", "131473");
        plan.key(classKey + "\\Version", "1.0");
    }
}

void PlanTypeLibrary(Plan& plan, const std::string& modulePath)
{
    const std::string versionKey = LibraryKey() + "\\" + LibraryVersion();
    plan.key(versionKey, kComponentsLibraryHelpString);
    plan.key(TypeLibraryFileKey(), modulePath);
    plan.key(versionKey + "\\FLAGS", "0");
    plan.key(versionKey + "\\HELPDIR", std::filesystem::path(modulePath).parent_path().string());
    for (const InterfaceEntry& entry : InterfaceCatalogue()) {
        const std::string interfaceKey = "Interface\\" + com::FormatGuid(entry.iid);
        plan.key(interfaceKey, entry.name);
        plan.key(interfaceKey + "\\ProxyStubClsid", kDispatchProxyStub);
        plan.key(interfaceKey + "\\ProxyStubClsid32", kDispatchProxyStub);
        plan.key(interfaceKey + "\\TypeLib", com::FormatGuid(LIBID_Components));
        plan.value(interfaceKey + "\\TypeLib", "Version", LibraryVersion());
    }
}

Plan RegistrationPlan(const std::string& modulePath)
{
    Plan plan;
    plan.key(AppIdKey(), kComponentsLibraryName);
    plan.value(kServerAppIdKey, "AppID", com::FormatGuid(LIBID_Components));
    for (const ClassEntry& entry : ClassCatalogue())
        if (entry.classObject) PlanClass(plan, entry, modulePath);
    PlanTypeLibrary(plan, modulePath);
    return plan;
}

// FNV-1a over every path, name and value, each field closed by a zero byte (which no registry
// name or string holds), so that moving text between fields changes the result.
std::string Fingerprint(const Plan& plan)
{
    std::uint64_t hash = 0xcbf29ce484222325u;
    const auto add = [&hash](std::string_view field) {
        for (const char c : field) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3u;
        hash *= 0x100000001b3u;
    };
    for (const Entry& entry : plan.entries()) {
        add(entry.path);
        add(entry.name);
        add(entry.text ? "=" + *entry.text : std::string());
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

// The top keys that RegisterServer writes for the whole catalogue, classes without code included,
// so that removing them clears what any earlier build registered there.
std::vector<std::string> RegisteredTrees()
{
    std::vector<std::string> trees = {AppIdKey(), kServerAppIdKey, LibraryKey()};
    for (const ClassEntry& entry : ClassCatalogue()) {
        trees.push_back(entry.progId);
        trees.push_back(VersionIndependent(entry.progId));
        trees.push_back("CLSID\\" + com::FormatGuid(entry.classId));
    }
    for (const InterfaceEntry& entry : InterfaceCatalogue())
        trees.push_back("Interface\\" + com::FormatGuid(entry.iid));
    return trees;
}

// Deletes a tree; one that is not there is already gone.
Status DeleteTree(const std::string& path)
{
    RegistryKey root;
    if (root.Open(Hive::ClassesRoot, "") != registry::kSuccess) return registry::kSuccess;
    const Status status = root.RecursiveDeleteSubKey(path);
    return status == registry::kFileNotFound ? registry::kSuccess : status;
}

Status DeleteTrees()
{
    for (const std::string& tree : RegisteredTrees())
        if (const Status status = DeleteTree(tree); status != registry::kSuccess) return status;
    return registry::kSuccess;
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

Status Write(const Entry& entry)
{
    RegistryKey key;
    if (const Status status = key.Create(Hive::ClassesRoot, entry.path); status != registry::kSuccess) return status;
    return entry.text ? key.SetStringValue(entry.name, *entry.text) : registry::kSuccess;
}

// The default value of the key at path, or nothing when either is missing.
std::optional<std::string> DefaultValue(const std::string& path)
{
    RegistryKey key;
    std::string value;
    if (key.Open(Hive::ClassesRoot, path) != registry::kSuccess || key.QueryStringValue("", value) != registry::kSuccess)
        return std::nullopt;
    return value;
}

}  // namespace

com::HRESULT RegisterServer(const std::string& modulePath)
{
    const Plan plan = RegistrationPlan(modulePath);
    const std::string fingerprint = Fingerprint(plan);
    // One transaction: a registration is either all there or not at all, and a failure half way
    // leaves the earlier registration as it was.
    return FromStatus(registry::WriteAll([&] {
        if (const Status status = DeleteTrees(); status != registry::kSuccess) return status;
        for (const Entry& entry : plan.entries())
            if (const Status status = Write(entry); status != registry::kSuccess) return status;
        return Write({AppIdKey(), kFingerprintValue, fingerprint});
    }));
}

com::HRESULT CheckRegistration(const std::string& modulePath)
{
    // The expected fingerprint depends only on the catalogue and the path, so one computation serves
    // every later check of the same path.
    static std::mutex cacheMutex;
    static std::string cachedPath;
    static std::string cachedFingerprint;
    std::string expected;
    {
        std::lock_guard lock(cacheMutex);
        if (cachedFingerprint.empty() || cachedPath != modulePath) {
            cachedFingerprint = Fingerprint(RegistrationPlan(modulePath));
            cachedPath = modulePath;
        }
        expected = cachedFingerprint;
    }
    bool current = false;
    // One read transaction: the check sees one state of the registry and pays for it once.
    const Status status = registry::ReadAll([&] {
        RegistryKey appId;
        std::string stored;
        if (appId.Open(Hive::ClassesRoot, AppIdKey()) != registry::kSuccess ||
            appId.QueryStringValue(kFingerprintValue, stored) != registry::kSuccess || stored != expected)
            return registry::kSuccess;
        // The fingerprint cannot see what was deleted or changed after it was written. These are the
        // entries the runtime resolves every creation through, and the one that names the module as
        // the type library's.
        if (DefaultValue(TypeLibraryFileKey()) != modulePath) return registry::kSuccess;
        for (const ClassEntry& entry : ClassCatalogue()) {
            if (!entry.classObject) continue;
            const std::string classId = com::FormatGuid(entry.classId);
            if (DefaultValue("CLSID\\" + classId + "\\InprocServer32") != modulePath ||
                DefaultValue(std::string(entry.progId) + "\\CLSID") != classId)
                return registry::kSuccess;
        }
        current = true;
        return registry::kSuccess;
    });
    return status == registry::kSuccess && current ? com::S_OK : com::S_FALSE;
}

com::HRESULT UnregisterServer()
{
    return FromStatus(registry::WriteAll([&] {
        if (const Status status = DeleteTrees(); status != registry::kSuccess) return status;
        for (const char* root : {"CLSID", "TypeLib", "Interface"})
            DeleteIfEmpty(root);
        return registry::kSuccess;
    }));
}

}  // namespace components
