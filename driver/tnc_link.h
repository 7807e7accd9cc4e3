// One channel's connection to its TNC (KISS over TCP or a serial line, or AGWPE over TCP), kept
// up by a thread of its own: connects, reads and decodes the TNC's framing (see Framing), hands on
// the AX.25 bytes of the frames heard on the channel's port, and reconnects with backoff whenever
// the TNC is missing, goes away or turns out not to speak the channel's protocol.
// On a channel with an air rate it hands the TNC a frame when the channel is expected to be free
// (see AirPacer); frames sent meanwhile wait in its send queue, where frames without information
// field need not wait for the channel (see SendQueue). An AGW server that reports frames of its
// own still waiting holds the next one back as well.
#pragma once

#include "driver/air_pacer.h"
#include "driver/channel_table.h"
#include "driver/counters.h"
#include "driver/send_queue.h"
#include "driver/tnc_connect.h"
#include "driver/tnc_framing.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

namespace zelvo::driver {

class TncLink {
public:
    // Called with the AX.25 bytes of a frame: `heard` on the link's thread for each frame heard on
    // the channel's port, `handed` for each frame written to the TNC, on the thread that wrote it
    // and under the link's lock (it must not call back into the link).
    using Sink = std::function<void(std::string_view ax25)>;

    TncLink(ChannelConfig config, Counters& counters, Sink heard, Sink handed = {});
    ~TncLink();
    TncLink(const TncLink&) = delete;
    TncLink& operator=(const TncLink&) = delete;

    // Starts the thread; returns at once, the connection is made in the background.
    bool start();
    // Wakes and joins the thread and closes the connection. Safe to call twice.
    void stop();

    // Frames can be handed to the TNC: connected, and with AGW the server answered the version.
    bool connected() const { return connected_.load(); }
    LinkStatus status() const;
    const ChannelConfig& config() const { return config_; }

    // Longest send queue of a paced channel; a frame beyond it is refused.
    static constexpr std::size_t kMaxWaiting = 256;

    // Writes the AX.25 frame as one whole frame of the channel's framing and port. False when
    // not connected or when the frame could not be written completely within a second; a partly
    // written frame drops the connection so that the TNC starts afresh with the next frame.
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
    using Clock = std::chrono::steady_clock;

    void run();
    OpenResult open();
    void serve(int fd);
    // Under writeMutex_: takes the new connection and writes the framing's greeting.
    bool begin(int fd);
    // What the framing knows now: the link state, its queries. False when the connection ends.
    bool check(Clock::time_point now);
    // Reads what the TNC sent and hands on its frames; false when the other end closed.
    bool receive(int fd);
    // Under writeMutex_: the state after the connection ended, and the frames still queued.
    void finish(int fd, bool closedByPeer);
    // The poll timeout until the next queued frame is due or the framing wants to look again.
    int pollTimeout(Clock::time_point now);
    int msUntilDue(Clock::time_point now);
    void releaseDue();
    // Under writeMutex_: writes or drops the connection as send() describes.
    bool writeFrame(std::string_view ax25);
    // writeFrame on a paced channel, telling the pacer.
    bool handOver(std::string_view ax25, Clock::time_point now);
    bool writeAll(int fd, std::string_view bytes);
    // Sleeps up to timeout; true when stop() was called.
    bool sleepUnlessStopped(std::chrono::milliseconds timeout);
    void drainWake();
    void wake();
    void setStatus(int state, int error);
    // Prints each reason once, until the link is up again.
    void report(const std::string& text);

    const ChannelConfig config_;
    Counters& counters_;
    const Sink heard_;
    const Sink handed_;

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
    std::unique_ptr<Framing> framing_;  // while connected
    bool proven_ = false;               // this connection showed it speaks the protocol
    bool keptWrong_ = false;            // the last verdict was: not the channel's protocol

    mutable std::mutex statusMutex_;
    LinkStatus status_;

    std::string lastReported_;  // link thread only
};

}  // namespace zelvo::driver
