// The search for TNCs: the usual places, probed at once, each answer with the kind that answered.
#include "link/tnc_search.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <mutex>
#include <tuple>

#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wait.h"

using zelvo::link::ChannelKind;
using zelvo::testing::TempDir;

namespace {

FlxProbe answer(int kind)
{
    FlxProbe probe{};
    probe.kind = kind;
    return probe;
}

TEST(TncSearchTest, ProbesTheUsualPlacesAtOnceAndNamesWhatAnswered)
{
    TempDir dir;
    dir.write("ttyUSB0", "");
    dir.write("ttyUSB1", "");
    const auto places = zelvo::link::usualTncPlaces({(dir / "ttyUSB*").string(), (dir / "none*").string()});
    std::vector<std::string> addresses;
    for (const auto& place : places)
        addresses.push_back(zelvo::link::channelAddress(place));
    const std::string usb = (dir / "ttyUSB").string();
    EXPECT_EQ(addresses, (std::vector<std::string>{"kiss-tcp 127.0.0.1:8001", "kiss-tcp 127.0.0.1:8100",
                                                   "agw-tcp 127.0.0.1:8000", "kiss-serial " + usb + "0 9600",
                                                   "kiss-serial " + usb + "1 9600"}));

    // An AGW server on the KISS port, a KISS TNC on the AGW port, something else, nothing.
    const std::map<std::string, int> kinds = {{"kiss-tcp 127.0.0.1:8001", FLX_PROBE_AGW},
                                              {"agw-tcp 127.0.0.1:8000", FLX_PROBE_KISS},
                                              {"kiss-serial " + usb + "0 9600", FLX_PROBE_KISS},
                                              {"kiss-tcp 127.0.0.1:8100", FLX_PROBE_OTHER}};
    // Every probe waits until all have begun: they run at the same time, or the search would hang.
    std::atomic<int> begun{0};
    std::mutex mutex;
    std::vector<std::string> asked;
    const zelvo::link::TncProber prober = [&](const std::string& address, std::chrono::milliseconds timeout) {
        ++begun;
        zelvo::testing::wait_until([&] { return begun == 5; }, timeout);
        const std::lock_guard lock(mutex);
        asked.push_back(address);
        const auto kind = kinds.find(address);
        return std::optional(answer(kind == kinds.end() ? FLX_PROBE_NOTHING : kind->second));
    };
    const auto answers = zelvo::link::probeTncs(places, prober, std::chrono::seconds(10));
    std::vector<std::tuple<ChannelKind, bool>> found;
    for (const auto& a : answers)
        found.emplace_back(a.entry.kind, zelvo::link::answered(a));
    EXPECT_EQ(found, (decltype(found){{ChannelKind::AgwTcp, true},
                                      {ChannelKind::KissTcp, false},
                                      {ChannelKind::KissTcp, true},
                                      {ChannelKind::KissSerial, true},
                                      {ChannelKind::KissSerial, false}}));
    EXPECT_EQ(asked.size(), 5u);

    // The places can be named instead; what the table's parser does not take is left out.
    {
        const zelvo::testing::ScopedEnv chosen(
            "ZELVO_TNC_SEARCH", "agw-tcp 10.0.0.2:8010/1;kiss-tcp nowhere;kiss-serial /dev/null 9600");
        std::vector<std::string> named;
        for (const auto& place : zelvo::link::searchPlaces())
            named.push_back(zelvo::link::channelAddress(place));
        EXPECT_EQ(named, (std::vector<std::string>{"agw-tcp 10.0.0.2:8010/1", "kiss-serial /dev/null 9600"}));
    }

    // A driver that cannot probe finds nothing.
    for (const auto& a : zelvo::link::probeTncs(places, {}))
        EXPECT_FALSE(zelvo::link::answered(a));
}

}  // namespace
