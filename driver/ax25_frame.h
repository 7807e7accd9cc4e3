// AX.25 (v2.2) addresses and UI frames as they travel inside KISS data frames, without FCS:
// destination, source, up to eight digipeaters, control, PID, information field.
//
// An address is seven bytes: six characters shifted left by one and padded with blanks, then
// the SSID byte CRRSSSSx (C/H bit 0x80, reserved bits 0x60, SSID in bits 1..4, address-field
// extension bit 0x01 on the last address). On the destination and source the top bit is the
// command/response bit; on a digipeater it is the has-been-repeated (H) bit.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelvo::ax25 {

inline constexpr std::size_t ADDRESS_LENGTH = 7;
inline constexpr std::size_t MAX_CALL_LENGTH = 6;
inline constexpr std::uint8_t MAX_SSID = 15;
inline constexpr std::size_t MAX_DIGIS = 8;
inline constexpr std::size_t MAX_ADDRESSES = 2 + MAX_DIGIS;

inline constexpr std::uint8_t CONTROL_UI = 0x03;
inline constexpr std::uint8_t CONTROL_PF = 0x10;  // poll/final bit
inline constexpr std::uint8_t PID_NO_LAYER3 = 0xF0;

inline constexpr std::uint8_t SSID_CH_BIT = 0x80;
inline constexpr std::uint8_t SSID_RESERVED = 0x60;
inline constexpr std::uint8_t SSID_EXTENSION = 0x01;

using RawAddress = std::array<std::uint8_t, ADDRESS_LENGTH>;

struct Address {
    std::string call;       // 1..6 characters A-Z 0-9
    std::uint8_t ssid = 0;  // 0..15
    // C bit on destination and source, H ("has been repeated") bit on a digipeater.
    bool chBit = false;

    bool repeated() const { return chBit; }
    void setRepeated(bool value) { chBit = value; }

    // Call and SSID equal; the C/H bit is not part of a station's identity.
    bool sameStation(const Address& other) const { return call == other.call && ssid == other.ssid; }
};

// True for 1..6 characters A-Z and 0-9 (upper case).
bool isValidCall(std::string_view call);

// "CALL" or "CALL-SSID", upper-cased; nullopt for anything AX.25 cannot carry.
std::optional<Address> parseAddress(std::string_view text);
// "CALL-SSID", or "CALL" for SSID 0.
std::string formatAddress(const Address& address);

// The seven address bytes; reserved bits set, extension bit only when last. The address must
// be valid (isValidCall, SSID <= 15); longer calls are cut to six characters.
RawAddress encodeAddress(const Address& address, bool last);
// nullopt when the characters are not a valid call (blanks only at the end).
std::optional<Address> decodeAddress(const std::uint8_t* bytes);
// Any 7-byte address as text, as the driver's strcall gives it: letters and digits as they are,
// any other character as '?', ending at the first blank or NUL; "-SSID" unless the SSID is 0.
// At most 9 characters; "-6" for an address without call letters.
std::string callText(const std::uint8_t* address);

struct Frame {
    Address destination;
    Address source;
    std::vector<Address> digis;  // in the order they appear in the frame, at most 8
    std::uint8_t control = CONTROL_UI;
    std::uint8_t pid = PID_NO_LAYER3;
    std::string info;

    // Every digipeater has its H bit set (true without digipeaters): the frame has travelled
    // its whole path and may be delivered.
    bool pathComplete() const;
    // Index of the first digipeater that has not repeated the frame yet, or nullopt.
    std::optional<std::size_t> nextDigi() const;
};

// A UI command frame as a station sends it: destination C bit set, source C bit clear,
// digipeater H bits clear, control 0x03.
Frame makeUiFrame(const Address& source, const Address& destination, const std::vector<Address>& digis,
                  std::uint8_t pid, std::string_view info);

// The frame's bytes as they stand (C and H bits as held in the frame). Addresses must be valid
// and digis at most 8; the caller checks (parseAddress does).
std::string encodeFrame(const Frame& frame);

enum class DecodeError {
    None,
    TooShort,             // fewer than two whole addresses
    AddressUnterminated,  // no extension bit before the buffer ends
    TooManyAddresses,     // no extension bit within ten addresses
    BadAddress,           // characters that are not a call sign
    NoControl,            // frame ends after its address field
    NotUi,                // control field other than UI (with or without P/F)
    NoPid,                // UI frame ends after its control field
};

const char* describe(DecodeError error);

// Decodes a UI frame; on any error out is left unspecified. Never reads past bytes.
DecodeError decodeUiFrame(std::string_view bytes, Frame& out);

}  // namespace zelvo::ax25
