/* A stand-in for libflxapi32.so built several times for the binding tests: get_ident(0) names
 * the copy (FAKE_MARK), FAKE_OMIT_AX_INIT / FAKE_OMIT_STRPATH leave an entry point out, and the
 * fake_* functions let a test see what the binding handed over. */
#include <stdint.h>
#include <string.h>

#include "driver/flxapi.h"

#define EXPORT __attribute__((visibility("default")))

static int init_calls;
static int exit_calls;
static int exited;
static int calls_after_exit; /* l2_get_ui calls between ax_exit and the next ax_init */
static char sent_mycall[64];
static char sent_destination[128];
static int sent_pid;
static int sent_reserved;
static int sent_length;
static const void* sent_info;
static char sent_bytes[FLX_MAX_INFO + 1];
static FlxUiFrame frame;

#ifndef FAKE_OMIT_AX_INIT
EXPORT int ax_init(void)
{
    ++init_calls;
    exited = 0;
    calls_after_exit = 0;
    return 0;
}
#endif

EXPORT int ax_exit(void)
{
    ++exit_calls;
    exited = 1;
    return 0;
}

/* Accepts a frame only when the destination is not "refuse". */
EXPORT uint8_t l2_send_ui(const char* mycall, const char* destination, int pid, int reserved, int info_length,
                          const void* info)
{
    strncpy(sent_mycall, mycall, sizeof sent_mycall - 1);
    strncpy(sent_destination, destination, sizeof sent_destination - 1);
    sent_pid = pid;
    sent_reserved = reserved;
    sent_length = info_length;
    sent_info = info;
    if (info && info_length > 0 && info_length <= FLX_MAX_INFO)
        memcpy(sent_bytes, info, (size_t)info_length);
    return strcmp(destination, "refuse") != 0;
}

/* One frame for DL1ABC, nothing for anybody else. */
EXPORT const FlxUiFrame* l2_get_ui(const char* mycall)
{
    static const uint8_t info[] = "[Nord]\x18";
    if (exited)
        ++calls_after_exit;
    if (strcmp(mycall, "DL1ABC") != 0)
        return NULL;
    memset(&frame, 0, sizeof frame);
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

EXPORT int fake_init_calls(void)
{
    return init_calls;
}
EXPORT int fake_exit_calls(void)
{
    return exit_calls;
}
EXPORT int fake_calls_after_exit(void)
{
    return calls_after_exit;
}
EXPORT const char* fake_sent_mycall(void)
{
    return sent_mycall;
}
EXPORT const char* fake_sent_destination(void)
{
    return sent_destination;
}
EXPORT int fake_sent_pid(void)
{
    return sent_pid;
}
EXPORT int fake_sent_reserved(void)
{
    return sent_reserved;
}
EXPORT int fake_sent_length(void)
{
    return sent_length;
}
EXPORT const void* fake_sent_info(void)
{
    return sent_info;
}
EXPORT const char* fake_sent_bytes(void)
{
    return sent_bytes;
}
