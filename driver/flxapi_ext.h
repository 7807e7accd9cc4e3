/* Extensions of libflxapi32.so beyond the seven FlexNet entry points: counters of what the
 * driver received, delivered and dropped, the channel table in use with the state of each
 * channel's TNC connection, and the frames that still wait in a paced channel's send queue. The
 * program uses flx_ui_waiting, flx_ui_withdraw, flx_ui_waiting_count, flx_channel_connected,
 * flx_channel_describe and flx_channel_table where the driver has them, and works without them.
 * Counters start at 0 with ax_init. */
#ifndef ZELVO_FLXAPI_EXT_H
#define ZELVO_FLXAPI_EXT_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct FlxStats {
    uint64_t connects;                /* TNC connections made, reconnections included */
    uint64_t connect_failures;        /* attempts that found no TNC */
    uint64_t frames_sent;             /* l2_send_ui calls that wrote a whole frame or queued it */
    uint64_t sends_refused;           /* l2_send_ui calls that returned 0 */
    uint64_t kiss_frames;             /* KISS frames decoded, any port and command */
    uint64_t kiss_errors;             /* KISS frames dropped: over-long, bad escape, cut off */
    uint64_t dropped_other_port;      /* KISS frames for another KISS port or not data frames */
    uint64_t dropped_malformed;       /* AX.25 frames that could not be decoded, info over 256 */
    uint64_t dropped_not_ui;          /* well-formed AX.25 frames other than UI */
    uint64_t dropped_incomplete_path; /* UI frames with a digipeater that has not repeated */
    uint64_t dropped_queue_full;      /* UI frames that found the receive queue full */
    uint64_t frames_queued;           /* UI frames put in the receive queue */
    uint64_t dropped_other_call;      /* queued frames l2_get_ui skipped: not for the call asked */
    uint64_t frames_delivered;        /* frames l2_get_ui handed out */
} FlxStats;

/* Copies the counters into out. Returns 0, or -1 when out is NULL. */
int flx_get_stats(FlxStats* out);

/* 1 while the channel's TNC is connected, 0 otherwise (also for channels not in the table or
 * before ax_init). */
int flx_channel_connected(int channel);

/* The texts below are written into out like snprintf does: at most room - 1 bytes and a NUL
 * (nothing with room 0, when out may be NULL). They return the length of the whole text, or -1
 * when there is none. */

/* The channel table the driver read at ax_init: its file name, or an empty text when it found no
 * file and serves the built-in channel 0 (kiss-tcp 127.0.0.1:8001). -1 before ax_init and after
 * ax_exit. */
int flx_channel_table(char* out, int room);
/* A channel's kind and the connection to its TNC as its table line writes them, without number
 * and name: "kiss-tcp 127.0.0.1:8001", "kiss-tcp [::1]:8001/1@1200", "kiss-serial /dev/ttyUSB0
 * 9600". -1 for a channel that is not in the table (also before ax_init). */
int flx_channel_describe(int channel, char* out, int room);

/* On a channel with an air rate: 1 while the frame l2_send_ui would make of these arguments (same
 * source, destination text, PID and information field) has not gone on the air as far as the
 * driver can tell: it waits in the send queue for the channel to be free, or it was handed to
 * the TNC, other stations' frames have kept the channel busy since, and it is not expected to be
 * off the air yet. 0 otherwise, always on a channel without an air rate and for arguments that
 * make no frame. l2_send_ui of a frame that waits in the queue keeps the waiting copy instead of
 * adding another. */
int flx_ui_waiting(const char* mycall, const char* destination, int pid, int info_length, const void* info);
/* Takes that frame out of the send queue when it still waits there: it will not go on the air.
 * 1 when it was taken out, 0 otherwise. */
int flx_ui_withdraw(const char* mycall, const char* destination, int pid, int info_length, const void* info);
/* How many frames flx_ui_waiting answers 1 for at this moment, over all channels: a caller that
 * would ask after many frames asks this first, and none of them waits while it is 0. */
int flx_ui_waiting_count(void);

#ifdef __cplusplus
}
#endif

#endif
