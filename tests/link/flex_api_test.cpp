// Finding and loading the driver library in its three places, and the calls through it, against
// copies of a fake library (tests/link/fake_flxapi.c). get_ident(0) tells which copy is loaded.
#include "link/flex_api.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "platform/registry.h"
#include "tests/link/fake_flxapi.h"
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
        registry_.setString(RegRoot::LocalMachine, "\\Software\\FlexNet", "Home", home);
    }

    TempDir dir_;
    Registry registry_{Registry::Paths{dir_ / "HKEY_CURRENT_USER.reg", dir_ / "HKEY_LOCAL_MACHINE.reg"}};
    ScopedEnv noFlexnet_{"flexnet", nullptr};
};

}  // namespace

TEST_F(FlexApiTest, HomeFromTheRegistryThenTheEnvironmentThenBesideTheProgram)
{
    fs::create_directories(dir_ / "empty");
    fs::create_directories(dir_ / "garbage");
    std::ofstream(dir_ / "garbage" / "libflxapi32.so") << "not a library\n";
    // The same directory spelled with extra slashes: exactly 259 characters, the most taken.
    ASSERT_LT(kFakes.size(), 255u);
    const std::string env259 = kFakes + std::string(259 - 4 - kFakes.size(), '/') + "/env";
    // Through the RPATH by bare name; under a sanitizer that intercepts dlopen, by the
    // program's directory.
    const std::string beside =
        kDlopenIntercepted ? fs::read_symlink("/proc/self/exe").parent_path().string() + "/libflxapi32.so"
                           : "libflxapi32.so";
    struct Case {
        std::optional<std::string> home, env;
        std::string loadedFrom;
    };
    const Case cases[] = {
        {kFakes + "/home", kFakes + "/env", kFakes + "/home/libflxapi32.so"},
        {kFakes + "/home/", std::nullopt, kFakes + "/home/libflxapi32.so"},  // no second separator
        {std::nullopt, kFakes + "/env", kFakes + "/env/libflxapi32.so"},
        {"", kFakes + "/env", kFakes + "/env/libflxapi32.so"},
        {(dir_ / "empty").string(), kFakes + "/env", kFakes + "/env/libflxapi32.so"},
        {(dir_ / "garbage").string(), kFakes + "/env", kFakes + "/env/libflxapi32.so"},
        {std::nullopt, env259, env259 + "/libflxapi32.so"},
        {std::nullopt, "/" + env259, beside},  // 260 characters: ignored
        {std::nullopt, kFakes + "/nowhere", beside},
        {std::nullopt, std::nullopt, beside},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "Home " << c.home.value_or("(none)") << ", flexnet " << c.env.value_or("(none)"));
        registry_.deleteKey(RegRoot::LocalMachine, "\\Software\\FlexNet");
        if (c.home)
            setHome(*c.home);
        ScopedEnv env("flexnet", c.env ? c.env->c_str() : nullptr);
        FlexApi api;
        ASSERT_TRUE(api.loadFlexApi(registry_));
        EXPECT_EQ(api.loadedFrom(), c.loadedFrom);
        EXPECT_EQ(api.ident(0),
                  c.loadedFrom == beside ? "beside" : fs::path(c.loadedFrom).parent_path().filename());
    }
}

TEST_F(FlexApiTest, HomeIsReadFromTheDefaultRegistryAndAnUnreadableOneIsNoHome)
{
    ScopedEnv registryDir("ZELVO_REGISTRY_DIR", dir_.path().c_str());
    ScopedEnv env("flexnet", (kFakes + "/env").c_str());
    setHome(kFakes + "/home");
    FlexApi api;
    ASSERT_TRUE(api.loadFlexApi());
    // A driver without a send queue.
    EXPECT_EQ(std::tuple(api.ident(0), api.frameWaiting("DL1ABC", "busy", 208, "Hi"), api.holdsFrames()),
              std::tuple("home", false, false));
    api.withdrawFrame("DL1ABC", "busy", 208, "Hi");

    std::ofstream(dir_ / "HKEY_LOCAL_MACHINE.reg") << "this is [not a .reg file\n";
    for (bool withRegistry : {false, true}) {
        ASSERT_TRUE(withRegistry ? api.loadFlexApi(registry_) : api.loadFlexApi());
        EXPECT_EQ(api.ident(0), "env");
    }
}

