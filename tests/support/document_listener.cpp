#include "tests/support/document_listener.h"

namespace test_support {

com::HRESULT DocumentListener::DocumentChanged(com::IUnknown* pUnknown, com::LONG changeFlags) noexcept
{
    notifications_.push_back({pUnknown, changeFlags});
    if (onChange) onChange(pUnknown, changeFlags);
    return answer_;
}

std::vector<com::LONG> DocumentListener::flags() const
{
    std::vector<com::LONG> result;
    for (const Notification& each : notifications_) result.push_back(each.flag);
    return result;
}

const com::IUnknown* IdentityOf(com::IUnknown* object)
{
    com::ComPtr<com::IUnknown> identity;
    if (object) object->QueryInterface(com::IID_IUnknown, identity.putVoid());
    return identity.get();
}

}  // namespace test_support
