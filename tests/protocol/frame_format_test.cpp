// Frame classification, field contents of every kind, addressing and message sequence numbers.
#include "protocol/frame_format.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace zelvo::protocol;
using namespace std::string_literals;

TEST(FrameFormat, ClassifiesTheBoundariesOfEveryRow)
{
    struct Row {
        int pid;
        std::size_t length;
        std::optional<FrameKind> kind;
    };
    // Each kind at its usual length is PresenceStates.EachFrameGivesItsStateAndKeepsTheUnreadMarkWhereDue;
    // a three-byte announcement, a one-byte text and PID 221 are dropped in
    // ReceivePass.OneFramePerPassAndFramesNoHandlerTakesAreDropped.
    const Row rows[] = {
        {218, 0, FrameKind::OfflineAnnounce},
        {217, 0, FrameKind::Ack},
        {217, 1, std::nullopt},
        {207, 0, std::nullopt},
        {0xF0, 2, std::nullopt},
    };
    for (const Row& row : rows)
        EXPECT_EQ(classifyFrame(row.pid, row.length), row.kind)
            << "pid " << row.pid << " length " << row.length;
}

TEST(FrameFormat, MessagePidsCycleThroughTenValues)
{
    for (int pid = PID_MESSAGE_BASE; pid < PID_MESSAGE_BASE + 10; ++pid)
        EXPECT_EQ(std::tuple(isMessagePid(pid), nextMessagePid(pid)),
                  std::tuple(true, pid == 217 ? 208 : pid + 1));
    // A mangled stored value restarts the sequence instead of leaving the message range.
    EXPECT_EQ(std::tuple(nextMessagePid(218), nextMessagePid(0), isMessagePid(207), isMessagePid(218)),
              std::tuple(208, 208, false, false));
}

// The bytes of what is built: Outgoing.GoingOnlineAsksEveryEntryInListOrderAndKeepsItsNumbering and
// Outgoing.EmptyAliasAnnouncesTheOwnBaseCall.
TEST(FrameFormat, StatusAnnounceReading)
{
    // That what is built reads back, alias and marker, is the frame_format fuzz target's check.
    // The brackets are not checked; Windows-1252 bytes pass unchanged.
    const InfoField pointed = InfoField::fromBytes("<M\xFCller>\x18");
    EXPECT_EQ(std::tuple(readStatusAlias(pointed), readAnswerWanted(pointed)), std::tuple("M\xFCller", true));
    // A NUL inside the field ends the text but not the length: the marker behind it asks for no answer.
    const InfoField field = InfoField::fromBytes("[No\0d]\x18"s);
    EXPECT_EQ(std::make_tuple(field.length, field.text, readStatusAlias(field), readAnswerWanted(field),
                              readStatusAlias(InfoField::fromBytes("\0abc\x18"s)),
                              InfoField::fromBytes("ab\0cd"s).text),
              std::make_tuple(7u, "[No", "No", false, "", "ab"));
}

TEST(FrameFormat, PollAnswerWritingAndReading)
{
    // Present, away with its text and with the option off: Presence.PollRequestIsAnsweredByTheOwnPresence.
    EXPECT_EQ(std::tuple(pollAnswerFrame(true, true, "ab").info, pollAnswerFrame(true, true, "").info,
                         pollAnswerFrame(true, true, "abc").info),
              std::tuple("-", "-", "abc"));

    auto read = [](const std::string& bytes) { return readPollAnswer(InfoField::fromBytes(bytes)); };
    EXPECT_EQ((std::vector{read("+"), read("-"), read("x"), read("\0"s), read("ab"), read("beim Essen"),
                           read("\0bc"s)}),
              (std::vector<AwayState>{{false, ""},
                                      {true, ""},
                                      {false, ""},
                                      {false, ""},
                                      {true, "ab"},
                                      {true, "beim Essen"},
                                      {true, ""}}));
}

TEST(FrameFormat, AwayAnnounceWritingAndReading)
{
    // With and without the text: Outgoing.AwayAndBackGoToReachableEntriesOnly. An empty text must
    // not turn going away into a BackAnnounce.
    EXPECT_EQ(awayFrame(true, ""), (OutgoingFrame{220, "+"}));

    auto readBack = [](const OutgoingFrame& f) { return readAwayAnnounce(InfoField::fromBytes(f.info)); };
    const std::string street = "Stra\xDF"
                               "e";
    EXPECT_EQ((std::vector{readBack(awayFrame(false, "x")), readBack(awayFrame(true, "x")),
                           readBack(awayFrame(true, "ab")), readBack(awayFrame(true, street))}),
              (std::vector<AwayState>{{true, ""}, {true, ""}, {true, "ab"}, {true, street}}));
}

TEST(FrameFormat, DestinationPutsTheChannelAfterTheCallAndNormalisesHandEditedPaths)
{
    // Paths as the entry editor writes them, with one and two digipeaters:
    // Outgoing.GoingOnlineAsksEveryEntryInListOrderAndKeepsItsNumbering.
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"DL1ABC", "15", "DL1ABC 15"},
        {"  DL1ABC-5   DB0XYZ  DB0QRS ", "3", "DL1ABC-5 3 DB0XYZ DB0QRS"},
        {"DL1ABC\tDB0XYZ", " 3 ", "DL1ABC 3 DB0XYZ"},
        {" DL1ABC", "0", "DL1ABC 0"},
        {"", "3", ""},
        {"   ", "3", ""},
    };
    for (const auto& [path, channel, destination] : cases)
        EXPECT_EQ(buildDestination(path, channel), destination) << '"' << path << '"';
}
