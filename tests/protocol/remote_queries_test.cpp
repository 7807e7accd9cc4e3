// Remote queries as another station sends them: the exact answer texts, what gates them, and
// their delivery as ordinary messages.
#include "protocol/remote_queries.h"

#include <gtest/gtest.h>

#include <cstring>

#include "protocol/messages.h"
#include "tests/protocol/station_harness.h"

using namespace zelvo;
using namespace zelvo::testing;
using S = app::TStationState;
using dialogs::Option;

namespace {

constexpr const char* kAsker = "DL2BBB-4";
const std::string kHeader = "Remote Antwort -> User Info\x0A\x0D";
const std::string kTooShort = "Zelvo REmote: Mindestens 2 Buchstaben erforderlich";

class RemoteQueries : public ::testing::Test {
protected:
    RemoteQueries()
    {
        h.station.versionText = "0.9.7.321";
        h.settings.setInfoText("QTH Kiel\r\nRig: 2m/70cm");
    }

    // Sends `text` as a message from the asker, each query with a fresh number.
    void ask(const std::string& text)
    {
        pid_ = pid_ == 217 ? 208 : pid_ + 1;
        h.handle(kAsker, pid_, text);
    }

    StationHarness h;
    app::TUserEntry& asker = h.add("DL2BBB-4 DB0XY", S::Online, "1", "Sued");
    app::TUserEntry& other = h.add("OE3CCC-5 OE1XYZ", S::OfflineUnread, "2", "Wien");
    app::TUserEntry& gone = h.add("DB0AAA", S::Offline, "0", "Relais");

private:
    int pid_ = 208;
};

}  // namespace

TEST_F(RemoteQueries, AnswersAreExactAndLeaveNoTrace)
{
    const std::string version = "Remote Antwort -> Version: 0.9.7.321";
    const std::string detailWien =
        kHeader + "Call  : OE3CCC\r\nAlias : Wien\r\nStatus: Online\r\nPath:OE3CCC-5 OE1XYZ";
    const std::pair<std::string, std::string> cases[] = {
        // "//ve": StationPair.RegistrationAcceptedAddsTheHeardPathAndMayQueryAtOnce.
        {"//VErsion bitte", version},
        {"//in", "QTH Kiel\r\nRig: 2m/70cm"},
        {"//INfo", "QTH Kiel\r\nRig: 2m/70cm"},
        {"//cs", kHeader + "dl2bbb(o)   oe3ccc(o)   db0aaa(/)   "},
        {"//de OE3CCC", detailWien},
        {"//DEtail oe3ccc", detailWien},
        {"//de oe3ccc-5", detailWien},  // the base call counts, as for every lookup
        {"//de DB0AAA", kHeader + "Call  : DB0AAA\r\nAlias : Relais\r\nStatus: Offline\r\nPath:DB0AAA"},
        {"//de DL2BBB", kHeader + "Call  : DL2BBB\r\nAlias : Sued\r\nStatus: Online\r\nPath:DL2BBB-4 DB0XY"},
        {"//", kTooShort},
        {"//v", kTooShort},
    };
    for (const auto& [query, answer] : cases) {
        SCOPED_TRACE(query);
        asker.txBuffer.clear();
        asker.sendCount.clear();
        ask(query);
        EXPECT_EQ(std::tuple(asker.txBuffer, asker.sendCount),
                  std::tuple(std::vector<std::string>{answer}, "121"));
    }
    // No trace on the answering side.
    EXPECT_EQ(std::make_tuple(asker.state, asker.unread, asker.rxBuffer.size(), h.ui.icons.size(),
                              h.sound.played().size(), h.ui.popups),
              std::make_tuple(S::Online, false, 0u, 0u, 0u, 0));
}

TEST_F(RemoteQueries, DetailWithoutAMatchOrWithoutABlank)
{
    ask("//de DK7XYZ");  // the send count left for the idle send countdown to start
    EXPECT_EQ(std::tuple(asker.txBuffer, asker.sendCount),
              std::tuple(std::vector<std::string>{"User nicht in Liste"}, ""));

    // Two words are no call, also when the first one carries an SSID.
    for (const char* query : {"//de OE3CCC DB0XY", "//de OE3CCC-5 DB0XY"}) {
        asker.txBuffer.clear();
        ask(query);
        EXPECT_EQ(asker.txBuffer, std::vector<std::string>{"User nicht in Liste"}) << query;
    }

    asker.txBuffer.clear();
    ask("//detail");
    EXPECT_TRUE(asker.txBuffer.empty());
}

TEST_F(RemoteQueries, RemoteSwitchAndCheckboxesGateTheAnswers)
{
    const std::tuple<const char*, const char*, std::optional<Option>, bool> cases[] = {
        // query, remote, off, answered
        {"//ve", "0", std::nullopt, false},
        {"//in", "0", std::nullopt, false},
        {"//cs", "0", std::nullopt, false},
        {"//de OE3CCC", "0", std::nullopt, false},
        {"//in", "1", Option::RemInfo, false},
        {"//cs", "1", Option::RemCStatus, false},
        {"//de OE3CCC", "1", Option::RemDetail, false},
        {"//in", "1", Option::RemCStatus, true},
        {"//ve", "1", Option::RemInfo, true},
        {"//xy", "1", std::nullopt, false},
        // Too short is answered whatever the switches say.
        {"//", "0", std::nullopt, true},
        {"//a", "0", Option::RemInfo, true},
    };
    for (const auto& [query, remote, off, answered] : cases) {
        SCOPED_TRACE(::testing::Message() << query << " remote " << remote);
        StationHarness h;
        auto& asker = h.add(kAsker, S::Online, "1", "Sued");
        h.add("OE3CCC");
        asker.remote = remote;
        if (off)
            h.settings.setOption(*off, false);
        h.handle(kAsker, 209, query);  // the ack goes out always
        // Every query of four characters or more names the asker, answered or not.
        using Texts = std::vector<std::string>;
        EXPECT_EQ(std::tuple(asker.txBuffer.size(), h.driver.sent().size(), h.ui.statuses),
                  std::tuple(answered ? 1u : 0u, 1u,
                             std::strlen(query) < 4 ? Texts{} : Texts{"remote von : Sued"}));
    }
}

TEST_F(RemoteQueries, NotFoundAnswerStartsOnTheNextIdlePass)
{
    h.setOnline(true);
    ask("//de NIEMAND");
    const auto sent = h.driver.takeSent();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(std::tuple(sent[1].info, asker.sendCount), std::tuple("User nicht in Liste", "120"));
}

TEST_F(RemoteQueries, AnswerRestartsTheRepetitionsOfATextOnTheAir)
{
    h.setOnline(true);
    protocol::queueText(asker, "Hallo", protocol::kSendCountUser);
    h.pass(10);
    h.driver.takeSent();
    ask("//ve");
    // The earlier text goes out again at once; the answer waits behind it.
    const auto sent = h.driver.takeSent();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(std::tuple(sent[1].info, asker.txBuffer.size()), std::tuple("Hallo", 2u));
}

TEST_F(RemoteQueries, LongRosterListIsSplitIntoFrames)
{
    while (!h.roster.isFull())
        h.add("DK" + std::to_string(h.roster.size()) + "ABC");
    const std::string full = protocol::rosterStatusAnswer(h.roster);
    ASSERT_GT(full.size(), protocol::kMaxMessageText);

    ask("//cs");

    // How a text is cut into parts: MessageSplit.
    EXPECT_EQ(asker.txBuffer, protocol::splitMessageText(full));
}
