#include "dialogs/settings.h"

#include <QtGlobal>

#include "platform/registry.h"
#include "platform/sound.h"
#include "protocol/call_rules.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace zelvo::dialogs {

namespace {

using platform::RegKey;
using platform::RegRoot;

constexpr std::string_view kMainKey = "\\Software\\Varkel\\Zelvo";
constexpr std::string_view kEventsKey = "\\Software\\Varkel\\Zelvo\\Events";
constexpr std::string_view kAutoOnline = "QX4KLM";  // both the subkey and the value
constexpr std::string_view kLanguage = "Sprache";
constexpr std::string_view kNotifyFailure = "Fehler-Notify";  // under kEventsKey
constexpr std::string_view kNotifyLink = "TNC-Notify";        // under kEventsKey

// Translated where the settings dialog shows them; the log and the registry know them in German.
constexpr std::array<std::string_view, kEventKindCount> kCaptions = {
    QT_TRANSLATE_NOOP("zelvo::dialogs::SettingsDialog", "Nachricht empfangen"),
    QT_TRANSLATE_NOOP("zelvo::dialogs::SettingsDialog", "Nachricht gesendet"),
    QT_TRANSLATE_NOOP("zelvo::dialogs::SettingsDialog", "User Online"),
    QT_TRANSLATE_NOOP("zelvo::dialogs::SettingsDialog", "User Offline"),
    QT_TRANSLATE_NOOP("zelvo::dialogs::SettingsDialog", "User Away"),
    QT_TRANSLATE_NOOP("zelvo::dialogs::SettingsDialog", "User Back"),
    QT_TRANSLATE_NOOP("zelvo::dialogs::SettingsDialog", "Selbst Online"),
    QT_TRANSLATE_NOOP("zelvo::dialogs::SettingsDialog", "Selbst Ofline"),  // spelled with one "f"
    QT_TRANSLATE_NOOP("zelvo::dialogs::SettingsDialog", "Selbst Away"),
    QT_TRANSLATE_NOOP("zelvo::dialogs::SettingsDialog", "Selbst Back"),
    QT_TRANSLATE_NOOP("zelvo::dialogs::SettingsDialog", "Poll von User"),
};

std::size_t indexOf(TEventKind kind)
{
    return static_cast<std::size_t>(kind);
}
bool validKind(TEventKind kind)
{
    return indexOf(kind) < kEventKindCount;
}

std::string cut(std::string_view text, std::size_t limit)
{
    return std::string(text.substr(0, limit));
}

std::string eventValueName(std::size_t n, std::string_view suffix)
{
    return std::to_string(n) + std::string(suffix);
}

TEreignisObj normalized(TEreignisObj record)
{
    record.cwText.resize(std::min(record.cwText.size(), kMaxCwText));
    record.cwSpeed = std::clamp(record.cwSpeed, kMinCwSpeed, kMaxCwSpeed);
    return record;
}

// Reads one event record; nullopt and the missing value's name when a number is missing.
std::optional<TEreignisObj> readEvent(const RegKey& key, std::size_t n, std::string& missing)
{
    TEreignisObj e;
    e.cwText = cut(key.readString(eventValueName(n, "-CWtext")).value_or(""), kMaxCwText);
    e.wavePath = key.readString(eventValueName(n, "-Wave")).value_or("");
    const std::string speedName = eventValueName(n, "-Speed");
    const auto speed = key.readDword(speedName);
    if (!speed) {
        missing = speedName;
        return std::nullopt;
    }
    e.cwSpeed = static_cast<std::int32_t>(*speed);
    const std::string optionsName = eventValueName(n, "-Options");
    const auto options = key.readDword(optionsName);
    if (!options) {
        missing = optionsName;
        return std::nullopt;
    }
    e.setOptionsValue(*options);
    const auto notify = key.readDword(eventValueName(n, "-Notify"));
    e.notify = notify ? *notify != 0 : notifiesByDefault(static_cast<TEventKind>(n));
    return e;
}

}  // namespace

const std::string_view kSampleInfoText = "Zelvo-Beispiel Info\r\n"
                                         "Name: Max Mustermann\r\n"
                                         "QTH: Musterstadt, JO40XA\r\n"
                                         "Station: 2m, 9k6, Rundstrahler\r\n"
                                         "Einstieg: DB0ABC\r\n"
                                         "Zelvo: werktags ab 18 Uhr QRV";

