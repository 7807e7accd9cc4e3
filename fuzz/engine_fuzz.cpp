// The protocol engine against any frames from any senders. The fuzzer's bytes are a script: the
// own state, settings and roster, then frames, receive passes (link::receiveTick) and the user's
// commands, run against a scripted driver, with refused frames offered again in the passes or at
// once. Whatever comes in, the roster keeps at most 31 entries
// that the next save and load keep, nothing on the air is longer than its limit, every frame sent
// reads as the kind it was built as, every destination is well-formed, and no exception escapes.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <exception>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "app/comma_text.h"
#include "app/roster_store.h"
#include "driver/ax25_frame.h"
#include "driver/flxapi.h"
#include "link/radio_driver.h"
#include "link/receive_thread.h"
#include "platform/registry.h"
#include "protocol/commands.h"
#include "protocol/frame_format.h"
#include "protocol/outgoing.h"

using namespace zelvo;
using protocol::FrameKind;

namespace {

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "engine: %s\n", what);
        std::abort();
    }
}

// The fuzzer's bytes, front to back; zeros once they are used up.
class Script {
public:
    Script(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool done() const { return pos_ >= size_; }
    std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    std::string bytes(std::size_t n)
    {
        n = std::min(n, size_ - std::min(pos_, size_));
        std::string out(reinterpret_cast<const char*>(data_ + pos_), n);
        pos_ += n;
        return out;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

using Address = std::array<std::uint8_t, 7>;

// 52 calls with shared prefixes (DL1, DL1A, DL1AA, ...), so that the prefix lookups meet.
std::string callOf(std::uint8_t b)
{
    return "DL" + std::to_string(b & 3) + std::string((b >> 2) & 3, static_cast<char>('A' + ((b >> 4) & 3)));
}

int ssidOf(std::uint8_t b)
{
    return std::array{0, 1, 9, 15}[b >> 6];
}

// A call byte as an AX.25 address; 0xFF takes the next 7 bytes as they are.
Address addressOf(Script& s, std::uint8_t b)
{
    Address a{};
    if (b == 0xFF) {
        const std::string raw = s.bytes(7);
        std::copy(raw.begin(), raw.end(), a.begin());
        return a;
    }
    const std::string call = callOf(b);
    for (std::size_t i = 0; i < 6; ++i)
        a[i] = static_cast<std::uint8_t>((i < call.size() ? call[i] : ' ') << 1);
    a[6] = static_cast<std::uint8_t>(0x60 | ssidOf(b) << 1);
    return a;
}

using ax25::callText;  // as libflxapi32.so's strcall gives it

struct Incoming {
    Address source{};
    int pid = 0;
    int channel = 0;
    std::vector<Address> digis;
    std::string info;
};

FrameKind builtAs(int pid, std::string_view info)
{
    if (protocol::isMessagePid(pid))
        return info.empty() ? FrameKind::Ack : FrameKind::Message;
    if (pid == protocol::PID_POLL)
        return info.empty() ? FrameKind::PollRequest : FrameKind::PollAnswer;
    if (pid == protocol::PID_AWAY)
        return info.empty() ? FrameKind::BackAnnounce : FrameKind::AwayAnnounce;
    check(pid == protocol::PID_STATUS, "a frame with a PID that no receiver knows");
    return info == "[]" ? FrameKind::OfflineAnnounce : FrameKind::StatusAnnounce;
}

// "CALL[-SSID] CHANNEL [DIGI...]", single blanks, at most 8 digipeaters.
void checkDestination(std::string_view d)
{
    check(!d.empty() && d.front() != ' ' && d.back() != ' ' && d.find("  ") == std::string_view::npos &&
              d.find_first_of(std::string_view("\t\r\n\v\f\0", 6)) == std::string_view::npos,
          "a destination that is not single-blank separated words");
    std::vector<std::string_view> words;
    for (std::size_t pos = 0; pos <= d.size();) {
        const std::size_t end = std::min(d.find(' ', pos), d.size());
        words.push_back(d.substr(pos, end - pos));
        pos = end + 1;
    }
    check(words.size() >= 2 && words.size() <= 10, "a destination without channel or with over 8 digis");
    check(words[1].size() <= 2 &&
              std::all_of(words[1].begin(), words[1].end(), [](char c) { return c >= '0' && c <= '9'; }) &&
              std::stoi(std::string(words[1])) < FLX_CHANNELS,
          "a destination whose second word is no channel");
    for (std::string_view w : words)
        check(w.size() <= 9, "a destination word longer than a call with SSID");
}

class Driver : public link::RadioDriver {
public:
    std::set<std::string> aliases;  // every alias the station has announced itself by
    std::deque<Incoming> incoming;
    int refuse = 0;

    bool sendUi(const std::string& mycall, const std::string& destination, int pid,
                std::string_view info) override
    {
        checkDestination(destination);
        check(info.size() <= FLX_MAX_INFO, "an information field over 256 bytes");
        // As libflxapi32.so: nothing goes on the air from an own call that AX.25 cannot carry.
        if (!ax25::parseAddress(mycall))
            return false;
        if (refuse > 0) {
            --refuse;
            return false;
        }
        const FrameKind kind = builtAs(pid, info);
        const auto read = protocol::classifyFrame(pid, info.size());
        check(read && *read == kind, "a frame that reads as another kind than it was built as");
        if (kind == FrameKind::Message)
            check(info.size() <= protocol::kMaxMessageText, "a message text over 255 bytes");
        if (kind == FrameKind::StatusAnnounce) {
            // The own alias when the frame was made: a refused frame may go after it changed.
            const std::string alias(info.substr(1, info.size() - 3));
            check(aliases.count(alias) &&
                      info == protocol::statusFrame(alias, info.back() == protocol::MARK_ANSWER).info,
                  "a status frame that does not carry the own alias");
        }
        return true;
    }

    std::optional<link::UiFrameView> getUi(const std::string& /*mycall*/) override
    {
        if (incoming.empty())
            return std::nullopt;
        const Incoming f = std::move(incoming.front());
        incoming.pop_front();
        record_ = FlxUiFrame{};
        std::copy(f.source.begin(), f.source.end(), record_.source);
        record_.control = 0x03;
        record_.digi_count = static_cast<std::uint8_t>(f.digis.size());
        for (std::size_t i = 0; i < f.digis.size(); ++i)
            std::copy(f.digis[i].begin(), f.digis[i].end(), record_.digis[i]);
        record_.pid = static_cast<std::uint8_t>(f.pid);
        record_.channel = f.channel;
        // Exactly the field and its NUL on the heap, so that reading past it is caught.
        info_ = std::make_unique<std::uint8_t[]>(f.info.size() + 1);
        std::memcpy(info_.get(), f.info.data(), f.info.size());
        record_.info_length = static_cast<std::uint16_t>(f.info.size());
        record_.info = info_.get();
        return link::UiFrameView(&record_);
    }

    std::string ident(int /*channel*/) override { return {}; }
    std::string callToText(const std::uint8_t* address) override { return callText(address); }
    // As strpath: the digipeaters in received order, then the source.
    std::string pathToText(const link::UiFrameView& frame) override
    {
        std::string path;
        for (int i = 0; i < frame.record()->digi_count; ++i)
            path += callText(frame.record()->digis[i]) + " ";
        return (path + callText(frame.sourceAddress())).substr(0, FLX_PATH_TEXT);
    }

private:
    FlxUiFrame record_{};
    std::unique_ptr<std::uint8_t[]> info_;
};

// What the next save and load give back of the entry.
void checkStorable(const app::TUserEntry& e)
{
    const auto fields = e.textFields();
    const auto loaded = app::RosterStore::entryFromLine(app::encodeCommaText({fields.begin(), fields.end()}));
    check(loaded && loaded->call == e.call &&
              std::equal(fields.begin(), fields.begin() + 5, loaded->textFields().begin()),
          "an entry that the next save and load lose or change");
}

void checkRoster(app::Roster& roster, bool storable)
{
    check(roster.size() <= app::MAX_ENTRIES, "more than 31 roster entries");
    for (int row = 0; row < roster.size(); ++row) {
        app::TUserEntry& e = roster.at(row);
        check(e.alias.size() <= FLX_MAX_INFO - 3 && e.awayText.size() <= FLX_MAX_INFO,
              "an alias or away text longer than a frame carries");
        for (const std::string& text : e.txBuffer)
            check(text.size() >= 2 && text.size() <= protocol::kMaxMessageText,
                  "a queued text that is no message frame");
        if (storable) {
            checkStorable(e);
            check(roster.findEntry(e.call) == &e, "two entries for one call");
        }
    }
}

class Ui : public protocol::StationUi {
public:
    std::uint8_t answers = 0;  // the registration answers, bit by bit, over and over
    int asked = 0;
    void showStatus(std::string_view) override {}
    void updateIcon(protocol::TrayPicture) override {}
    bool askRegistration(std::string_view) override { return (answers >> (asked++ % 8)) & 1; }
    void popUp() override {}
    void showError(std::string_view) override {}
    void conversationChanged(const app::TUserEntry&) override {}
    void ownStateChanged(bool, bool) override {}
    void registered(const app::TUserEntry& entry) override { checkStorable(entry); }
};

app::TUserEntry* rowOf(app::Roster& roster, std::uint8_t b)
{
    return roster.empty() ? nullptr : &roster.at(b % roster.size());
}

// One step of the script. Receive passes come out of the budget `passes`.
void step(Script& s, protocol::Station& station, Driver& driver, int& passes)
{
    app::Roster& roster = station.roster;
    dialogs::Settings& settings = station.settings;
    switch (s.byte() % 9) {
    case 0: {  // a frame from the air
        Incoming f;
        f.source = addressOf(s, s.byte());
        const std::uint8_t pid = s.byte();
        f.pid = pid < 0xE0 ? protocol::PID_MESSAGE_BASE + pid % 13 : pid;
        const std::uint8_t route = s.byte();
        f.channel = route >> 4;
        for (int i = 0; i < (route & 15) % (FLX_MAX_DIGIS + 1); ++i)
            f.digis.push_back(addressOf(s, s.byte()));
        const std::uint8_t length = s.byte();
        f.info = s.bytes(length == 0xFF ? FLX_MAX_INFO : length);
        driver.incoming.push_back(std::move(f));
        break;
    }
    case 1:
        for (int n = s.byte() + 1; n > 0 && passes > 0; --n, --passes)
            link::receiveTick(station);
        break;
    case 2: protocol::goOnlineClick(station); break;
    case 3: protocol::toggleAway(station); break;
    case 4:
        if (auto* e = rowOf(roster, s.byte()))
            protocol::pollStation(station, *e);
        break;
    case 5: {
        const std::uint8_t b = s.byte();
        const std::string text = s.bytes(s.byte() * 2u);
        if (auto* e = rowOf(roster, b))
            protocol::queueMessage(station, *e, text, b & 0x80);
        break;
    }
    case 6:
        if (auto* e = rowOf(roster, s.byte()))
            protocol::deleteEntry(station, *e);
        break;
    case 7: {
        const std::uint8_t which = s.byte();
        switch (which % 6) {
        case 0: settings.setMyCall(s.bytes(s.byte() % 12)); break;
        case 1: settings.setAlias(s.bytes(s.byte() % 20)); break;
        case 2: settings.setAwayText(s.bytes(s.byte() + 8u)); break;
        case 3: settings.setInfoText(s.bytes(s.byte() + 8u)); break;
        case 4: settings.setOption(static_cast<dialogs::Option>(1 << (which >> 5)), which & 0x10); break;
        default: {
            dialogs::TEreignisObj event;
            event.setOptionsValue(s.byte());
            settings.setEvent(static_cast<dialogs::TEventKind>((which >> 3) % dialogs::kEventKindCount),
                              event);
        }
        }
        break;
    }
    default: driver.refuse = s.byte() % 8; break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Never loaded or saved: the settings only need a registry to exist.
    static platform::Registry registry(
        {"/nonexistent/zelvo-fuzz/HKCU.reg", "/nonexistent/zelvo-fuzz/HKLM.reg"});
    Script s(data, size);
    dialogs::Settings settings(registry);
    settings.setMyCall("DB0ZEL");
    settings.setAlias("Zelvo");
    app::Roster roster;
    Driver driver;
    Ui ui;
    protocol::Station station(roster, settings, driver, ui);
    driver.aliases.insert(protocol::announcedAlias(station));
    station.timeOfDay = [] { return std::string("12:34:56"); };
    station.versionText = "0.9.7.321";

    // Own state, switches, registration answers and the roster as the user left them.
    const std::uint8_t own = s.byte();
    const std::uint8_t options = s.byte();
    for (int bit = 0; bit < 8; ++bit)
        settings.setOption(static_cast<dialogs::Option>(1 << bit), (options >> bit) & 1);
    ui.answers = s.byte();
    for (int n = s.byte() % (app::MAX_ENTRIES + 1), i = 0; i < n; ++i) {
        const std::uint8_t call = s.byte();
        const std::uint8_t flags = s.byte();
        std::string path = callOf(call) + (ssidOf(call) ? "-" + std::to_string(ssidOf(call)) : "");
        if (flags & 0x20)
            path += " DB0" + std::string(1, static_cast<char>('A' + (flags >> 6)));
        if (roster.findEntry(callOf(call)) != nullptr)
            continue;  // the entry editor refuses a second entry for a call
        const auto state = static_cast<app::TStationState>((flags >> 2) & 7);
        auto& e = roster.addEntry("Op" + std::to_string(i), std::to_string(flags >> 6), path, flags & 1,
                                  flags & 2, state);
        e.unread = state == app::TStationState::OnlineUnread || state == app::TStationState::AwayUnread ||
                   state == app::TStationState::OfflineUnread;
    }
    station.setOnline(own & 1);
    station.setAway(own & 2);
    // Refused frames wait for the next passes, as in the windowed program, or are offered again
    // at once, as after a pause in the headless station.
    if (own & 4)
        station.pause = [](std::chrono::milliseconds) {};

    int passes = 1000;
    try {
        while (!s.done()) {
            step(s, station, driver, passes);
            driver.aliases.insert(protocol::announcedAlias(station));
            checkRoster(roster, false);
        }
        // Frames still queued reach the engine too, and frames still unsent the driver.
        while (!driver.incoming.empty())
            link::receiveTick(station);
        protocol::finishUnsent(station, [](std::chrono::milliseconds) {});
    } catch (const std::exception& e) {
        std::fprintf(stderr, "engine: exception %s\n", e.what());
        std::abort();
    }
    checkRoster(roster, true);
    return 0;
}
