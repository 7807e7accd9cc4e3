#include "art/pictures.h"

#include <QFile>

#include <array>

// Q_INIT_RESOURCE must not stand inside a namespace. The resources live in a static library, so
// nothing registers them unless some code refers to them.
static void initArtResources()
{
    Q_INIT_RESOURCE(art);
}

namespace zelvo::art {

namespace {

// By kind 1..8; kind 7 picks one of the others and has no picture of its own.
constexpr std::array kTray = {"newmail", "useroff",  "useron", "polled",
                              "selfoff", "mainicon", "",       "useraway"};
constexpr std::array kState = {"online", "online-unread", "has-polled", "sending",
                               "away",   "away-unread",   "offline",    "offline-unread"};
constexpr std::array kMenu = {"0-read", "1-write",    "2-create",     "3-edit",      "4-delete",
                              "5-poll", "6-settings", "7-go-offline", "8-go-online", "9-quit"};

QString resourcePath(const char* folder, const char* name)
{
    static const bool registered = (initArtResources(), true);
    (void)registered;
    return QStringLiteral(":/zelvo/art/%1/%2").arg(QLatin1String(folder), QLatin1String(name));
}

template <std::size_t N>
QIcon icon(const char* folder, const std::array<const char*, N>& names, int index)
{
    if (index < 0 || index >= int(N) || !*names[index])
        return {};
    return QIcon(resourcePath(folder, names[index]) + QLatin1String(".svg"));
}

}  // namespace

QIcon trayPicture(int kind)
{
    return icon("tray", kTray, kind - 1);
}

QIcon statePicture(int state)
{
    return icon("state", kState, state);
}

QIcon menuPicture(int number)
{
    return icon("menu", kMenu, number);
}

QByteArray splashJpeg()
{
    QFile file(resourcePath("splash", "splash.jpg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace zelvo::art
