// What the channel windows say about a channel: why an entry is refused, what answered a probe,
// and the state of a channel's TNC link, in the windows' language.
#pragma once

#include <QCoreApplication>
#include <QString>

#include <optional>

#include "driver/flxapi_ext.h"
#include "link/channel_file.h"

namespace zelvo::dialogs {

class ChannelWords {
    Q_DECLARE_TR_FUNCTIONS(ChannelWords)
public:
    // "Port 1 bis 65535", "Gerät nicht vorhanden", ...
    static QString refusal(const link::ChannelRefusal& refusal);
    // "AGW-Server 1.6 antwortet, 2 Funkports", "keine Antwort von 127.0.0.1:8001",
    // "/dev/ttyUSB0: keine Berechtigung (Gruppe dialout)"; nothing probed: the driver cannot.
    static QString probe(const link::ChannelEntry& entry, const std::optional<FlxProbe>& probe);
    // "antwortet", "keine Antwort", "keine KISS-Gegenstelle"; nothing known: "?".
    static QString linkState(const link::ChannelEntry& entry, const std::optional<FlxLinkState>& state);
    // Where the TNC is reached, without the kind: "127.0.0.1:8001", "/dev/ttyUSB0".
    static QString place(const link::ChannelEntry& entry);
    // A name for a channel found by the search: "Direwolf KISS 127.0.0.1:8001".
    static QString foundName(const link::ChannelEntry& entry, const FlxProbe& probe);
};

}  // namespace zelvo::dialogs
