// One line of the channel monitor for any AX.25 frame, as packet monitors show it: from, to, the
// digipeaters with '*' after the last one that repeated the frame, the frame type with its sequence
// numbers, command or response and the poll/final bit, the PID, and the information field as one
// bounded line of text with control characters written as <0x0d>.
//
// A library of its own beside the binding (which makes the program's own frames into the bytes
// this reads): the windowed program's monitor, zelvo-station's MON lines and the fuzz target use
// it without Qt, and it needs the protocol's frame kinds, which the binding itself does not.
//
// Any bytes are taken: a frame too short for its addresses is an Invalid line with its bytes as
// text; calls with characters no call has show '?' in their place. Never reads past the buffer.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/frame_format.h"

namespace zelvo::link::monitor {

enum class FrameType {
    UI,
    I,
    RR,
    RNR,
    REJ,
    SREJ,
    SABM,
    SABME,
    DISC,
    DM,
    UA,
    FRMR,
    XID,
    TEST,
    OtherU,   // a U frame with a control byte AX.25 does not define
    Invalid,  // no complete address field
};

// Set by the C bits of destination and source: 1 0 command, 0 1 response; equal bits are an
// AX.25 version 1 frame that says neither.
enum class Role { Command, Response, Unknown };

// The information field is shown up to this many bytes of the frame; a longer one ends in "...".
inline constexpr std::size_t kMaxTextBytes = 120;

struct Digi {
    std::string call;
    bool repeated = false;  // the H bit
};

struct Line {
    std::string from;
    std::string to;
    std::vector<Digi> digis;
    FrameType type = FrameType::Invalid;
    Role role = Role::Unknown;
    bool pollFinal = false;
    int control = -1;  // the control byte; -1 without one
    int ns = -1;       // N(S) of an I frame
    int nr = -1;       // N(R) of I and S frames
    std::optional<int> pid;
    // Windows-1252 text without control characters, at most one line.
    std::string text;
    // Zelvo's own kind of a UI frame, by PID and information length.
    std::optional<protocol::FrameKind> kind;
};

Line decodeLine(std::string_view ax25);

// "DB0AAA*,DB0BBB": the digipeaters, '*' after the last one whose H bit is set.
std::string viaText(const Line& line);
// "UI", "I", "RR", ..., "U?" for OtherU, "?" for Invalid.
const char* typeName(FrameType type);
// The type with its numbers and bits: "I N(S)=3 N(R)=5 C P", "RR N(R)=2 R F", "SABM C P", "UI C".
std::string typeText(const Line& line);
// "F0"; empty for a frame without PID.
std::string pidText(const Line& line);
// The kind's German word (Status, Offline, Nachricht, Quittung, Poll, Poll-Antwort, Away, Back).
const char* kindWord(protocol::FrameKind kind);
// Bytes with every control character (below 0x20, 0x7F, and the five bytes Windows-1252 leaves
// unassigned) written as <0xNN>; at most kMaxTextBytes bytes of `bytes`, then "...".
std::string safeText(std::string_view bytes);

// The whole line in Windows-1252, for a text monitor:
// "DL1AAA>DL2BBB via DB0AAA* [UI C] pid=DA Status: [Anna]<0x18>".
std::string formatLine(const Line& line);

}  // namespace zelvo::link::monitor
