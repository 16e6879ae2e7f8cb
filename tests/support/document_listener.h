#pragma once

#include "components/interfaces/document.h"
#include "platform/com/implements.h"

#include <functional>
#include <vector>

namespace test_support {

// A listener on a document's events that records every notification in order. It keeps only the
// identity of the object named in a notification, never a reference: the document holds its
// listeners, so a reference back would keep the document alive.
class DocumentListener final : public com::Implements<DocumentListener, _IDocumentEvents> {
public:
    struct Notification {
        const com::IUnknown* object;
        com::LONG flag;
        friend bool operator==(const Notification&, const Notification&) = default;
    };

    com::HRESULT DocumentChanged(com::IUnknown* pUnknown, com::LONG changeFlags) noexcept override;

    const std::vector<Notification>& notifications() const { return notifications_; }
    std::vector<com::LONG> flags() const;
    void clear() { notifications_.clear(); }

    // Every later call answers this code (after recording the notification).
    void answer(com::HRESULT result) { answer_ = result; }
    // Runs inside each notification, after it is recorded: for listeners that look at the model.
    std::function<void(com::IUnknown*, com::LONG)> onChange;

private:
    std::vector<Notification> notifications_;
    com::HRESULT answer_ = com::S_OK;
};

// The identity (IUnknown) of an object, as notifications name it.
const com::IUnknown* IdentityOf(com::IUnknown* object);

}  // namespace test_support
