// main() of the test programs that need a Qt application. Whatever a test or the code under test
// writes to its default places (registry, XDG directories, HOME) lands in one temporary
// directory, never in the user's home. With ZELVO_TEST_WIDGETS the application is a QApplication
// on the offscreen platform, for the window tests.
#include <gtest/gtest.h>

#ifdef ZELVO_TEST_WIDGETS
#include <QApplication>
using Application = QApplication;
#else
#include <QCoreApplication>
using Application = QCoreApplication;
#endif

#include "tests/support/temp_dir.h"

#include <cstdlib>

int main(int argc, char** argv)
{
    const zelvo::testing::TempDir home;
    for (const auto& [name, sub] : {std::pair{"ZELVO_REGISTRY_DIR", "registry"},
                                    {"XDG_CONFIG_HOME", "config"},
                                    {"XDG_DATA_HOME", "data"},
                                    {"XDG_STATE_HOME", "state"},
                                    {"XDG_RUNTIME_DIR", "runtime"},
                                    {"HOME", "home"}})
        ::setenv(name, (home / sub).c_str(), 1);
    std::filesystem::create_directories(home / "runtime");
    std::filesystem::permissions(home / "runtime", std::filesystem::perms::owner_all);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Application app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
