// A whole own station for engine tests: settings on a registry in a temporary directory, a
// roster, the scripted driver, a user interface and a sound player that record what they are
// asked to do, and a Station wired to them with a fixed clock and a pause that returns at once.
#pragma once

#include "tests/support/temp_dir.h"

#include <chrono>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/roster.h"
#include "dialogs/settings.h"
#include "link/receive_thread.h"
#include "platform/registry.h"
#include "platform/sound.h"
#include "protocol/station.h"
#include "tests/protocol/fake_driver.h"

namespace zelvo::testing {

// Records everything the engine does to the user. Registration questions are answered from a
// script, then with `defaultAnswer`. Not locked: threaded tests read it under the engine's lock.
class RecordingUi : public protocol::StationUi {
public:
    std::vector<std::string> statuses;
    std::vector<protocol::TrayPicture> icons;
    std::vector<std::string> questions;  // the calls asked about
    std::deque<bool> answers;
    bool defaultAnswer = false;
    std::function<void()> whileAsking;  // what the user does while the question is open
    int popups = 0;
    std::vector<std::string> errors;
    std::vector<const app::TUserEntry*> conversations;
    std::vector<std::pair<bool, bool>> ownStates;                // online, away
    std::vector<std::pair<std::string, std::string>> received;   // call, text
    std::vector<std::pair<std::string, std::string>> delivered;  // call, text
    std::vector<std::string> registeredCalls;
    std::vector<std::pair<dialogs::TEventKind, std::string>> notices;  // kind, text
    std::vector<std::pair<std::string, std::string>> failed;           // call, text

    void showStatus(const protocol::Status& s) override { statuses.push_back(protocol::statusText(s)); }
    void updateIcon(protocol::TrayPicture kind) override { icons.push_back(kind); }
    bool askRegistration(std::string_view call) override
    {
        questions.emplace_back(call);
        if (whileAsking)
            whileAsking();
        if (answers.empty())
            return defaultAnswer;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void popUp() override { ++popups; }
    void showError(const protocol::Status& s) override { errors.push_back(protocol::statusText(s)); }
    void conversationChanged(const app::TUserEntry& entry) override { conversations.push_back(&entry); }
    void ownStateChanged(bool online, bool away) override { ownStates.emplace_back(online, away); }
    void messageReceived(const app::TUserEntry& e, std::string_view t) override
    {
        received.emplace_back(e.call, t);
    }
    void messageDelivered(const app::TUserEntry& e, std::string_view t) override
    {
        delivered.emplace_back(e.call, t);
    }
    void registered(const app::TUserEntry& entry) override { registeredCalls.push_back(entry.call); }
    void eventReported(dialogs::TEventKind kind, const app::TUserEntry& entry, std::string_view text,
                       bool popup, bool notify) override
    {
        if (notify)
            notices.emplace_back(kind, text);
        StationUi::eventReported(kind, entry, text, popup, notify);
    }
    void deliveryFailed(const app::TUserEntry& e, std::string_view t) override
    {
        failed.emplace_back(e.call, t);
    }

    std::string lastStatus() const { return statuses.empty() ? std::string() : statuses.back(); }
};

// The files the engine asked to play.
class RecordingSound : public platform::SoundPlayer {
public:
    void playFile(std::string_view ansiPath) override
    {
        std::lock_guard lock(mutex_);
        played_.emplace_back(ansiPath);
    }
    std::vector<std::string> played() const
    {
        std::lock_guard lock(mutex_);
        return played_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> played_;
};

// The wave file the harness gives event `kind`, so a played file names its event.
inline std::string waveOf(dialogs::TEventKind kind)
{
    return "ev" + std::to_string(static_cast<int>(kind)) + ".wav";
}

inline constexpr std::string_view kTransmissionError = "\xDC"
                                                       "bertragungsfehler";

class StationHarness {
public:
    static constexpr const char* kMyCall = "DL1ZZZ-2";
    static constexpr const char* kAlias = "Nord";

    StationHarness()
        : registry_(std::make_unique<platform::Registry>(registryPaths())),
          settings(*registry_),
          station(roster, settings, driver, ui)
    {
        settings.setMyCall(kMyCall);
        settings.setAlias(kAlias);
        for (int kind = 0; kind < dialogs::kEventKindCount; ++kind) {
            const auto k = static_cast<dialogs::TEventKind>(kind);
            settings.updateEvent(k, [k](dialogs::TEreignisObj& event) {
                event.soundKind = dialogs::kSoundWave;
                event.wavePath = waveOf(k);
            });
        }
        station.sound = &sound;
        station.timeOfDay = [] { return std::string("12:34:56"); };
        station.pause = [this](std::chrono::milliseconds pause) { pauses.push_back(pause); };
    }

    // A roster entry as the entry editor makes it: the call is the path's first word.
    app::TUserEntry& add(std::string path, app::TStationState state = app::TStationState::Online,
                         std::string channel = "0", std::string alias = "")
    {
        if (alias.empty())
            alias = "Alias-" + app::baseCall(app::firstWord(path));
        return roster.addEntry(std::move(alias), std::move(channel), std::move(path), true, true, state);
    }

    // Puts the own station online or offline without announcing it.
    void setOnline(bool online) { station.setOnline(online); }

    void receive(std::string source, int pid, std::string info = {})
    {
        driver.deliver(std::move(source), pid, std::move(info));
    }
    // Delivers one frame and runs one pass for it.
    void handle(std::string source, int pid, std::string info = {})
    {
        receive(std::move(source), pid, std::move(info));
        pass();
    }
    void pass(int count = 1)
    {
        for (int i = 0; i < count; ++i)
            link::receiveTick(station);
    }

    platform::Registry& registry() { return *registry_; }
    // The files of the settings registry; a second Registry on them reads what the next start
    // of the program would read.
    platform::Registry::Paths registryPaths() const
    {
        return {dir_ / "HKEY_CURRENT_USER.reg", dir_ / "HKEY_LOCAL_MACHINE.reg"};
    }

private:
    TempDir dir_;
    std::unique_ptr<platform::Registry> registry_;

public:
    dialogs::Settings settings;
    app::Roster roster;
    FakeDriver driver;
    RecordingUi ui;
    RecordingSound sound;
    std::vector<std::chrono::milliseconds> pauses;
    protocol::Station station;
};

}  // namespace zelvo::testing
