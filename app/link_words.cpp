#include "app/link_words.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>

#include "platform/ansi.h"

namespace zelvo::app {
namespace {

// Each text once, German: translated for the windows, as it is for the log.
class Words {
public:
    explicit Words(bool translated) : translated_(translated) {}
    QString operator()(const char* source) const
    {
        return translated_ ? QCoreApplication::translate("LinkWatch", source) : QString::fromUtf8(source);
    }

private:
    bool translated_;
};

QString label(const link::FlexApi::Channel& channel, const Words& say)
{
    if (channel.name.empty())
        return say(QT_TRANSLATE_NOOP("LinkWatch", "Kanal %1")).arg(channel.number);
    return say(QT_TRANSLATE_NOOP("LinkWatch", "Kanal %1 „%2“"))
        .arg(channel.number)
        .arg(QString::fromStdString(platform::ansiToUtf8(channel.name)));
}

// The connection without the air rate: that is not where the TNC is.
QString address(const link::FlexApi::Channel& channel)
{
    const QString text = QString::fromLocal8Bit(channel.address);
    return text.left(text.indexOf(QLatin1Char('@')));
}

QString reason(int error, const Words& say)
{
    switch (error) {
    case 0: return {};
    case -1: return say(QT_TRANSLATE_NOOP("LinkWatch", "Rechnername unbekannt"));
    case ECONNREFUSED: return say(QT_TRANSLATE_NOOP("LinkWatch", "Verbindung abgelehnt"));
    case ETIMEDOUT:
    case EHOSTUNREACH:
    case ENETUNREACH:
    case EHOSTDOWN: return say(QT_TRANSLATE_NOOP("LinkWatch", "keine Antwort"));
    case ENOENT:
    case ENODEV:
    case ENXIO: return say(QT_TRANSLATE_NOOP("LinkWatch", "Gerät nicht vorhanden"));
    case EACCES:
    case EPERM: return say(QT_TRANSLATE_NOOP("LinkWatch", "keine Berechtigung"));
    case EBUSY: return say(QT_TRANSLATE_NOOP("LinkWatch", "Gerät belegt"));
    default: return QString::fromLocal8Bit(std::strerror(error));
    }
}

// What is wrong, one sentence.
QString problem(const LinkTracker::Channel& watched, bool lost, const Words& say)
{
    const link::FlexApi::Channel& channel = watched.channel;
    const QString name = label(channel, say);
    if (!lost)
        return say(QT_TRANSLATE_NOOP("LinkWatch", "%1: TNC %2 antwortet wieder."))
            .arg(name, address(channel));
    if (watched.status.condition == LinkCondition::WrongProtocol) {
        const char* text = channel.kind == "agw-tcp"
                               ? QT_TRANSLATE_NOOP("LinkWatch", "%1: keine AGW-Gegenstelle auf %2.")
                           : channel.kind == "kiss-serial"
                               ? QT_TRANSLATE_NOOP("LinkWatch", "%1: keine KISS-Gegenstelle an %2.")
                               : QT_TRANSLATE_NOOP("LinkWatch", "%1: keine KISS-Gegenstelle auf %2.");
        return say(text).arg(name, address(channel));
    }
    const QString why = reason(watched.status.error, say);
    if (why.isEmpty())
        return say(QT_TRANSLATE_NOOP("LinkWatch", "%1: TNC %2 nicht erreichbar."))
            .arg(name, address(channel));
    return say(QT_TRANSLATE_NOOP("LinkWatch", "%1: TNC %2 nicht erreichbar (%3)."))
        .arg(name, address(channel), why);
}

// What to check, by the channel's kind.
QString hint(const LinkTracker::Channel& watched, const Words& say)
{
    const std::string& kind = watched.channel.kind;
    if (watched.status.condition == LinkCondition::WrongProtocol) {
        if (kind == "kiss-tcp")
            return say(QT_TRANSLATE_NOOP("LinkWatch", "Ist das ein AGW-Port? Dann agw-tcp eintragen."));
        if (kind == "agw-tcp")
            return say(QT_TRANSLATE_NOOP("LinkWatch", "Ist das ein KISS-Port? Dann kiss-tcp eintragen."));
        if (kind == "kiss-serial")
            return say(QT_TRANSLATE_NOOP("LinkWatch", "Ist der TNC im KISS-Modus?"));
        return {};
    }
    if (kind == "kiss-tcp")
        return say(QT_TRANSLATE_NOOP("LinkWatch", "Läuft Direwolf? KISSPORT?"));
    if (kind == "agw-tcp")
        return say(QT_TRANSLATE_NOOP("LinkWatch", "Läuft Direwolf oder das Soundmodem? AGWPORT?"));
    if (kind == "kiss-serial")
        return say(QT_TRANSLATE_NOOP("LinkWatch", "Gerät angeschlossen? Gruppe dialout?"));
    return {};
}

}  // namespace

QString linkWarning(const LinkTracker::Channel& channel)
{
    const Words say(true);
    const QString check = hint(channel, say);
    const QString what = problem(channel, true, say);
    return check.isEmpty() ? what : what + QLatin1Char(' ') + check;
}

QStringList linkWarnings(const std::vector<LinkTracker::Channel>& channels)
{
    QStringList lines;
    for (const LinkTracker::Channel& channel : channels)
        lines << linkWarning(channel);
    return lines;
}

bool sameWarning(const LinkTracker::Channel& a, const LinkTracker::Channel& b)
{
    return a.channel.number == b.channel.number && a.channel.kind == b.channel.kind &&
           a.channel.address == b.channel.address && a.channel.name == b.channel.name && a.status == b.status;
}

std::string linkLogText(const LinkTracker::Channel& channel, bool lost)
{
    return platform::utf8ToAnsi(problem(channel, lost, Words(false)).toStdString());
}

}  // namespace zelvo::app
