// The words for a channel's TNC link: the warning the windows show (in their language) and the
// activity log's line (German, as every log line). Both name the channel by its number and name,
// its TNC by the address, and say what is wrong; the warning adds what to check.
#pragma once

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

#include "app/link_tracker.h"

namespace zelvo::app {

// "Kanal 0 „Direwolf“: TNC 127.0.0.1:8001 nicht erreichbar (Verbindung abgelehnt). Läuft
// Direwolf? KISSPORT?"
QString linkWarning(const LinkTracker::Channel& channel);
// One warning a line, in the order given.
QStringList linkWarnings(const std::vector<LinkTracker::Channel>& channels);
// Whether the two are worded alike: the same channel, TNC and state.
bool sameWarning(const LinkTracker::Channel& a, const LinkTracker::Channel& b);

// The text of the log line when the channel is counted down (lost) or up again: German,
// Windows-1252, without the hint.
std::string linkLogText(const LinkTracker::Channel& channel, bool lost);

}  // namespace zelvo::app
