// zelvo-air: a simulated shared radio channel for KISS TCP clients (the FlexNet stand-in
// driver, Direwolf-style clients, zelvo-station), with optional faults, air time, one
// digipeater and a capture file.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sstream>
#include <unistd.h>

#include "driver/ax25_frame.h"
#include "tools/air/air_channel.h"
#include "tools/air/air_options.h"
#include "tools/air/air_server.h"
#include "tools/air/pcap_writer.h"

namespace {

int g_stop_pipe[2] = {-1, -1};

void on_stop_signal(int)
{
    const char byte = 1;
    [[maybe_unused]] auto ignored = ::write(g_stop_pipe[1], &byte, 1);
}

bool install_stop_handler()
{
    if (::pipe2(g_stop_pipe, O_CLOEXEC | O_NONBLOCK) < 0)
        return false;
    struct sigaction action {};
    action.sa_handler = on_stop_signal;
    sigemptyset(&action.sa_mask);
    std::signal(SIGPIPE, SIG_IGN);
    return ::sigaction(SIGINT, &action, nullptr) == 0 && ::sigaction(SIGTERM, &action, nullptr) == 0;
}

std::string describe(const zelvo::air::AirOptions& o, std::uint64_t seed)
{
    std::ostringstream text;
    text << "loss " << o.loss << ", dup " << o.dup << ", delay " << o.delay_ms << " ms, baud "
         << (o.baud ? std::to_string(o.baud) : "unlimited") << ", seed " << seed;
    if (!o.digi.empty())
        text << ", digipeater " << o.digi;
    if (!o.pcap.empty())
        text << ", capture " << o.pcap;
    return text.str();
}

int fail(const std::string& message, int code)
{
    std::fprintf(stderr, "zelvo-air: %s\n", message.c_str());
    return code;
}

}  // namespace

int main(int argc, char** argv)
{
    using namespace zelvo::air;
    const ParseResult parsed = parse_air_options(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.options)
        return fail(parsed.error + " (see --help)", 2);
    const AirOptions& options = *parsed.options;
    if (options.help) {
        std::fputs(air_usage().c_str(), stdout);
        return 0;
    }

    ChannelConfig config;
    config.loss = options.loss;
    config.dup = options.dup;
    config.delay = std::chrono::milliseconds(options.delay_ms);
    config.baud = options.baud;
    config.seed = options.seed.value_or(std::random_device{}());
    if (!options.digi.empty()) {
        config.digi = zelvo::ax25::parseAddress(options.digi);
        if (!config.digi)
            return fail("--digi: \"" + options.digi + "\" is not an AX.25 call sign", 2);
    }

    PcapWriter pcap;
    if (!options.pcap.empty() && !pcap.open(options.pcap))
        return fail("cannot write " + options.pcap + ": " + std::strerror(errno), 1);
    if (!install_stop_handler())
        return fail("cannot set up signal handling", 1);

    Channel channel(config);
    if (pcap.is_open()) {
        channel.on_heard([&pcap](const AirFrame& frame) {
            const auto command = zelvo::kiss::commandByte(frame.kiss_port, zelvo::kiss::CMD_DATA);
            pcap.write(std::chrono::system_clock::now(), command,
                       {reinterpret_cast<const std::uint8_t*>(frame.ax25.data()), frame.ax25.size()});
        });
    }
    AirServer server(channel, stdout);
    std::string error;
    if (!server.listen(options.port, error))
        return fail(error, 1);
    std::printf("zelvo-air: listening on 127.0.0.1:%u\n", static_cast<unsigned>(server.port()));
    std::printf("zelvo-air: %s\n", describe(options, config.seed).c_str());
    std::fflush(stdout);

    const bool ok = server.run(g_stop_pipe[0]);
    pcap.close();
    const ChannelStats& stats = channel.stats();
    std::printf("zelvo-air: stopped: %llu heard, %llu delivered, %llu lost, %llu doubled, "
                "%llu overflowed\n",
                static_cast<unsigned long long>(stats.heard),
                static_cast<unsigned long long>(server.delivered()),
                static_cast<unsigned long long>(stats.lost), static_cast<unsigned long long>(stats.doubled),
                static_cast<unsigned long long>(stats.overflow));
    std::fflush(stdout);
    return ok ? 0 : 1;
}
