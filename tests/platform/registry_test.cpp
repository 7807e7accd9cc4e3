#include "platform/registry.h"

#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace zelvo::platform {
namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;
using testing::readFile;
using testing::ScopedEnv;
using testing::TempDir;
using ::testing::ThrowsMessage;
using testing::writeFile;

constexpr auto CU = RegRoot::CurrentUser;
constexpr auto LM = RegRoot::LocalMachine;
const std::string kZelvo = "\\Software\\Varkel\\Zelvo";

class RegistryTest : public ::testing::Test {
protected:
    Registry::Paths paths() const { return {dir / "HKEY_CURRENT_USER.reg", dir / "HKEY_LOCAL_MACHINE.reg"}; }
    std::string cuText() const { return readFile(paths().currentUser); }

    TempDir dir;
};

TEST_F(RegistryTest, StringsRoundTripExactlyThroughTheFile)
{
    std::string allBytes;
    for (int c = 1; c < 256; ++c)
        allBytes += static_cast<char>(c);
    const std::vector<std::string> samples = {
        "",
        "say \"hi\"",
        "C:\\WINDOWS\\Media\\ding.wav",
        "ends with a backslash\\",
        "\\\"",
        "Zeile 1\r\nZeile 2\r\n",
        "\xE4\xF6\xFC\xDF \xC4\xD6\xDC",
        allBytes,
    };
    {
        Registry writer(paths());
        for (std::size_t i = 0; i < samples.size(); ++i)
            writer.setString(CU, kZelvo, "v" + std::to_string(i), samples[i]);
        writer.setString(CU, kZelvo, "nul", std::string("ab\0cd", 5));  // cut at the NUL
        EXPECT_EQ(writer.readString(CU, kZelvo, "nul"), "ab");
    }
    Registry reader(paths());
    for (std::size_t i = 0; i < samples.size(); ++i)
        EXPECT_EQ(reader.readString(CU, kZelvo, "v" + std::to_string(i)), samples[i]) << "sample " << i;
    EXPECT_EQ(reader.readString(CU, kZelvo, "nul"), "ab");

    const std::string text = cuText();
    // CR LF inside a string: REG_SZ in hex with its closing NUL.
    EXPECT_THAT(
        text, AllOf(HasSubstr("\"v1\"=\"say \\\"hi\\\"\"\r\n"),
                    HasSubstr("\"v6\"=\"\xE4\xF6\xFC\xDF \xC4\xD6\xDC\"\r\n"),
                    HasSubstr("\"v5\"=hex(1):5a,65,69,6c,65,20,31,0d,0a,5a,65,69,6c,65,20,32,0d,0a,00\r\n")));
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        EXPECT_LE(line.size(), 81u) << line;
}

TEST_F(RegistryTest, WritesSortedKeysParentsFirstAndValuesInCreationOrder)
{
    Registry reg(paths());
    reg.setString(CU, "\\Software\\b", "zeta", "1");
    reg.setDword(CU, "\\Software\\b", "alpha", 0x1f);
    reg.createKey(CU, "\\Software\\A\\Sub");
    reg.setString(CU, "", "", "default");
    reg.setString(CU, "\\Software\\b", "ZETA", "2");  // same value: keeps its place and its name
    EXPECT_EQ(cuText(),
              "REGEDIT4\r\n\r\n"
              "[HKEY_CURRENT_USER]\r\n@=\"default\"\r\n\r\n"
              "[HKEY_CURRENT_USER\\Software]\r\n\r\n"
              "[HKEY_CURRENT_USER\\Software\\A]\r\n\r\n"
              "[HKEY_CURRENT_USER\\Software\\A\\Sub]\r\n\r\n"
              "[HKEY_CURRENT_USER\\Software\\b]\r\n\"zeta\"=\"2\"\r\n\"alpha\"=dword:0000001f\r\n\r\n");
    EXPECT_EQ(reg.subkeyNames(CU, "Software"), (std::vector<std::string>{"A", "b"}));
    EXPECT_EQ(reg.valueNames(CU, "software\\B"), (std::vector<std::string>{"zeta", "alpha"}));
}

