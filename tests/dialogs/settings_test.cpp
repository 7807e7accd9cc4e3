// The settings model against a registry in a temporary directory: defaults, load, save, cancel,
// limits, listeners, the event sound rule and readers on another thread.
#include "dialogs/settings.h"
#include "dialogs/settings_news.h"

#include "platform/registry.h"
#include "platform/sound.h"

#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace zelvo::dialogs {
namespace {

using platform::Problem;
using platform::RegRoot;

constexpr const char* kMain = "\\Software\\Varkel\\Zelvo";
constexpr const char* kEvents = "\\Software\\Varkel\\Zelvo\\Events";
constexpr auto HKCU = RegRoot::CurrentUser;

TEventKind kind(int n)
{
    return static_cast<TEventKind>(n);
}

class SettingsTest : public ::testing::Test {
protected:
    // A second registry object reads the file as the next program start would.
    platform::Registry& disk()
    {
        fresh_ = std::make_unique<platform::Registry>(paths_);
        return *fresh_;
    }
    // A complete set of stored values, as a save writes them.
    void storeAll()
    {
        registry_.change(HKCU, [](platform::RegEdit& e) {
            for (int n = 0; n < kEventKindCount; ++n) {
                const std::string p = std::to_string(n);
                e.setValue(kEvents, p + "-CWtext", std::string("CQ") + p);
                e.setValue(kEvents, p + "-Wave", "/snd/" + p + ".wav");
                e.setValue(kEvents, p + "-Speed", std::uint32_t(20 + n));
                e.setValue(kEvents, p + "-Options", std::uint32_t(74));
            }
            e.setValue(kMain, "Mycall", std::string("DL1ABC-7"));
            e.setValue(kMain, "Alias", std::string("J\xFCrgen"));
            e.setValue(kMain, "Infotext", std::string("Zeile 1\r\nZeile 2"));
            e.setValue(kMain, "Awaytext", std::string("QRT"));
            e.setValue(kMain, "Options", std::uint32_t(0x25));
            e.setValue(kMain, "ShowAlias", std::uint32_t(1));
        });
    }

