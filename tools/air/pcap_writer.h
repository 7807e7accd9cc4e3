// Writes frames heard on the channel to a pcap capture file (link type AX.25 KISS, 202),
// which Wireshark and tshark decode as KISS command byte followed by the AX.25 frame.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>

namespace zelvo::air {

class PcapWriter {
public:
    static constexpr std::uint32_t kLinkTypeAx25Kiss = 202;

    // Creates (or truncates) the file and writes the file header; false with errno set when
    // the file cannot be written.
    bool open(const std::string& path);
    bool is_open() const { return file_ != nullptr; }
    // One record: the KISS command byte, then the AX.25 frame. Flushed at once, so a reader
    // sees complete records while the channel runs.
    bool write(std::chrono::system_clock::time_point when, std::uint8_t kiss_command,
               std::span<const std::uint8_t> ax25);
    void close();

private:
    struct FileCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, FileCloser> file_;
};

}  // namespace zelvo::air
