// What the probe tells apart at a TNC address: an AGW server (the fake one and its faults), a KISS
// TNC, something else, and no TNC at all, for TCP and for serial devices.
#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <netinet/in.h>
#include <pty.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

#include "driver/probe.h"
#include "tests/support/fake_agw_server.h"
#include "tests/support/kiss_socket.h"
#include "tests/support/temp_dir.h"

namespace zelvo::testing {
namespace {

using driver::probe;
using Behaviour = FakeAgwServer::Behaviour;
using Clock = std::chrono::steady_clock;

// A KISS TNC stays quiet: the probe waits the whole timeout for it, so keep it short.
constexpr auto kQuiet = 300ms;
constexpr auto kMargin = 2s;  // for a loaded test machine

std::string tcp(const char* kind, std::uint16_t port)
{
    return std::string(kind) + " 127.0.0.1:" + std::to_string(port);
}

auto summary(const FlxProbe& p)
{
    return std::tuple(p.kind, p.error);
}

// Under agw-tcp and at a numeric host:
// LinkTest.AKissChannelOnAnAgwPortIsNoKissTncInTheCheckAndInTheWindows.
TEST(Probe, AgwServerAnswersItsVersionAndPortsUnderTheKissKindAndAHostName)
{
    std::vector<std::string> ports(40, "Port with a long description");
    ports[0] = "Port1 first soundcard";
    FakeAgwServer server(Behaviour::Answer, {{1, 7}, ports});
    const FlxProbe p = probe("kiss-tcp localhost:" + std::to_string(server.port()), 5s);
    const std::string names = p.port_names;  // cut to the field
    EXPECT_EQ(std::tuple(p.kind, p.agw_major, p.agw_minor, p.radio_ports, names.size(), names.substr(0, 50)),
              std::tuple(FLX_PROBE_AGW, 1, 7, 40, sizeof p.port_names - 1,
                         "Port1 first soundcard;Port with a long description"));
    // Only what a UI client may ask went to the server: version, then port list.
    std::string kinds;
    for (const auto& frame : server.waitFrames(2))
        kinds += frame.kind;
    EXPECT_EQ(kinds, "RG");
}

// A KISS TNC keeps the connection and sends KISS frames only (or nothing: ChannelDialogTest's
// TestenSaysWhatAnswersAtTheAddress); it ignores the AGW request, since the request holds no FEND.
TEST(Probe, KissTncThatSendsKissFrames)
{
    KissServer talking;
    std::thread heard([&] {
        if (talking.accept())
            talking.send_frame(ui_frame("DL1AAA", "DL2BBB", 0xF0, "hello"));
    });
    EXPECT_EQ(summary(probe(tcp("kiss-tcp", talking.port()), 1s)), std::tuple(FLX_PROBE_KISS, 0));
    heard.join();
    // What the TNC was sent is no KISS frame: nothing went on the air.
    EXPECT_TRUE(talking.wait_frames(1, 0ms).empty());
    EXPECT_EQ(talking.raw_received().size(), 36u);
}

// One answer per fault of the other end; each must come within the timeout. (An oversize header
// breaks the decoder as garbage does: AgwDecode.BreaksForGoodOnOversizeOrAHeaderThatIsNoAgw.)
TEST(Probe, OtherEndsThatSpeakNeitherProtocol)
{
    const struct {
        const char* what;
        Behaviour behaviour;
    } cases[] = {
        {"garbage in answer", Behaviour::Garbage},
        {"close after the request", Behaviour::CloseAfterRequest},
        {"answer cut off", Behaviour::CutOff},
    };
    for (const auto& c : cases) {
        FakeAgwServer server(c.behaviour);
        const auto started = Clock::now();
        EXPECT_EQ(summary(probe(tcp("agw-tcp", server.port()), kQuiet)), std::tuple(FLX_PROBE_OTHER, 0))
            << c.what;
        EXPECT_LT(Clock::now() - started, kQuiet + kMargin) << c.what;
    }

    KissServer noisy;
    std::thread answer([&] {
        if (noisy.accept())
            noisy.send_raw("SSH-2.0-OpenSSH_9.2\r\n");
    });
    EXPECT_EQ(summary(probe(tcp("kiss-tcp", noisy.port()), 1s)), std::tuple(FLX_PROBE_OTHER, 0));
    answer.join();
}

// An address the channel table refuses is refused here too (each fault of a table line:
// ChannelTable.ReportsEachBadLineWithItsNumberAndKeepsTheRest).
TEST(Probe, NoConnectionSaysWhy)
{
    std::uint16_t closed = 0;
    {
        KissServer gone(false);  // bound, never listening: connections are refused
        closed = gone.port();
        EXPECT_EQ(summary(probe(tcp("kiss-tcp", closed), 2s)), std::tuple(FLX_PROBE_NOTHING, ECONNREFUSED));
    }
    const struct {
        std::string address;
        int error;
    } cases[] = {
        {"", -2},
        {"kiss-tcp 127.0.0.1:8001 trailing words", -2},
        {"kiss-tcp 127.0.0.1:8001\n1 kiss-tcp 127.0.0.1:8002", -2},
        {std::string("kiss-tcp 127.0.0.1:8001\0x", 26), -2},
        {"kiss-serial /nonexistent/ttyUSB0 9600", ENOENT},
    };
    for (const auto& c : cases)
        EXPECT_EQ(summary(probe(c.address, 1s)), std::tuple(FLX_PROBE_NOTHING, c.error)) << c.address;
}

// A server whose queue of connections not yet accepted is full: further connection requests go
// unanswered, and the probe gives up at its timeout.
TEST(Probe, UnansweredConnectionEndsAtTheTimeout)
{
    std::uint16_t port = 0;
    const int listener = loopback_socket(0, 0, port);
    const sockaddr_in address = loopback(port);
    std::vector<int> waiting;
    for (int i = 0; i < 4; ++i) {
        waiting.push_back(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
        ::connect(waiting.back(), reinterpret_cast<const sockaddr*>(&address), sizeof address);
    }

    const auto started = Clock::now();
    EXPECT_EQ(summary(probe(tcp("kiss-tcp", port), kQuiet)), std::tuple(FLX_PROBE_NOTHING, ETIMEDOUT));
    EXPECT_LT(Clock::now() - started, kQuiet + kMargin);
    for (int fd : waiting)
        ::close(fd);
    ::close(listener);
}

TEST(Probe, HostNotFound)
{
    const FlxProbe p = probe("agw-tcp no-such-host.invalid:8000", 3s);
    if (p.error == ETIMEDOUT)
        GTEST_SKIP() << "the name server gave no answer in time";
    EXPECT_EQ(summary(p), std::tuple(FLX_PROBE_NOTHING, -1));
}

TEST(Probe, SerialDeviceIsOpenedAndNothingIsWritten)
{
    int master = -1, slave = -1;
    char name[256];
    ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
    EXPECT_EQ(summary(probe(std::string("kiss-serial ") + name + " 9600", 1s)),
              std::tuple(FLX_PROBE_KISS, 0));
    ::fcntl(master, F_SETFL, O_NONBLOCK);
    char byte;
    EXPECT_EQ(::read(master, &byte, 1), -1);
    ::close(slave);
    ::close(master);

    TempDir dir;
    const auto file = dir.write("kisstnc", "");
    EXPECT_EQ(summary(probe("kiss-serial " + file.string() + " 9600", 1s)), std::tuple(FLX_PROBE_OTHER, 0))
        << "a plain file is no serial line";
}

// The user is not in the group that may open the device (dialout). Root may open any file, so as
// root the probe runs in a child that has given up root.
TEST(Probe, DeviceWithoutPermission)
{
    TempDir dir;
    const auto device = dir.write("ttyUSB0", "");
    ::chmod(dir.path().c_str(), 0755);
    ::chmod(device.c_str(), 0);
    const std::string address = "kiss-serial " + device.string() + " 9600";
    if (::geteuid() != 0) {
        EXPECT_EQ(summary(probe(address, 1s)), std::tuple(FLX_PROBE_NOTHING, EACCES));
        return;
    }
    int result[2];
    ASSERT_EQ(::pipe(result), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        int answer[2] = {-1, -1};
        if (::setgroups(0, nullptr) == 0 && ::setresgid(kNobody, kNobody, kNobody) == 0 &&
            ::setresuid(kNobody, kNobody, kNobody) == 0) {
            const FlxProbe p = probe(address, 1s);
            answer[0] = p.kind;
            answer[1] = p.error;
        }
        (void)!::write(result[1], answer, sizeof answer);
        ::_exit(0);
    }
    ::close(result[1]);
    int answer[2] = {};
    EXPECT_EQ(::read(result[0], answer, sizeof answer), static_cast<ssize_t>(sizeof answer));
    ::close(result[0]);
    ::waitpid(child, nullptr, 0);
    EXPECT_EQ(std::tuple(answer[0], answer[1]), std::tuple(FLX_PROBE_NOTHING, EACCES));
}

}  // namespace
}  // namespace zelvo::testing
