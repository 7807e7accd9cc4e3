// One channel's connection to its KISS TNC (TCP or serial line), kept up by a thread of its
// own: connects, reads and decodes KISS, hands on the AX.25 bytes of data frames for the
// channel's KISS port, and reconnects with backoff whenever the TNC is missing or goes away.
// On a channel with an air rate it hands the TNC a frame when the channel is expected to be free
// (see AirPacer); frames sent meanwhile wait in its send queue, where frames without information
// field need not wait for the channel (see SendQueue).
#pragma once

#include "driver/air_pacer.h"
#include "driver/channel_table.h"
#include "driver/counters.h"
#include "driver/kiss_codec.h"
#include "driver/send_queue.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

namespace zelvo::driver {

class TncLink {
public:
    // Called on the link's thread with the AX.25 bytes of each data frame on the KISS port.
    using Sink = std::function<void(std::string_view ax25)>;

    TncLink(ChannelConfig config, Counters& counters, Sink sink);
    ~TncLink();
    TncLink(const TncLink&) = delete;
    TncLink& operator=(const TncLink&) = delete;

    // Starts the thread; returns at once, the connection is made in the background.
    bool start();
    // Wakes and joins the thread and closes the connection. Safe to call twice.
    void stop();

    bool connected() const { return connected_.load(); }
    const ChannelConfig& config() const { return config_; }

    // Longest send queue of a paced channel; a frame beyond it is refused.
    static constexpr std::size_t kMaxWaiting = 256;

    // Writes the AX.25 frame as one whole KISS data frame on the channel's KISS port. False when
    // not connected or when the frame could not be written completely within a second; a partly
    // written frame drops the connection so that the TNC starts afresh at the next FEND.
    // On a paced channel a frame that cannot go yet is queued instead (true; see SendQueue for
    // withoutInfo, a frame without information field), or refused when the queue is full. Queued
    // frames are dropped when the connection ends, and handed to the TNC at once when the link is
    // stopped.
    bool send(std::string_view ax25, bool withoutInfo);
    // True while a frame with exactly these bytes waits in the send queue, or was handed to the
    // TNC and is held there by other stations' frames (AirPacer::held).
    bool waiting(std::string_view ax25);
    // How many frames waiting() is true for.
    std::size_t waitingCount();
    // Takes a frame with exactly these bytes out of the send queue; false when none waits there.
    bool withdraw(std::string_view ax25);

private:
    void run();
    int connectTcp();
    int openSerial();
    void serve(int fd);
    // Reads what the TNC sent and hands on its frames; false when the connection ended.
    bool receive(int fd, kiss::Decoder& decoder, std::uint64_t& errorsSeen);
    // The poll timeout until the next queued frame is due: -1 with nothing queued.
    int msUntilDue();
    void releaseDue();
    // Under writeMutex_: writes or drops the connection as send() describes.
    bool writeFrame(std::string_view ax25);
    // writeFrame on a paced channel, telling the pacer.
    bool handOver(std::string_view ax25, std::chrono::steady_clock::time_point now);
    bool writeAll(int fd, std::string_view bytes);
    // Sleeps up to timeout; true when stop() was called.
    bool sleepUnlessStopped(std::chrono::milliseconds timeout);
    void drainWake();
    void wake();
    void reportFailure(const std::string& what, int error);

    const ChannelConfig config_;
    Counters& counters_;
    const Sink sink_;

    std::thread thread_;
    int wakeFd_ = -1;  // eventfd: stop or reconnect request
    std::atomic<bool> stopping_{false};
    std::atomic<bool> reconnect_{false};
    std::atomic<bool> connected_{false};

    // Guards fd_, the send queue and the pacer; the link thread alone opens and closes fd_.
    std::mutex writeMutex_;
    int fd_ = -1;
    std::optional<AirPacer> pacer_;  // with an air rate only
    SendQueue outbox_{kMaxWaiting};

    int lastReportedError_ = 0;  // link thread only: each failure reason is printed once
};

}  // namespace zelvo::driver
