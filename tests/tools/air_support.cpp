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

}  // namespace zelvo::testing
