// The cost of one receive pass with a full roster: 31 stations that all have a text on the air,
// and a message frame to handle in every pass. Two drivers: one without a send queue, and one
// that paces a busy channel and still holds every station's last frame, so the countdowns ask
// after each of them in every pass. scripts/compare-pass runs the first against an older build.
#include <benchmark/benchmark.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "app/roster.h"
#include "bench/silent_ui.h"
#include "dialogs/settings.h"
#include "driver/flxapi.h"
#include "link/radio_driver.h"
#include "link/receive_thread.h"
#include "platform/registry.h"
#include "protocol/station.h"

namespace {

using namespace zelvo;

// Hands out the same prepared record every pass and accepts every frame: the driver's own cost
// is not what is measured.
class LoopbackDriver : public link::RadioDriver {
public:
    FlxUiFrame frame{};
    long sends = 0;

    bool sendUi(const std::string&, const std::string&, int, std::string_view) override
    {
        ++sends;
        return true;
    }
    std::optional<link::UiFrameView> getUi(const std::string&) override { return link::UiFrameView(&frame); }
    std::string ident(int) override { return {}; }
    std::string callToText(const std::uint8_t* address) override
    {
        std::string call;
        for (int i = 0; i < 6 && address[i] != (' ' << 1); ++i)
            call += static_cast<char>(address[i] >> 1);
        return call;
    }
    std::string pathToText(const link::UiFrameView&) override { return {}; }
};

// A busy channel: every frame the engine asks after still waits in the driver.
class PacedDriver : public LoopbackDriver {
public:
    bool holdsFrames() override { return true; }
    bool frameWaiting(const std::string&, const std::string&, int, std::string_view) override { return true; }
};

std::string callOf(int n)
{
    return "DB" + std::to_string(10 + n) + "X";
}

void setSource(FlxUiFrame& frame, const std::string& call)
{
    for (int i = 0; i < 6; ++i)
        frame.source[i] = static_cast<std::uint8_t>((i < static_cast<int>(call.size()) ? call[i] : ' ') << 1);
    frame.source[6] = 0x60;
}

// Every station back on the air with a fresh text, as if the user had just sent one.
void refill(app::Roster& roster)
{
    for (int row = 0; row < roster.size(); ++row) {
        app::TUserEntry& entry = roster.at(row);
        entry.state = app::TStationState::Online;
        entry.sendCount = "151";
        entry.rxBuffer.clear();
    }
}

template <typename Driver>
void receivePasses(benchmark::State& state)
{
    const auto dir = std::filesystem::temp_directory_path() / ("zelvo-bench-" + std::to_string(::getpid()));
    platform::Registry registry({dir / "HKEY_CURRENT_USER.reg", dir / "HKEY_LOCAL_MACHINE.reg"});
    dialogs::Settings settings(registry);
    settings.setMyCall("DL1ABC");
    settings.setAlias("Nord");

    app::Roster roster;
    for (int n = 0; n < app::MAX_ENTRIES; ++n) {
        app::TUserEntry& entry = roster.addEntry("Station " + std::to_string(n), "0", callOf(n) + " DB0DIG",
                                                 true, true, app::TStationState::Online);
        entry.txBuffer.push_back("Eine Nachricht, die noch auf ihre Best\xE4tigung wartet.");
    }
    refill(roster);

    Driver driver;
    static const char kText[] = "Guten Tag, hier ist eine kurze Nachricht.";
    driver.frame.info = reinterpret_cast<const std::uint8_t*>(kText);
    driver.frame.info_length = sizeof kText - 1;
    bench::SilentUi ui;
    protocol::Station station(roster, settings, driver, ui);
    station.setOnline(true);

    long passes = 0;
    for (auto _ : state) {
        // A new message from the next station each pass (alternating PIDs, so none is a repetition).
        driver.frame.pid = static_cast<std::uint8_t>(208 + (passes / app::MAX_ENTRIES) % 2);
        setSource(driver.frame, callOf(static_cast<int>(passes % app::MAX_ENTRIES)));
        link::receiveTick(station);
        if (++passes % 100 == 0) {
            state.PauseTiming();
            refill(roster);
            state.ResumeTiming();
        }
    }
    state.counters["frames_sent"] =
        benchmark::Counter(static_cast<double>(driver.sends), benchmark::Counter::kAvgIterations);
    std::filesystem::remove_all(dir);
}

void BM_ReceivePass(benchmark::State& state)
{
    receivePasses<LoopbackDriver>(state);
}

void BM_ReceivePassPaced(benchmark::State& state)
{
    receivePasses<PacedDriver>(state);
}

}  // namespace

BENCHMARK(BM_ReceivePass)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReceivePassPaced)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
