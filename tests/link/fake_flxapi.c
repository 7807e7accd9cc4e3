/* A stand-in for libflxapi32.so built several times for the binding tests: get_ident(0) names
 * the copy (FAKE_MARK), FAKE_OMIT_AX_INIT / FAKE_OMIT_STRPATH leave an entry point out,
 * FAKE_OMIT_SEND_QUEUE the optional flx_ui_waiting, flx_ui_withdraw and flx_ui_waiting_count,
 * FAKE_OMIT_WAITING_COUNT only the last, and fake_calls lets a test see what the binding handed
 * over. */
#include <stdint.h>
#include <string.h>

#include "tests/link/fake_flxapi.h"

#define EXPORT __attribute__((visibility("default")))

EXPORT struct FakeCalls fake_calls;
static FlxUiFrame frame;

#ifndef FAKE_OMIT_AX_INIT
EXPORT int ax_init(void)
{
    ++fake_calls.init_calls;
    fake_calls.exited = 0;
    fake_calls.get_after_exit = 0;
    return 0;
}
#endif

EXPORT int ax_exit(void)
{
    ++fake_calls.exit_calls;
    fake_calls.exited = 1;
    return 0;
}

/* Accepts a frame only when the destination is not "refuse". */
EXPORT uint8_t l2_send_ui(const char* mycall, const char* destination, int pid, int reserved, int info_length,
                          const void* info)
{
    strncpy(fake_calls.mycall, mycall, sizeof fake_calls.mycall - 1);
    strncpy(fake_calls.destination, destination, sizeof fake_calls.destination - 1);
    fake_calls.pid = pid;
    fake_calls.reserved = reserved;
    fake_calls.length = info_length;
    fake_calls.info = info;
    if (info && info_length > 0 && info_length <= FLX_MAX_INFO)
        memcpy(fake_calls.bytes, info, (size_t)info_length);
    if (fake_calls.on_send)
        fake_calls.on_send(destination);
    return strcmp(destination, "refuse") != 0;
}

#ifndef FAKE_OMIT_SEND_QUEUE
/* Frames for "busy" wait. A withdrawal is counted and recorded as a send. */
EXPORT int flx_ui_waiting(const char* mycall, const char* destination, int pid, int info_length,
                          const void* info)
{
    (void)mycall, (void)pid, (void)info_length, (void)info;
    return strcmp(destination, "busy") == 0;
}

EXPORT int flx_ui_withdraw(const char* mycall, const char* destination, int pid, int info_length,
                           const void* info)
{
    ++fake_calls.withdrawn;
    return l2_send_ui(mycall, destination, pid, 0, info_length, info);
}

#ifndef FAKE_OMIT_WAITING_COUNT
EXPORT int flx_ui_waiting_count(void)
{
    return fake_calls.waiting_count;
}
#endif
#endif

/* One status frame from DK7NEW for DL1ABC, nothing for anybody else. */
EXPORT const FlxUiFrame* l2_get_ui(const char* mycall)
{
    /* As long as the path text strpath copies from it. */
    static const uint8_t info[FLX_PATH_TEXT + 1] = "[Nord]\x18";
    if (fake_calls.exited)
        ++fake_calls.get_after_exit;
    if (strcmp(mycall, "DL1ABC") != 0)
        return NULL;
    memset(&frame, 0, sizeof frame);
    memcpy(frame.source, "DK7NEW", 7); /* strcall hands these bytes back as they stand */
    frame.pid = 218;
    frame.channel = 7;
    frame.info_length = 7;
    frame.info = info;
    return &frame;
}

EXPORT const char* get_ident(int channel)
{
    return channel == 0 ? FAKE_MARK : NULL;
}

/* Copies the 17 bytes at `address` as they stand, so a test controls exactly what comes back. */
EXPORT int strcall(char* out, const uint8_t* address)
{
    memcpy(out, address, FLX_CALL_TEXT + 1);
    return 0;
}

#ifndef FAKE_OMIT_STRPATH
/* Copies the 132 bytes that the frame's info points at. */
EXPORT int strpath(char* out, const FlxUiFrame* f)
{
    memcpy(out, f->info, FLX_PATH_TEXT + 1);
    return 0;
}
#endif
