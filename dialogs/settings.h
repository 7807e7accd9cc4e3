// The settings model: every global setting and the eleven per-event records, loaded from and saved
// to the registry keys \Software\Varkel\Zelvo and ...\Events under HKEY_CURRENT_USER. It is the
// run-time home of the settings: the settings dialog edits it live, and every other part reads the
// current value from it at the moment of use, from the UI thread or the receive thread.
//
// Thread safety: every getter returns a consistent copy taken under one lock; a setter's change is
// seen by every reader at once. Only the UI thread is meant to write (load, edit, save); the
// observer is told in the writing thread, after the lock is released.
//
// Texts are Windows-1252 bytes. Setters cut texts to their limits.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "platform/problem.h"

namespace zelvo::platform {
class Registry;
class SoundPlayer;
}  // namespace zelvo::platform

namespace zelvo::dialogs {

// The event kinds; the number is the event's number in the registry value names and everywhere else.
enum class TEventKind : std::uint8_t {
    evMessageReceived = 0,
    evMessageSent = 1,
    evUserOnline = 2,
    evUserOffline = 3,
    evUserAway = 4,
    evUserBack = 5,
    evSelfOnline = 6,
    evSelfOffline = 7,
    evSelfAway = 8,
    evSelfBack = 9,
    evPolled = 10,
};
inline constexpr int kEventKindCount = 11;

// The German caption of the event list entry; empty for a number outside 0..10.
std::string_view eventCaption(TEventKind kind);

inline constexpr std::int32_t kSoundNone = 1;  // "keiner"
inline constexpr std::int32_t kSoundCw = 2;    // "CW Text": stored only, never sounded
inline constexpr std::int32_t kSoundWave = 4;  // "Wave Datei"

inline constexpr std::size_t kMaxMyCall = 9;
inline constexpr std::size_t kMaxAlias = 15;
inline constexpr std::size_t kMaxInfoText = 255;
inline constexpr std::size_t kMaxAwayText = 252;
inline constexpr std::size_t kMaxCwText = 11;
inline constexpr std::int32_t kMinCwSpeed = 10;
inline constexpr std::int32_t kMaxCwSpeed = 120;

// What the wave path field shows for an event without a wave file.
inline constexpr std::string_view kNoWave = "<keine>";

// What happens when an event occurs.
struct TEreignisObj {
    std::int32_t soundKind = kSoundNone;
    std::int32_t cwSpeed = kMinCwSpeed;
    bool popup = true;
    bool entryTop = false;
    bool logEvent = true;
    bool focus = false;  // stored only
    // A desktop notification: the value "N-Notify" beside "N-Options", which an older Zelvo
    // leaves alone; a record without it takes notifiesByDefault().
    bool notify = false;
    std::string cwText;  // at most kMaxCwText bytes; stored only
    std::string wavePath;

    // The "-Options" value: soundKind * 16 + popup * 8 + entryTop * 4 + logEvent * 2 + focus.
    std::uint32_t optionsValue() const;
    // Reads soundKind from bits 4..6 and the four flags from bits 3..0.
    void setOptionsValue(std::uint32_t value);

    bool operator==(const TEreignisObj&) const = default;
};

// A received message is notified unless switched off; every other event only when switched on.
bool notifiesByDefault(TEventKind kind);
// The record of a first start for the event.
TEreignisObj defaultEvent(TEventKind kind);

// The bits of the "Options" value, named after their check boxes.
enum class Option : std::uint8_t {
    RemDetail = 0x01,   // chRemDetail: answer "//DEtail"
    RemCStatus = 0x02,  // ChRemCS: answer "//CStatus"
    RemInfo = 0x04,     // chRemInfo: answer "//INfo"
    LogFile = 0x08,     // ChLogfile: write the activity log
    SysStart = 0x10,    // ChSysstart: restart after a logoff
    Sound = 0x20,       // ChSound: sounds at all
    SendAway = 0x40,    // ChSendAway: the away announcement carries the away text
    PollAway = 0x80,    // ChPollAway: a poll while away is answered with the away text
};

// How the roster list shows its rows ("ShowAlias").
enum class ListDisplay : std::uint8_t { CallsOnly = 1, CallAndName = 2, CallNameAndHeader = 3 };

// The German example info text that earlier versions stored at a first start (six lines joined by
// CR LF). Its made-up station is nobody's: loading takes it for no info text at all.
extern const std::string_view kSampleInfoText;
// The away text of a first start in German, English and French; any other code gives German.
// Stored, it is the operator's text like any other and never follows the windows' language.
std::string_view defaultAwayText(std::string_view language);
inline constexpr std::string_view kDefaultAwayText = "Bin gerade nicht da";

// All settings at one moment; the defaults are those of a first start (in German: see
// Settings::useLanguageOfFirstStart).
struct SettingsValues {
    std::string myCall;
    std::string alias;
    std::string infoText;  // empty until the operator writes one
    std::string awayText{kDefaultAwayText};
    std::uint8_t options = 0xFF;
    bool textBuf = true;  // "History speichern": not stored, on at every start
    ListDisplay showAlias = ListDisplay::CallNameAndHeader;
    bool autoOnline = false;  // set by loading only
    std::string language;     // "Sprache": "de", "en" or "fr"; empty when never chosen
    std::array<TEreignisObj, kEventKindCount> events = defaultEvents();
    // A message given up after its last repetition is notified ("Fehler-Notify" under Events).
    bool notifyFailure = true;
    // A TNC that stops answering is notified ("TNC-Notify" under Events).
    bool notifyLink = false;

