// Points the registry and the XDG directories at a temporary directory for the whole test
// program, so that no test touches the user's files.
#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

#include <cstdlib>
#include <memory>

namespace {

class TempHomeEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        dir_ = std::make_unique<zelvo::testing::TempDir>();
        for (const auto& [name, sub] :
             {std::pair{"ZELVO_REGISTRY_DIR", "registry"}, std::pair{"XDG_CONFIG_HOME", "config"},
              std::pair{"XDG_STATE_HOME", "state"}, std::pair{"HOME", "home"}})
            ::setenv(name, (*dir_ / sub).c_str(), 1);
    }
    void TearDown() override { dir_.reset(); }

private:
    std::unique_ptr<zelvo::testing::TempDir> dir_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new TempHomeEnvironment);

}  // namespace
