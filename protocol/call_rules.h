// The AX.25 call rule that every call the program sends to must follow: one to six letters A..Z
// and digits, then optionally "-" and an SSID from 0 to 15. The own call and every word of an
// entry's path are checked against it before they are stored, so that nothing is kept that the
// driver could never put into an address field.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zelvo::protocol {

inline constexpr std::size_t kMaxCallLength = 6;
inline constexpr int kMaxSsid = 15;

// Why a word is no call, in the order they are checked.
enum class CallFault {
    NoCall,        // nothing before the "-" (or nothing at all)
    BadCharacter,  // something other than A..Z and 0..9 before the "-"
    TooLong,       // more than six letters and digits
    BadSsid,       // after the "-" no number from 0 to 15
};

std::optional<CallFault> callFault(std::string_view call);

// The letters a..z upper case, everything else as it is (calls are upper case on the air).
std::string upperCase(std::string_view text);

struct BadCall {
    std::string word;
    CallFault fault;
};

// The first word of a blank-separated list of calls that is none.
std::optional<BadCall> firstBadCall(std::string_view words);

}  // namespace zelvo::protocol
