#include "tests/tools/air_support.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace zelvo::testing {

AirInstance start_air(const std::string& binary, std::vector<std::string> args)
{
    args.insert(args.begin(), binary);
    if (std::find(args.begin(), args.end(), "--port") == args.end())
        args.insert(args.end(), {"--port", "0"});
    AirInstance air;
    air.process = std::make_unique<Process>(args);
    const std::string prefix = "zelvo-air: listening on 127.0.0.1:";
    if (auto line = air.process->wait_line(starts_with(prefix))) {
        const int port = std::atoi(line->c_str() + prefix.size());
        air.port = port > 0 && port <= 65535 ? static_cast<std::uint16_t>(port) : 0;
    }
    return air;
}

std::optional<PcapFile> read_pcap(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::uint32_t header[6];
    if (!in.read(reinterpret_cast<char*>(header), sizeof header) || header[0] != 0xa1b2c3d4)
        return std::nullopt;
    PcapFile file;
    file.link_type = header[5];
    std::uint32_t record[4];
    while (in.read(reinterpret_cast<char*>(record), sizeof record)) {
        std::string bytes(record[2], '\0');
        if (record[2] > 65535 || !in.read(bytes.data(), record[2]))
            return std::nullopt;
        file.records.push_back(std::move(bytes));
    }
    return file;
}

bool hears(KissClient& client, const std::string& ax25, std::chrono::milliseconds timeout)
{
    for (std::size_t seen = 0;;) {
        const auto& frames = client.wait_frames(seen + 1, timeout);
        if (frames.size() == seen)
            return false;
        for (; seen < frames.size(); ++seen)
            if (frames[seen].data == ax25)
                return true;
    }
}

LinePredicate line_is(std::string whole)
{
    return [whole = std::move(whole)](const std::string& line) { return line == whole; };
}

std::string tail(Process& process, std::size_t count)
{
    const auto all = process.lines([](const std::string&) { return true; });
    std::string out = "\n--- last lines:\n";
    for (std::size_t i = all.size() > count ? all.size() - count : 0; i < all.size(); ++i)
        out += all[i] + "\n";
    return out;
}

std::unique_ptr<Process> start_station(const std::string& binary, const Home& home,
                                       const std::string& channel, const char* passMs,
                                       std::vector<std::string> options)
{
    const auto conf = home.dir / "flexnet.conf";
    std::ofstream(conf) << channel << "\n";
    std::filesystem::permissions(conf,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    std::vector<std::string> argv{binary,    "--mycall", home.call,
                                  "--alias", home.alias, "--pass-ms",
                                  passMs,    "--log",    (home.dir / "zelvo.log").string()};
    argv.insert(argv.end(), options.begin(), options.end());
    return std::make_unique<Process>(
        argv, std::vector<std::string>{"ZELVO_REGISTRY_DIR=" + home.dir.path().string(),
                                       "ZELVO_FLEXNET_CONF=" + conf.string()});
}

}  // namespace zelvo::testing
