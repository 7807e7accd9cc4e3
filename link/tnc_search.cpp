#include "link/tnc_search.h"

#include <cstdlib>
#include <future>

#include <glob.h>

namespace zelvo::link {

namespace {

ChannelEntry tcpPlace(ChannelKind kind, unsigned port)
{
    ChannelEntry entry;
    entry.kind = kind;
    entry.host = "127.0.0.1";
    entry.port = port;
    return entry;
}

std::vector<std::string> matching(const std::string& pattern)
{
    std::vector<std::string> files;
    glob_t found{};
    if (::glob(pattern.c_str(), 0, nullptr, &found) == 0)
        files.assign(found.gl_pathv, found.gl_pathv + found.gl_pathc);
    ::globfree(&found);
    return files;
}

}  // namespace

std::vector<ChannelEntry> usualTncPlaces(const std::vector<std::string>& deviceGlobs)
{
    std::vector<ChannelEntry> places = {tcpPlace(ChannelKind::KissTcp, 8001),
                                        tcpPlace(ChannelKind::KissTcp, 8100),
                                        tcpPlace(ChannelKind::AgwTcp, 8000)};
    for (const std::string& pattern : deviceGlobs) {
        for (std::string& device : matching(pattern)) {
            ChannelEntry entry;
            entry.kind = ChannelKind::KissSerial;
            entry.device = std::move(device);
            entry.baud = 9600;
            places.push_back(std::move(entry));
        }
    }
    return places;
}

std::vector<ChannelEntry> searchPlaces()
{
    const char* chosen = std::getenv("ZELVO_TNC_SEARCH");
    if (chosen == nullptr || *chosen == '\0')
        return usualTncPlaces();
    std::vector<ChannelEntry> places;
    std::string_view rest = chosen;
    while (!rest.empty()) {
        const auto end = rest.find(';');
        if (auto entry = entryOfAddress(rest.substr(0, end)))
            places.push_back(std::move(*entry));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }
    return places;
}

std::vector<TncAnswer> probeTncs(const std::vector<ChannelEntry>& places, const TncProber& prober,
                                 std::chrono::milliseconds timeout)
{
    std::vector<std::future<std::optional<FlxProbe>>> pending;
    for (const ChannelEntry& place : places) {
        pending.push_back(std::async(std::launch::async, [&prober, timeout, address = channelAddress(place)] {
            return prober ? prober(address, timeout) : std::nullopt;
        }));
    }
    std::vector<TncAnswer> answers;
    for (std::size_t i = 0; i < places.size(); ++i) {
        TncAnswer answer{places[i], pending[i].get()};
        if (answer.probe && isTcp(answer.entry.kind)) {
            if (answer.probe->kind == FLX_PROBE_AGW)
                answer.entry.kind = ChannelKind::AgwTcp;
            else if (answer.probe->kind == FLX_PROBE_KISS)
                answer.entry.kind = ChannelKind::KissTcp;
        }
        answers.push_back(std::move(answer));
    }
    return answers;
}

bool answered(const TncAnswer& answer)
{
    return answer.probe && (answer.probe->kind == FLX_PROBE_KISS || answer.probe->kind == FLX_PROBE_AGW);
}

}  // namespace zelvo::link
