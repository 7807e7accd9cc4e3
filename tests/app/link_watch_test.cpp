// The radio link as the operator sees it: the link watch with its warnings and zelvo --check's
// channel lines, against the real driver library with KISS TNCs and AGW servers on 127.0.0.1, and
// against the stand-in library of tests/link that has no channel extensions (an older driver).
// The words for each kind and state, and --check's verdicts, as tables.
#include <QSignalSpy>
#include <QTest>
#include <QTranslator>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "app/channel_verdict.h"
#include "app/install_check.h"
#include "app/link_watch.h"
#include "app/link_words.h"
#include "app/status_bar.h"
#include "dialogs/language.h"
#include "link/flex_api.h"
#include "tests/support/fake_agw_server.h"
#include "tests/support/kiss_socket.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace zelvo;
using namespace zelvo::testing;
using namespace std::chrono_literals;
using namespace std::string_literals;

// What checkChannels writes, and its answer.
std::pair<std::string, bool> check(link::FlexApi& driver, std::chrono::milliseconds wait)
{
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* out = ::open_memstream(&text, &size);
    const bool answers = app::checkChannels(driver, out, wait);
    std::fclose(out);
    std::string written(text, size);
    std::free(text);
    return {written, answers};
}

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(driver.loadFlexApi()); }
    ~LinkTest() override { driver.axExit(); }

    // Starts the real driver on this table, after leaving it if it ran.
    void start(const std::string& table, const std::filesystem::path& file)
    {
        driver.axExit();
        std::filesystem::create_directories(file.parent_path());
        writeFile(file, table);
        ::setenv("ZELVO_FLEXNET_CONF", file.c_str(), 1);
        driver.axInit();
    }

    TempDir dir;
    ScopedEnv conf{"ZELVO_FLEXNET_CONF", nullptr};
    link::FlexApi driver{ZELVO_FLXAPI};
};

// Words every text of the context anew, so that a test sees a switch of the language.
class MarkingTranslator : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        return QLatin1String(context) == "LinkWatch" ? "[fr] " + QString::fromUtf8(source) : QString();
    }
};

// Its log lines: DesktopProgramTest's test of going online without a TNC (the words and the
// reason) and the station's StationPair.ATncLostAndBackIsALinkLineAndALogLine (once each change).
TEST_F(LinkTest, WatchNamesATncThatDoesNotAnswerAfterTheGraceUntilItDoes)
{
    auto tnc = std::make_unique<KissServer>(/*listen_now=*/false);  // connections refused
    const QString port = QString::number(tnc->port());
    start("2 kiss-tcp 127.0.0.1:" + port.toStdString() + "@1200 Nord \xFC\n", dir / "t.conf");
    app::LinkWatch watch(driver, 300ms);
    app::StatusBar bar;
    QObject::connect(&watch, &app::LinkWatch::lostLinksChanged, &bar, &app::StatusBar::setLinkWarnings);
    QSignalSpy changes(&watch, &app::LinkWatch::lostLinksChanged);
    watch.start();
    EXPECT_TRUE(watch.lostLinks().empty());  // the driver is still trying

    const QString down = "Kanal 2 „Nord ü“: TNC 127.0.0.1:" + port +
                         " nicht erreichbar (Verbindung abgelehnt). Läuft Direwolf? KISSPORT?";
    EXPECT_TRUE(QTest::qWaitFor([&] { return bar.panelToolTip(1) == down; }, 15000));
    tnc->listen();
    ASSERT_TRUE(tnc->accept());
    EXPECT_TRUE(QTest::qWaitFor([&] { return watch.lostLinks().empty(); }, 15000));
    tnc.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return bar.panelToolTip(1) == down; }, 15000));

    // Taken anew after the driver read its table again: the same channel keeps its state.
    const auto told = changes.count();
    watch.start();
    EXPECT_EQ(std::pair(watch.lostLinks().size(), changes.count()), std::pair(std::size_t{1}, told));

    // A switch of the language words the status bar's warning anew at once.
    MarkingTranslator french;
    QCoreApplication::installTranslator(&french);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    EXPECT_EQ(bar.panelToolTip(1), "[fr] [fr] Kanal 2 „Nord ü“: TNC 127.0.0.1:" + port +
                                       " nicht erreichbar ([fr] Verbindung abgelehnt). [fr] Läuft Direwolf? "
                                       "KISSPORT?");
    QCoreApplication::removeTranslator(&french);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    EXPECT_EQ(bar.panelToolTip(1), down);
}

