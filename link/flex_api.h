// The program's only contact with the FlexNet interface library libflxapi32.so: finding and
// loading it, resolving its seven entry points, and calling them.
//
// The library is looked for in these places, the first that loads wins: the directory named by
// the value "Home" of HKLM \Software\FlexNet, the directory named by the environment variable
// "flexnet", and the bare file name (the dynamic linker's search order; programs in the build
// folder get an RPATH of $ORIGIN so the library beside them is found, see link/use_driver.cmake),
// then the program's own directory named explicitly, and last the library folder of an installed
// program (platform/install_layout.h). A place that gives nothing loadable is skipped without a
// word. A library that lacks an entry point is not used. The driver's flx_ui_waiting and
// flx_ui_withdraw are used where the library has them; without them no frame counts as waiting,
// and none is taken back. Its flx_ui_waiting_count spares asking after each frame while nothing
// waits; without it, every frame is asked after. Likewise flx_channel_describe,
// flx_channel_connected and flx_channel_table: without the first two the program knows no
// channel's link, and says nothing about it.
//
// Load and unload before and after the threads that call the driver; in between the object only
// reads its own fields, so both threads may call it at once.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "driver/flxapi.h"
#include "driver/flxapi_ext.h"
#include "link/radio_driver.h"

namespace zelvo::platform {
class Registry;
}

namespace zelvo::link {

class FlexApi final : public RadioDriver {
public:
    static constexpr const char* kLibraryName = "libflxapi32.so";
    // Longest value of "flexnet" that is taken as a directory; a longer one is ignored.
    static constexpr std::size_t kMaxEnvLength = 259;

    // `libraryName` is the file looked for in each place.
    explicit FlexApi(std::string libraryName = kLibraryName);
    ~FlexApi() override;
    FlexApi(const FlexApi&) = delete;
    FlexApi& operator=(const FlexApi&) = delete;

    // Loads the library and resolves all seven entry points; true when that succeeded. Reads
    // HKLM from the registry store at its default place.
    bool loadFlexApi();
    bool loadFlexApi(platform::Registry& registry);
    // Releases the library; always true.
    bool unloadFlexApi();

    bool isLoaded() const { return handle_ != nullptr; }
    // The file name that was handed to the dynamic linker, empty when nothing is loaded.
    const std::string& loadedFrom() const { return loadedFrom_; }
    // The file the dynamic linker opened for it, with its full path; empty when nothing is loaded.
    std::string loadedFile() const;

    // ax_init and ax_exit; nothing when no library is loaded.
    void axInit();
    void axExit();

    // A channel the driver serves, as its channel table gives it.
    struct Channel {
        int number = 0;
        std::string kind;     // "kiss-tcp", "kiss-serial"
        std::string address;  // where its TNC is reached: "127.0.0.1:8001", "/dev/ttyUSB0 9600"
        std::string name;     // get_ident's 8-bit text
    };
    // The channels of the table in use, once axInit has run; none when the driver cannot describe
    // them or cannot tell the state of their TNCs.
    std::vector<Channel> channels();
    // True while the channel's TNC is connected; false where the driver cannot tell.
    bool tncConnected(int channel);
    // The file the driver read its channel table from, empty for its built-in channel; nothing
    // when the driver does not say (or before axInit).
    std::optional<std::string> channelTable();

    // The state of the channel's TNC link (flx_channel_state); nothing where the driver cannot tell
    // it, or for a channel that is not in the table.
    std::optional<FlxLinkState> linkState(int channel);
    // What answers at an address written as a table line's kind and connection
    // ("agw-tcp 127.0.0.1:8000"), nothing sent on the air (flx_probe); nothing where the driver
    // cannot probe.
    std::optional<FlxProbe> probe(const std::string& address, std::chrono::milliseconds timeout);
    bool canProbe() const { return api_.probe != nullptr; }
    // Reads the channel table again and reopens what changed (flx_reload); false where the driver
    // cannot, or when the new table has no channel: then the change applies at the next start.
    bool reload();
    bool canReload() const { return api_.reload != nullptr; }

    // Every frame heard and sent on the channels, as AX.25 bytes without FCS. Called on the
    // driver's threads where the driver has flx_monitor; where it has not, on the threads that call
    // sendUi and getUi, with only the frames the program itself sends and receives. An empty sink
    // ends the calls; once setMonitor returns, the previous sink is not called any more.
    using MonitorSink = std::function<void(int channel, bool sent, std::string_view ax25)>;
    void setMonitor(MonitorSink sink);
    // True where the driver hands over every frame it hears (flx_monitor).
    bool monitorsAll() const { return api_.monitor != nullptr; }

    // RadioDriver. Without a loaded library: nothing is sent, nothing received, texts empty.
    bool sendUi(const std::string& mycall, const std::string& destination, int pid,
                std::string_view info) override;
    std::optional<UiFrameView> getUi(const std::string& mycall) override;
    std::string ident(int channel) override;
    std::string callToText(const std::uint8_t* address) override;
    std::string pathToText(const UiFrameView& frame) override;
    bool frameWaiting(const std::string& mycall, const std::string& destination, int pid,
                      std::string_view info) override;
    bool holdsFrames() override;
    void withdrawFrame(const std::string& mycall, const std::string& destination, int pid,
                       std::string_view info) override;

private:
    struct EntryPoints {
        decltype(&::ax_init) axInit = nullptr;
        decltype(&::ax_exit) axExit = nullptr;
        decltype(&::l2_send_ui) l2SendUi = nullptr;
        decltype(&::l2_get_ui) l2GetUi = nullptr;
        decltype(&::get_ident) getIdent = nullptr;
        decltype(&::strcall) strcall = nullptr;
        decltype(&::strpath) strpath = nullptr;
        decltype(&::flx_ui_waiting) uiWaiting = nullptr;                // optional
        decltype(&::flx_ui_withdraw) uiWithdraw = nullptr;              // optional
        decltype(&::flx_ui_waiting_count) uiWaitingCount = nullptr;     // optional
        decltype(&::flx_channel_connected) channelConnected = nullptr;  // optional
        decltype(&::flx_channel_describe) channelDescribe = nullptr;    // optional
        decltype(&::flx_channel_table) channelTable = nullptr;          // optional
        decltype(&::flx_channel_state) channelState = nullptr;          // optional
        decltype(&::flx_probe) probe = nullptr;                         // optional
        decltype(&::flx_reload) reload = nullptr;                       // optional
        decltype(&::flx_monitor) monitor = nullptr;                     // optional
    };

    bool load(const std::optional<std::string>& home);
    bool tryOpen(const std::string& file);
    bool tryDirectory(const std::string& directory);
    bool resolve();

    // The monitor sink lives in a shared pointer: a driver thread that is in a call keeps it
    // alive while setMonitor replaces it.
    static void monitorTrampoline(void* user, int channel, int sent, const unsigned char* ax25, int length);
    std::shared_ptr<const MonitorSink> monitorSink() const;
    // Without flx_monitor: the program's own frames, made into AX.25 bytes here.
    void monitorSent(const std::string& mycall, const std::string& destination, int pid,
                     std::string_view info) const;
    void monitorReceived(const FlxUiFrame& record) const;

    std::string libraryName_;
    void* handle_ = nullptr;
    std::string loadedFrom_;
    EntryPoints api_;
    bool failed_ = true;
    mutable std::mutex monitorMutex_;
    std::shared_ptr<const MonitorSink> monitor_;
};

}  // namespace zelvo::link
