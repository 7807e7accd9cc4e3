/* The application interface of the FlexNet stand-in driver libflxapi32.so: the seven entry
 * points the program calls, with C linkage, and the record that l2_get_ui hands out.
 * Texts are NUL-terminated 8-bit strings; integers are 32 bits wide. Every entry point may be
 * called from several threads at once. */
#ifndef ZELVO_FLXAPI_H
#define ZELVO_FLXAPI_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

enum {
    FLX_CHANNELS = 16,  /* channel numbers 0..15 */
    FLX_MAX_DIGIS = 8,  /* AX.25 carries at most 8 digipeaters */
    FLX_MAX_INFO = 256, /* longest information field accepted or delivered */
    FLX_CALL_TEXT = 16, /* strcall writes at most this many characters plus NUL */
    FLX_PATH_TEXT = 131 /* strpath writes at most this many characters plus NUL */
};

/* One received UI frame. The first four fields the program reads sit at fixed offsets
 * (source 7, pid 18, info_length 30, info 32); the rest is the driver's own. Addresses are in
 * AX.25 address-field encoding (six shifted characters and the SSID byte). */
typedef struct FlxUiFrame {
    uint8_t dest[7];                        /*  0 */
    uint8_t source[7];                      /*  7 */
    uint8_t control;                        /* 14: always 0x03 (UI) */
    uint8_t digi_count;                     /* 15: 0..8 */
    uint8_t reserved16[2];                  /* 16 */
    uint8_t pid;                            /* 18 */
    uint8_t reserved19;                     /* 19 */
    int32_t channel;                        /* 20: the channel the frame came in on */
    uint8_t reserved24[6];                  /* 24 */
    uint16_t info_length;                   /* 30: little-endian on every target we build for */
    const uint8_t* info;                    /* 32: info_length bytes followed by a NUL */
    uint8_t digis[FLX_MAX_DIGIS][7];        /* 40: in the order they appear in the frame */
    uint8_t info_storage[FLX_MAX_INFO + 1]; /* 96: what info points at */
} FlxUiFrame;

/* Reads the channel table and starts one connection thread per channel. Returns 0 on success,
 * -1 when no channel could be set up. Calling it again while running does nothing. */
int ax_init(void);
/* Hands frames still waiting to be sent to their TNCs, stops the connection threads and forgets
 * received frames. */
int ax_exit(void);
/* Sends one AX.25 UI frame (control 0x03, PID pid & 0xFF) from mycall to the destination text
 * "CALL[-SSID] CHANNEL [DIGI...]". Returns non-zero only when the frame was handed to a connected
 * TNC, or on a channel with an air rate queued for it until the channel is free; 0 for a
 * destination it cannot encode, an unknown or unconnected channel, a full send queue, or an
 * information field longer than FLX_MAX_INFO. reserved is ignored. */
uint8_t l2_send_ui(const char* mycall, const char* destination, int pid, int reserved, int info_length,
                   const void* info);
/* The next received frame addressed to mycall, or NULL. The record stays valid until the next
 * call of l2_get_ui from any thread. */
const FlxUiFrame* l2_get_ui(const char* mycall);
/* The name of a channel, or an empty text for a channel that is not in the table. */
const char* get_ident(int channel);
/* "CALL-SSID" (no "-0") of a 7-byte AX.25 address into out (room for FLX_CALL_TEXT + 1). */
int strcall(char* out, const uint8_t* address);
/* The frame's digipeaters in received order, then its source, blank-separated, into out (room
 * for FLX_PATH_TEXT + 1). */
int strpath(char* out, const FlxUiFrame* frame);

#ifdef __cplusplus
}
#endif

#endif
