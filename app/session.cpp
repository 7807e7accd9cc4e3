#include "app/session.h"

#include <QtGlobal>

#include <algorithm>
#include <exception>
#include <iterator>
#include <thread>

#include "dialogs/version_info.h"
#include "platform/ansi.h"
#include "platform/user_folders.h"
#include "protocol/commands.h"
#include "protocol/outgoing.h"

namespace zelvo::app {

Session::Session(Options options)
    : options_(std::move(options)),
      registry_(options_.registryPaths),
      settings_(registry_),
      driver_(options_.libraryName),
      log_(options_.logFile, [this] { return settings_.option(dialogs::Option::LogFile); }),
      store_(registry_)
{
    if (options_.makeSound) {
        options_.sound = options_.makeSound([this](const platform::Problem& problem) {
            log_.logFile(problem.text, LogKind::Error);
            platform::reportOnStandardError(problem);
        });
    }
}

Session::~Session()
{
    shutdown();
}

Session::OpenResult Session::open()
{
    const std::string folder = platform::RegistryClaim::folderOf(registry_.paths()).string();
    switch (claim_.take(registry_.paths())) {
    case platform::RegistryClaim::Result::InUse: return OpenResult::RegistryInUse;
    case platform::RegistryClaim::Result::Failed:
        refusal_ = platform::composedProblem(
            QT_TRANSLATE_NOOP("Problem", "Der Registrierungsordner %1 kann nicht belegt werden: %2. Zelvo "
                                         "startet nicht, damit kein zweites Zelvo-Programm dieselbe "
                                         "Adressliste überschreibt. Prüfen Sie die Datei %3."),
            {folder, claim_.failure(), registry_.paths().currentUser.string() + ".inuse"});
        return OpenResult::RegistryUnclaimed;
    case platform::RegistryClaim::Result::NoLocks:
        problems_.push_back(platform::composedProblem(
            QT_TRANSLATE_NOOP("Problem", "Der Registrierungsordner %1 kann nicht belegt werden, denn sein "
                                         "Dateisystem kennt keine Sperren: %2. Zelvo startet trotzdem; "
                                         "die Adressliste wird beim Speichern mit der gespeicherten "
                                         "zusammengeführt."),
            {folder, claim_.failure()}));
        store_.setShared(true);
        break;
    case platform::RegistryClaim::Result::Claimed: break;
    }
    if (!driver_.loadFlexApi(registry_)) {
        claim_.release();
        return OpenResult::NoDriver;
    }
    driver_.axInit();
    opened_ = true;
    if (auto problem = log_.createFile())
        problems_.push_back(std::move(*problem));
    if (auto problem = settings_.load())
        problems_.push_back(std::move(*problem));
    makeFilesPrivate();
    return OpenResult::Opened;
}

// Files written by an earlier version, or under a lax umask, may be readable by every local
// user. The log beside the program (a development build) keeps its folder's mode.
void Session::makeFilesPrivate()
{
    std::vector<std::filesystem::path> folders = options_.privateFolders;
    folders.push_back(platform::RegistryClaim::folderOf(registry_.paths()));
    const std::filesystem::path logFolder = log_.file().parent_path();
    if (logFolder == platform::stateHome() / "zelvo")
        folders.push_back(logFolder);
    std::vector<std::filesystem::path> tightened;
    for (const auto& folder : folders)
        std::ranges::move(platform::tightenFolder(folder), std::back_inserter(tightened));
    if (logFolder != platform::stateHome() / "zelvo" && platform::tightenFile(log_.file()))
        tightened.push_back(log_.file());
    if (tightened.empty())
        return;
    std::string names;
    for (const auto& path : tightened)
        names += (names.empty() ? "" : ", ") + path.string();
    log_.logFile(platform::utf8ToAnsi("für andere lesbar, jetzt nur für den Besitzer: " + names),
                 LogKind::Private);
}

void Session::start(protocol::StationUi& ui, link::FlexThread::Executor executor)
{
    station_ = std::make_unique<protocol::Station>(roster_, settings_, driver_, ui);
    station_->log = &log_;
    station_->store = &store_;
    station_->sound = options_.sound.get();
    station_->pause = options_.sendPause;
    station_->versionText =
        dialogs::TVersionInfoResource(dialogs::TVersionInfoResource::ownProgramFile()).fileVersion().text();
    executor_ = executor ? std::move(executor) : [](const link::FlexThread::Work& work) { work(); };

    thread_ = std::make_unique<link::FlexThread>([this] { pass(); }, executor_, options_.passInterval);
    for (StoreProblem& problem : store_.loadList(roster_))
        problems_.push_back(std::move(problem));
    executor_([this] { station_->logLine({}, LogKind::Started); });
    thread_->resume();
    if (settings_.autoOnline())
        executor_([this] { protocol::goOnlineClick(*station_); });
}

void Session::quit()
{
    if (station_ != nullptr && !stopping_) {
        executor_([this] {
            if (station_->online())
                protocol::announceOffline(*station_);
            protocol::finishUnsent(
                *station_, [](std::chrono::milliseconds pause) { std::this_thread::sleep_for(pause); });
            station_->logLine({}, LogKind::Ended);
        });
    }
    shutdown();
}

void Session::shutdown()
{
    stopping_ = true;
    if (thread_ != nullptr) {
        thread_->terminate();
        if (options_.releasePasses)
            options_.releasePasses();
        thread_->waitFor();
    }
    if (opened_) {
        driver_.axExit();
        opened_ = false;
    }
    driver_.unloadFlexApi();
}

void Session::pass()
{
    // A pass queued before the stop may still be handed to the executor; it must not touch the
    // driver any more.
    if (stopping_)
        return;
    try {
        link::receiveTick(*station_);
        if (options_.afterPass)
            options_.afterPass();
    } catch (const std::exception& error) {
        reportPassFailure({protocol::StatusKind::ReceiveFault, platform::utf8ToAnsi(error.what())});
    } catch (...) {
        reportPassFailure({protocol::StatusKind::ReceiveFaultUnknown});
    }
}

void Session::reportPassFailure(const protocol::Status& failure)
{
    station_->logLine(protocol::statusText(failure), LogKind::Error);
    // Logged every time; shown once until a different failure comes, so that one fault that
    // repeats at every pass does not flood the user with boxes.
    if (failure != lastPassFailure_)
        station_->ui.showError(failure);
    lastPassFailure_ = failure;
}

}  // namespace zelvo::app
