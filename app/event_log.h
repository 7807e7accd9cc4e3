// The engine's view of the activity log: what a line is about, and where lines go. No Qt here;
// the log file itself, with its time stamps in the locale's words, is app/activity_log.h.
#pragma once

#include <string_view>

namespace zelvo::app {

// What a log line is about. 0..10 are the event kinds, with the same numbers; 8 and 9 (own
// station away and back) write no line. 20..27 exist only in the log.
enum class LogKind : int {
    MessageReceived = 0,
    MessageSent = 1,
    UserOnline = 2,
    UserOffline = 3,
    UserAway = 4,
    UserBack = 5,
    SelfOnline = 6,
    SelfOffline = 7,
    SelfAway = 8,
    SelfBack = 9,
    Polled = 10,
    PollTo = 20,
    Started = 21,
    Ended = 22,
    Remote = 23,
    Error = 24,    // a failure the program noticed while running
    TncLost = 25,  // a channel's TNC stopped answering (or never did)
    TncBack = 26,  // and answers again
    Private = 27,  // files of the program that others could read are now the user's alone
};

class EventLog {
public:
    virtual ~EventLog() = default;
    // Appends the kind's line (with `text` where the kind takes one), when the log is on.
    virtual void logFile(std::string_view text, LogKind kind) = 0;
};

}  // namespace zelvo::app
