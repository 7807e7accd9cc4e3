#include "link/monitor_line.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "driver/ax25_frame.h"

namespace zelvo::link::monitor {

namespace {

constexpr std::uint8_t kPollFinal = 0x10;

// The number of addresses up to the one with the extension bit; 0 when the field is incomplete
// or longer than AX.25 allows.
std::size_t addressCount(const std::uint8_t* data, std::size_t size)
{
    for (std::size_t count = 1; count <= ax25::MAX_ADDRESSES; ++count) {
        if (count * ax25::ADDRESS_LENGTH > size)
            return 0;
        if (data[count * ax25::ADDRESS_LENGTH - 1] & ax25::SSID_EXTENSION)
            return count >= 2 ? count : 0;
    }
    return 0;
}

FrameType unnumberedType(std::uint8_t control)
{
    switch (control & ~kPollFinal) {
    case 0x03: return FrameType::UI;
    case 0x2F: return FrameType::SABM;
    case 0x6F: return FrameType::SABME;
    case 0x43: return FrameType::DISC;
    case 0x0F: return FrameType::DM;
    case 0x63: return FrameType::UA;
    case 0x87: return FrameType::FRMR;
    case 0xAF: return FrameType::XID;
    case 0xE3: return FrameType::TEST;
    default: return FrameType::OtherU;
    }
}

// Type and numbers of the control byte, modulo 8 (a monitor cannot know that a link uses 128).
void readControl(std::uint8_t control, Line& line)
{
    line.control = control;
    line.pollFinal = (control & kPollFinal) != 0;
    if ((control & 0x01) == 0) {
        line.type = FrameType::I;
        line.ns = (control >> 1) & 0x07;
        line.nr = (control >> 5) & 0x07;
    } else if ((control & 0x03) == 0x01) {
        static constexpr FrameType kSupervisory[] = {FrameType::RR, FrameType::RNR, FrameType::REJ,
                                                     FrameType::SREJ};
        line.type = kSupervisory[(control >> 2) & 0x03];
        line.nr = (control >> 5) & 0x07;
    } else {
        line.type = unnumberedType(control);
    }
}

bool hasInfo(FrameType type)
{
    return type == FrameType::I || type == FrameType::UI || type == FrameType::FRMR ||
           type == FrameType::XID || type == FrameType::TEST || type == FrameType::OtherU;
}

bool isControl(unsigned char c)
{
    return c < 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

}  // namespace

Line decodeLine(std::string_view ax25)
{
    Line line;
    const auto* data = reinterpret_cast<const std::uint8_t*>(ax25.data());
    const std::size_t count = addressCount(data, ax25.size());
    if (count == 0) {
        line.text = safeText(ax25);
        return line;
    }
    line.to = ax25::callText(data);
    line.from = ax25::callText(data + ax25::ADDRESS_LENGTH);
    const bool destC = data[6] & ax25::SSID_CH_BIT;
    const bool sourceC = data[ax25::ADDRESS_LENGTH + 6] & ax25::SSID_CH_BIT;
    line.role = destC == sourceC ? Role::Unknown : (destC ? Role::Command : Role::Response);
    for (std::size_t i = 2; i < count; ++i) {
        const std::uint8_t* digi = data + i * ax25::ADDRESS_LENGTH;
        line.digis.push_back({ax25::callText(digi), (digi[6] & ax25::SSID_CH_BIT) != 0});
    }
    std::size_t pos = count * ax25::ADDRESS_LENGTH;
    if (pos >= ax25.size())
        return line;  // Invalid: no control byte
    readControl(data[pos++], line);
    if (line.type == FrameType::I || line.type == FrameType::UI) {
        if (pos >= ax25.size())
            return line;
        line.pid = data[pos++];
    }
    if (!hasInfo(line.type))
        return line;
    const std::string_view info = ax25.substr(pos);
    line.text = safeText(info);
    if (line.type == FrameType::UI)
        line.kind = protocol::classifyFrame(*line.pid, info.size());
    return line;
}

std::string safeText(std::string_view bytes)
{
    std::string out;
    const std::size_t shown = std::min(bytes.size(), kMaxTextBytes);
    out.reserve(shown + 8);
    for (std::size_t i = 0; i < shown; ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (isControl(c)) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "<0x%02x>", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    if (shown < bytes.size())
        out += "...";
    return out;
}

std::string viaText(const Line& line)
{
    std::size_t lastRepeated = line.digis.size();
    for (std::size_t i = 0; i < line.digis.size(); ++i)
        if (line.digis[i].repeated)
            lastRepeated = i;
    std::string out;
    for (std::size_t i = 0; i < line.digis.size(); ++i) {
        if (i > 0)
            out += ',';
        out += line.digis[i].call;
        if (i == lastRepeated)
            out += '*';
    }
    return out;
}

const char* typeName(FrameType type)
{
    switch (type) {
    case FrameType::UI: return "UI";
    case FrameType::I: return "I";
    case FrameType::RR: return "RR";
    case FrameType::RNR: return "RNR";
    case FrameType::REJ: return "REJ";
    case FrameType::SREJ: return "SREJ";
    case FrameType::SABM: return "SABM";
    case FrameType::SABME: return "SABME";
    case FrameType::DISC: return "DISC";
    case FrameType::DM: return "DM";
    case FrameType::UA: return "UA";
    case FrameType::FRMR: return "FRMR";
    case FrameType::XID: return "XID";
    case FrameType::TEST: return "TEST";
    case FrameType::OtherU: return "U?";
    case FrameType::Invalid: return "?";
    }
    return "?";
}

std::string typeText(const Line& line)
{
    std::string out = typeName(line.type);
    if (line.type == FrameType::Invalid)
        return out;
    if (line.type == FrameType::OtherU) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%02X", line.control & ~kPollFinal);
        out += hex;
    }
    if (line.ns >= 0)
        out += " N(S)=" + std::to_string(line.ns);
    if (line.nr >= 0)
        out += " N(R)=" + std::to_string(line.nr);
    if (line.role == Role::Command)
        out += " C";
    else if (line.role == Role::Response)
        out += " R";
    // The bit is a poll on a command and a final on a response.
    if (line.pollFinal)
        out += line.role == Role::Command ? " P" : (line.role == Role::Response ? " F" : " P/F");
    return out;
}

std::string pidText(const Line& line)
{
    if (!line.pid)
        return {};
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X", *line.pid & 0xFF);
    return hex;
}

const char* kindWord(protocol::FrameKind kind)
{
    using protocol::FrameKind;
    switch (kind) {
    case FrameKind::StatusAnnounce: return "Status";
    case FrameKind::OfflineAnnounce: return "Offline";
    case FrameKind::Message: return "Nachricht";
    case FrameKind::Ack: return "Quittung";
    case FrameKind::PollRequest: return "Poll";
    case FrameKind::PollAnswer: return "Poll-Antwort";
    case FrameKind::AwayAnnounce: return "Away";
    case FrameKind::BackAnnounce: return "Back";
    }
    return "?";
}

std::string formatLine(const Line& line)
{
    std::string out;
    if (line.type != FrameType::Invalid || !line.from.empty())
        out = line.from + ">" + line.to;
    if (!line.digis.empty())
        out += " via " + viaText(line);
    out += (out.empty() ? "[" : " [") + typeText(line) + "]";
    if (line.pid)
        out += " pid=" + pidText(line);
    if (line.kind)
        out += std::string(" ") + kindWord(*line.kind);
    if (!line.text.empty())
        out += (line.kind ? ": " : " ") + line.text;
    return out;
}

}  // namespace zelvo::link::monitor
