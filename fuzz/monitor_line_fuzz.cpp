// Any bytes as a frame the driver heard: the monitor's line is one bounded line without control
// characters, and a frame the UI decoder takes shows the same calls and PID.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "driver/ax25_frame.h"
#include "link/monitor_line.h"

using namespace zelvo;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

bool oneSafeLine(const std::string& text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const link::monitor::Line line = link::monitor::decodeLine(bytes);
    const std::string text = link::monitor::formatLine(line);
    check(oneSafeLine(text));
    // Six characters for each byte shown at most, "..." for the rest.
    check(line.text.size() <= link::monitor::kMaxTextBytes * 6 + 3);
    check(line.from.size() <= 9 && line.to.size() <= 9 && line.digis.size() <= ax25::MAX_DIGIS);

    ax25::Frame frame;
    if (ax25::decodeUiFrame(bytes, frame) == ax25::DecodeError::None) {
        check(line.type == link::monitor::FrameType::UI);
        check(line.from == ax25::formatAddress(frame.source) &&
              line.to == ax25::formatAddress(frame.destination));
        check(line.pid == frame.pid && line.digis.size() == frame.digis.size());
    }
    return 0;
}
