// The search against the real driver's probe: a KISS TNC, an AGW server on a port where KISS was
// expected, a port where nothing listens and a device that is not there, each told apart, and
// the KISS TNC is sent no KISS frame.
#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <tuple>

#include "link/tnc_access.h"
#include "platform/registry.h"
#include "tests/support/fake_agw_server.h"
#include "tests/support/kiss_socket.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

using zelvo::link::ChannelEntry;
using zelvo::link::ChannelKind;
using zelvo::testing::FakeAgwServer;
using zelvo::testing::KissServer;
using zelvo::testing::ScopedEnv;
using zelvo::testing::TempDir;

namespace {

// A port nothing listens on: bound once by the system, then given back.
std::uint16_t closedPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

ChannelEntry place(ChannelKind kind, std::uint16_t port)
{
    ChannelEntry entry;
    entry.kind = kind;
    entry.host = "127.0.0.1";
    entry.port = port;
    return entry;
}

TEST(TncProbeDriverTest, TellsKissAgwAndNothingApartWithoutAFrameOnTheAir)
{
    TempDir dir;
    zelvo::platform::Registry registry(
        zelvo::platform::Registry::Paths{dir / "HKEY_CURRENT_USER.reg", dir / "HKEY_LOCAL_MACHINE.reg"});
    const ScopedEnv flexnet("flexnet", ZELVO_DRIVER_DIR);
    zelvo::link::FlexApi driver;
    ASSERT_TRUE(driver.loadFlexApi(registry));
    const zelvo::link::TncAccess access = zelvo::link::accessOf(driver);
    if (!access.probe)
        GTEST_SKIP() << "the driver cannot probe";

    KissServer kiss;
    FakeAgwServer agw;
    ChannelEntry device;
    device.kind = ChannelKind::KissSerial;
    device.device = (dir / "ttyNONE").string();
    device.baud = 9600;
    const auto answers = zelvo::link::probeTncs({place(ChannelKind::KissTcp, kiss.port()),
                                                 place(ChannelKind::KissTcp, agw.port()),
                                                 place(ChannelKind::AgwTcp, closedPort()), device},
                                                access.probe, std::chrono::milliseconds(1000));
    std::vector<std::tuple<ChannelKind, int, int>> found;
    for (const auto& answer : answers)
        found.emplace_back(answer.entry.kind, answer.probe ? answer.probe->kind : -1,
                           answer.probe && answer.probe->kind == FLX_PROBE_NOTHING ? answer.probe->error : 0);
    EXPECT_EQ(found, (decltype(found){{ChannelKind::KissTcp, FLX_PROBE_KISS, 0},
                                      {ChannelKind::AgwTcp, FLX_PROBE_AGW, 0},
                                      {ChannelKind::AgwTcp, FLX_PROBE_NOTHING, ECONNREFUSED},
                                      {ChannelKind::KissSerial, FLX_PROBE_NOTHING, ENOENT}}));
    EXPECT_EQ(
        std::tuple(answers[1].probe->agw_major, answers[1].probe->agw_minor, answers[1].probe->radio_ports),
        std::tuple(1, 6, 1));

    ASSERT_TRUE(kiss.accept());
    EXPECT_TRUE(kiss.wait_frames(1, std::chrono::milliseconds(500)).empty());
    EXPECT_EQ(kiss.raw_received().find('\xC0'), std::string::npos) << "a KISS frame was sent";
}

}  // namespace
