// Points the registry and the XDG directories at a temporary directory for the whole test
// program, so that no test touches the user's files, and gives it a Qt application object.
#include <gtest/gtest.h>

#include <QCoreApplication>

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
              std::pair{"XDG_STATE_HOME", "state"}, std::pair{"XDG_RUNTIME_DIR", "runtime"},
              std::pair{"HOME", "home"}})
            ::setenv(name, (*dir_ / sub).c_str(), 1);
        std::filesystem::create_directories(*dir_ / "runtime");
        std::filesystem::permissions(*dir_ / "runtime", std::filesystem::perms::owner_all);
        app_ = std::make_unique<QCoreApplication>(argc_, argv_);
    }
    void TearDown() override
    {
        app_.reset();
        dir_.reset();
    }

private:
    int argc_ = 1;
    char name_[8] = "zelvo";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<zelvo::testing::TempDir> dir_;
    std::unique_ptr<QCoreApplication> app_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new TempHomeEnvironment);

}  // namespace
