// Finding and loading the driver library in its three places, and the calls through it, against
// copies of a fake library (tests/link/fake_flxapi.c). get_ident(0) tells which copy is loaded.
#include "link/flex_api.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "platform/registry.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;
using zelvo::link::FlexApi;
using zelvo::platform::Registry;
using zelvo::platform::RegRoot;
using namespace std::string_literals;
using zelvo::testing::ScopedEnv;
using zelvo::testing::TempDir;

namespace {

const std::string kFakes = ZELVO_FAKE_DIR;

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define ZELVO_DLOPEN_INTERCEPTED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define ZELVO_DLOPEN_INTERCEPTED 1
#endif
#endif
#ifdef ZELVO_DLOPEN_INTERCEPTED
constexpr bool kDlopenIntercepted = true;
#else
constexpr bool kDlopenIntercepted = false;
#endif
const char* const kFlexNetKey = "\\Software\\FlexNet";

class FlexApiTest : public ::testing::Test {
protected:
    // Loads the copy the flexnet variable names ("env").
    void loadFromEnvironment(FlexApi& api)
    {
        ScopedEnv env("flexnet", (kFakes + "/env").c_str());
        ASSERT_TRUE(api.loadFlexApi(registry_));
    }
    void setHome(const std::string& home)
    {
        registry_.setString(RegRoot::LocalMachine, kFlexNetKey, "Home", home);
    }

    TempDir dir_;
    Registry registry_{Registry::Paths{dir_ / "HKEY_CURRENT_USER.reg", dir_ / "HKEY_LOCAL_MACHINE.reg"}};
    ScopedEnv noFlexnet_{"flexnet", nullptr};
};

// A function of the fake library loaded from `file`, without loading it a second time.
template <typename Fn>
Fn fakeFunction(const std::string& file, const char* name)
{
    void* handle = ::dlopen(file.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!handle)
        return nullptr;
    auto fn = reinterpret_cast<Fn>(::dlsym(handle, name));
    ::dlclose(handle);  // the binding still holds its own reference
    return fn;
}

}  // namespace

TEST_F(FlexApiTest, HomeFromTheRegistryComesFirst)
{
    ScopedEnv env("flexnet", (kFakes + "/env").c_str());
    setHome(kFakes + "/home");
    FlexApi api;
    ASSERT_TRUE(api.loadFlexApi(registry_));
    EXPECT_EQ(api.ident(0), "home");
    EXPECT_EQ(api.loadedFrom(), kFakes + "/home/libflxapi32.so");

    setHome(kFakes + "/home/");  // no second separator
    ASSERT_TRUE(api.loadFlexApi(registry_));
    EXPECT_EQ(api.loadedFrom(), kFakes + "/home/libflxapi32.so");
}

TEST_F(FlexApiTest, DefaultRegistryFollowsZelvoRegistryDir)
{
    ScopedEnv registryDir("ZELVO_REGISTRY_DIR", dir_.path().c_str());
    ScopedEnv env("flexnet", (kFakes + "/env").c_str());
    setHome(kFakes + "/home");
    FlexApi api;
    ASSERT_TRUE(api.loadFlexApi());
    EXPECT_EQ(api.ident(0), "home");
}

TEST_F(FlexApiTest, EnvironmentWhenHomeGivesNothing)
{
    ScopedEnv env("flexnet", (kFakes + "/env").c_str());
    FlexApi api;
    ASSERT_TRUE(api.loadFlexApi(registry_));  // no key at all
    EXPECT_EQ(api.ident(0), "env");
    EXPECT_EQ(api.loadedFrom(), kFakes + "/env/libflxapi32.so");

    fs::create_directories(dir_ / "empty");
    fs::create_directories(dir_ / "garbage");
    std::ofstream(dir_ / "garbage" / "libflxapi32.so") << "not a library\n";
    for (const std::string& home : {""s, (dir_ / "empty").string(), (dir_ / "garbage").string()}) {
        setHome(home);
        ASSERT_TRUE(api.loadFlexApi(registry_)) << "Home " << home;
        EXPECT_EQ(api.ident(0), "env") << "Home " << home;
    }
}

