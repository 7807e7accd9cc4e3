// Loading libflxapi32.so the way the program does (dlopen, symbols by name): only the entry
// points are exported, the table beside the library as it was loaded is read, and unloading a
// running driver stops its threads. Not linked against the library, so that the symlink's
// path is the one the loader records.
#include "driver/flxapi.h"
#include "driver/flxapi_ext.h"
#include "tests/support/kiss_socket.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <stdlib.h>

using namespace zelvo::testing;

namespace {

TEST(DriverLoad, ExportsTheEntryPointsAndReadsTheTableBesideTheLibrary)
{
    TempDir dir;
    const auto link = dir.path() / "libflxapi32.so";
    std::filesystem::create_symlink(FLXAPI32_PATH, link);
    KissServer down(/*listen_now=*/false);
    dir.write("flexnet.conf", "9 kiss-tcp 127.0.0.1:" + std::to_string(down.port()) + " Daneben\n");
    ::unsetenv("ZELVO_FLEXNET_CONF");

    void* lib = ::dlopen(link.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(lib, nullptr) << ::dlerror();
    for (const char* name : {"ax_init", "ax_exit", "l2_send_ui", "l2_get_ui", "get_ident", "strcall",
                             "strpath", "flx_get_stats", "flx_channel_connected"})
        EXPECT_NE(::dlsym(lib, name), nullptr) << name;
    // The codec inside stays private (zelvo::ax25::encodeFrame).
    EXPECT_EQ(::dlsym(lib, "_ZN5zelvo4ax2511encodeFrameB5cxx11ERKNS0_5FrameE"), nullptr);

    auto init = reinterpret_cast<decltype(&ax_init)>(::dlsym(lib, "ax_init"));
    auto ident = reinterpret_cast<decltype(&get_ident)>(::dlsym(lib, "get_ident"));
    auto stats = reinterpret_cast<decltype(&flx_get_stats)>(::dlsym(lib, "flx_get_stats"));
    ASSERT_TRUE(init && ident && stats);
    ASSERT_EQ(init(), 0);
    EXPECT_STREQ(ident(9), "Daneben");
    EXPECT_STREQ(ident(0), "");  // not the built-in table

    // Unloaded while its connection thread is retrying, without ax_exit.
    ASSERT_TRUE(wait_until([&] {
        FlxStats s{};
        stats(&s);
        return s.connect_failures >= 1;
    }));
    EXPECT_EQ(::dlclose(lib), 0);
}

}  // namespace
