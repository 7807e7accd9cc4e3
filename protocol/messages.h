// Short messages between stations: receipt with acknowledgement and duplicate suppression, the end
// of a delivery on its acknowledgement, and the two per-station countdowns, counted in receive
// passes, that repeat an unacknowledged message and a poll and give them up. A countdown stands
// still while its last frame waits in the driver for a busy channel.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/roster.h"
#include "link/ui_frame_view.h"
#include "protocol/outgoing.h"
#include "protocol/station.h"

namespace zelvo::protocol {

// Countdown start values: a text the user has just sent gets five transmissions, one that waited
// or a remote answer four; a poll sends five requests.
inline constexpr int kSendCountUser = 151;
inline constexpr int kSendCountQueued = 121;
inline constexpr int kPollCountStart = 151;
// A transmission or poll goes out whenever the countdown reaches a multiple of this.
inline constexpr int kRepeatPasses = 30;

void onMessage(Station& station, const link::UiFrameView& frame);
void onAck(Station& station, const link::UiFrameView& frame);

// One pass of the delivery countdown of `entry`. A pass that ticks every entry hands each the
// same HeldFrames.
void sendTimerTick(Station& station, app::TUserEntry& entry);
void sendTimerTick(Station& station, app::TUserEntry& entry, HeldFrames& held);
// One pass of the poll countdown of `entry`.
void pollTimerTick(Station& station, app::TUserEntry& entry);
void pollTimerTick(Station& station, app::TUserEntry& entry, HeldFrames& held);

// A text cut into the pieces one message frame carries (at most kMaxMessageText bytes each),
// each ending at the last blank or line break within the limit where there is one.
std::vector<std::string> splitMessageText(std::string_view text);

// Appends `text` (split where needed) to the entry's queue and starts its countdown at `count`.
void queueText(app::TUserEntry& entry, std::string_view text, int count);

}  // namespace zelvo::protocol
