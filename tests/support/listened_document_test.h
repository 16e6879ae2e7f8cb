#pragma once

#include "components/interfaces/document.h"
#include "platform/com/event_source.h"
#include "tests/support/document_listener.h"
#include "tests/support/registered_components.h"

namespace test_support {

// A component test around one document with a listener connected through its connection point.
class ListenedDocumentTest : public ComponentTest {
protected:
    void SetUp() override;
    void TearDown() override;

    com::ComPtr<IDocument> document;
    com::ComPtr<DocumentListener> listener;
    com::EventConnection<_IDocumentEvents> connection;
};

}  // namespace test_support
