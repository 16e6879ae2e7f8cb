#include "tests/support/listened_document_test.h"

#include "tests/support/document_model.h"

namespace test_support {

void ListenedDocumentTest::SetUp()
{
    ComponentTest::SetUp();
    document = MakeDocument();
    listener = com::Make<DocumentListener>();
    ASSERT_EQ(connection.connect(document.get(), listener->identity()), com::S_OK);
}

void ListenedDocumentTest::TearDown()
{
    connection.disconnect();
    document.reset();
    ComponentTest::TearDown();
}

}  // namespace test_support