TEST_F(FlexApiTest, UnreadableRegistryStoreIsNoHome)
{
    std::ofstream(dir_ / "HKEY_LOCAL_MACHINE.reg") << "this is [not a .reg file\n";
    FlexApi api;
    ASSERT_NO_FATAL_FAILURE(loadFromEnvironment(api));
    EXPECT_EQ(api.ident(0), "env");
}

TEST_F(FlexApiTest, BareNameFindsTheLibraryBesideTheProgram)
{
    FlexApi api;
    ASSERT_TRUE(api.loadFlexApi(registry_));
    EXPECT_EQ(api.ident(0), "beside");
    // Through the RPATH by bare name; under a sanitizer that intercepts dlopen, by the
    // program's directory.
    const std::string expected =
        kDlopenIntercepted ? fs::read_symlink("/proc/self/exe").parent_path().string() + "/libflxapi32.so"
                           : "libflxapi32.so";
    EXPECT_EQ(api.loadedFrom(), expected);

    ScopedEnv env("flexnet", (kFakes + "/nowhere").c_str());
    ASSERT_TRUE(api.loadFlexApi(registry_));
    EXPECT_EQ(api.ident(0), "beside");
}

TEST_F(FlexApiTest, EnvironmentValueLongerThan259IsIgnored)
{
    // The same directory spelled with extra slashes: exactly 259, then 260 characters.
    ASSERT_LT(kFakes.size(), 255u);
    const std::string path = kFakes + std::string(259 - 4 - kFakes.size(), '/') + "/env";
    ASSERT_EQ(path.size(), 259u);
    FlexApi api;
    {
        ScopedEnv env("flexnet", path.c_str());
        ASSERT_TRUE(api.loadFlexApi(registry_));
        EXPECT_EQ(api.ident(0), "env");
    }
    ScopedEnv env("flexnet", ("/" + path).c_str());
    ASSERT_TRUE(api.loadFlexApi(registry_));
    EXPECT_EQ(api.ident(0), "beside");
}

