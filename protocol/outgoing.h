// The own state on the air: going online, offline, away and back, announced to the roster
// stations, and the single sends behind them. Every outgoing frame of the program goes through
// sendUi, addressed by the entry's path and channel.
#pragma once

#include <string>
#include <string_view>

#include "app/roster.h"
#include "protocol/frame_format.h"
#include "protocol/station.h"

namespace zelvo::protocol {

// Hands one frame for `entry` to the driver. Once: offered once, the result is not looked at.
// UntilAccepted: offered after the until-accepted frames the driver has not taken yet, and when
// refused offered again, kSendAttempts offers in all, the later ones after the station's pause or
// in the next receive passes (Station::pause); a frame refused at every offer is given up and the
// status line says "Übertragungsfehler". True when the driver has taken the frame by the time
// sendUi returns.
bool sendUi(Station& station, const app::TUserEntry& entry, OutgoingFrame frame, SendMode mode);

// Offers the frames in station.unsent again, oldest first, until one is refused that has offers
// left (then, with a pause, after the pause; without, it waits for the next call) or none is left.
// The receive pass calls it first. True when the last frame it took out of the queue was taken.
bool offerUnsent(Station& station);
// Offers what is still in station.unsent to the end, waiting `pause` between the offers of a
// refused frame: for the end of the program, after which no pass offers them again.
void finishUnsent(Station& station, const Station::Pause& pause);

// What the driver holds back for a busy channel, as one receive pass sees it: whether it holds
// anything at all is asked once, and only then after each frame.
class HeldFrames {
public:
    explicit HeldFrames(Station& station);
    // False while the driver holds nothing back: then no frame waits.
    bool any() const { return any_; }
    // True while the driver still holds the frame `pid`, `info` for `entry` back.
    bool waiting(const app::TUserEntry& entry, int pid, std::string_view info);

private:
    Station& station_;
    bool any_;
    std::string myCall_;
};

// Takes this frame for `entry` back when the driver still holds it in its send queue.
void withdraw(Station& station, const app::TUserEntry& entry, int pid, std::string_view info);

// The alias a status frame carries: the own alias, or the own base call when there is none.
std::string announcedAlias(const Station& station);
// Also forgets the last message number taken from the entry: the receiver restarts its own.
void sendStatus(Station& station, app::TUserEntry& entry, bool answering);
void sendOffline(Station& station, const app::TUserEntry& entry);
void sendAwayState(Station& station, const app::TUserEntry& entry, bool away);

// Asks every entry for its status; then the "Selbst Online" sound.
void announceOnline(Station& station);
// The "Selbst Ofline" sound; then an offline announcement to every reachable entry, which then
// counts as offline.
void announceOffline(Station& station);
void announceAway(Station& station);
void announceBack(Station& station);

}  // namespace zelvo::protocol
