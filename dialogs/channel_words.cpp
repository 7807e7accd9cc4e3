#include "dialogs/channel_words.h"

#include <cstring>

#include <grp.h>
#include <sys/stat.h>

#include "dialogs/ui_text.h"

namespace zelvo::dialogs {

namespace {

// The group that may open a device, for the hint to join it.
QString groupOf(const std::string& device)
{
    struct stat info {};
    if (::stat(device.c_str(), &info) != 0)
        return {};
    const group* owner = ::getgrgid(info.st_gid);
    return owner != nullptr ? QString::fromLocal8Bit(owner->gr_name) : QString();
}

QString failure(const link::ChannelEntry& entry, int error)
{
    const QString where = ChannelWords::place(entry);
    if (!link::isTcp(entry.kind)) {
        if (error == ENOENT || error == ENODEV || error == ENXIO)
            return ChannelWords::tr("%1: Gerät nicht vorhanden").arg(where);
        if (error == EACCES || error == EPERM) {
            const QString group = groupOf(entry.device);
            return group.isEmpty() ? ChannelWords::tr("%1: keine Berechtigung").arg(where)
                                   : ChannelWords::tr("%1: keine Berechtigung (Gruppe %2)").arg(where, group);
        }
        if (error == EBUSY)
            return ChannelWords::tr("%1: Gerät belegt").arg(where);
        return ChannelWords::tr("%1: lässt sich nicht öffnen (%2)")
            .arg(where, QString::fromLocal8Bit(std::strerror(error)));
    }
    if (error == -1)
        return ChannelWords::tr("%1: Rechner unbekannt").arg(fromAnsi(entry.host));
    if (error == -2)
        return ChannelWords::tr("%1: Adresse falsch geschrieben").arg(where);
    return ChannelWords::tr("keine Antwort von %1").arg(where);
}

}  // namespace

QString ChannelWords::refusal(const link::ChannelRefusal& refusal)
{
    using link::ChannelFault;
    const QString detail = QString::fromStdString(refusal.detail);
    switch (refusal.fault) {
    case ChannelFault::NumberRange: return tr("Kanalnummer 0 bis 15");
    case ChannelFault::NumberUsed: return tr("Kanalnummer %1 ist schon vergeben").arg(detail);
    case ChannelFault::HostEmpty: return tr("Rechner fehlt");
    case ChannelFault::HostCharacter: return tr("Rechner mit unzulässigem Zeichen");
    case ChannelFault::PortRange: return tr("Port 1 bis 65535");
    case ChannelFault::RadioPortRange: return tr("Funkport 0 bis 15");
    case ChannelFault::AirRate: return tr("Luftrate 1 bis 10000000 Bit/s");
    case ChannelFault::Baud: return tr("Baudrate nicht unterstützt");
    case ChannelFault::DeviceEmpty: return tr("Gerät fehlt");
    case ChannelFault::DeviceMissing: return tr("Gerät nicht vorhanden");
    case ChannelFault::DeviceUsed: return tr("Gerät schon von Kanal %1 benutzt").arg(detail);
    case ChannelFault::NameEmpty: return tr("Name fehlt");
    case ChannelFault::NameCharacter: return tr("Name mit unzulässigem Zeichen (# oder Zeilenumbruch)");
    case ChannelFault::NameTooLong: return tr("Name länger als 64 Zeichen");
    case ChannelFault::Unreadable: return tr("Der Treiber liest diese Zeile nicht: %1").arg(detail);
    }
    return {};
}

QString ChannelWords::place(const link::ChannelEntry& entry)
{
    if (!link::isTcp(entry.kind))
        return fromAnsi(entry.device);
    const QString host = fromAnsi(entry.host);
    return (host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host) +
           QLatin1Char(':') + QString::number(entry.port);
}

QString ChannelWords::probe(const link::ChannelEntry& entry, const std::optional<FlxProbe>& probe)
{
    if (!probe)
        return tr("Der Treiber kann nicht prüfen, was antwortet");
    switch (probe->kind) {
    case FLX_PROBE_AGW: {
        const QString version = QStringLiteral("%1.%2").arg(probe->agw_major).arg(probe->agw_minor);
        return probe->radio_ports == 1
                   ? tr("AGW-Server %1 antwortet auf %2, ein Funkport").arg(version, place(entry))
                   : tr("AGW-Server %1 antwortet auf %2, %3 Funkports")
                         .arg(version, place(entry))
                         .arg(probe->radio_ports);
    }
    case FLX_PROBE_KISS:
        return link::isTcp(entry.kind) ? tr("KISS-TNC antwortet auf %1").arg(place(entry))
                                       : tr("%1 lässt sich öffnen (KISS-TNC?)").arg(place(entry));
    case FLX_PROBE_OTHER: return tr("%1 antwortet, aber weder mit KISS noch mit AGW").arg(place(entry));
    default: return failure(entry, probe->error);
    }
}

QString ChannelWords::linkState(const link::ChannelEntry& entry, const std::optional<FlxLinkState>& state)
{
    if (!state)
        return tr("?");
    switch (state->state) {
    case FLX_LINK_UP:
        return entry.kind == link::ChannelKind::AgwTcp
                   ? tr("antwortet (AGW %1.%2)").arg(state->agw_major).arg(state->agw_minor)
                   : tr("antwortet");
    case FLX_LINK_WRONG_PROTOCOL:
        return entry.kind == link::ChannelKind::AgwTcp ? tr("keine AGW-Gegenstelle")
                                                       : tr("keine KISS-Gegenstelle");
    default: return state->error == 0 ? tr("verbindet …") : tr("keine Antwort");
    }
}

QString ChannelWords::foundName(const link::ChannelEntry& entry, const FlxProbe& probe)
{
    const QString what = probe.kind == FLX_PROBE_AGW ? QStringLiteral("AGW") : QStringLiteral("KISS");
    return what + QLatin1Char(' ') + place(entry);
}

}  // namespace zelvo::dialogs