    testing::TempDir dir_;
    platform::Registry::Paths paths_{dir_ / "HKEY_CURRENT_USER.reg", dir_ / "HKEY_LOCAL_MACHINE.reg"};
    platform::Registry registry_{paths_};
    std::unique_ptr<platform::Registry> fresh_;
    Settings settings_{registry_};
};

// Every field of the values, to compare them whole.
auto fields(const SettingsValues& v)
{
    return std::tie(v.myCall, v.alias, v.infoText, v.awayText, v.options, v.textBuf, v.showAlias,
                    v.autoOnline, v.events, v.language, v.notifyFailure, v.notifyLink);
}

// A saved roster alone is still a first start: its key makes the main key as its parent.
TEST_F(SettingsTest, FirstStartGivesTheDefaultsReloadsThemAndSavesThemAll)
{
    const SettingsValues defaults;
    registry_.setString(HKCU, std::string(kMain) + "\\User", "0", "Nord,0,DL1ABC,1,1,0,,208,218,");
    EXPECT_EQ(settings_.load(), std::nullopt);
    EXPECT_EQ(fields(settings_.snapshot()), fields(defaults));
    // Loaded again, what the registry does not hold is kept; a reload goes back to the defaults,
    // but for the text buffer switch, which is never stored.
    settings_.setMyCall("DK0XX");
    settings_.setOption(Option::Sound, false);
    settings_.setShowAlias(1);
    settings_.setTextBuf(false);
    ASSERT_EQ(settings_.load(), std::nullopt);
    EXPECT_EQ(settings_.myCall(), "DK0XX");
    ASSERT_EQ(settings_.reload(), std::nullopt);
    SettingsValues expected = defaults;
    expected.textBuf = false;
    EXPECT_EQ(fields(settings_.snapshot()), fields(expected));

    ASSERT_EQ(settings_.save(), std::nullopt);
    platform::Registry& reg = disk();
    EXPECT_EQ(std::tuple(reg.valueNames(HKCU, kEvents).size(), reg.readString(HKCU, kEvents, "10-Wave"),
                         reg.readString(HKCU, kMain, "Infotext")),
              std::tuple(57u, "", std::string()));
    EXPECT_EQ(std::make_tuple(reg.readDword(HKCU, kEvents, "10-Speed"),
                              reg.readDword(HKCU, kEvents, "10-Options"),
                              reg.readDword(HKCU, kMain, "Options"), reg.readDword(HKCU, kMain, "ShowAlias")),
              std::make_tuple(10u, 16u + 8 + 2, 0xFFu, 3u));
    // Notifications: a received message and a failed delivery, nothing else.
    EXPECT_EQ(std::make_tuple(
                  reg.readDword(HKCU, kEvents, "0-Notify"), reg.readDword(HKCU, kEvents, "1-Notify"),
                  reg.readDword(HKCU, kEvents, "10-Notify"), reg.readDword(HKCU, kEvents, "Fehler-Notify"),
                  reg.readDword(HKCU, kEvents, "TNC-Notify")),
              std::make_tuple(1u, 0u, 0u, 1u, 0u));
    EXPECT_FALSE(reg.value(HKCU, kMain, "QX4KLM").has_value());  // never written
    // That they load back: SavedSettingsLoadBackUnchanged, whose untouched fields are these.
}

TEST_F(SettingsTest, SavedSettingsLoadBackUnchanged)
{
    settings_.setMyCall("OE3XYZ-12");
    settings_.setAlias("Gr\xFC\xDF"
                       "e");
    settings_.setInfoText("A\r\nB");
    settings_.setOption(Option::SysStart, false);
    settings_.setOption(Option::RemCStatus, false);
    ASSERT_TRUE(settings_.setShowAlias(2));
    settings_.updateEvent(TEventKind::evUserOnline, [](TEreignisObj& e) {
        e.soundKind = kSoundWave;
        e.entryTop = false;
        e.wavePath = "/home/op/online.wav";
        e.notify = true;
    });
    settings_.updateEvent(TEventKind::evMessageReceived, [](TEreignisObj& e) { e.notify = false; });
    settings_.setNotifyFailure(false);
    settings_.setNotifyLink(true);
    settings_.updateEvent(TEventKind::evPolled, [](TEreignisObj& e) {
        e.soundKind = kSoundCw;
        e.popup = false;
        e.entryTop = true;
        e.focus = true;
        e.cwText = "TEST";
        e.cwSpeed = 60;
    });
    ASSERT_EQ(settings_.save(), std::nullopt);
    EXPECT_EQ(
        std::tuple(disk().readDword(HKCU, kEvents, "2-Options"), disk().readDword(HKCU, kMain, "Options")),
        std::tuple(74u, 0xFFu & ~0x10u & ~0x02u));  // wave + pop-up + log; two options off
    // The notification is a value of its own: "-Options" keeps its layout for an older Zelvo.
    EXPECT_EQ(
        std::tuple(disk().readDword(HKCU, kEvents, "2-Notify"), disk().readDword(HKCU, kEvents, "0-Notify")),
        std::tuple(1u, 0u));

    Settings again(disk());
    EXPECT_EQ(again.load(), std::nullopt);
    EXPECT_EQ(fields(again.snapshot()), fields(settings_.snapshot()));
}

TEST_F(SettingsTest, LoadDecodesStoredValues)
{
    storeAll();
    // CW, entry-to-top, focus; bit 7 is no part of the kind.
    registry_.setDword(HKCU, kEvents, "3-Options", 0xFFFFFFA5);
    registry_.setString(HKCU, kEvents, "4-CWtext", "ABCDEFGHIJKLMNOPQRST");
    registry_.setDword(HKCU, kMain, "Options", 0xABCD12);
    registry_.deleteValue(HKCU, kEvents, "5-Wave");
    registry_.setDword(HKCU, kEvents, "6-Wave", 5);  // wrong type reads as empty
    // Calls are upper case on the air, also one an earlier version stored in lower case.
    registry_.setString(HKCU, kMain, "Mycall", "dk0ab");
    registry_.setDword(HKCU, kEvents, "9-Notify", 1);

    ASSERT_EQ(settings_.load(), std::nullopt);
    const SettingsValues v = settings_.snapshot();
    // A record of an older Zelvo has no notification values: the defaults hold, a stored one counts.
    EXPECT_EQ(
        std::tuple(v.events[0].notify, v.events[3].notify, v.events[9].notify, v.notifyFailure, v.notifyLink),
        std::tuple(true, false, true, true, false));
    const TEreignisObj& cw = v.events[3];
    EXPECT_EQ(std::tie(cw.soundKind, cw.cwSpeed, cw.popup, cw.entryTop, cw.logEvent, cw.focus),
              std::make_tuple(kSoundCw, 23, false, true, false, true));
    // The rest as saved: SettingsTest.SavedSettingsLoadBackUnchanged.
    EXPECT_EQ(
        std::tie(v.events[4].cwText, v.events[5].wavePath, v.events[6].wavePath, v.options, v.myCall, v.alias,
                 v.awayText, v.showAlias),
        std::make_tuple("ABCDEFGHIJK", "", "", 0x12, "DK0AB", "J\xFCrgen", "QRT", ListDisplay::CallsOnly));
}

TEST_F(SettingsTest, MissingNumberStopsLoadingAndKeepsWhatWasRead)
{
    storeAll();
    registry_.deleteValue(HKCU, kEvents, "5-Speed");
    TEreignisObj edited;
    edited.cwText = "EDIT";
    for (int n = 0; n < kEventKindCount; ++n)
        settings_.setEvent(kind(n), edited);
    settings_.setMyCall("EDITED");

    EXPECT_EQ(settings_.load(), Problem{"Fehler beim Holen der Daten f\xFCr '5-Speed'"});
    for (int n = 0; n < kEventKindCount; ++n)
        EXPECT_EQ(settings_.event(kind(n)).cwText, n < 5 ? "CQ" + std::to_string(n) : "EDIT") << n;
    EXPECT_EQ(settings_.myCall(), "EDITED");  // the main key was not reached

    // In the main key: the texts before the missing number are taken, the display mode is not.
    storeAll();
    registry_.deleteValue(HKCU, kMain, "Options");
    ASSERT_TRUE(settings_.setShowAlias(2));
    EXPECT_EQ(settings_.load(), Problem{"Fehler beim Holen der Daten f\xFCr 'Options'"});
    EXPECT_EQ(std::make_tuple(settings_.event(kind(5)).cwText, settings_.myCall(), settings_.showAlias()),
              std::make_tuple("CQ5", "DL1ABC-7", ListDisplay::CallAndName));

    storeAll();
    registry_.createKey(HKCU, std::string(kMain) + "\\QX4KLM");
    EXPECT_EQ(settings_.load(), Problem{"Fehler beim Holen der Daten f\xFCr 'QX4KLM'"});
}

// A display mode outside 1..3 changes nothing, stored or set; auto-online is on only with its
// subkey, whatever the value beside it says.
TEST_F(SettingsTest, ShowAliasOutsideOneToThreeChangesNothingAndAutoOnlineOnlyWithItsSubkey)
{
    storeAll();
    ASSERT_TRUE(settings_.setShowAlias(2));
    // Stored: auto-online's value and the display mode; the subkey from the second step on.
    const std::pair<std::uint32_t, std::uint32_t> steps[] = {{1, 0}, {1, 4}, {0, 4}};
    for (int step = 0; step < 3; ++step) {
        registry_.setDword(HKCU, kMain, "QX4KLM", steps[step].first);
        registry_.setDword(HKCU, kMain, "ShowAlias", steps[step].second);
        if (step == 1)
            registry_.createKey(HKCU, std::string(kMain) + "\\QX4KLM");
        ASSERT_EQ(settings_.load(), std::nullopt);
        EXPECT_EQ(std::tuple(settings_.autoOnline(), settings_.showAlias()),
                  std::tuple(step == 1, ListDisplay::CallAndName))
            << step;
    }
    EXPECT_FALSE(settings_.setShowAlias(0) || settings_.setShowAlias(4));
    EXPECT_EQ(settings_.showAlias(), ListDisplay::CallAndName);
}

// A first start in English or French stores the away text in that language, once: stored, it stays
// what it is whatever the windows speak later. A Cancel keeps it, and the operator's own is kept.
TEST_F(SettingsTest, FirstStartAwayTextIsInTheLanguageOfTheWindowsAndThenStaysAsStored)
{
    ASSERT_EQ(settings_.load(), std::nullopt);
    settings_.useLanguageOfFirstStart("fr");
    ASSERT_EQ(settings_.reload(), std::nullopt);
    EXPECT_EQ(settings_.awayText(), "Absent pour le moment");
    ASSERT_EQ(settings_.save(), std::nullopt);
    Settings next(disk());
    ASSERT_EQ(next.load(), std::nullopt);
    next.useLanguageOfFirstStart("en");
    EXPECT_EQ(std::tuple(next.awayText(), registry_.readString(HKCU, kMain, "Awaytext")),
              std::tuple("Absent pour le moment", "Absent pour le moment"));

    platform::Registry other({dir_ / "other.reg", dir_ / "other-lm.reg"});
    Settings typed(other);
    ASSERT_EQ(typed.load(), std::nullopt);
    typed.setAwayText("QRT");
    typed.useLanguageOfFirstStart("en");
    EXPECT_EQ(typed.awayText(), "QRT");
    Settings english(other);
    english.useLanguageOfFirstStart("en");
    EXPECT_EQ(english.awayText(), "Not at the station right now");
}

// No made-up station goes on the air: until the operator writes an info text, //INfo is answered
// with the own call and name alone, and the example that earlier versions stored counts as none.
TEST_F(SettingsTest, InfoAnswerIsTheOperatorsTextOrTheOwnCallAndName)
{
    registry_.setString(HKCU, kMain, "Infotext", std::string(kSampleInfoText));
    registry_.setString(HKCU, kMain, "Mycall", "DL9TST");
    registry_.setDword(HKCU, kMain, "Options", 0xFF);
    registry_.setDword(HKCU, kMain, "ShowAlias", 3);
    ASSERT_EQ(settings_.load(), std::nullopt);
    EXPECT_EQ(std::tuple(settings_.infoText(), settings_.infoAnswer()), std::tuple("", "Call  : DL9TST"));
    settings_.setAlias("Max");
    EXPECT_EQ(settings_.infoAnswer(), "Call  : DL9TST\r\nName  : Max");
    settings_.setInfoText("QTH Kiel\r\nRig: 2m");
    EXPECT_EQ(settings_.infoAnswer(), "QTH Kiel\r\nRig: 2m");
}

TEST_F(SettingsTest, SettersKeepTheLimits)
{
    settings_.setMyCall("dl1abcdef-15");  // as zelvo-station --mycall may give it
    settings_.setAlias(std::string(20, 'a'));
    settings_.setInfoText(std::string(300, 'i'));
    EXPECT_EQ(std::tuple(settings_.myCall(), settings_.alias(), settings_.infoText().size()),
              std::tuple("DL1ABCDEF", std::string(15, 'a'), 255u));
    // The away text's 252:
    // SettingsDialogTest.FirstStartShowsTheDefaultsAndTextsFollowTheirBoxesAndRefuseWhatDoesNotFit.

    TEreignisObj e;
    e.cwText = "12345678901234567890";
    e.cwSpeed = 5;
    settings_.setEvent(TEventKind::evUserAway, e);
    const auto cw = [&] {
        const TEreignisObj e = settings_.event(TEventKind::evUserAway);
        return std::tuple(e.cwText, e.cwSpeed);
    };
    EXPECT_EQ(cw(), std::tuple("12345678901", 10));
    settings_.updateEvent(TEventKind::evUserAway, [](TEreignisObj& r) {
        r.cwText += "XYZ";
        r.cwSpeed = 500;
    });
    EXPECT_EQ(cw(), std::tuple("12345678901", 120));

    settings_.setEvent(kind(11), e);  // no such event: ignored
    EXPECT_EQ(settings_.event(kind(11)), TEreignisObj{});
}

TEST_F(SettingsTest, TheObserverHearsRealChangesOnly)
{
    std::vector<std::pair<Settings::Field, std::optional<TEventKind>>> heard;
    std::optional<SettingsNews> news(std::in_place, settings_);
    QObject::connect(&*news, &SettingsNews::changed,
                     [&](Settings::Field f, std::optional<TEventKind> k) { heard.emplace_back(f, k); });

    settings_.setAlias("Otto");
    settings_.setAlias("Otto");
    settings_.setOption(Option::Sound, true);  // already on
    settings_.setOption(Option::Sound, false);
    settings_.updateEvent(TEventKind::evUserBack, [](TEreignisObj& e) { e.popup = false; });
    settings_.updateEvent(TEventKind::evUserBack, [](TEreignisObj& e) { e.popup = false; });
    (void)settings_.load();
    news.reset();  // the settings are left without an observer
    settings_.setAlias("Anna");
    EXPECT_EQ(heard, (decltype(heard){{Settings::Field::Alias, std::nullopt},
                                      {Settings::Field::Options, std::nullopt},
                                      {Settings::Field::Event, TEventKind::evUserBack},
                                      {Settings::Field::All, std::nullopt}}));
}

class RecordingPlayer : public platform::SoundPlayer {
public:
    void playFile(std::string_view path) override { played.emplace_back(path); }
    std::vector<std::string> played;
};

TEST_F(SettingsTest, EventSoundPlaysOnlyWaveFilesWhileSoundsAreOn)
{
    RecordingPlayer player;
    const std::tuple<TEventKind, std::int32_t, const char*> sounds[] = {
        {TEventKind::evMessageReceived, kSoundNone, "/snd/none.wav"},
        {TEventKind::evUserOnline, kSoundCw, "/snd/cw.wav"},
        {TEventKind::evUserAway, kSoundWave, "/snd/away.wav"},
        {TEventKind::evUserBack, kSoundWave, "<keine>"},
        {TEventKind::evPolled, kSoundWave, ""}};
    for (const auto& [k, soundKind, path] : sounds)
        settings_.updateEvent(
            k, [&](TEreignisObj& e) { std::tie(e.soundKind, e.wavePath) = std::tuple(soundKind, path); });

    settings_.setOption(Option::Sound, false);
    for (int n = 0; n < kEventKindCount; ++n)
        playEventSound(settings_, player, kind(n));
    EXPECT_TRUE(player.played.empty());

    settings_.setOption(Option::Sound, true);
    for (int n = 0; n <= kEventKindCount; ++n)
        playEventSound(settings_, player, kind(n));
    // "<keine>" goes to the player, which stays silent for a file it cannot play.
    EXPECT_EQ(player.played, (std::vector<std::string>{"/snd/away.wav", "<keine>"}));
}

TEST_F(SettingsTest, ReadersOnAnotherThreadSeeWholeValues)
{
    storeAll();
    ASSERT_EQ(settings_.load(), std::nullopt);
    const std::string calls[] = {"DL1ABC-7", "OE9XYZ-15"};
    TEreignisObj a, b;
    a.soundKind = kSoundWave;
    a.wavePath = std::string(200, 'a');
    b.wavePath = std::string(3, 'b');
    b.popup = false;

    std::atomic<bool> done{false};
    std::atomic<int> torn{0};
    std::thread reader([&] {
        for (int i = 0; i < 20000; ++i) {
            const std::string call = settings_.myCall();
            if (call != calls[0] && call != calls[1])
                ++torn;
            const TEreignisObj e = settings_.event(TEventKind::evUserAway);
            const bool fromStore = e.wavePath == "/snd/4.wav";
            if (!(e == a || e == b || fromStore))
                ++torn;
            (void)settings_.snapshot();
        }
        done = true;
    });
    for (int i = 0; !done; ++i) {
        settings_.setMyCall(calls[i % 2]);
        settings_.setEvent(TEventKind::evUserAway, i % 2 ? a : b);
        if (i % 100 == 0) {
            EXPECT_EQ(settings_.load(), std::nullopt);
        }
    }
    reader.join();
    EXPECT_EQ(torn, 0);
}

}  // namespace
}  // namespace zelvo::dialogs