std::string windowsExport(const std::string& eol)
{
    const std::vector<std::string> lines = {
        "REGEDIT4",
        "",
        "; exportiert von regedit",
        "[HKEY_CURRENT_USER\\Software\\Varkel\\Zelvo]",
        "\"Mycall\"=\"DL1ABC-7\"",
        "\"Alias\"=\"J\xF6rg\"",
        "\"Options\"=dword:000000FF",
        "\"Infotext\"=hex(1):5a,65,6c,76,6f,2d,42,65,69,73,70,69,65,6c,20,49,6e,66,6f,0d,0a,\\",
        "  4e,61,6d,65,3a,20,4a,6f,65,72,67,00",
        "@=\"Standard\"",
        "",
        "[HKEY_CURRENT_USER\\Software\\Varkel\\Zelvo\\Events]",
        "\"0-Wave\"=\"C:\\\\WINDOWS\\\\Media\\\\ding.wav\"",
        "\"Path\"=hex(2):25,53,79,73,74,65,6d,52,6f,6f,74,25,5c,6d,65,64,69,61,00",
        "\"Blob\"=hex:01,02,ff",
        "\"Multi\"=hex(7):61,00,62,00,00,00",
        "\"Empty\"=hex:",
        "\"Gone\"=\"x\"",
        "\"Gone\"=-",
        "",
        "[HKEY_CURRENT_USER\\Software\\Varkel\\Zelvo\\User]",
        "\"0\"=\"Nord,0,\\\"DL1ABC-7 DB0XYZ\\\",1,0,0,,208,218,\"",
        "",
        "[HKEY_CURRENT_USER\\Software\\Old\\Child]",
        "\"x\"=\"y\"",
        "[-HKEY_CURRENT_USER\\Software\\Old]",
        "",
    };
    std::string text;
    for (const auto& line : lines)
        text += line + eol;
    return text;
}

void expectExportedValues(const Registry& reg)
{
    const std::string events = kZelvo + "\\Events";
    EXPECT_EQ(std::tuple(reg.readString(CU, kZelvo, "MYCALL"), reg.readString(CU, kZelvo, "Alias"),
                         reg.readDword(CU, kZelvo, "Options"), reg.readString(CU, kZelvo, "Infotext"),
                         reg.readString(CU, kZelvo, ""), reg.readString(CU, events, "0-Wave")),
              std::tuple("DL1ABC-7", "J\xF6rg", 0xffu, "Zelvo-Beispiel Info\r\nName: Joerg", "Standard",
                         "C:\\WINDOWS\\Media\\ding.wav"));
    const std::string expandSz = "%SystemRoot%\\media";
    std::vector<std::uint8_t> expandBytes(expandSz.begin(), expandSz.end());
    expandBytes.push_back(0);
    EXPECT_EQ(reg.value(CU, events, "Path"), RegValue(RegRawValue{2, expandBytes}));
    EXPECT_EQ(reg.value(CU, events, "Blob"), RegValue(RegRawValue{3, {0x01, 0x02, 0xff}}));
    EXPECT_EQ(reg.value(CU, events, "Multi"), RegValue(RegRawValue{7, {0x61, 0, 0x62, 0, 0, 0}}));
    EXPECT_EQ(reg.value(CU, events, "Empty"), RegValue(RegRawValue{3, {}}));
    EXPECT_EQ(reg.readString(CU, kZelvo + "\\User", "0"), "Nord,0,\"DL1ABC-7 DB0XYZ\",1,0,0,,208,218,");
    // "Path" is no REG_SZ.
    EXPECT_FALSE(reg.value(CU, events, "Gone") || reg.readString(CU, events, "Path") ||
                 reg.keyExists(CU, "\\Software\\Old") || reg.keyExists(CU, "\\Software\\Old\\Child"));
}

TEST_F(RegistryTest, ReadsAWindowsExportAndKeepsEveryValueWhenWritingBack)
{
    for (const std::string eol : {"\r\n", "\n"}) {
        writeFile(paths().currentUser, windowsExport(eol));
        Registry reg(paths());
        expectExportedValues(reg);
        EXPECT_EQ(reg.valueNames(CU, kZelvo + "\\Events"),
                  (std::vector<std::string>{"0-Wave", "Path", "Blob", "Multi", "Empty"}));

        reg.setDword(CU, kZelvo, "ShowAlias", 3);
        Registry fresh(paths());
        expectExportedValues(fresh);
        EXPECT_EQ(fresh.readDword(CU, kZelvo, "ShowAlias"), 3u);
        EXPECT_NE(cuText().find("\"Multi\"=hex(7):61,00,62,00,00,00\r\n"), std::string::npos);
    }
}