// The required case: Direwolf's AGW port written as kiss-tcp. The connection opens and stays
// silent; the probe of --check and of the watch finds the AGW server, nothing sent on the air.
TEST_F(LinkTest, AKissChannelOnAnAgwPortIsNoKissTncInTheCheckAndInTheWindows)
{
    FakeAgwServer wrong;
    FakeAgwServer right(FakeAgwServer::Behaviour::Answer, {{2005, 127}, {"Port1 a", "Port2 b"}, 0});
    const std::string agwPort = std::to_string(wrong.port());
    start("0 kiss-tcp 127.0.0.1:" + agwPort +
              " Direwolf\n1 agw-tcp 127.0.0.1:" + std::to_string(right.port()) + " Direwolf AGW\n",
          dir / "t.conf");
    const std::string wrongLine = "channel 0: kiss-tcp 127.0.0.1:" + agwPort +
                                  " \"Direwolf\": not a KISS TNC: an AGW server answers there (write agw-tcp "
                                  "127.0.0.1:" +
                                  agwPort + ")\n";
    EXPECT_EQ(check(driver, 5000ms),
              std::pair("channel table: " + (dir / "t.conf").string() + "\n" + wrongLine +
                            "channel 1: agw-tcp 127.0.0.1:" + std::to_string(right.port()) +
                            " \"Direwolf AGW\": AGW server 2005.127 answers, 2 radio ports\n",
                        true));

    app::LinkWatch watch(driver, 300ms);
    app::StatusBar bar;
    QObject::connect(&watch, &app::LinkWatch::lostLinksChanged, &bar, &app::StatusBar::setLinkWarnings);
    watch.start();
    const QString warning =
        "Kanal 0 „Direwolf“: keine KISS-Gegenstelle auf 127.0.0.1:" + QString::fromStdString(agwPort) +
        ". Ist das ein AGW-Port? Dann agw-tcp eintragen.";
    // Before any frame went out: the watch probes the address of a KISS link that is up.
    EXPECT_TRUE(QTest::qWaitFor([&] { return bar.panelToolTip(1) == warning; }, 15000))
        << bar.panelToolTip(1).toStdString();
    EXPECT_FALSE(wrong.sawBrokenStream());
    EXPECT_EQ(bar.panelText(1), "TNC nicht erreichbar");

    start("0 kiss-tcp 127.0.0.1:" + agwPort + " Direwolf\n", dir / "t.conf");
    EXPECT_EQ(check(driver, 1000ms),
              std::pair("channel table: " + (dir / "t.conf").string() + "\n" + wrongLine, false));
}

TEST(LinkWords, NameTheChannelSayWhatIsWrongAndWhatToCheck)
{
    using C = app::LinkCondition;
    const struct {
        link::FlexApi::Channel channel;
        app::LinkStatus status;
        const char* warning;
    } cases[] = {
        {{1, "agw-tcp", "funk.example:8000/2", "QtSM \xFC"},
         {C::Down, -1},
         "Kanal 1 „QtSM ü“: TNC funk.example:8000/2 nicht erreichbar (Rechnername unbekannt). Läuft Direwolf "
         "oder "
         "das Soundmodem? AGWPORT?"},
        {{1, "agw-tcp", "127.0.0.1:8001", "QtSM"},
         {C::WrongProtocol, 0},
         "Kanal 1 „QtSM“: keine AGW-Gegenstelle auf 127.0.0.1:8001. Ist das ein KISS-Port? Dann kiss-tcp "
         "eintragen."},
        {{3, "kiss-serial", "/dev/ttyUSB0 9600", ""},
         {C::Down, EACCES},
         "Kanal 3: TNC /dev/ttyUSB0 9600 nicht erreichbar (keine Berechtigung). Gerät angeschlossen? Gruppe "
         "dialout?"},
        {{3, "kiss-serial", "/dev/ttyUSB0 9600", "TNC2"},
         {C::Down, 0},
         "Kanal 3 „TNC2“: TNC /dev/ttyUSB0 9600 nicht erreichbar. Gerät angeschlossen? Gruppe dialout?"},
        {{3, "kiss-serial", "/dev/ttyUSB0 9600", "TNC2"},
         {C::WrongProtocol, 0},
         "Kanal 3 „TNC2“: keine KISS-Gegenstelle an /dev/ttyUSB0 9600. Ist der TNC im KISS-Modus?"},
    };
    for (const auto& c : cases) {
        const app::LinkTracker::Channel channel{c.channel, c.status, true};
        EXPECT_EQ(app::linkWarning(channel), QString::fromUtf8(c.warning));
    }
}

