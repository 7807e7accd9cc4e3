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

/* The state of a channel's TNC connection, finer than flx_channel_connected.
 * FLX_LINK_DOWN: no connection; error says why.
 * FLX_LINK_UP: connected, and nothing seen so far that is not the channel's protocol (with AGW:
 *   the server answered the version request).
 * FLX_LINK_WRONG_PROTOCOL: a connection opens, but the other end does not speak the channel's
 *   protocol: a KISS port that sends bytes outside KISS framing or closes the connection after
 *   each frame, an AGW port that does not answer. */
#define FLX_LINK_DOWN 0
#define FLX_LINK_UP 1
#define FLX_LINK_WRONG_PROTOCOL 2

typedef struct FlxLinkState {
    /* FLX_LINK_DOWN, FLX_LINK_UP, FLX_LINK_WRONG_PROTOCOL */
    int state;
    /* FLX_LINK_DOWN: errno of the last attempt (ECONNREFUSED, ENOENT, EACCES, ETIMEDOUT, ...), -1
     * when the host name was not found, 0 when not yet tried */
    int error;
    /* agw-tcp and FLX_LINK_UP: the version the server answered and the radio ports of its port
     * list, else 0 */
    int agw_major;
    int agw_minor;
    int radio_ports;
} FlxLinkState;

/* Fills out with the channel's state; 0, or -1 for a channel that is not in the table (also before
 * ax_init) or out NULL. */
int flx_channel_state(int channel, FlxLinkState* out);

/* What answers at one TNC address, without sending anything on the air: the address is written as
 * a table line writes kind and connection ("kiss-tcp 127.0.0.1:8001", "agw-tcp 127.0.0.1:8000",
 * "kiss-serial /dev/ttyUSB0 9600"). A TCP address is sent an AGW version request, which a KISS TNC
 * ignores (it is outside KISS framing) and an AGW server answers; a serial device is only opened.
 * Waits up to timeout_ms. Works without ax_init.
 * FLX_PROBE_NOTHING: no connection; error says why.
 * FLX_PROBE_KISS: a connection that stayed open, answered no AGW request and sent nothing outside
 *   KISS framing: a KISS TNC as far as can be told.
 * FLX_PROBE_AGW: an AGW server: agw_major, agw_minor, radio_ports.
 * FLX_PROBE_OTHER: a connection opens, but the other end speaks neither protocol. */
#define FLX_PROBE_NOTHING 0
#define FLX_PROBE_KISS 1
#define FLX_PROBE_AGW 2
#define FLX_PROBE_OTHER 3

typedef struct FlxProbe {
    /* FLX_PROBE_... */
    int kind;
    /* FLX_PROBE_NOTHING: errno, -1 for a host name not found, -2 for an address that is not
     * written right */
    int error;
    int agw_major;
    int agw_minor;
    int radio_ports;
    /* AGW: the port list's descriptions, separated by ';' */
    char port_names[256];
} FlxProbe;

/* Returns out->kind, or -1 for out NULL. */
int flx_probe(const char* address, int timeout_ms, FlxProbe* out);

/* Reads the channel table again (the same file ax_init would find now) and reopens the channels
 * whose line changed; channels whose line is unchanged keep their connection and queues. 0, or -1
 * before ax_init or when the new table has no channel (the old channels then stay). */
int flx_reload(void);

/* Every frame the driver hears on a channel (any AX.25 frame, for any station, before any filter)
 * and every frame it hands to a TNC: sent is 1 for the latter. ax25 is the frame without FCS, valid
 * during the call. Called on the driver's threads, for a sent frame while its channel's writes are
 * held: keep it short and do not send from it. A NULL fn ends the calls; after
 * flx_monitor returns, the previous fn is no longer being called. Costs nothing while off. */
typedef void (*FlxMonitorFn)(void* user, int channel, int sent, const unsigned char* ax25, int length);
void flx_monitor(FlxMonitorFn fn, void* user);

#ifdef __cplusplus
}
#endif

#endif
