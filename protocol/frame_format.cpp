// Frame kinds, their information fields, addressing and message sequence numbers.
#include "protocol/frame_format.h"

#include <vector>

namespace zelvo::protocol {

namespace {

constexpr int PID_MESSAGE_LAST = PID_MESSAGE_BASE + PID_MESSAGE_COUNT - 1;

// Status: 4 or more announce (a 3-byte field would carry an empty alias), 2 or less is offline.
std::optional<FrameKind> classifyStatus(std::size_t length)
{
    if (length >= 4)
        return FrameKind::StatusAnnounce;
    if (length <= 2)
        return FrameKind::OfflineAnnounce;
    return std::nullopt;
}

// Message texts are at least 2 bytes; 0 is an ack, a single byte is nobody's.
std::optional<FrameKind> classifyMessage(std::size_t length)
{
    if (length >= 2)
        return FrameKind::Message;
    if (length == 0)
        return FrameKind::Ack;
    return std::nullopt;
}

std::vector<std::string_view> words(std::string_view text)
{
    constexpr std::string_view blanks = " \t\r\n\v\f";
    std::vector<std::string_view> result;
    std::size_t pos = text.find_first_not_of(blanks);
    while (pos != std::string_view::npos) {
        std::size_t end = text.find_first_of(blanks, pos);
        result.push_back(text.substr(pos, end == std::string_view::npos ? end : end - pos));
        pos = text.find_first_not_of(blanks, end);
    }
    return result;
}

}  // namespace

bool isMessagePid(int pid)
{
    return pid >= PID_MESSAGE_BASE && pid <= PID_MESSAGE_LAST;
}

int nextMessagePid(int pid)
{
    if (!isMessagePid(pid) || pid == PID_MESSAGE_LAST)
        return PID_MESSAGE_BASE;
    return pid + 1;
}

std::optional<FrameKind> classifyFrame(int pid, std::size_t length)
{
    if (isMessagePid(pid))
        return classifyMessage(length);
    switch (pid) {
    case PID_STATUS: return classifyStatus(length);
    case PID_POLL: return length == 0 ? FrameKind::PollRequest : FrameKind::PollAnswer;
    case PID_AWAY: return length == 0 ? FrameKind::BackAnnounce : FrameKind::AwayAnnounce;
    default: return std::nullopt;
    }
}

InfoField InfoField::fromBytes(std::string_view bytes)
{
    return {bytes.size(), std::string(bytes.substr(0, bytes.find('\0')))};
}

std::string readStatusAlias(const InfoField& field)
{
    if (field.length < 3 || field.text.empty())
        return {};
    return field.text.substr(1, field.length - 3);
}

bool readAnswerWanted(const InfoField& field)
{
    // The marker is the field's last byte; a NUL before it leaves the text short of it.
    return field.length > 0 && field.text.size() == field.length && field.text.back() == MARK_ANSWER_WANTED;
}

AwayState readPollAnswer(const InfoField& field)
{
    if (field.length >= 2)
        return {true, field.text};
    return {field.length == 1 && field.text == "-", {}};
}

AwayState readAwayAnnounce(const InfoField& field)
{
    return {true, field.length >= 2 ? field.text : std::string()};
}

OutgoingFrame statusFrame(std::string_view alias, bool answering)
{
    std::string info = "[";
    info += alias;
    info += ']';
    info += answering ? MARK_ANSWER : MARK_ANSWER_WANTED;
    return {PID_STATUS, std::move(info)};
}

OutgoingFrame offlineFrame()
{
    return {PID_STATUS, "[]"};
}

OutgoingFrame messageFrame(int sendPid, std::string_view text)
{
    return {sendPid, std::string(text)};
}

OutgoingFrame ackFrame(int messagePid)
{
    return {messagePid, {}};
}

OutgoingFrame pollRequestFrame()
{
    return {PID_POLL, {}};
}

OutgoingFrame pollAnswerFrame(bool away, bool pollAway, std::string_view awayText)
{
    if (!away)
        return {PID_POLL, "+"};
    if (pollAway && awayText.size() > 2)
        return {PID_POLL, std::string(awayText)};
    return {PID_POLL, "-"};
}

OutgoingFrame awayFrame(bool sendAway, std::string_view awayText)
{
    // An empty field would be read as coming back; "+" is away without a text.
    if (!sendAway || awayText.empty())
        return {PID_AWAY, "+"};
    return {PID_AWAY, std::string(awayText)};
}

OutgoingFrame backFrame()
{
    return {PID_AWAY, {}};
}

std::string buildDestination(std::string_view path, std::string_view channel)
{
    const auto pathWords = words(path);
    if (pathWords.empty())
        return {};
    std::string destination(pathWords.front());
    for (std::string_view ch : words(channel)) {
        destination += ' ';
        destination += ch;
    }
    for (std::size_t i = 1; i < pathWords.size(); ++i) {
        destination += ' ';
        destination += pathWords[i];
    }
    return destination;
}

}  // namespace zelvo::protocol
