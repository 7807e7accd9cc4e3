#include "protocol/station.h"

#include <charconv>
#include <ctime>

#include "app/activity_log.h"

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
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%H:%M:%S", &local);
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

}  // namespace zelvo::protocol
