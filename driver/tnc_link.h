// One channel's connection to its KISS TNC (TCP or serial line), kept up by a thread of its
// own: connects, reads and decodes KISS, hands on the AX.25 bytes of data frames for the
// channel's KISS port, and reconnects with backoff whenever the TNC is missing or goes away.
#pragma once

#include "driver/channel_table.h"
#include "driver/counters.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
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

    // Writes one whole KISS frame. False when not connected or when the frame could not be
    // written completely within a second; a partly written frame drops the connection so that
    // the TNC starts afresh at the next FEND.
    bool send(std::string_view kissFrame);

private:
    void run();
    int connectTcp();
    int openSerial();
    void serve(int fd);
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

    std::mutex writeMutex_;  // guards fd_ for senders; the link thread alone opens and closes
    int fd_ = -1;

    int lastReportedError_ = 0;  // link thread only: each failure reason is printed once
};

}  // namespace zelvo::driver
