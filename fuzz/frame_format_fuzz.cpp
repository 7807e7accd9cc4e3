// Received frames from the air: the first input byte is the PID, the rest the information field.
// Classifies and reads the frame as a receiver does, and checks that what a sender builds from
// the reading classifies and reads back the same way.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "protocol/frame_format.h"

using namespace zelvo::protocol;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void readStatus(const InfoField& field)
{
    const std::string alias = readStatusAlias(field);
    check(alias.size() + 3 <= field.length);
    const bool wanted = readAnswerWanted(field);
    const OutgoingFrame again = statusFrame(alias, !wanted);
    const InfoField back = InfoField::fromBytes(again.info);
    if (!alias.empty() && alias.find('\0') == std::string::npos) {
        check(classifyFrame(again.pid, again.info.size()) == FrameKind::StatusAnnounce);
        check(readStatusAlias(back) == alias);
        check(readAnswerWanted(back) == wanted);
    }
}

void readAway(FrameKind kind, const InfoField& field)
{
    const AwayState state = kind == FrameKind::PollAnswer ? readPollAnswer(field) : readAwayAnnounce(field);
    check(state.away || state.awayText.empty());
    check(state.awayText.size() <= field.length);
    if (kind == FrameKind::AwayAnnounce) {
        const OutgoingFrame again = awayFrame(true, state.awayText);
        check(classifyFrame(again.pid, again.info.size()) == FrameKind::AwayAnnounce);
    }
}

// Any bytes as a stored path: the destination has single blanks and none at either end.
void destination(std::string_view path)
{
    const std::string text = buildDestination(path, "3");
    check(text.find("  ") == std::string::npos);
    check(text.empty() || (text.front() != ' ' && text.back() != ' '));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int pid = data[0];
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const InfoField field = InfoField::fromBytes(bytes);
    check(field.length == bytes.size() && field.text.size() <= field.length);

    const auto kind = classifyFrame(pid, field.length);
    if (kind) {
        switch (*kind) {
        case FrameKind::StatusAnnounce: readStatus(field); break;
        case FrameKind::PollAnswer:
        case FrameKind::AwayAnnounce: readAway(*kind, field); break;
        case FrameKind::Message:
        case FrameKind::Ack: check(isMessagePid(nextMessagePid(pid))); break;
        default: break;
        }
    }
    destination(bytes);
    return 0;
}
