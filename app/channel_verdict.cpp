#include "app/channel_verdict.h"

#include <cerrno>
#include <cstring>

namespace zelvo::app {
namespace {

std::string reason(int error)
{
    switch (error) {
    case 0: return {};
    case -1: return "host name not found";
    case -2: return "address not written right";
    case ECONNREFUSED: return "connection refused";
    case ETIMEDOUT: return "timed out";
    case EHOSTUNREACH:
    case ENETUNREACH: return "host unreachable";
    case ENOENT: return "no such device";
    case EACCES:
    case EPERM: return "permission denied (group dialout?)";
    case EBUSY: return "device busy";
    default: return std::strerror(error);
    }
}

// The address as the other kind writes it: without this kind's port number after the slash.
std::string otherKindAddress(const std::string& address)
{
    const auto slash = address.find('/');
    if (slash == std::string::npos)
        return address;
    const auto rate = address.find('@', slash);
    return address.substr(0, slash) + (rate == std::string::npos ? "" : address.substr(rate));
}

std::string agwAnswer(int major, int minor, int ports)
{
    return "AGW server " + std::to_string(major) + "." + std::to_string(minor) + " answers, " +
           std::to_string(ports) + (ports == 1 ? " radio port" : " radio ports");
}

}  // namespace

ChannelVerdict judgeChannel(const link::FlexApi::Channel& channel, const std::optional<FlxLinkState>& state,
                            bool connected, const std::optional<FlxProbe>& probe)
{
    const bool agw = channel.kind == "agw-tcp";
    const bool up = state ? state->state == FLX_LINK_UP : connected;
    const bool wrong = state && state->state == FLX_LINK_WRONG_PROTOCOL;
    const std::string notIt = agw ? "not an AGW server: " : "not a KISS TNC: ";
    const std::string otherKind = otherKindAddress(channel.address);
    // The version answer on the link is the proof; a probe may have found the server's clients all
    // taken (Direwolf serves three) and looked like a KISS TNC.
    if (agw && state && up) {
        return probe && probe->kind == FLX_PROBE_AGW
                   ? ChannelVerdict{agwAnswer(probe->agw_major, probe->agw_minor, probe->radio_ports), true}
                   : ChannelVerdict{agwAnswer(state->agw_major, state->agw_minor, state->radio_ports), true};
    }
    // A KISS TNC where an AGW server should be: the link never gets its version answer.
    if (agw && probe && probe->kind == FLX_PROBE_KISS)
        return {notIt + "a KISS TNC answers there (write kiss-tcp " + otherKind + ")", false};
    if (probe && (up || wrong)) {
        if (!agw && probe->kind == FLX_PROBE_AGW)
            return {notIt + "an AGW server answers there (write agw-tcp " + otherKind + ")", false};
        if (probe->kind == FLX_PROBE_OTHER)
            return {notIt + "the other end speaks neither KISS nor AGW", false};
    }
    if (wrong) {
        return {notIt +
                    (agw ? "no answer to the version request"
                         : "it sends bytes outside KISS framing or closes the connection after each frame"),
                false};
    }
    if (!up) {
        const std::string why = state ? reason(state->error) : std::string();
        return {why.empty() ? "TNC does not answer" : "TNC does not answer: " + why, false};
    }
    if (agw && probe && probe->kind == FLX_PROBE_AGW)  // a driver without link states
        return {agwAnswer(probe->agw_major, probe->agw_minor, probe->radio_ports), true};
    return {"TNC answers", true};
}

}  // namespace zelvo::app
