// The frames two Zelvo stations exchange: one AX.25 UI frame per exchange, its kind in the PID
// byte, its payload a short 8-bit (Windows-1252) text without header or terminator.
//
// This module classifies a received frame by PID and information length, reads the content of
// each kind, builds the exact information field of each kind for sending, makes the destination
// text handed to the driver, and counts the message sequence numbers.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zelvo::protocol {

enum class FrameKind {
    StatusAnnounce,
    OfflineAnnounce,
    Message,
    Ack,
    PollRequest,
    PollAnswer,
    AwayAnnounce,
    BackAnnounce,
};

// Messages and their acks carry PID_MESSAGE_BASE + s, s = 0..9 the sequence number.
inline constexpr int PID_MESSAGE_BASE = 208;
inline constexpr int PID_MESSAGE_COUNT = 10;
inline constexpr int PID_STATUS = 218;
inline constexpr int PID_POLL = 219;
inline constexpr int PID_AWAY = 220;

// The byte closing a status announcement: answer wanted (going online) or this is the answer.
inline constexpr char MARK_ANSWER_WANTED = 0x18;
inline constexpr char MARK_ANSWER = 0x19;

bool isMessagePid(int pid);
// The message PID after `pid`: 208..216 count up, 217 wraps to 208. Anything that is not a
// message PID (a stored value mangled by hand) restarts the sequence at 208.
int nextMessagePid(int pid);

// The kind of a received frame, or nothing for a frame that no handler takes.
std::optional<FrameKind> classifyFrame(int pid, std::size_t length);

// A received information field as the readers take it: the length the frame carries, and the
// field read as text (up to its first NUL, at most `length` bytes).
struct InfoField {
    std::size_t length = 0;
    std::string text;

    // Applies the text rule to the raw bytes of a field.
    static InfoField fromBytes(std::string_view bytes);
};

// StatusAnnounce: the alias, the length - 3 bytes after the first ("[" and "]" not checked).
std::string readStatusAlias(const InfoField& field);
// StatusAnnounce: whether the sender asks for our status (the field ends in MARK_ANSWER_WANTED).
bool readAnswerWanted(const InfoField& field);

// PollAnswer and AwayAnnounce: the sender's away state; awayText is empty for away without a
// reason (and always empty when not away).
struct AwayState {
    bool away = false;
    std::string awayText;
    bool operator==(const AwayState&) const = default;
};
AwayState readPollAnswer(const InfoField& field);
// An AwayAnnounce always means away.
AwayState readAwayAnnounce(const InfoField& field);

// A frame ready for the driver.
struct OutgoingFrame {
    int pid = 0;
    std::string info;
    bool operator==(const OutgoingFrame&) const = default;
};

// "[" + alias + "]" + MARK_ANSWER when answering, MARK_ANSWER_WANTED when announcing.
OutgoingFrame statusFrame(std::string_view alias, bool answering);
OutgoingFrame offlineFrame();
OutgoingFrame messageFrame(int sendPid, std::string_view text);
// Empty, with the PID of the message it acknowledges.
OutgoingFrame ackFrame(int messagePid);
OutgoingFrame pollRequestFrame();
// "+" when available; when away the away text if pollAway (ChPollAway) is on and the text is
// longer than 2 characters, else "-".
OutgoingFrame pollAnswerFrame(bool away, bool pollAway, std::string_view awayText);
// The away text if sendAway (ChSendAway) is on and the text is not empty, else "+".
OutgoingFrame awayFrame(bool sendAway, std::string_view awayText);
OutgoingFrame backFrame();

// The destination text for the driver: the path's first word (call with SSID), a blank, the
// channel, then the path's further words (digipeaters). Blanks in the stored path are
// normalised first. Empty when the path names no station.
std::string buildDestination(std::string_view path, std::string_view channel);

}  // namespace zelvo::protocol
