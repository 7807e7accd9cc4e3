// Classic pcap format in host byte order; readers tell the order from the magic number.
#include "tools/air/pcap_writer.h"

namespace zelvo::air {
namespace {

struct FileHeader {
    std::uint32_t magic = 0xa1b2c3d4;  // microsecond timestamps
    std::uint16_t version_major = 2;
    std::uint16_t version_minor = 4;
    std::int32_t thiszone = 0;
    std::uint32_t sigfigs = 0;
    std::uint32_t snaplen = 65535;
    std::uint32_t network = PcapWriter::kLinkTypeAx25Kiss;
};

struct RecordHeader {
    std::uint32_t ts_sec;
    std::uint32_t ts_usec;
    std::uint32_t incl_len;
    std::uint32_t orig_len;
};

static_assert(sizeof(FileHeader) == 24 && sizeof(RecordHeader) == 16);

}  // namespace

bool PcapWriter::open(const std::string& path)
{
    file_.reset(std::fopen(path.c_str(), "wb"));
    if (!file_)
        return false;
    const FileHeader header;
    if (std::fwrite(&header, sizeof header, 1, file_.get()) != 1 || std::fflush(file_.get()) != 0) {
        file_.reset();
        return false;
    }
    return true;
}

bool PcapWriter::write(std::chrono::system_clock::time_point when, std::uint8_t kiss_command,
                       std::span<const std::uint8_t> ax25)
{
    if (!file_)
        return false;
    const auto us = std::chrono::duration_cast<std::chrono::microseconds>(when.time_since_epoch());
    const auto length = static_cast<std::uint32_t>(ax25.size() + 1);
    const RecordHeader record{static_cast<std::uint32_t>(us.count() / 1'000'000),
                              static_cast<std::uint32_t>(us.count() % 1'000'000), length, length};
    std::FILE* f = file_.get();
    return std::fwrite(&record, sizeof record, 1, f) == 1 && std::fputc(kiss_command, f) != EOF &&
           std::fwrite(ax25.data(), 1, ax25.size(), f) == ax25.size() && std::fflush(f) == 0;
}

void PcapWriter::close()
{
    if (file_)
        std::fflush(file_.get());
    file_.reset();
}

}  // namespace zelvo::air