// A library without an entry point is refused and not kept loaded, and no other place is tried
// instead; with nothing loaded every call does nothing.
TEST_F(FlexApiTest, IncompleteOrMissingLibraryFailsAndCallsDoNothing)
{
    FlexApi api("libflxapi32-absent.so");
    const std::string nowhere = (dir_ / "nowhere").string();
    const std::pair<std::string, std::string> places[] = {{kFakes + "/no_strpath", kFakes + "/env"},
                                                          {kFakes + "/no_init", kFakes + "/env"},
                                                          {nowhere, nowhere}};
    for (const auto& [home, flexnet] : places) {
        ScopedEnv env("flexnet", flexnet.c_str());
        setHome(home);
        EXPECT_EQ(std::tuple(api.loadFlexApi(registry_), api.isLoaded(), api.ident(0)),
                  std::tuple(false, false, ""))
            << home;
        EXPECT_EQ(::dlopen((home + "/libflxapi32.so").c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr) << home;
    }
    const std::uint8_t address[17] = {'A', 'B'};
    EXPECT_EQ(std::tuple(api.sendUi("DL1ABC", "DL2XYZ 0", 219, ""), api.getUi("DL1ABC").has_value(),
                         api.callToText(address)),
              std::tuple(false, false, ""));
    api.axInit();
    api.axExit();
}

TEST_F(FlexApiTest, CallsReachTheLibraryWithTheirArgumentsUntilItIsUnloaded)
{
    FlexApi api;
    ASSERT_NO_FATAL_FAILURE(loadFromEnvironment(api));
    // The fake's record of the calls, without loading it a second time.
    void* handle = ::dlopen(api.loadedFrom().c_str(), RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(handle, nullptr);
    auto& calls = *static_cast<FakeCalls*>(::dlsym(handle, "fake_calls"));
    ::dlclose(handle);  // the binding still holds its own reference

    api.axInit();
    api.axExit();
    EXPECT_EQ(std::tie(calls.init_calls, calls.exit_calls), std::make_tuple(1, 1));

    EXPECT_TRUE(api.sendUi("DL1ABC-1", "DL2XYZ 3 DB0AAA", 212, "Hal\xF6"));
    EXPECT_EQ(std::tuple(std::string(calls.mycall), std::string(calls.destination), calls.pid, calls.reserved,
                         calls.length, std::string(calls.bytes, 4)),
              std::tuple("DL1ABC-1", "DL2XYZ 3 DB0AAA", 212, 0, 4, "Hal\xF6"));

    EXPECT_TRUE(api.sendUi("DL1ABC", "DL2XYZ 0", 219, ""));
    EXPECT_EQ(std::tuple(calls.length, calls.info), std::tuple(0, nullptr));
    EXPECT_FALSE(api.sendUi("DL1ABC", "refuse", 218, "[]"));

    EXPECT_TRUE(api.frameWaiting("DL1ABC-1", "busy", 209, "Hi"));
    EXPECT_FALSE(api.holdsFrames());  // by the count, nothing waits
    calls.waiting_count = 2;
    EXPECT_TRUE(api.holdsFrames());
    calls.waiting_count = 0;
    api.withdrawFrame("DL1ABC-1", "DL2XYZ 1", 210, "");
    EXPECT_EQ(std::tie(calls.withdrawn, calls.destination, calls.pid, calls.info),
              std::make_tuple(1, "DL2XYZ 1"s, 210, nullptr));

    const auto frame = api.getUi("DL1ABC");
    ASSERT_TRUE(frame);
    EXPECT_EQ(std::make_tuple(frame->pid(), frame->channel(), frame->infoText()),
              std::make_tuple(218, 7, "[Nord]\x18"s));
    EXPECT_FALSE(api.getUi("DL9ZZZ"));

    EXPECT_EQ(std::tuple(api.ident(0), api.ident(3)), std::tuple("env", ""));  // NULL for channel 3

    // Unloaded, the library is let go and the calls do nothing; it can be loaded again.
    const std::string lib = api.loadedFrom();
    EXPECT_TRUE(api.unloadFlexApi());
    EXPECT_EQ(std::tuple(api.isLoaded(), ::dlopen(lib.c_str(), RTLD_NOW | RTLD_NOLOAD),
                         api.sendUi("DL1ABC", "DL2XYZ 0", 219, ""), api.unloadFlexApi()),
              std::tuple(false, nullptr, false, true));
    ASSERT_NO_FATAL_FAILURE(loadFromEnvironment(api));
    EXPECT_EQ(api.ident(0), "env");

    setHome(kFakes + "/no_count");  // without the waiting count every frame is asked after
    FlexApi older;
    ASSERT_TRUE(older.loadFlexApi(registry_));
    EXPECT_TRUE(older.holdsFrames());
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