std::string_view defaultAwayText(std::string_view language)
{
    if (language == "en")
        return "Not at the station right now";
    if (language == "fr")
        return "Absent pour le moment";
    return kDefaultAwayText;
}

std::string_view eventCaption(TEventKind kind)
{
    return validKind(kind) ? kCaptions[indexOf(kind)] : "";
}

std::uint32_t TEreignisObj::optionsValue() const
{
    return static_cast<std::uint32_t>(soundKind) * 16 + (popup ? 8u : 0u) + (entryTop ? 4u : 0u) +
           (logEvent ? 2u : 0u) + (focus ? 1u : 0u);
}

void TEreignisObj::setOptionsValue(std::uint32_t value)
{
    soundKind = static_cast<std::int32_t>((value & 0x70) >> 4);
    popup = (value & 0x08) != 0;
    entryTop = (value & 0x04) != 0;
    logEvent = (value & 0x02) != 0;
    focus = (value & 0x01) != 0;
}

bool notifiesByDefault(TEventKind kind)
{
    return kind == TEventKind::evMessageReceived;
}

TEreignisObj defaultEvent(TEventKind kind)
{
    TEreignisObj e;
    e.notify = notifiesByDefault(kind);
    return e;
}

std::array<TEreignisObj, kEventKindCount> SettingsValues::defaultEvents()
{
    std::array<TEreignisObj, kEventKindCount> events;
    for (std::size_t n = 0; n < kEventKindCount; ++n)
        events[n] = defaultEvent(static_cast<TEventKind>(n));
    return events;
}

platform::Problem registryReadError(std::string_view valueName)
{
    return platform::composedProblem(QT_TRANSLATE_NOOP("Problem", "Fehler beim Holen der Daten für '%1'"),
                                     {platform::ansiToUtf8(valueName)});
}

Settings::Settings(platform::Registry& registry) : registry_(registry) {}

SettingsValues Settings::snapshot() const
{
    std::lock_guard lock(mutex_);
    return values_;
}

std::string Settings::infoAnswer() const
{
    std::lock_guard lock(mutex_);
    if (!values_.infoText.empty())
        return values_.infoText;
    return "Call  : " + values_.myCall + (values_.alias.empty() ? "" : "\r\nName  : " + values_.alias);
}

bool Settings::option(Option o) const
{
    std::lock_guard lock(mutex_);
    return values_.option(o);
}

TEreignisObj Settings::event(TEventKind kind) const
{
    if (!validKind(kind))
        return {};
    std::lock_guard lock(mutex_);
    return values_.events[indexOf(kind)];
}

void Settings::modify(Field field, std::optional<TEventKind> kind,
                      const std::function<bool(SettingsValues&)>& edit)
{
    bool changed = false;
    {
        std::lock_guard lock(mutex_);
        changed = edit(values_);
    }
    if (changed)
        notify(field, kind);
}

namespace {

// Assigns when different; tells whether it did.
template <class T>
bool assign(T& target, T value)
{
    if (target == value)
        return false;
    target = std::move(value);
    return true;
}

}  // namespace

void Settings::setMyCall(std::string_view call)
{
    modify(Field::MyCall, {},
           [&](SettingsValues& v) { return assign(v.myCall, protocol::upperCase(cut(call, kMaxMyCall))); });
}

void Settings::setAlias(std::string_view alias)
{
    modify(Field::Alias, {}, [&](SettingsValues& v) { return assign(v.alias, cut(alias, kMaxAlias)); });
}

void Settings::setInfoText(std::string_view text)
{
    modify(Field::InfoText, {},
           [&](SettingsValues& v) { return assign(v.infoText, cut(text, kMaxInfoText)); });
}

void Settings::setAwayText(std::string_view text)
{
    modify(Field::AwayText, {},
           [&](SettingsValues& v) { return assign(v.awayText, cut(text, kMaxAwayText)); });
}

void Settings::setOption(Option o, bool on)
{
    const auto bit = static_cast<std::uint8_t>(o);
    modify(Field::Options, {}, [&](SettingsValues& v) {
        return assign(v.options, static_cast<std::uint8_t>(on ? v.options | bit : v.options & ~bit));
    });
}

