// Points the registry and the XDG directories at a temporary directory for the whole test
// program, so that no test touches the user's files.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

namespace {

class TempHomeEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        dir_ = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(dir_->isValid());
        const QByteArray base = dir_->path().toLocal8Bit();
        ::setenv("ZELVO_REGISTRY_DIR", (base + "/registry").constData(), 1);
        ::setenv("XDG_CONFIG_HOME", (base + "/config").constData(), 1);
        ::setenv("XDG_STATE_HOME", (base + "/state").constData(), 1);
        ::setenv("HOME", (base + "/home").constData(), 1);
    }
    void TearDown() override { dir_.reset(); }

private:
    std::unique_ptr<QTemporaryDir> dir_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new TempHomeEnvironment);

}  // namespace
