// What other stations tell about their presence: the handlers of the six presence frame kinds,
// the registration of an unknown station that announces itself, and the event report through
// which a station event becomes the reactions the user configured for it.
#pragma once

#include <string>
#include <string_view>

#include "app/roster.h"
#include "dialogs/settings.h"
#include "link/ui_frame_view.h"
#include "protocol/station.h"

namespace zelvo::protocol {

void onStatusAnnounce(Station& station, const link::UiFrameView& frame);
void onOfflineAnnounce(Station& station, const link::UiFrameView& frame);
void onAwayAnnounce(Station& station, const link::UiFrameView& frame);
void onBackAnnounce(Station& station, const link::UiFrameView& frame);
void onPollRequest(Station& station, const link::UiFrameView& frame);
void onPollAnswer(Station& station, const link::UiFrameView& frame);

// Sound (when the entry's sounds are on), pop-up, log line and move to the top, as configured
// for the event kind; `text` is a received message's, for its notification.
void reportEvent(Station& station, app::TUserEntry& entry, dialogs::TEventKind kind,
                 std::string_view text = {});

// The words of a blank-separated text in reverse order: "A B C" gives "C B A". Words are cut to
// 9 characters; at most kMaxPathWords are kept (a call and AX.25's 8 digipeaters).
inline constexpr int kMaxPathWords = 9;
std::string reverseWords(std::string_view text);

// The sender's base call, as every handler finds the station by.
std::string senderBaseCall(Station& station, const link::UiFrameView& frame);

}  // namespace zelvo::protocol
