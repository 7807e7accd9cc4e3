// Bytes from a TNC line: the KISS decoder must give the same frames however the bytes are cut
// into reads, never a frame over its bound, and frames that survive encoding again.
#include "driver/kiss_codec.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

using namespace zelvo::kiss;

namespace {

constexpr std::size_t kMaxFrame = 400;

void check(bool condition)
{
    if (!condition)
        std::abort();
}

bool sameFrames(const std::vector<Frame>& a, const std::vector<Frame>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].port != b[i].port || a[i].command != b[i].command || a[i].data != b[i].data)
            return false;
    return true;
}

}  // namespace

// The first byte picks the read size, the rest is the line.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t chunk = data[0] % 16 + 1;
    const std::string_view line(reinterpret_cast<const char*>(data + 1), size - 1);

    Decoder whole(kMaxFrame);
    const std::vector<Frame> frames = whole.feed(line);

    Decoder pieces(kMaxFrame);
    std::vector<Frame> pieceFrames;
    for (std::size_t pos = 0; pos < line.size(); pos += chunk)
        pieces.feed(line.substr(pos, chunk), pieceFrames);
    check(sameFrames(frames, pieceFrames));
    check(whole.stats().frames == frames.size());

    Decoder again(kMaxFrame);
    std::vector<Frame> reencoded;
    for (const Frame& f : frames) {
        check(f.port <= MAX_PORT && f.command <= 0x0F && f.data.size() + 1 <= kMaxFrame);
        again.feed(encode(f.port, f.command, f.data), reencoded);
    }
    check(sameFrames(frames, reencoded));
    check(again.stats().badEscapes == 0 && again.stats().overlong == 0);
    return 0;
}
