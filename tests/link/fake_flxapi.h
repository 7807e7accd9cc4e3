/* What the binding handed to the fake driver library (fake_flxapi.c), exported as fake_calls. */
#pragma once

#include "driver/flxapi.h"

struct FakeCalls {
    int init_calls, exit_calls, withdrawn;
    int waiting_count;                        /* what flx_ui_waiting_count answers */
    void (*on_send)(const char* destination); /* called by every l2_send_ui, when set */
    int exited, get_after_exit;               /* l2_get_ui calls between ax_exit and the next ax_init */
    char mycall[64], destination[128];
    int pid, reserved, length;
    const void* info;
    char bytes[FLX_MAX_INFO + 1];
};
