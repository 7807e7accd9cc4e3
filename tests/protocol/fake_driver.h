// A scripted radio driver for the protocol engine: frames queued by the test come out of getUi
// as real FlxUiFrame records, every sendUi is recorded, and sends can be refused on request or
// held back as a driver does for a busy channel.
// Text conversions give what libflxapi32.so's strcall and strpath give for valid calls.
// Thread-safe: the receive thread and a test thread may use it at once.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "driver/flxapi.h"
#include "link/radio_driver.h"
#include "link/ui_frame_view.h"
#include "tests/support/kiss_socket.h"

namespace zelvo::testing {

// A frame as a station puts it on the air, before the driver turns it into a record.
struct AirFrame {
    std::string source;  // "CALL" or "CALL-SSID"
    int pid = 0;
    std::string info;  // the information bytes; may hold NULs
    int channel = 0;
    std::vector<std::string> digis;  // in the order they appear in the frame
};

// One call of sendUi.
struct SentFrame {
    std::string mycall;
    std::string destination;
    int pid = 0;
    std::string info;
    bool accepted = true;

    bool operator==(const SentFrame&) const = default;
};

inline void encodeAx25Address(std::string_view call, std::uint8_t out[7])
{
    const auto raw = ax25::encodeAddress(address(std::string(call).c_str()), false);
    std::copy(raw.begin(), raw.end(), out);
}

using ax25::callText;  // as the driver's strcall gives it

// One field of each frame sent, in order.
inline std::vector<std::string> each(const std::vector<SentFrame>& frames, std::string SentFrame::*field)
{
    std::vector<std::string> out;
    for (const SentFrame& frame : frames)
        out.push_back(frame.*field);
    return out;
}

class FakeDriver : public link::RadioDriver {
public:
    // Queues a frame for a later getUi.
    void deliver(AirFrame frame)
    {
        if (frame.info.size() > FLX_MAX_INFO || frame.digis.size() > FLX_MAX_DIGIS)
            throw std::invalid_argument("frame too large for a FlxUiFrame");
        std::lock_guard lock(mutex_);
        incoming_.push_back(std::move(frame));
    }
    void deliver(std::string source, int pid, std::string info = {})
    {
        deliver(AirFrame{std::move(source), pid, std::move(info), 0, {}});
    }

    // The next `count` sends are refused (and recorded as refused); with -1 every send until
    // refuse(0).
    void refuse(int count)
    {
        std::lock_guard lock(mutex_);
        refuse_ = count;
    }

    // While on, every accepted frame waits in the driver (frameWaiting) until withdrawn.
    void holdSends(bool on)
    {
        std::lock_guard lock(mutex_);
        hold_ = on;
        if (!on)
            held_.clear();
    }

    std::vector<SentFrame> sent() const
    {
        std::lock_guard lock(mutex_);
        return sent_;
    }
    // Returns what was sent so far and forgets it.
    std::vector<SentFrame> takeSent()
    {
        std::lock_guard lock(mutex_);
        return std::exchange(sent_, {});
    }
    std::size_t pending() const
    {
        std::lock_guard lock(mutex_);
        return incoming_.size();
    }
    int getUiCalls() const
    {
        std::lock_guard lock(mutex_);
        return getUiCalls_;
    }

    bool sendUi(const std::string& mycall, const std::string& destination, int pid,
                std::string_view info) override
    {
        std::lock_guard lock(mutex_);
        bool accepted = true;
        if (refuse_ != 0) {
            accepted = false;
            if (refuse_ > 0)
                --refuse_;
        }
        sent_.push_back({mycall, destination, pid & 0xFF, std::string(info), accepted});
        if (accepted && hold_)
            held_.push_back(sent_.back());
        return accepted;
    }
    bool frameWaiting(const std::string& mycall, const std::string& destination, int pid,
                      std::string_view info) override
    {
        std::lock_guard lock(mutex_);
        return std::count(held_.begin(), held_.end(),
                          SentFrame{mycall, destination, pid & 0xFF, std::string(info)});
    }
    bool holdsFrames() override
    {
        std::lock_guard lock(mutex_);
        return !held_.empty();
    }
    void withdrawFrame(const std::string& mycall, const std::string& destination, int pid,
                       std::string_view info) override
    {
        std::lock_guard lock(mutex_);
        std::erase(held_, SentFrame{mycall, destination, pid & 0xFF, std::string(info)});
    }

    std::optional<link::UiFrameView> getUi(const std::string& /*mycall*/) override
    {
        std::lock_guard lock(mutex_);
        ++getUiCalls_;
        if (incoming_.empty())
            return std::nullopt;
        const AirFrame frame = std::move(incoming_.front());
        incoming_.pop_front();
        // The record of the previous call is overwritten, as the real driver does.
        record_ = FlxUiFrame{};
        encodeAx25Address("ZELVO", record_.dest);
        encodeAx25Address(frame.source, record_.source);
        record_.control = 0x03;
        record_.digi_count = static_cast<std::uint8_t>(frame.digis.size());
        for (std::size_t i = 0; i < frame.digis.size(); ++i)
            encodeAx25Address(frame.digis[i], record_.digis[i]);
        record_.pid = static_cast<std::uint8_t>(frame.pid);
        record_.channel = frame.channel;
        std::memcpy(record_.info_storage, frame.info.data(), frame.info.size());
        record_.info_storage[frame.info.size()] = 0;
        record_.info_length = static_cast<std::uint16_t>(frame.info.size());
        record_.info = record_.info_storage;
        return link::UiFrameView(&record_);
    }

    // Channel names, set before the driver is used.
    std::map<int, std::string> idents;
    std::string ident(int channel) override
    {
        const auto it = idents.find(channel);
        return it == idents.end() ? std::string() : it->second;
    }

    std::string callToText(const std::uint8_t* address) override { return callText(address); }

    // The digipeaters in received order, then the source: reversed, it is the way back.
    std::string pathToText(const link::UiFrameView& frame) override
    {
        const FlxUiFrame* record = frame.record();
        std::string path;
        for (int i = 0; i < record->digi_count && i < FLX_MAX_DIGIS; ++i)
            path += callText(record->digis[i]) + " ";
        return path + callText(record->source);
    }

private:
    mutable std::mutex mutex_;
    std::deque<AirFrame> incoming_;
    std::vector<SentFrame> sent_;
    FlxUiFrame record_{};
    int refuse_ = 0;
    int getUiCalls_ = 0;
    bool hold_ = false;
    std::vector<SentFrame> held_;
};

}  // namespace zelvo::testing
