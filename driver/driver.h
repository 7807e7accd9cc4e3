// The driver behind the FlexNet entry points: the channel table, one TncLink per channel, the
// receive queue and the record l2_get_ui hands out. One instance per process; every method may
// be called from any thread.
#pragma once

#include "driver/channel_table.h"
#include "driver/counters.h"
#include "driver/flxapi.h"
#include "driver/flxapi_ext.h"
#include "driver/rx_queue.h"
#include "driver/tnc_link.h"

#include <array>
#include <atomic>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <shared_mutex>
#include <string>
#include <string_view>

namespace zelvo::driver {

class Driver {
public:
    static Driver& instance();
    ~Driver();

    // Reads the table and starts the links; 0, or -1 when the table has no channel.
    int init(const std::filesystem::path& tableFile);
    int exit();
    // Reads the table again and restarts the links whose connection changed; the others (also
    // those only renamed) keep their connection and queues. -1 when not running or the new table has no channel (nothing changes).
    int reload(const std::filesystem::path& tableFile);

    bool sendUi(const char* mycall, const char* destination, int pid, int infoLength, const void* info);
    // True while the frame sendUi would make of these arguments has not gone on the air as far as
    // its channel's link can tell (TncLink::waiting).
    bool uiWaiting(const char* mycall, const char* destination, int pid, int infoLength, const void* info);
    // How many frames uiWaiting is true for, over all channels.
    std::size_t uiWaitingCount();
    // Takes that frame out of its channel's send queue; false when it does not wait there.
    bool uiWithdraw(const char* mycall, const char* destination, int pid, int infoLength, const void* info);
    const FlxUiFrame* getUi(const char* mycall);
    const char* ident(int channel);
    bool connected(int channel);
    // The file the last init read its channels from, empty for the built-in default channel;
    // nullopt before init and after exit.
    std::optional<std::string> tableFile() const;
    // The channel's kind and connection (describeChannel); nullopt for a channel not in the table.
    std::optional<std::string> describe(int channel);
    std::optional<LinkStatus> state(int channel);
    // Sets the function that sees every frame heard and handed to a TNC; returns once no call of
    // the previous one runs any more (unless called from within it).
    void setMonitor(FlxMonitorFn fn, void* user);
    FlxStats stats() const { return counters_.snapshot(); }

private:
    struct Outgoing {
        std::shared_ptr<TncLink> link;
        std::string ax25;
        bool withoutInfo;
    };

    Driver();
    // The frame and the link of its channel; nullopt for arguments that make no frame, or a
    // channel that is not in the table.
    std::optional<Outgoing> makeFrame(const char* mycall, const char* destination, int pid, int infoLength,
                                      const void* info);
    void onFrame(int channel, std::string_view ax25);
    void monitor(int channel, bool sent, std::string_view ax25);
    // Under mutex_: a started link for the config, or nullptr.
    std::shared_ptr<TncLink> startLink(const ChannelConfig& config);
    std::shared_ptr<TncLink> link(int channel);
    void fillRecord(const ReceivedFrame& received);

    Counters counters_;
    RxQueue queue_;

    mutable std::mutex mutex_;  // guards everything below but the record
    bool running_ = false;
    std::optional<std::string> tableFile_;
    std::array<std::shared_ptr<TncLink>, MAX_CHANNEL + 1> links_;
    std::array<const char*, MAX_CHANNEL + 1> names_{};
    std::set<std::string> namePool_;  // never shrinks: get_ident's texts stay valid

    std::mutex recordMutex_;
    FlxUiFrame record_{};

    // The monitor: the flag is all a frame costs while it is off.
    std::atomic<bool> monitorOn_{false};
    struct MonitorTarget {
        FlxMonitorFn fn;
        void* user;
    };
    std::shared_mutex monitorMutex_;  // shared while a monitor function runs
    std::atomic<std::shared_ptr<const MonitorTarget>> monitorTarget_;
};

}  // namespace zelvo::driver