void Settings::setTextBuf(bool on)
{
    modify(Field::TextBuf, {}, [&](SettingsValues& v) { return assign(v.textBuf, on); });
}

void Settings::setNotifyFailure(bool on)
{
    modify(Field::Notices, {}, [&](SettingsValues& v) { return assign(v.notifyFailure, on); });
}

void Settings::setNotifyLink(bool on)
{
    modify(Field::Notices, {}, [&](SettingsValues& v) { return assign(v.notifyLink, on); });
}

bool Settings::setShowAlias(int mode)
{
    if (mode < 1 || mode > 3)
        return false;
    modify(Field::ShowAlias, {},
           [&](SettingsValues& v) { return assign(v.showAlias, static_cast<ListDisplay>(mode)); });
    return true;
}

void Settings::setEvent(TEventKind kind, TEreignisObj record)
{
    if (!validKind(kind))
        return;
    modify(Field::Event, kind,
           [&](SettingsValues& v) { return assign(v.events[indexOf(kind)], normalized(std::move(record))); });
}

void Settings::updateEvent(TEventKind kind, const std::function<void(TEreignisObj&)>& edit)
{
    if (!validKind(kind))
        return;
    modify(Field::Event, kind, [&](SettingsValues& v) {
        TEreignisObj record = v.events[indexOf(kind)];
        edit(record);
        return assign(v.events[indexOf(kind)], normalized(std::move(record)));
    });
}

std::optional<platform::Problem> Settings::storeLanguage(std::string_view code)
{
    try {
        registry_.setString(RegRoot::CurrentUser, kMainKey, kLanguage, code);
    } catch (const platform::RegistryError& error) {
        return platform::problemFrom(error);
    }
    modify(Field::Language, {}, [&](SettingsValues& v) { return assign(v.language, std::string(code)); });
    return std::nullopt;
}

namespace {

// Whether the key holds a value that save() writes: the language is stored on its own, before any
// OK, and the roster's key is made as a parent of its own.
bool everSaved(const platform::Registry& registry, std::string_view key)
{
    const auto names = registry.valueNames(RegRoot::CurrentUser, key);
    // Value names compare without regard to case.
    return std::ranges::any_of(names, [language = protocol::upperCase(kLanguage)](const std::string& name) {
        return protocol::upperCase(name) != language;
    });
}

}  // namespace

void Settings::useLanguageOfFirstStart(std::string_view language)
{
    bool saved = true;
    try {
        saved = everSaved(registry_, kMainKey);
    } catch (const platform::RegistryError&) {
        // An unreadable file is no first start.
    }
    if (saved)
        return;
    const std::string away(defaultAwayText(language));
    modify(Field::AwayText, {}, [&](SettingsValues& v) {
        const bool untouched = v.awayText == firstStartAway_;
        firstStartAway_ = away;
        return untouched && assign(v.awayText, away);
    });
}

std::optional<platform::Problem> Settings::readInto(SettingsValues& values) const
{
    const auto main = RegKey::open(registry_, RegRoot::CurrentUser, kMainKey);
    // First, so that the windows speak the chosen language even when a value below is damaged.
    if (main)
        values.language = main->readString(kLanguage).value_or("");
    if (const auto events = RegKey::open(registry_, RegRoot::CurrentUser, kEventsKey)) {
        for (std::size_t n = 0; n < kEventKindCount; ++n) {
            std::string missing;
            auto record = readEvent(*events, n, missing);
            if (!record)
                return registryReadError(missing);
            values.events[n] = std::move(*record);
        }
        const auto failure = events->readDword(kNotifyFailure);
        values.notifyFailure = failure.value_or(1) != 0;
        values.notifyLink = events->readDword(kNotifyLink).value_or(0) != 0;
    } else {
        values.events = SettingsValues::defaultEvents();
        values.notifyFailure = true;
        values.notifyLink = false;
    }

    if (!main)
        return std::nullopt;  // first start: the rest keeps its values
    if (!everSaved(registry_, kMainKey))
        return std::nullopt;
    // Calls are upper case on the air: one stored in lower case is taken as the air has it.
    values.myCall = protocol::upperCase(cut(main->readString("Mycall").value_or(""), kMaxMyCall));
    values.alias = cut(main->readString("Alias").value_or(""), kMaxAlias);
    values.infoText = cut(main->readString("Infotext").value_or(""), kMaxInfoText);
    if (values.infoText == kSampleInfoText)
        values.infoText.clear();
    values.awayText = cut(main->readString("Awaytext").value_or(""), kMaxAwayText);
    // A hidden switch: only honoured while its subkey of the same name exists.
    if (main->hasSubkey(kAutoOnline)) {
        const auto autoOnline = main->readDword(kAutoOnline);
        if (!autoOnline)
            return registryReadError(kAutoOnline);
        values.autoOnline = *autoOnline != 0;
    }
    const auto options = main->readDword("Options");
    if (!options)
        return registryReadError("Options");
    values.options = static_cast<std::uint8_t>(*options & 0xFF);  // bits 8..31 mean nothing
    const auto showAlias = main->readDword("ShowAlias");
    if (!showAlias)
        return registryReadError("ShowAlias");
    if (*showAlias >= 1 && *showAlias <= 3)
        values.showAlias = static_cast<ListDisplay>(*showAlias);
    return std::nullopt;
}