    static std::array<TEreignisObj, kEventKindCount> defaultEvents();

    bool option(Option o) const { return (options & static_cast<std::uint8_t>(o)) != 0; }
};

// The problem when a number value is missing from a key that exists.
platform::Problem registryReadError(std::string_view valueName);

class Settings {
public:
    enum class Field {
        MyCall,
        Alias,
        InfoText,
        AwayText,
        Options,
        TextBuf,
        ShowAlias,
        Event,
        Language,
        Notices,
        All
    };
    // Told of every real change: the field that changed, the event kind for Field::Event. The
    // windows hear of changes through one Qt adaptor (dialogs/settings_news.h).
    class Observer {
    public:
        virtual ~Observer() = default;
        virtual void settingChanged(Field field, std::optional<TEventKind> kind) = 0;
    };

    explicit Settings(platform::Registry& registry);
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    SettingsValues snapshot() const;
    std::string myCall() const { return locked(&SettingsValues::myCall); }
    std::string alias() const { return locked(&SettingsValues::alias); }
    std::string infoText() const { return locked(&SettingsValues::infoText); }
    // What "//INfo" is answered with: the info text, or without one the own call and name.
    std::string infoAnswer() const;
    std::string awayText() const { return locked(&SettingsValues::awayText); }
    bool option(Option o) const;
    std::uint8_t options() const { return locked(&SettingsValues::options); }
    bool textBuf() const { return locked(&SettingsValues::textBuf); }
    ListDisplay showAlias() const { return locked(&SettingsValues::showAlias); }
    bool autoOnline() const { return locked(&SettingsValues::autoOnline); }
    std::string language() const { return locked(&SettingsValues::language); }
    bool notifyFailure() const { return locked(&SettingsValues::notifyFailure); }
    bool notifyLink() const { return locked(&SettingsValues::notifyLink); }
    TEreignisObj event(TEventKind kind) const;  // the defaults for a number outside 0..10
    // "//VErsion" is always allowed.
    static constexpr bool remoteVersionAllowed() { return true; }

    // Upper case, as the call goes on the air; loading upper-cases a stored call as well.
    void setMyCall(std::string_view call);
    void setAlias(std::string_view alias);
    void setInfoText(std::string_view text);
    void setAwayText(std::string_view text);
    void setOption(Option o, bool on);
    void setTextBuf(bool on);
    void setNotifyFailure(bool on);
    void setNotifyLink(bool on);
    // Accepts 1, 2 or 3; any other number changes nothing and gives false.
    bool setShowAlias(int mode);
    // Cuts cwText to 11 and holds cwSpeed within 10..120. A number outside 0..10 is ignored.
    void setEvent(TEventKind kind, TEreignisObj record);
    void updateEvent(TEventKind kind, const std::function<void(TEreignisObj&)>& edit);

    // On a first start (nothing saved yet), the away text is the default of `language`, the one
    // the windows speak, unless the operator has changed it; so it is after reload() too.
    void useLanguageOfFirstStart(std::string_view language);

    // Stores the windows' language at once, that value alone: the other edits wait for save().
    // When the registry cannot be written, nothing changes and the problem is returned.
    [[nodiscard]] std::optional<platform::Problem> storeLanguage(std::string_view code);

    // Loads the registry (at start, and to discard edits). When a number value is missing from a
    // key that exists, loading stops: what was read before it takes effect, everything else keeps
    // its value, and the problem is returned for the caller to show. When the registry file
    // cannot be read, nothing changes and that problem is returned.
    [[nodiscard]] std::optional<platform::Problem> load();
    // Discards edits: what a new start would load, the registry read on top of the first-start
    // defaults, so that values never saved return to their defaults too. textBuf and autoOnline
    // keep theirs. Problems as for load().
    [[nodiscard]] std::optional<platform::Problem> reload();
    // Writes every stored setting but the language (storeLanguage's) as one atomic change. When
    // the registry cannot be written, nothing is written and the problem is returned.
    [[nodiscard]] std::optional<platform::Problem> save() const;

    // The one observer, or nullptr for none.
    void setObserver(Observer* observer);

private:
    // A copy of one value, taken under the lock.
    template <class T>
    T locked(T SettingsValues::*value) const
    {
        std::lock_guard lock(mutex_);
        return values_.*value;
    }
    std::optional<platform::Problem> readInto(SettingsValues& values) const;
    std::optional<platform::Problem> loadOnto(SettingsValues next);
    // Applies an edit under the lock; the edit tells whether it changed anything, and only then
    // is the observer told.
    void modify(Field field, std::optional<TEventKind> kind,
                const std::function<bool(SettingsValues&)>& edit);
    void notify(Field field, std::optional<TEventKind> kind);

    platform::Registry& registry_;
    mutable std::mutex mutex_;
    SettingsValues values_;
    std::string firstStartAway_{kDefaultAwayText};  // under mutex_
    std::mutex observerMutex_;
    Observer* observer_ = nullptr;
};

// Plays the event's wave file when sounds are on and the event's sound kind is a wave file; the
// player returns at once and stays silent for a file it cannot play ("<keine>" among them).
void playEventSound(const Settings& settings, platform::SoundPlayer& player, TEventKind kind);

}  // namespace zelvo::dialogs
