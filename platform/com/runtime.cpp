#include "platform/com/runtime.h"

#include "platform/registry/registry_key.h"
#include "platform/registry/store_state.h"

#include <dlfcn.h>
#include <map>
#include <mutex>
#include <string>
#include <unordered_map>

namespace com {

namespace {

thread_local int initialisations = 0;

using GetClassObjectEntry = HRESULT (*)(REFCLSID, REFIID, void**);

struct GuidLess {
    bool operator()(const GUID& a, const GUID& b) const
    {
        if (a.Data1 != b.Data1) return a.Data1 < b.Data1;
        if (a.Data2 != b.Data2) return a.Data2 < b.Data2;
        if (a.Data3 != b.Data3) return a.Data3 < b.Data3;
        return a.Data4 < b.Data4;
    }
};

// Modules stay loaded for the life of the process: objects and class objects of a module may be
// held anywhere, and the platform's own unloading is left to DllCanUnloadNow's callers.
class ModuleCache {
public:
    static ModuleCache& Instance()
    {
        static ModuleCache cache;
        return cache;
    }

    HRESULT ClassObject(REFCLSID classId, IClassFactory*& factory)
    {
        std::lock_guard lock(mutex_);
        const std::uint64_t generation = registry::RegistryGeneration();
        if (generation != generation_) {
            factories_.clear();
            generation_ = generation;
        }
        if (auto found = factories_.find(classId); found != factories_.end()) {
            factory = found->second;
            return S_OK;
        }
        std::string path;
        bool unreadable = false;
        HRESULT hr = S_OK;
        {
            // With a module loaded to fall back on, a registry held by another program is not waited for.
            const registry::ScopedBusyTimeout waiting(modules_.empty() ? registry::BusyTimeout()
                                                                       : std::chrono::milliseconds(0));
            hr = ServerPath(classId, path, unreadable);
        }
        if (FAILED(hr) && unreadable) {
            // While another program holds the registry, the modules already loaded still answer
            // for their own classes.
            hr = FromLoadedModule(classId, factory);
        } else if (SUCCEEDED(hr)) {
            GetClassObjectEntry entry = nullptr;
            hr = Load(path, entry);
            if (SUCCEEDED(hr)) hr = entry(classId, IID_IClassFactory, reinterpret_cast<void**>(&factory));
        }
        if (FAILED(hr)) return hr;
        factories_[classId] = factory;
        // The class objects of our modules are static and uncounted; keeping no reference is safe.
        factory->Release();
        return S_OK;
    }

private:
    // `unreadable` tells a registry that could not be read at all from a class it does not list.
    static HRESULT ServerPath(REFCLSID classId, std::string& path, bool& unreadable)
    {
        registry::RegistryKey key;
        registry::Status status =
            key.Open(registry::Hive::ClassesRoot, "CLSID\\" + FormatGuid(classId) + "\\InprocServer32");
        if (status == registry::kSuccess) status = key.QueryStringValue("", path);
        unreadable = status == registry::kCantRead;
        return status == registry::kSuccess && !path.empty() ? S_OK : REGDB_E_CLASSNOTREG;
    }

    HRESULT FromLoadedModule(REFCLSID classId, IClassFactory*& factory)
    {
        for (const auto& [path, handle] : modules_) {
            const auto entry = reinterpret_cast<GetClassObjectEntry>(::dlsym(handle, "DllGetClassObject"));
            if (entry && SUCCEEDED(entry(classId, IID_IClassFactory, reinterpret_cast<void**>(&factory)))) return S_OK;
        }
        return REGDB_E_CLASSNOTREG;
    }

    HRESULT Load(const std::string& path, GetClassObjectEntry& entry)
    {
        void*& handle = modules_[path];
        if (!handle) handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            modules_.erase(path);
            return CO_E_DLLNOTFOUND;
        }
        entry = reinterpret_cast<GetClassObjectEntry>(::dlsym(handle, "DllGetClassObject"));
        return entry ? S_OK : CO_E_ERRORINDLL;
    }

    std::mutex mutex_;
    std::uint64_t generation_ = 0;
    std::map<GUID, IClassFactory*, GuidLess> factories_;
    std::unordered_map<std::string, void*> modules_;
};

}  // namespace

HRESULT CoInitialize()
{
    return initialisations++ == 0 ? S_OK : S_FALSE;
}

void CoUninitialize()
{
    if (initialisations > 0) --initialisations;
}

HRESULT CoGetClassObject(REFCLSID classId, REFIID iid, void** out)
{
    if (!out) return E_POINTER;
    *out = nullptr;
    if (initialisations == 0) return CO_E_NOTINITIALIZED;
    IClassFactory* factory = nullptr;
    const HRESULT hr = ModuleCache::Instance().ClassObject(classId, factory);
    if (FAILED(hr)) return hr;
    return factory->QueryInterface(iid, out);
}

HRESULT CoCreateInstance(REFCLSID classId, IUnknown* outer, DWORD, REFIID iid, void** out)
{
    if (!out) return E_POINTER;
    *out = nullptr;
    ComPtr<IClassFactory> factory;
    const HRESULT hr = CoGetClassObject(classId, IID_IClassFactory, factory.putVoid());
    if (FAILED(hr)) return hr;
    return factory->CreateInstance(outer, iid, out);
}

HRESULT CLSIDFromProgID(std::u16string_view progId, CLSID* classId)
{
    if (!classId) return E_POINTER;
    *classId = GUID_NULL;
    registry::RegistryKey key;
    std::string text;
    if (progId.empty() || key.Open(registry::Hive::ClassesRoot, Utf16ToUtf8(progId) + "\\CLSID") != registry::kSuccess ||
        key.QueryStringValue("", text) != registry::kSuccess)
        return CO_E_CLASSSTRING;
    const auto parsed = ParseGuid(text);
    if (!parsed) return CO_E_CLASSSTRING;
    *classId = *parsed;
    return S_OK;
}

}  // namespace com