std::optional<platform::Problem> Settings::load()
{
    return loadOnto(snapshot());  // only the UI thread writes, so nothing slips in between
}

std::optional<platform::Problem> Settings::reload()
{
    SettingsValues next;
    {
        std::lock_guard lock(mutex_);
        next.textBuf = values_.textBuf;
        next.autoOnline = values_.autoOnline;
        next.awayText = firstStartAway_;
    }
    return loadOnto(std::move(next));
}

std::optional<platform::Problem> Settings::loadOnto(SettingsValues next)
{
    std::optional<platform::Problem> error;
    try {
        error = readInto(next);
    } catch (const platform::RegistryError& unreadable) {
        return platform::problemFrom(unreadable);
    }
    {
        std::lock_guard lock(mutex_);
        values_ = std::move(next);
    }
    notify(Field::All, {});
    return error;
}

std::optional<platform::Problem> Settings::save() const
{
    const SettingsValues v = snapshot();
    try {
        registry_.change(RegRoot::CurrentUser, [&](platform::RegEdit& edit) {
            for (std::size_t n = 0; n < kEventKindCount; ++n) {
                const TEreignisObj& e = v.events[n];
                edit.setValue(kEventsKey, eventValueName(n, "-CWtext"), e.cwText);
                edit.setValue(kEventsKey, eventValueName(n, "-Wave"), e.wavePath);
                edit.setValue(kEventsKey, eventValueName(n, "-Speed"), static_cast<std::uint32_t>(e.cwSpeed));
                edit.setValue(kEventsKey, eventValueName(n, "-Options"), e.optionsValue());
                edit.setValue(kEventsKey, eventValueName(n, "-Notify"), std::uint32_t{e.notify});
            }
            edit.setValue(kEventsKey, kNotifyFailure, std::uint32_t{v.notifyFailure});
            edit.setValue(kEventsKey, kNotifyLink, std::uint32_t{v.notifyLink});
            edit.setValue(kMainKey, "Mycall", v.myCall);
            edit.setValue(kMainKey, "Alias", v.alias);
            edit.setValue(kMainKey, "Infotext", v.infoText);
            edit.setValue(kMainKey, "Awaytext", v.awayText);
            edit.setValue(kMainKey, "Options", std::uint32_t{v.options});
            edit.setValue(kMainKey, "ShowAlias", static_cast<std::uint32_t>(v.showAlias));
        });
    } catch (const platform::RegistryError& error) {
        return platform::problemFrom(error);
    }
    return std::nullopt;
}

void Settings::setObserver(Observer* observer)
{
    std::lock_guard lock(observerMutex_);
    observer_ = observer;
}

void Settings::notify(Field field, std::optional<TEventKind> kind)
{
    Observer* observer = nullptr;
    {
        std::lock_guard lock(observerMutex_);
        observer = observer_;
    }
    if (observer != nullptr)
        observer->settingChanged(field, kind);
}

void playEventSound(const Settings& settings, platform::SoundPlayer& player, TEventKind kind)
{
    if (!settings.option(Option::Sound))
        return;
    const TEreignisObj record = settings.event(kind);
    // Only wave files sound; "keiner" and CW (never keyed anywhere) stay silent.
    if (!validKind(kind) || record.soundKind != kSoundWave || record.wavePath.empty())
        return;
    player.playFile(record.wavePath);
}

}  // namespace zelvo::dialogs
