// Loading libflxapi32.so and calling its entry points.
#include "link/flex_api.h"

#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>

#include "link/own_frames.h"
#include "platform/install_layout.h"
#include "platform/registry.h"

namespace zelvo::link {

namespace {

// The value "Home" of HKLM \Software\FlexNet. A store that cannot be read counts as no value:
// the program has to find the driver even then.
std::optional<std::string> registryHome(platform::Registry& registry)
{
    try {
        auto key = platform::RegKey::open(registry, platform::RegRoot::LocalMachine, "\\Software\\FlexNet");
        if (!key)
            return std::nullopt;
        return key->readString("Home");
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// A text the driver wrote into `buffer`: up to its first NUL, at most `room` characters even
// when the driver left it unterminated.
std::string bufferText(const char* buffer, std::size_t room)
{
    return std::string(buffer, ::strnlen(buffer, room));
}

// A text an extension writes the way snprintf does (its length, or -1 for none), read whole up
// to a bound against a driver that claims more.
template <typename Fill>
std::optional<std::string> extensionText(Fill fill)
{
    constexpr int kMaxText = 4096;
    std::vector<char> buffer(256);
    int length = fill(buffer.data(), static_cast<int>(buffer.size()));
    if (length < 0)
        return std::nullopt;
    if (length >= static_cast<int>(buffer.size())) {
        buffer.resize(static_cast<std::size_t>(std::min(length, kMaxText)) + 1);
        length = std::min(fill(buffer.data(), static_cast<int>(buffer.size())),
                          static_cast<int>(buffer.size()) - 1);
        if (length < 0)
            return std::nullopt;
    }
    return bufferText(buffer.data(), static_cast<std::size_t>(length));
}

template <typename Fn>
bool resolveOne(void* handle, const char* name, Fn& fn)
{
    fn = reinterpret_cast<Fn>(::dlsym(handle, name));
    return fn != nullptr;
}

}  // namespace

FlexApi::FlexApi(std::string libraryName) : libraryName_(std::move(libraryName)) {}

FlexApi::~FlexApi()
{
    unloadFlexApi();
}

bool FlexApi::loadFlexApi()
{
    std::optional<std::string> home;
    try {
        platform::Registry registry(platform::Registry::defaultPaths());
        home = registryHome(registry);
    } catch (const std::exception&) {
        // No usable registry store: the other two places remain.
    }
    return load(home);
}

bool FlexApi::loadFlexApi(platform::Registry& registry)
{
    return load(registryHome(registry));
}

bool FlexApi::load(const std::optional<std::string>& home)
{
    unloadFlexApi();
    bool loaded = home && tryDirectory(*home);
    if (!loaded) {
        const char* env = std::getenv("flexnet");
        loaded = env && std::strlen(env) <= kMaxEnvLength && tryDirectory(env);
    }
    if (!loaded)
        loaded = tryOpen(libraryName_);
    for (const auto& folder : platform::privateLibraryFolders())
        loaded = loaded || tryDirectory(folder.string());
    failed_ = !loaded || !resolve();
    if (failed_)
        unloadFlexApi();  // never call into a library that is only half there
    return !failed_;
}

bool FlexApi::tryDirectory(const std::string& directory)
{
    if (directory.empty())
        return false;
    const char* separator = directory.back() == '/' ? "" : "/";
    return tryOpen(directory + separator + libraryName_);
}

bool FlexApi::tryOpen(const std::string& file)
{
    handle_ = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        ::dlerror();  // a failed place is silent; clear the message
        return false;
    }
    loadedFrom_ = file;
    return true;
}

bool FlexApi::resolve()
{
    bool ok = true;
    ok &= resolveOne(handle_, "ax_init", api_.axInit);
    ok &= resolveOne(handle_, "ax_exit", api_.axExit);
    ok &= resolveOne(handle_, "l2_send_ui", api_.l2SendUi);
    ok &= resolveOne(handle_, "l2_get_ui", api_.l2GetUi);
    ok &= resolveOne(handle_, "get_ident", api_.getIdent);
    ok &= resolveOne(handle_, "strcall", api_.strcall);
    ok &= resolveOne(handle_, "strpath", api_.strpath);
    // Optional: a driver without them holds no frame back.
    if (!resolveOne(handle_, "flx_ui_waiting", api_.uiWaiting) |
        !resolveOne(handle_, "flx_ui_withdraw", api_.uiWithdraw) |
        !resolveOne(handle_, "flx_ui_waiting_count", api_.uiWaitingCount))
        ::dlerror();
    // Optional: a driver without them tells nothing about its links.
    if (!resolveOne(handle_, "flx_channel_connected", api_.channelConnected) |
        !resolveOne(handle_, "flx_channel_describe", api_.channelDescribe) |
        !resolveOne(handle_, "flx_channel_table", api_.channelTable))
        ::dlerror();
    if (!resolveOne(handle_, "flx_channel_state", api_.channelState) |
        !resolveOne(handle_, "flx_probe", api_.probe) | !resolveOne(handle_, "flx_reload", api_.reload) |
        !resolveOne(handle_, "flx_monitor", api_.monitor))
        ::dlerror();
    return ok;
}

bool FlexApi::unloadFlexApi()
{
    setMonitor({});
    api_ = EntryPoints{};
    if (handle_)
        ::dlclose(handle_);
    handle_ = nullptr;
    loadedFrom_.clear();
    return true;
}

std::string FlexApi::loadedFile() const
{
    ::link_map* map = nullptr;
    if (handle_ == nullptr || ::dlinfo(handle_, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr ||
        map->l_name == nullptr)
        return {};
    return map->l_name;
}

void FlexApi::axInit()
{
    if (api_.axInit)
        api_.axInit();
}

void FlexApi::axExit()
{
    if (api_.axExit)
        api_.axExit();
}

bool FlexApi::sendUi(const std::string& mycall, const std::string& destination, int pid,
                     std::string_view info)
{
    if (!api_.l2SendUi || info.size() > static_cast<std::size_t>(INT_MAX))
        return false;
    const void* bytes = info.empty() ? nullptr : info.data();
    const bool sent =
        api_.l2SendUi(mycall.c_str(), destination.c_str(), pid, 0, static_cast<int>(info.size()), bytes) != 0;
    if (sent && !api_.monitor)
        monitorSent(mycall, destination, pid, info);
    return sent;
}

bool FlexApi::frameWaiting(const std::string& mycall, const std::string& destination, int pid,
                           std::string_view info)
{
    if (!api_.uiWaiting || info.size() > static_cast<std::size_t>(INT_MAX))
        return false;
    const void* bytes = info.empty() ? nullptr : info.data();
    return api_.uiWaiting(mycall.c_str(), destination.c_str(), pid, static_cast<int>(info.size()), bytes) !=
           0;
}

bool FlexApi::holdsFrames()
{
    if (!api_.uiWaiting)
        return false;
    return !api_.uiWaitingCount || api_.uiWaitingCount() > 0;
}

void FlexApi::withdrawFrame(const std::string& mycall, const std::string& destination, int pid,
                            std::string_view info)
{
    if (!api_.uiWithdraw || info.size() > static_cast<std::size_t>(INT_MAX))
        return;
    api_.uiWithdraw(mycall.c_str(), destination.c_str(), pid, static_cast<int>(info.size()),
                    info.empty() ? nullptr : info.data());
}

std::vector<FlexApi::Channel> FlexApi::channels()
{
    std::vector<Channel> found;
    if (!api_.channelDescribe || !api_.channelConnected)
        return found;
    for (int number = 0; number < FLX_CHANNELS; ++number) {
        const auto text =
            extensionText([&](char* out, int room) { return api_.channelDescribe(number, out, room); });
        if (!text)
            continue;
        // The kind is one word; the address is the rest, a serial line's baud rate included.
        const auto blank = text->find(' ');
        Channel channel{number, text->substr(0, blank), {}, ident(number)};
        if (blank != std::string::npos)
            channel.address = text->substr(blank + 1);
        found.push_back(std::move(channel));
    }
    return found;
}

bool FlexApi::tncConnected(int channel)
{
    return api_.channelConnected && api_.channelConnected(channel) == 1;
}

std::optional<std::string> FlexApi::channelTable()
{
    if (!api_.channelTable)
        return std::nullopt;
    return extensionText([this](char* out, int room) { return api_.channelTable(out, room); });
}

std::optional<UiFrameView> FlexApi::getUi(const std::string& mycall)
{
    const FlxUiFrame* frame = api_.l2GetUi ? api_.l2GetUi(mycall.c_str()) : nullptr;
    if (!frame)
        return std::nullopt;
    if (!api_.monitor)
        monitorReceived(*frame);
    return UiFrameView(frame);
}

std::string FlexApi::ident(int channel)
{
    const char* name = api_.getIdent ? api_.getIdent(channel) : nullptr;
    return name ? std::string(name) : std::string();
}

std::string FlexApi::callToText(const std::uint8_t* address)
{
    char buffer[FLX_CALL_TEXT + 1] = {};
    if (api_.strcall && address)
        api_.strcall(buffer, address);
    return bufferText(buffer, FLX_CALL_TEXT);
}

std::string FlexApi::pathToText(const UiFrameView& frame)
{
    char buffer[FLX_PATH_TEXT + 1] = {};
    if (api_.strpath)
        api_.strpath(buffer, frame.record());
    return bufferText(buffer, FLX_PATH_TEXT);
}

std::optional<FlxLinkState> FlexApi::linkState(int channel)
{
    FlxLinkState state{};
    if (!api_.channelState || api_.channelState(channel, &state) != 0)
        return std::nullopt;
    return state;
}

std::optional<FlxProbe> FlexApi::probe(const std::string& address, std::chrono::milliseconds timeout)
{
    FlxProbe result{};
    if (!api_.probe)
        return std::nullopt;
    const auto ms = std::clamp<std::chrono::milliseconds::rep>(timeout.count(), 0, INT_MAX);
    if (api_.probe(address.c_str(), static_cast<int>(ms), &result) < 0)
        return std::nullopt;
    result.port_names[sizeof result.port_names - 1] = '\0';
    return result;
}

bool FlexApi::reload()
{
    return api_.reload && api_.reload() == 0;
}

void FlexApi::setMonitor(MonitorSink sink)
{
    auto next = sink ? std::make_shared<const MonitorSink>(std::move(sink)) : nullptr;
    {
        std::lock_guard lock(monitorMutex_);
        monitor_ = next;
    }
    // Registered while a sink is set, so a closed monitor costs the driver nothing. flx_monitor
    // returns once no call of the old registration runs any more.
    if (api_.monitor)
        api_.monitor(next ? &FlexApi::monitorTrampoline : nullptr, next ? this : nullptr);
}

std::shared_ptr<const FlexApi::MonitorSink> FlexApi::monitorSink() const
{
    std::lock_guard lock(monitorMutex_);
    return monitor_;
}

void FlexApi::monitorTrampoline(void* user, int channel, int sent, const unsigned char* ax25, int length)
{
    const auto sink = static_cast<const FlexApi*>(user)->monitorSink();
    if (sink && ax25 != nullptr && length > 0)
        (*sink)(channel, sent != 0, std::string_view(reinterpret_cast<const char*>(ax25), length));
}

void FlexApi::monitorSent(const std::string& mycall, const std::string& destination, int pid,
                          std::string_view info) const
{
    const auto sink = monitorSink();
    if (!sink)
        return;
    if (const auto frame = monitor::encodeSentFrame(mycall, destination, pid, info))
        (*sink)(frame->channel, true, frame->ax25);
}

void FlexApi::monitorReceived(const FlxUiFrame& record) const
{
    const auto sink = monitorSink();
    if (sink)
        (*sink)(record.channel, false, monitor::encodeRecord(record));
}

}  // namespace zelvo::link
