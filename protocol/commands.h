// The user's commands that reach the air: the online switch, the away switch, polling a station,
// queueing a message to one station or to all, and deleting a station.
#pragma once

#include <string_view>

#include "app/roster.h"
#include "protocol/station.h"

namespace zelvo::protocol {

// Goes online when offline and offline when online. Refused with an error box when the roster is
// empty. False when nothing changed.
bool goOnlineClick(Station& station);
// Away when present, present when away; works online and offline.
void toggleAway(Station& station);
// Starts a poll of `entry` and sends the first request at once. False (with a status text) when
// the own station is offline.
bool pollStation(Station& station, app::TUserEntry& entry);
// Queues `text` for `entry`, or for every station that is not Offline when `toAll` is set, with
// five transmissions. Texts longer than one frame carries are split. False for a text shorter
// than two bytes, which no receiver takes for a message.
bool queueMessage(Station& station, app::TUserEntry& entry, std::string_view text, bool toAll);
// Removes `entry` from the roster, telling it first that we are gone unless it is Offline, and
// saves the roster.
void deleteEntry(Station& station, app::TUserEntry& entry);

}  // namespace zelvo::protocol
