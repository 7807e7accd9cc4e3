// The exported C entry points of libflxapi32.so. Everything else in the library is hidden.
#pragma GCC visibility push(default)
#include "driver/flxapi.h"
#include "driver/flxapi_ext.h"
#pragma GCC visibility pop

#include "driver/ax25_frame.h"
#include "driver/channel_table.h"
#include "driver/driver.h"
#include "driver/probe.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <climits>
#include <cstddef>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <optional>
#include <string>

// The program reads these fields by offset.
static_assert(offsetof(FlxUiFrame, source) == 7);
static_assert(offsetof(FlxUiFrame, pid) == 18);
static_assert(offsetof(FlxUiFrame, channel) == 20);
static_assert(offsetof(FlxUiFrame, info_length) == 30);
static_assert(offsetof(FlxUiFrame, info) == 32);
static_assert(std::endian::native == std::endian::little, "info_length must be little-endian");

namespace {

using zelvo::driver::Driver;

// The channel table (see findChannelTable); the driver's home is the folder of the library as it
// was loaded, not following symlinks, so a copy or link of the library brings its own table.
std::filesystem::path tableFile()
{
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void*>(&ax_init), &info) != 0 && info.dli_fname != nullptr)
        return zelvo::driver::findChannelTable(std::filesystem::path(info.dli_fname).parent_path());
    return zelvo::driver::findChannelTable(".");
}

int copyOut(char* out, const std::string& text, std::size_t limit)
{
    const std::size_t length = std::min(text.size(), limit);
    text.copy(out, length);
    out[length] = '\0';
    return static_cast<int>(length);
}

// snprintf's way with a text: as much as fits with its NUL, and the whole length.
int copyOut(char* out, int room, const std::optional<std::string>& text)
{
    if (!text)
        return -1;
    if (out != nullptr && room > 0)
        copyOut(out, *text, static_cast<std::size_t>(room) - 1);
    return static_cast<int>(text->size());
}

}  // namespace

extern "C" {

int ax_init(void)
{
    return Driver::instance().init(tableFile());
}

int ax_exit(void)
{
    return Driver::instance().exit();
}

uint8_t l2_send_ui(const char* mycall, const char* destination, int pid, int /*reserved*/, int info_length,
                   const void* info)
{
    return Driver::instance().sendUi(mycall, destination, pid, info_length, info) ? 1 : 0;
}

const FlxUiFrame* l2_get_ui(const char* mycall)
{
    return Driver::instance().getUi(mycall);
}

const char* get_ident(int channel)
{
    return Driver::instance().ident(channel);
}

int strcall(char* out, const uint8_t* address)
{
    if (out == nullptr)
        return 0;
    if (address == nullptr)
        return copyOut(out, "", 0);
    return copyOut(out, zelvo::ax25::callText(address), FLX_CALL_TEXT);
}

int strpath(char* out, const FlxUiFrame* frame)
{
    if (out == nullptr)
        return 0;
    if (frame == nullptr)
        return copyOut(out, "", 0);
    std::string path;
    const int digis = std::min<int>(frame->digi_count, FLX_MAX_DIGIS);
    for (int i = 0; i < digis; ++i)
        path += zelvo::ax25::callText(frame->digis[i]) + " ";
    path += zelvo::ax25::callText(frame->source);
    return copyOut(out, path, FLX_PATH_TEXT);
}

int flx_get_stats(FlxStats* out)
{
    if (out == nullptr)
        return -1;
    *out = Driver::instance().stats();
    return 0;
}

int flx_ui_waiting(const char* mycall, const char* destination, int pid, int info_length, const void* info)
{
    return Driver::instance().uiWaiting(mycall, destination, pid, info_length, info) ? 1 : 0;
}

int flx_ui_waiting_count(void)
{
    return static_cast<int>(std::min<std::size_t>(Driver::instance().uiWaitingCount(), INT_MAX));
}

int flx_ui_withdraw(const char* mycall, const char* destination, int pid, int info_length, const void* info)
{
    return Driver::instance().uiWithdraw(mycall, destination, pid, info_length, info) ? 1 : 0;
}

int flx_channel_connected(int channel)
{
    return Driver::instance().connected(channel) ? 1 : 0;
}

int flx_channel_table(char* out, int room)
{
    return copyOut(out, room, Driver::instance().tableFile());
}

int flx_channel_describe(int channel, char* out, int room)
{
    return copyOut(out, room, Driver::instance().describe(channel));
}

int flx_channel_state(int channel, FlxLinkState* out)
{
    const auto status = Driver::instance().state(channel);
    if (out == nullptr || !status)
        return -1;
    *out = FlxLinkState{status->state, status->error, status->agwMajor, status->agwMinor, status->radioPorts};
    return 0;
}

int flx_probe(const char* address, int timeout_ms, FlxProbe* out)
{
    if (out == nullptr)
        return -1;
    *out = zelvo::driver::probe(address ? std::string_view(address) : std::string_view(),
                                std::chrono::milliseconds(std::max(timeout_ms, 0)));
    return out->kind;
}

int flx_reload(void)
{
    return Driver::instance().reload(tableFile());
}

void flx_monitor(FlxMonitorFn fn, void* user)
{
    Driver::instance().setMonitor(fn, user);
}

}  // extern "C"
