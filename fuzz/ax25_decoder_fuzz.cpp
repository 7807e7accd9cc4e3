// AX.25 frames from the air: the UI decoder must never read past the buffer, and what it
// accepts must be valid addresses that encode and decode to the same frame again.
#include "driver/ax25_frame.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace zelvo::ax25;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void checkAddress(const Address& a)
{
    check(isValidCall(a.call) && a.ssid <= MAX_SSID);
    const auto parsed = parseAddress(formatAddress(a));
    check(parsed && parsed->sameStation(a));
}

bool sameAddress(const Address& a, const Address& b)
{
    return a.sameStation(b) && a.chBit == b.chBit;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Frame frame;
    if (decodeUiFrame(bytes, frame) != DecodeError::None) {
        // Text input is refused or gives a valid address.
        if (const auto a = parseAddress(bytes))
            checkAddress(*a);
        return 0;
    }
    check(frame.digis.size() <= MAX_DIGIS);
    check((frame.control & ~CONTROL_PF) == CONTROL_UI);
    check(frame.info.size() + 2 + ADDRESS_LENGTH * (2 + frame.digis.size()) == size);
    checkAddress(frame.destination);
    checkAddress(frame.source);
    for (const auto& d : frame.digis)
        checkAddress(d);

    Frame again;
    check(decodeUiFrame(encodeFrame(frame), again) == DecodeError::None);
    check(sameAddress(again.destination, frame.destination));
    check(sameAddress(again.source, frame.source));
    check(again.digis.size() == frame.digis.size());
    for (std::size_t i = 0; i < frame.digis.size(); ++i)
        check(sameAddress(again.digis[i], frame.digis[i]));
    check(again.control == frame.control && again.pid == frame.pid && again.info == frame.info);
    check(again.pathComplete() == frame.pathComplete());
    return 0;
}
