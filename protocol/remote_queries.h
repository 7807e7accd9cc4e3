// Remote queries: a message beginning with "//" asks for the program's version ("ve"), the info
// text ("in"), the roster with each station's state ("cs") or one station's details ("de"). The
// answer is queued as an ordinary message to the asking station.
#pragma once

#include <string>
#include <string_view>

#include "app/roster.h"
#include "protocol/station.h"

namespace zelvo::protocol {

void answerRemoteQuery(Station& station, app::TUserEntry& asker, std::string_view text);

// The answer texts, for the queries that are allowed.
std::string versionAnswer(std::string_view version);
std::string rosterStatusAnswer(const app::Roster& roster);
std::string detailAnswer(const app::TUserEntry& entry);

}  // namespace zelvo::protocol