TEST_F(RegistryTest, KeysOpenCreateAndDeleteLikeWindows)
{
    Registry reg(paths());
    EXPECT_FALSE(RegKey::open(reg, CU, kZelvo));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << "a read must create nothing";

    RegKey zelvo = RegKey::create(reg, CU, kZelvo);
    EXPECT_TRUE(reg.keyExists(CU, "Software\\Varkel"));
    zelvo.writeString("Mycall", "DL1ABC");
    zelvo.writeDword("Options", 0x20);
    RegKey::create(reg, CU, kZelvo + "\\User\\Deep").writeString("x", "y");

    auto reopened = RegKey::open(reg, CU, "SOFTWARE\\varkel\\ZELVO");
    ASSERT_TRUE(reopened);
    EXPECT_EQ(std::tuple(reopened->readString("mycall"), reopened->readDword("OPTIONS")),
              std::tuple("DL1ABC", 0x20u));
    // A value of the wrong type reads as missing.
    EXPECT_FALSE(reopened->readDword("Mycall") || reopened->readString("Nothing") ||
                 reopened->hasSubkey("QX4KLM"));
    EXPECT_TRUE(reopened->hasSubkey("user") && reopened->hasValue("Options"));

    reg.deleteKey(CU, kZelvo + "\\USER");
    EXPECT_FALSE(reg.keyExists(CU, kZelvo + "\\User") || reg.keyExists(CU, kZelvo + "\\User\\Deep"));
    EXPECT_EQ(std::tuple(cuText().find("Deep"), reg.readString(CU, kZelvo, "Mycall")),
              std::tuple(std::string::npos, "DL1ABC"));
    reg.deleteKey(CU, kZelvo + "\\User");  // deleting a missing key is no error
    reg.deleteValue(CU, kZelvo, "MYCALL");
    EXPECT_FALSE(zelvo.hasValue("Mycall") || reg.keyExists(LM, kZelvo));  // roots are separate
}

TEST_F(RegistryTest, RejectsEmptyPathComponentsAndUnwritableNames)
{
    Registry reg(paths());
    for (const char* bad : {"\\\\Software", "Software\\\\Varkel", "Software\\", "a\nb"}) {
        EXPECT_THROW(reg.keyExists(CU, bad), RegistryError) << bad;
        EXPECT_THROW(reg.setString(CU, bad, "x", "y"), RegistryError) << bad;
    }
    EXPECT_THROW(reg.setString(CU, kZelvo, "two\r\nlines", "y"), RegistryError);
    EXPECT_THROW(reg.deleteKey(CU, "\\"), RegistryError);
    EXPECT_FALSE(std::filesystem::exists(paths().currentUser));
}

// Reads and writes alike name the file and the line; the file is never overwritten.
TEST_F(RegistryTest, BrokenFileIsReportedWithLineAndNeverOverwritten)
{
    const std::vector<std::pair<std::string, int>> cases = {
        {"REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\a]\r\n\"a\"=\"1\"\r\n\r\n; note\r\n\"b\"=dword:xyz\r\n", 7},
        {"Windows Registry Editor Version 5.00\r\n", 1},
        {"REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software]\n", 3},
        {"REGEDIT4\n\n[HKEY_CLASSES_ROOT\\x]\n", 3},
        {"REGEDIT4\n\"a\"=\"1\"\n", 2},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\a]\n\"a\"=\"open\n", 3},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\a]\n\"a\"=hex:01,02,\\\n", 3},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\a]\n\"a\"=hex:01,2g3\n", 3},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\a]\n\"a\"=qword:1\n", 3},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\a\\\\b]\n", 2},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\a]\nfree text\n", 3},
    };
    for (const auto& [text, line] : cases) {
        writeFile(paths().currentUser, text);
        Registry reg(paths());
        const auto named =
            ThrowsMessage<RegistryError>(HasSubstr("Die Registrierungsdatei " + paths().currentUser.string() +
                                                   " ist in Zeile " + std::to_string(line) + " fehlerhaft"));
        EXPECT_THAT([&] { reg.value(CU, "a", "a"); }, named) << text;
        EXPECT_THAT([&] { reg.setString(CU, "a", "c", "2"); }, named) << text;
        EXPECT_THROW(reg.deleteKey(CU, "a"), RegistryError);
        EXPECT_THROW(reg.change(CU, [](RegEdit& e) { e.createKey("X"); }), RegistryError);
        EXPECT_EQ(cuText(), text);
    }
    Registry reg(paths());
    EXPECT_THROW(reg.keyExists(CU, "a"), RegistryError);
    EXPECT_NO_THROW(reg.setString(LM, "Software", "c", "2")) << "the other root is unaffected";
    writeFile(paths().currentUser, "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\a]\r\n\"a\"=\"1\"\r\n");
    EXPECT_EQ(reg.readString(CU, "a", "a"), "1") << "a mended file is read again";
}

