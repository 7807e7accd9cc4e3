#include "link/receive_thread.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <exception>

#include "link/radio_driver.h"
#include "protocol/frame_format.h"
#include "protocol/messages.h"
#include "protocol/outgoing.h"
#include "protocol/presence.h"

namespace zelvo::link {

using protocol::FrameKind;

namespace {

void dispatch(protocol::Station& station, const UiFrameView& frame)
{
    const auto kind = protocol::classifyFrame(frame.pid(), frame.infoLength());
    if (!kind)
        return;
    switch (*kind) {
    case FrameKind::StatusAnnounce: protocol::onStatusAnnounce(station, frame); break;
    case FrameKind::OfflineAnnounce: protocol::onOfflineAnnounce(station, frame); break;
    case FrameKind::Message: protocol::onMessage(station, frame); break;
    case FrameKind::Ack: protocol::onAck(station, frame); break;
    case FrameKind::PollRequest: protocol::onPollRequest(station, frame); break;
    case FrameKind::PollAnswer: protocol::onPollAnswer(station, frame); break;
    case FrameKind::AwayAnnounce: protocol::onAwayAnnounce(station, frame); break;
    case FrameKind::BackAnnounce: protocol::onBackAnnounce(station, frame); break;
    }
}

void runCountdowns(protocol::Station& station)
{
    app::Roster& roster = station.roster;
    protocol::HeldFrames held(station);
    // The size is read anew at every step: a handler may have added or removed a row.
    for (int row = 0; row < roster.size(); ++row) {
        app::TUserEntry& entry = roster.at(row);
        if (entry.pollCount != "0")
            protocol::pollTimerTick(station, entry, held);
        // Tested after the poll countdown, which may just have declared the station offline.
        if (app::isReachable(entry))
            protocol::sendTimerTick(station, entry, held);
    }
}

}  // namespace

void receiveTick(protocol::Station& station)
{
    // Frames the driver refused are offered again before anything new goes out.
    protocol::offerUnsent(station);
    if (const auto frame = station.driver.getUi(station.settings.myCall()))
        dispatch(station, *frame);
    if (station.online())
        runCountdowns(station);
}

FlexThread::FlexThread(Work pass, Executor executor, std::chrono::milliseconds interval)
    : pass_(std::move(pass)), executor_(std::move(executor)), interval_(interval)
{
    if (!executor_)
        executor_ = [](const Work& work) { work(); };
}

FlexThread::~FlexThread()
{
    terminate();
    waitFor();
}

void FlexThread::resume()
{
    if (thread_.joinable())
        return;
    thread_ = std::thread([this] {
        // One step below normal, so the user interface is preferred when both are ready.
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), getpriority(PRIO_PROCESS, 0) + 1);
        execute();
    });
}

void FlexThread::terminate()
{
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
}

void FlexThread::waitFor()
{
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id())
        thread_.join();
}

unsigned long FlexThread::passes() const
{
    std::lock_guard lock(mutex_);
    return passes_;
}

void FlexThread::execute()
{
    do {
        try {
            executor_(pass_);
        } catch (const std::exception& error) {
            // One failing frame or countdown must not end the loop for the rest of the session.
            std::fprintf(stderr, "zelvo: receive pass failed: %s\n", error.what());
        } catch (...) {
            std::fprintf(stderr, "zelvo: receive pass failed\n");
        }
        std::lock_guard lock(mutex_);
        ++passes_;
    } while (pauseOrStop());
}

bool FlexThread::pauseOrStop()
{
    std::unique_lock lock(mutex_);
    wake_.wait_for(lock, interval_, [this] { return stop_; });
    return !stop_;
}

}  // namespace zelvo::link
