#include "platform/com/dispatch_table.h"

namespace com {

namespace {
char16_t Folded(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool SameName(const char16_t* a, const char16_t* b)
{
    for (; *a && *b; ++a, ++b)
        if (Folded(*a) != Folded(*b)) return false;
    return *a == *b;
}
}  // namespace

HRESULT DispatchGetIDsOfNames(std::span<const DispatchMember> table, const OLECHAR* const* names, UINT count,
                              DISPID* ids)
{
    if (!names || !ids) return E_POINTER;
    if (count == 0) return S_OK;
    ids[0] = DISPID_UNKNOWN;
    HRESULT hr = DISP_E_UNKNOWNNAME;
    if (names[0]) {
        for (const DispatchMember& member : table) {
            if (SameName(member.name, names[0])) {
                ids[0] = member.id;
                hr = S_OK;
                break;
            }
        }
    }
    // Parameters have no names in the tables, so named arguments cannot be resolved.
    for (UINT i = 1; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

HRESULT DispatchInvoke(std::span<const DispatchMember> table, void* self, DISPID id, WORD flags, DISPPARAMS* params,
                       VARIANT* result, UINT* argumentError)
{
    DISPPARAMS none;
    DISPPARAMS& arguments = params ? *params : none;
    if (arguments.cArgs && !arguments.rgvarg) return E_POINTER;

    for (const DispatchMember& member : table) {
        if (member.id != id) continue;
        if (!(member.flags & flags)) continue;
        const bool isPut = member.flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
        if (arguments.cNamedArgs > 0) {
            const bool namedPutValue = isPut && arguments.cNamedArgs == 1 && arguments.rgdispidNamedArgs &&
                                       arguments.rgdispidNamedArgs[0] == DISPID_PROPERTYPUT;
            if (!namedPutValue) return DISP_E_NONAMEDARGS;
        }
        if (result && !isPut) VariantInit(result);
        return member.invoke(self, arguments, result, argumentError);
    }
    return DISP_E_MEMBERNOTFOUND;
}

}  // namespace com