TEST(ChannelVerdict, TellsKissAndAgwApartAndSaysWhichKindToWrite)
{
    const link::FlexApi::Channel kiss{0, "kiss-tcp", "127.0.0.1:8000/1@1200", "D"};
    const link::FlexApi::Channel agw{1, "agw-tcp", "127.0.0.1:8001", "D"};
    const FlxLinkState up{FLX_LINK_UP, 0, 0, 0, 0}, agwUp{FLX_LINK_UP, 0, 2005, 127, 1},
        refused{FLX_LINK_DOWN, ECONNREFUSED, 0, 0, 0}, wrong{FLX_LINK_WRONG_PROTOCOL, 0, 0, 0, 0};
    const FlxProbe isAgw{FLX_PROBE_AGW, 0, 2005, 127, 2, ""}, isKiss{FLX_PROBE_KISS, 0, 0, 0, 0, ""},
        other{FLX_PROBE_OTHER, 0, 0, 0, 0, ""};
    using V = app::ChannelVerdict;
    const std::tuple<link::FlexApi::Channel, std::optional<FlxLinkState>, bool, std::optional<FlxProbe>, V>
        cases[] = {
            {kiss, wrong, false, isAgw,
             V{"not a KISS TNC: an AGW server answers there (write agw-tcp 127.0.0.1:8000@1200)", false}},
            {kiss, wrong, false, std::nullopt,
             V{"not a KISS TNC: it sends bytes outside KISS framing or closes the connection after each "
               "frame",
               false}},
            {kiss, up, true, other, V{"not a KISS TNC: the other end speaks neither KISS nor AGW", false}},
            {agw, agwUp, true, std::nullopt, V{"AGW server 2005.127 answers, 1 radio port", true}},
            {agw, wrong, false, isKiss,
             V{"not an AGW server: a KISS TNC answers there (write kiss-tcp 127.0.0.1:8001)", false}},
            {agw, refused, false, isKiss,
             V{"not an AGW server: a KISS TNC answers there (write kiss-tcp 127.0.0.1:8001)", false}},
            // A server with every client taken keeps the probe waiting: the link's answer counts.
            {agw, agwUp, true, isKiss, V{"AGW server 2005.127 answers, 1 radio port", true}},
            {agw, wrong, false, std::nullopt,
             V{"not an AGW server: no answer to the version request", false}},
            // A driver without link states: connected is all it says.
            {kiss, std::nullopt, true, std::nullopt, V{"TNC answers", true}},
            {kiss, std::nullopt, false, std::nullopt, V{"TNC does not answer", false}},
        };
    for (const auto& [channel, state, connected, probe, verdict] : cases)
        EXPECT_EQ(app::judgeChannel(channel, state, connected, probe), verdict) << verdict.text;
}

TEST_F(LinkTest, CheckListsTheTableAndEachChannelAndFailsWhenNoTncAnswers)
{
    KissServer tnc;
    KissServer down(/*listen_now=*/false);
    const std::string up = std::to_string(tnc.port()), refused = std::to_string(down.port());
    // A name longer than the first buffer the binding tries.
    const auto file = dir / std::string(200, 'd') / (std::string(100, 'f') + ".conf");
    start("0 kiss-tcp 127.0.0.1:" + up + "@1200 Direwolf\n5 kiss-tcp 127.0.0.1:" + refused +
              " Nord \xFC\n9 kiss-serial /dev/zelvo-none 9600 Seriell\n",
          file);
    ASSERT_TRUE(tnc.accept());
    EXPECT_EQ(
        check(driver, 300ms),
        std::pair("channel table: " + file.string() + "\nchannel 0: kiss-tcp 127.0.0.1:" + up +
                      "@1200 \"Direwolf\": TNC answers\nchannel 5: kiss-tcp 127.0.0.1:" + refused +
                      " \"Nord \xC3\xBC\": TNC does not answer: connection refused\nchannel 9: kiss-serial "
                      "/dev/zelvo-none 9600 \"Seriell\": TNC does not answer: no such device\n",
                  true));

    start("5 kiss-tcp 127.0.0.1:" + refused + " Nord\n", file);
    EXPECT_FALSE(check(driver, 100ms).second);
    start("# keiner\n", file);
    EXPECT_EQ(check(driver, 100ms),
              std::pair("channel table: " + file.string() + "\nchannels: none\n", false));
    driver.axExit();
    std::filesystem::remove(file);
    driver.axInit();  // no file: the built-in channel
    EXPECT_TRUE(check(driver, 0ms)
                    .first.starts_with("channel table: none found, the built-in channel 0\n"
                                       "channel 0: kiss-tcp 127.0.0.1:8001 \"127.0.0.1:8001\": "));
}

TEST_F(LinkTest, ADriverWithoutTheChannelExtensionsIsNotWatched)
{
    link::FlexApi older(ZELVO_FAKE_FLXAPI);  // names channel 0, cannot tell its TNC
    ASSERT_TRUE(older.loadFlexApi());
    older.axInit();
    app::LinkWatch watch(older, 0ms);
    watch.start();
    EXPECT_TRUE(watch.lostLinks().empty());
    EXPECT_EQ(check(older, 0ms), std::pair("channels: the driver does not describe them\n"s, true));
    older.axExit();
}

}  // namespace
