#include "protocol/station.h"

#include <algorithm>
#include <charconv>
#include <ctime>
#include <iterator>

#include "app/event_log.h"

namespace zelvo::protocol {

Station::Station(app::Roster& roster_, dialogs::Settings& settings_, link::RadioDriver& driver_,
                 StationUi& ui_)
    : roster(roster_), settings(settings_), driver(driver_), ui(ui_), timeOfDay(&localTimeOfDay)
{}

void Station::setOnline(bool online)
{
    online_ = online;
    ui.ownStateChanged(online_, away_);
}

void Station::setAway(bool away)
{
    away_ = away;
    ui.ownStateChanged(online_, away_);
}

void Station::playSound(dialogs::TEventKind kind)
{
    if (sound != nullptr)
        dialogs::playEventSound(settings, *sound, kind);
}

void Station::logLine(std::string_view text, app::LogKind kind)
{
    ui.logged(text, kind);
    if (log != nullptr)
        log->logFile(text, kind);
}

std::string localTimeOfDay()
{
    // Made once a second at most: every received message asks for it.
    thread_local std::time_t made = -1;
    thread_local std::string text;
    const std::time_t now = std::time(nullptr);
    if (now != made) {
        std::tm local{};
        localtime_r(&now, &local);
        char buffer[16];
        std::strftime(buffer, sizeof buffer, "%H:%M:%S", &local);
        text = buffer;
        made = now;
    }
    return text;
}

int fieldNumber(std::string_view text, int fallback)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return fallback;
    return value;
}

void setFieldNumber(std::string& field, int value)
{
    char digits[12];
    const char* end = std::to_chars(digits, std::end(digits), value).ptr;
    field.resize(static_cast<std::size_t>(end - digits));
    std::copy_n(digits, field.size(), field.begin());
}

}  // namespace zelvo::protocol
