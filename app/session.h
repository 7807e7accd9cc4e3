// A running station from start to end: the registry, the settings, the driver binding, the
// activity log, the roster with its store, the protocol engine's Station, the sound player and
// the receive thread, brought up and taken down in one fixed order. The windowed program and
// zelvo-station both run on it; each hands it its user interface and the executor that runs a
// receive pass where the owner wants it (on its own thread, or under a lock shared with its
// commands).
//
// Start-up:  open()  the claim on the registry folder (one program per folder, see
//                    platform/reg_claim.h), the driver (nothing else happens when either fails),
//                    ax_init, the log file, the settings;
//            start() the thread (suspended), the roster, the start log line, the thread running,
//                    and going online when the settings ask for it.
// End:       quit()  the offline announcement when online, the end log line, then shutdown();
//            shutdown() the thread stopped and waited for, ax_exit, the driver released.
// Every end path goes through shutdown(), the destructor too, so the driver is never released
// while the receive thread may still call it.
#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/activity_log.h"
#include "app/roster.h"
#include "app/roster_store.h"
#include "dialogs/settings.h"
#include "dialogs/settings_news.h"
#include "link/flex_api.h"
#include "link/receive_thread.h"
#include "platform/problem.h"
#include "platform/reg_claim.h"
#include "platform/registry.h"
#include "platform/sound.h"
#include "platform/sound_player.h"
#include "platform/user_folders.h"
#include "protocol/station.h"
#include "protocol/status.h"

namespace zelvo::app {

class Session {
public:
    struct Options {
        platform::Registry::Paths registryPaths = platform::Registry::defaultPaths();
        std::filesystem::path logFile = ActivityLog::defaultPath();
        // Further folders of the user's own files (the message history's), made the user's alone
        // at open() as the registry's folder and the log are.
        std::vector<std::filesystem::path> privateFolders = {platform::dataHome() / "zelvo"};
        std::chrono::milliseconds passInterval = link::FlexThread::kPassInterval;
        std::string libraryName = link::FlexApi::kLibraryName;
        // Plays the event sounds; without one the station is silent.
        std::unique_ptr<platform::SoundPlayer> sound;
        // Or makes the player at construction, handing it the session's report of a sound file
        // it refuses (a line in the log and on standard error).
        std::function<std::unique_ptr<platform::SoundPlayer>(platform::SoundReport)> makeSound;
        // Runs after every pass, inside the pass's executor.
        std::function<void()> afterPass;
        // The engine's wait between offers of a refused frame (protocol::Station::pause). Without
        // one, the default, passes and commands never wait: refused frames are offered again by
        // the following passes, and at quit() to the end.
        protocol::Station::Pause sendPause;
        // Called by shutdown() between asking the thread to stop and waiting for it: an executor
        // that holds the thread while the owner's thread runs the pass lets it go here.
        std::function<void()> releasePasses;
    };

    explicit Session(Options options);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    enum class OpenResult {
        Opened,
        RegistryInUse,      // another program (zelvo or zelvo-station) uses registryFolder()
        RegistryUnclaimed,  // registryFolder() cannot be claimed; refusal() says why
        NoDriver,
    };
    // Claims the registry folder for this program, loads the driver and calls ax_init, makes sure
    // the log file exists, loads the settings and takes from the program's folders and files
    // what others could read (with a log line that says so). Unless Opened, nothing else was done (the
    // driver was not touched) and the program ends. Only a folder on a file system without locks
    // is not claimed and still opened, with a start problem that says so.
    OpenResult open();
    // Why open() gave RegistryUnclaimed.
    const platform::Problem& refusal() const { return refusal_; }
    // Creates the engine on `ui`, starts the receive thread with passes run by `executor`, loads
    // the roster, writes the start log line and goes online when AutoOnline is set. `ui` must
    // outlive the session. Observers that want the loaded rows attach to roster() before this.
    void start(protocol::StationUi& ui, link::FlexThread::Executor executor);
    // The quit command: the offline announcement when online, refused frames offered to the end
    // (waiting between offers: no pass follows to offer them) and the end log line, run through
    // the executor, then shutdown(). Call it from the owner's thread, never from inside a pass.
    void quit();
    // Stops the receive thread and waits for it, then ax_exit and the driver released. Passes
    // that start after this was asked for do nothing. Safe to call more than once.
    void shutdown();

    // What went wrong while opening and starting (registry claim, log file, settings, roster), in
    // that order, for the owner to show once its user interface is ready.
    const std::vector<platform::Problem>& startProblems() const { return problems_; }

    platform::Registry& registry() { return registry_; }
    std::filesystem::path registryFolder() const
    {
        return platform::RegistryClaim::folderOf(registry_.paths());
    }
    dialogs::Settings& settings() { return settings_; }
    // The settings' changes as a Qt signal, for the windows.
    dialogs::SettingsNews& settingsNews() { return settingsNews_; }
    Roster& roster() { return roster_; }
    RosterStore& store() { return store_; }
    ActivityLog& log() { return log_; }
    link::FlexApi& driver() { return driver_; }
    platform::SoundPlayer* sound() { return options_.sound.get(); }
    // Valid after start().
    protocol::Station& station() { return *station_; }
    bool started() const { return station_ != nullptr; }

private:
    void pass();
    void reportPassFailure(const protocol::Status& failure);
    void makeFilesPrivate();

    Options options_;
    // Released last, after every write of the session.
    platform::RegistryClaim claim_;
    platform::Registry registry_;
    dialogs::Settings settings_;
    dialogs::SettingsNews settingsNews_{settings_};
    link::FlexApi driver_;
    ActivityLog log_;
    Roster roster_;
    RosterStore store_;
    std::unique_ptr<protocol::Station> station_;
    link::FlexThread::Executor executor_;
    std::unique_ptr<link::FlexThread> thread_;
    std::vector<platform::Problem> problems_;
    platform::Problem refusal_;
    protocol::Status lastPassFailure_;
    std::atomic<bool> stopping_ = false;
    bool opened_ = false;
};

}  // namespace zelvo::app