TEST_F(FlexApiTest, MissingEntryPointFails)
{
    ScopedEnv env("flexnet", (kFakes + "/env").c_str());
    for (const char* copy : {"/no_strpath", "/no_init"}) {
        setHome(kFakes + copy);
        FlexApi api;
        EXPECT_FALSE(api.loadFlexApi(registry_)) << copy;
        EXPECT_FALSE(api.isLoaded()) << copy;
        EXPECT_EQ(api.ident(0), "") << copy;
        // The incomplete library is not kept loaded.
        EXPECT_EQ(::dlopen((kFakes + copy + "/libflxapi32.so").c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr);
    }
}

TEST_F(FlexApiTest, NothingFoundFailsAndCallsDoNothing)
{
    ScopedEnv env("flexnet", (dir_ / "nowhere").c_str());
    setHome((dir_ / "nowhere").string());
    FlexApi api("libflxapi32-absent.so");
    EXPECT_FALSE(api.loadFlexApi(registry_));
    EXPECT_FALSE(api.isLoaded());
    EXPECT_FALSE(api.sendUi("DL1ABC", "DL2XYZ 0", 219, ""));
    EXPECT_FALSE(api.getUi("DL1ABC"));
    EXPECT_EQ(api.ident(0), "");
    const std::uint8_t address[17] = {'A', 'B'};
    EXPECT_EQ(api.callToText(address), "");
    api.axInit();
    api.axExit();
}

TEST_F(FlexApiTest, CallsReachTheLibraryWithTheirArguments)
{
    FlexApi api;
    ASSERT_NO_FATAL_FAILURE(loadFromEnvironment(api));
    const std::string lib = api.loadedFrom();
    auto sentInt = [&](const char* name) { return fakeFunction<int (*)()>(lib, name)(); };
    auto sentText = [&](const char* name) {
        return std::string(fakeFunction<const char* (*)()>(lib, name)());
    };

    api.axInit();
    api.axExit();
    EXPECT_EQ(sentInt("fake_init_calls"), 1);
    EXPECT_EQ(sentInt("fake_exit_calls"), 1);

    EXPECT_TRUE(api.sendUi("DL1ABC-1", "DL2XYZ 3 DB0AAA", 212, "Hal\xF6"));
    EXPECT_EQ(sentText("fake_sent_mycall"), "DL1ABC-1");
    EXPECT_EQ(sentText("fake_sent_destination"), "DL2XYZ 3 DB0AAA");
    EXPECT_EQ(sentInt("fake_sent_pid"), 212);
    EXPECT_EQ(sentInt("fake_sent_reserved"), 0);
    EXPECT_EQ(sentInt("fake_sent_length"), 4);
    EXPECT_EQ(sentText("fake_sent_bytes").substr(0, 4), "Hal\xF6");

    EXPECT_TRUE(api.sendUi("DL1ABC", "DL2XYZ 0", 219, ""));
    EXPECT_EQ(sentInt("fake_sent_length"), 0);
    EXPECT_EQ(fakeFunction<const void* (*)()>(lib, "fake_sent_info")(), nullptr);
    EXPECT_FALSE(api.sendUi("DL1ABC", "refuse", 218, "[]"));

    const auto frame = api.getUi("DL1ABC");
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->pid(), 218);
    EXPECT_EQ(frame->channel(), 7);
    EXPECT_EQ(frame->infoText(), "[Nord]\x18");
    EXPECT_FALSE(api.getUi("DL9ZZZ"));

    EXPECT_EQ(api.ident(0), "env");
    EXPECT_EQ(api.ident(3), "");  // the library answers NULL
}

TEST_F(FlexApiTest, CallAndPathTextsStopAtNulAndAtTheirRoom)
{
    FlexApi api;
    ASSERT_NO_FATAL_FAILURE(loadFromEnvironment(api));

    const std::string call = "DL1ABC-5\0garbage!"s;
    EXPECT_EQ(api.callToText(reinterpret_cast<const std::uint8_t*>(call.data())), "DL1ABC-5");
    const std::string unterminated(17, 'C');
    EXPECT_EQ(api.callToText(reinterpret_cast<const std::uint8_t*>(unterminated.data())),
              std::string(16, 'C'));

    FlxUiFrame frame{};
    std::string path = "DB0XYZ DL1ABC-5\0rest"s;
    path.resize(FLX_PATH_TEXT + 1, 'x');
    frame.info = reinterpret_cast<const std::uint8_t*>(path.data());
    EXPECT_EQ(api.pathToText(zelvo::link::UiFrameView(&frame)), "DB0XYZ DL1ABC-5");
    const std::string longPath(FLX_PATH_TEXT + 1, 'P');
    frame.info = reinterpret_cast<const std::uint8_t*>(longPath.data());
    EXPECT_EQ(api.pathToText(zelvo::link::UiFrameView(&frame)), std::string(131, 'P'));
}

TEST_F(FlexApiTest, UnloadReleasesTheLibrary)
{
    FlexApi api;
    ASSERT_NO_FATAL_FAILURE(loadFromEnvironment(api));
    const std::string lib = api.loadedFrom();
    EXPECT_TRUE(api.unloadFlexApi());
    EXPECT_FALSE(api.isLoaded());
    EXPECT_EQ(::dlopen(lib.c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr);
    EXPECT_FALSE(api.sendUi("DL1ABC", "DL2XYZ 0", 219, ""));
    EXPECT_TRUE(api.unloadFlexApi());
    ASSERT_NO_FATAL_FAILURE(loadFromEnvironment(api));
    EXPECT_EQ(api.ident(0), "env");
}
