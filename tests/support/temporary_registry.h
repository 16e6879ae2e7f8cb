#pragma once

#include "tests/support/temporary_directory.h"

#include <optional>
#include <string>

namespace test_support {

// Points PINLORE_REGISTRY at an empty store in a folder of its own for as long as it lives, so that
// tests never see the user's registry or each other's.
class TemporaryRegistry {
public:
    TemporaryRegistry();
    ~TemporaryRegistry();
    TemporaryRegistry(const TemporaryRegistry&) = delete;
    TemporaryRegistry& operator=(const TemporaryRegistry&) = delete;

    std::filesystem::path file() const { return folder_.path() / "registry.sqlite"; }

private:
    TemporaryDirectory folder_;
    std::optional<std::string> previous_;
};

}  // namespace test_support
