#include "tests/support/temporary_registry.h"

#include <cstdlib>

namespace test_support {

TemporaryRegistry::TemporaryRegistry()
{
    if (const char* value = std::getenv("PINLORE_REGISTRY"))
        previous_ = value;
    setenv("PINLORE_REGISTRY", file().c_str(), 1);
}

TemporaryRegistry::~TemporaryRegistry()
{
    if (previous_)
        setenv("PINLORE_REGISTRY", previous_->c_str(), 1);
    else
        unsetenv("PINLORE_REGISTRY");
}

}  // namespace test_support