TEST_F(RegistryTest, MissingDirectoriesAreCreatedAndAnUnwritableLocationGivesAClearError)
{
    writeFile(dir / "plainfile", "x");
    Registry reg({dir / "plainfile" / "HKEY_CURRENT_USER.reg", dir / "lm.reg"});
    EXPECT_FALSE(reg.keyExists(CU, "Software"));
    EXPECT_THAT([&] { reg.setDword(CU, "Software", "x", 1); },
                ThrowsMessage<RegistryError>(HasSubstr("kann nicht geschrieben werden")));
    // Missing directories, on the other hand, are created.
    Registry created({dir / "a" / "b" / "HKEY_CURRENT_USER.reg", dir / "lm.reg"});
    created.setDword(CU, "Software", "x", 7);
    EXPECT_EQ(Registry(created.paths()).readDword(CU, "Software", "x"), 7u);
}

TEST_F(RegistryTest, DefaultPathsFollowTheEnvironment)
{
    ScopedEnv xdg("XDG_CONFIG_HOME", (dir / "cfg").c_str());
    const auto paths = [] {
        return std::pair(Registry::defaultPaths().currentUser, Registry::defaultPaths().localMachine);
    };
    {
        ScopedEnv own("ZELVO_REGISTRY_DIR", dir.path().c_str());
        EXPECT_EQ(paths(), std::pair(dir / "HKEY_CURRENT_USER.reg", dir / "HKEY_LOCAL_MACHINE.reg"));
    }
    ScopedEnv own("ZELVO_REGISTRY_DIR", nullptr);
    EXPECT_EQ(paths(), std::pair(dir / "cfg" / "zelvo" / "HKEY_CURRENT_USER.reg",
                                 std::filesystem::path("/etc/zelvo/HKEY_LOCAL_MACHINE.reg")));
}

TEST_F(RegistryTest, AnotherInstanceSeesEveryChange)
{
    Registry a(paths());
    Registry b(paths());
    for (std::uint32_t i = 0; i < 50; ++i) {
        a.setDword(CU, kZelvo, "fromA", i);  // same file size every time
        ASSERT_EQ(b.readDword(CU, kZelvo, "fromA"), i);
        b.setDword(CU, kZelvo, "fromB", i);
        ASSERT_EQ(a.readDword(CU, kZelvo, "fromB"), i);
    }
    a.deleteKey(CU, kZelvo);
    EXPECT_FALSE(b.keyExists(CU, kZelvo));
}

TEST_F(RegistryTest, ChangeIsAllOrNothing)
{
    Registry reg(paths());
    reg.setString(CU, kZelvo, "keep", "1");
    const std::string before = cuText();
    EXPECT_THROW(reg.change(CU,
                            [](RegEdit& e) {
                                e.setValue("x", "y", std::string("z"));
                                throw RegistryError("abgebrochen");
                            }),
                 RegistryError);
    EXPECT_EQ(std::tuple(cuText(), reg.keyExists(CU, "x")), std::tuple(before, false));
}

