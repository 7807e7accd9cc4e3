// SIGTERM (and SIGHUP, which takes the same way) ends the windowed program at every box that can
// open at start. The real program runs offscreen in a folder of its own (its log lands beside
// it), with a probe loaded into it that prints each modal window as it is shown; the test waits
// for the box, sends the signal and waits for the end. A box left open keeps the program alive
// until the test kills it.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <sys/wait.h>

#include "platform/reg_claim.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace zelvo;
namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr const char* kSettings = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Varkel\\Zelvo]\r\n"
                                  "\"Sprache\"=\"de\"\r\n\"Mycall\"=\"DL9TST\"\r\n"
                                  "\"Options\"=dword:000000df\r\n\"ShowAlias\"=dword:00000003\r\n";
constexpr const char* kRosterKey = "\r\n[HKEY_CURRENT_USER\\Software\\Varkel\\Zelvo\\User]\r\n";
constexpr const char* kBert = "\"0\"=\"Bert,0,DL2BBB-3,1,1,0,,208,218,\"\r\n";

// The folders of one start: the program with its driver, the registry, the user's folders.
struct Scene {
    zelvo::testing::TempDir dir;
    fs::path bin = dir / "bin";
    fs::path registry = dir / "registry";
    std::optional<platform::RegistryClaim> otherProgram;

    fs::path currentUser() const { return registry / "HKEY_CURRENT_USER.reg"; }
    void writeRegistry(const std::string& text) const { zelvo::testing::writeFile(currentUser(), text); }
};

struct StartBox {
    const char* name;
    std::function<void(Scene&)> prepare;
    const char* shown;  // a part of the probe's line for the box
    int exitStatus;     // 1 where the box refuses the start
    int signal = SIGTERM;
};

// The program's own file in the scene's folder, so that its log and channel table are the
// scene's; a hard link where the file system allows one.
void placeProgram(const fs::path& from, const fs::path& folder)
{
    std::error_code linked;
    fs::create_hard_link(from, folder / from.filename(), linked);
    if (linked)
        fs::copy_file(from, folder / from.filename());
}

class StartBoxTest : public ::testing::TestWithParam<StartBox> {};

TEST_P(StartBoxTest, SigtermEndsTheProgramWhileTheBoxIsOpen)
{
    Scene scene;
    fs::create_directories(scene.bin);
    fs::create_directories(scene.registry);
    fs::create_directories(scene.dir / "runtime");
    fs::permissions(scene.dir / "runtime", fs::perms::owner_all);
    placeProgram(ZELVO_PROGRAM, scene.bin);
    placeProgram(ZELVO_DRIVER, scene.bin);
    // One channel whose TNC does not answer: nothing leaves the test machine.
    zelvo::testing::writeFile(scene.dir / "flexnet.conf", "0 kiss-tcp 127.0.0.1:9 Test\n");
    scene.writeRegistry(std::string(kSettings) + kRosterKey + kBert);
    GetParam().prepare(scene);

    const auto in = [&](const char* name) { return (scene.dir / name).string(); };
    zelvo::testing::Process program({(scene.bin / fs::path(ZELVO_PROGRAM).filename()).string()},
                                    {"LD_PRELOAD=" ZELVO_MODAL_PROBE, "ASAN_OPTIONS=verify_asan_link_order=0",
                                     "QT_QPA_PLATFORM=offscreen", "LC_ALL=de_DE.UTF-8", "LANGUAGE=de",
                                     "ZELVO_REGISTRY_DIR=" + scene.registry.string(),
                                     "ZELVO_FLEXNET_CONF=" + in("flexnet.conf"), "HOME=" + in("home"),
                                     "XDG_CONFIG_HOME=" + in("config"), "XDG_DATA_HOME=" + in("data"),
                                     "XDG_STATE_HOME=" + in("state"), "XDG_RUNTIME_DIR=" + in("runtime")});
    const auto box = program.wait_line(zelvo::testing::contains(GetParam().shown), 20s);
    ASSERT_TRUE(box) << "no box with \"" << GetParam().shown << "\"";
    const auto status = program.stop(GetParam().signal, 10s);
    ASSERT_TRUE(status) << "still running at: " << *box;
    EXPECT_TRUE(WIFEXITED(*status)) << "ended by signal " << WTERMSIG(*status);
    EXPECT_EQ(WEXITSTATUS(*status), GetParam().exitStatus);
}

INSTANTIATE_TEST_SUITE_P(
    EveryBox, StartBoxTest,
    ::testing::Values(
        StartBox{
            "DamagedFirstLine",
            [](Scene& s) { s.writeRegistry(std::string("REGEDIT5") + (kSettings + 8) + kRosterKey + kBert); },
            "fehlerhaft", 0},
        StartBox{"ValueWithoutClosingQuote",
                 [](Scene& s) {
                     s.writeRegistry(std::string(kSettings) + kRosterKey + kBert +
                                     "\"1\"=\"Anna,0,DL3CCC,1,1\r\n");
                 },
                 "Zeile 11", 0, SIGHUP},
        StartBox{"MissingSettingsValue",
                 [](Scene& s) {
                     s.writeRegistry(std::string(kSettings) + kRosterKey + kBert +
                                     "\r\n[HKEY_CURRENT_USER\\Software\\Varkel\\Zelvo\\Events]\r\n");
                 },
                 "Fehler beim Holen der Daten", 0},
        StartBox{"RosterEntryWithoutCall",
                 [](Scene& s) {
                     s.writeRegistry(std::string(kSettings) + kRosterKey + "\"0\"=\"Bert,0,,1,1\"\r\n");
                 },
                 "der Adressliste nicht geladen", 0},
        StartBox{"LogFileNotCreatable",
                 [](Scene& s) { fs::create_symlink(s.dir / "gone" / "Zelvo.log", s.bin / "Zelvo.log"); },
                 "kann nicht angelegt werden", 0},
        StartBox{"RegistryFolderNotClaimable",
                 [](Scene& s) { fs::create_directory(s.registry / "HKEY_CURRENT_USER.reg.inuse"); },
                 "kann nicht belegt werden", 1},
        StartBox{"RegistryFolderInUse",
                 [](Scene& s) {
                     s.otherProgram.emplace();
                     ASSERT_EQ(s.otherProgram->take({s.currentUser(), s.registry / "HKEY_LOCAL_MACHINE.reg"}),
                               platform::RegistryClaim::Result::Claimed);
                 },
                 "benutzt bereits", 1},
        // The settings at the first start, and over them the search for a TNC: two loops.
        StartBox{"FirstStartSettingsAndTncSearch",
                 [](Scene& s) {
                     fs::remove(s.dir / "flexnet.conf");
                     s.writeRegistry("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Varkel\\Zelvo]\r\n"
                                     "\"Sprache\"=\"de\"\r\n");
                 },
                 "modal zelvo::dialogs::ChannelDialog", 0}),
    [](const ::testing::TestParamInfo<StartBox>& info) { return std::string(info.param.name); });

}  // namespace
