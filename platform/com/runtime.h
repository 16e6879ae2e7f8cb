#pragma once

#include "platform/com/class_factory.h"
#include "platform/com/com_ptr.h"
#include "platform/com/export.h"

#include <string_view>

// Creating components by class identifier and programmatic identifier, through the registry:
// HKEY_CLASSES_ROOT\CLSID\{...}\InprocServer32 names the module, which is loaded once and asked for
// the class object by its DllGetClassObject. Class objects are cached until the registry changes.
//
// Thread: every thread that creates components calls CoInitialize first (ApartmentScope does it);
// CO_E_NOTINITIALIZED otherwise. Objects belong to the thread that created them.
namespace com {

enum : DWORD { CLSCTX_INPROC_SERVER = 0x1 };

// S_OK the first time on a thread, S_FALSE when it is already initialised.
PINLORE_COM_EXPORT HRESULT CoInitialize();
PINLORE_COM_EXPORT void CoUninitialize();

// REGDB_E_CLASSNOTREG when the class is not registered, CO_E_DLLNOTFOUND when its module cannot be
// loaded, CO_E_ERRORINDLL when it has no DllGetClassObject, else what the module answers
// (CLASS_E_CLASSNOTAVAILABLE, E_NOINTERFACE, ...).
PINLORE_COM_EXPORT HRESULT CoGetClassObject(REFCLSID classId, REFIID iid, void** out);
PINLORE_COM_EXPORT HRESULT CoCreateInstance(REFCLSID classId, IUnknown* outer, DWORD context, REFIID iid, void** out);
// CO_E_CLASSSTRING when no such programmatic identifier is registered.
PINLORE_COM_EXPORT HRESULT CLSIDFromProgID(std::u16string_view progId, CLSID* classId);

template <class I>
HRESULT CreateInstance(REFCLSID classId, ComPtr<I>& out)
{
    out.reset();
    return CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, I::kIid, out.putVoid());
}

// For code inside components, where a failure to create is a failure of the whole operation.
template <class I>
ComPtr<I> CreateInstance(REFCLSID classId)
{
    ComPtr<I> object;
    ThrowIfFailed(CreateInstance(classId, object));
    return object;
}

class ApartmentScope {
public:
    ApartmentScope() : result_(CoInitialize()) {}
    ~ApartmentScope() { if (SUCCEEDED(result_)) CoUninitialize(); }
    ApartmentScope(const ApartmentScope&) = delete;
    ApartmentScope& operator=(const ApartmentScope&) = delete;

private:
    HRESULT result_;
};

}  // namespace com
