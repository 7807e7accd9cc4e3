// What the engine tells the user in the status bar, as a value: a kind and what fills it (a
// station's alias, a reason), or a problem of the store. The German sentence of each kind is kept
// here, for the activity log, the headless station and the German windows; the windows translate
// the kind itself (its German sentence is the source text) and fill in the argument, so a switch
// of the language rewords a status already shown.
#pragma once

#include <string>
#include <string_view>

#include "platform/problem.h"

namespace zelvo::protocol {

enum class StatusKind : int {
    None,  // nothing to show
    Ready,
    MessageArrived,
    TransmissionError,
    Polling,
    SendingMessage,
    Queued,
    OfflineImpossible,
    RosterFull,
    UserOffline,
    PollSucceeded,
    EmptyRoster,  // the error box of the online switch
    StationOffline,
    StationAway,
    PolledBy,
    RemoteFrom,
    ReceiveFault,
    ReceiveFaultUnknown,
    // What a press on the roster says about the selected station.
    StationOnline,
    StationHasPolled,
    StationIsAway,
    StoreProblem,  // the sentence is the problem's own
};
inline constexpr int kStatusKindCount = static_cast<int>(StatusKind::StoreProblem) + 1;

struct Status {
    StatusKind kind = StatusKind::None;
    // Windows-1252: the alias or the reason the kind's %1 stands for.
    std::string argument{};
    platform::Problem problem{};

    bool operator==(const Status&) const = default;
};

inline Status storeProblem(platform::Problem problem)
{
    return {StatusKind::StoreProblem, {}, std::move(problem)};
}

// The kind's German sentence, UTF-8, with %1 for the argument where it takes one; empty for None
// and StoreProblem. The windows' translations use it as their source text, in the context
// kStatusContext.
const char* statusFormat(StatusKind kind);
inline constexpr const char* kStatusContext = "Status";

// The German sentence of `status` in Windows-1252, as the log and the headless station show it.
std::string statusText(const Status& status);

}  // namespace zelvo::protocol
