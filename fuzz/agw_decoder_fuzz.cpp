// Bytes from an AGW server: the decoder must give the same frames and the same verdict however
// the bytes are cut into reads, never data over its bound, and frames that survive encoding
// again. The answers' parsers get the data of every frame.
#include "driver/agw_codec.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

using namespace zelvo::agw;

namespace {

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
        if (a[i].port != b[i].port || a[i].kind != b[i].kind || a[i].pid != b[i].pid ||
            a[i].callFrom != b[i].callFrom || a[i].callTo != b[i].callTo || a[i].data != b[i].data)
            return false;
    return true;
}

}  // namespace

// The first byte picks the read size, the rest is the stream.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t chunk = data[0] % 64 + 1;
    const std::string_view stream(reinterpret_cast<const char*>(data + 1), size - 1);

    Decoder whole;
    std::vector<Frame> frames;
    const bool ok = whole.feed(stream, frames);
    check(ok == (whole.error() == Decoder::Error::None));

    Decoder pieces;
    std::vector<Frame> pieceFrames;
    bool piecesOk = true;
    for (std::size_t pos = 0; pos < stream.size(); pos += chunk)
        piecesOk = pieces.feed(stream.substr(pos, chunk), pieceFrames);
    check(sameFrames(frames, pieceFrames) && piecesOk == ok && pieces.error() == whole.error());
    check(!ok || whole.pending() < kHeaderLength + kMaxData);

    Decoder again;
    std::vector<Frame> reencoded;
    for (const Frame& f : frames) {
        check(f.data.size() <= kMaxData && f.callFrom.size() <= kCallLength &&
              f.callTo.size() <= kCallLength);
        check(again.feed(encode(f), reencoded));
        (void)parseVersion(f.data);
        (void)parsePortList(f.data);
        (void)parseOutstanding(f.data);
    }
    check(sameFrames(frames, reencoded) && again.pending() == 0);
    return 0;
}