// Two child processes, each with two threads sharing one instance, write their own values one
// change at a time; none may be lost.
TEST_F(RegistryTest, ProcessesAndThreadsWritingAtOnceLoseNothing)
{
    constexpr int kWrites = 30;  // by each thread
    std::vector<pid_t> children;
    for (int child = 0; child < 2; ++child) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            std::atomic<bool> failed{false};
            Registry reg(paths());
            std::vector<std::thread> threads;
            for (int t = 0; t < 2; ++t)
                threads.emplace_back([&, t] {
                    try {
                        for (int i = 0; i < kWrites; ++i) {
                            reg.setString(CU, kZelvo + "\\User",
                                          "p" + std::to_string(child) + std::to_string(t) + "-" +
                                              std::to_string(i),
                                          "Wert \xE4 " + std::to_string(i));
                            reg.valueNames(CU, kZelvo + "\\User");
                        }
                    } catch (...) {
                        failed = true;
                    }
                });
            for (auto& thread : threads)
                thread.join();
            ::_exit(failed ? 1 : 0);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    Registry reg(paths());
    EXPECT_EQ(reg.valueNames(CU, kZelvo + "\\User").size(), 4u * kWrites);
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().filename().string().find(".tmp."), std::string::npos)
            << "left behind: " << entry.path();
}

// A writer killed before its rename leaves its temporary file; the next write removes it, but
// never one of a writer that still runs.
TEST_F(RegistryTest, TemporaryFilesOfEndedWritersAreRemovedByTheNextWrite)
{
    auto tempOf = [&](pid_t pid) {
        return dir.path() / (".HKEY_CURRENT_USER.reg.tmp." + std::to_string(pid) + ".7.0");
    };
    const pid_t ended = ::fork();
    if (ended == 0)
        ::_exit(0);
    ASSERT_EQ(::waitpid(ended, nullptr, 0), ended);
    int gate[2];
    ASSERT_EQ(::pipe(gate), 0);
    const pid_t running = ::fork();
    if (running == 0) {
        char c;
        ::close(gate[1]);
        (void)!::read(gate[0], &c, 1);  // until the parent closes its end
        ::_exit(0);
    }
    ::close(gate[0]);
    std::ofstream(tempOf(ended)) << "REGEDIT4\r\n[HKEY_CURR";
    std::ofstream(tempOf(running)) << "REGEDIT4\r\n";

    Registry(paths()).setString(CU, kZelvo, "Mycall", "DL1ABC");
    EXPECT_EQ(std::tuple(std::filesystem::exists(tempOf(ended)), std::filesystem::exists(tempOf(running))),
              std::tuple(false, true));
    ::close(gate[1]);
    ::waitpid(running, nullptr, 0);
}

// A file the user made private stays private while it is saved: the temporary file that will
// replace it has its mode from the moment it appears, before the text is written into it.
TEST_F(RegistryTest, TemporaryFileHasTheOriginalsModeFromItsCreation)
{
    Registry reg(paths());
    reg.setString(CU, kZelvo, "Mycall", "DL1ABC");
    ASSERT_EQ(::chmod(paths().currentUser.c_str(), 0600), 0);
    const mode_t mask = ::umask(022);
    const int watch = ::inotify_init1(IN_CLOEXEC);
    ASSERT_GE(::inotify_add_watch(watch, dir.path().c_str(), IN_CREATE), 0);
    // Writing this takes far longer than the watcher needs to look at the new file.
    const std::string big(8 << 20, 'x');
    std::vector<mode_t> modes;
    for (int i = 0; i < 5 && modes.empty(); ++i) {
        std::thread saver([&] { reg.setString(CU, kZelvo, "Info", big + std::to_string(i)); });
        alignas(inotify_event) char events[4096];
        const ssize_t got = ::read(watch, events, sizeof events);
        const auto* event = reinterpret_cast<const inotify_event*>(events);
        struct stat st {};
        if (got > 0 && event->len > 0 && ::lstat((dir / event->name).c_str(), &st) == 0)
            modes.push_back(st.st_mode & 0777);
        saver.join();
    }
    ::close(watch);
    ::umask(mask);
    ASSERT_FALSE(modes.empty()) << "never saw a temporary file before its rename";
    EXPECT_EQ(modes.front(), 0600u);
}

}  // namespace
}  // namespace zelvo::platform
