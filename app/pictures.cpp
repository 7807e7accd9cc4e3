#include "app/pictures.h"

#include <QFile>

namespace zelvo::app {
namespace {

QIcon loadPicture(const QString& path)
{
    // QIcon would take a missing file for a picture that merely fails to draw.
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

}  // namespace

QIcon statePicture(TStationState state)
{
    return loadPicture(QStringLiteral(":/art/state/%1.svg").arg(static_cast<int>(state)));
}

QString trayPictureName(protocol::TrayPicture kind)
{
    using protocol::TrayPicture;
    switch (kind) {
    case TrayPicture::NewMail: return QStringLiteral("NEWMAIL");
    case TrayPicture::UserOff: return QStringLiteral("USEROFF");
    case TrayPicture::UserOn: return QStringLiteral("USERON");
    case TrayPicture::Polled: return QStringLiteral("POLLED");
    case TrayPicture::SelfOff: return QStringLiteral("SELFOFF");
    case TrayPicture::MainIcon: return QStringLiteral("MAINICON");
    case TrayPicture::UserAway: return QStringLiteral("USERAWAY");
    case TrayPicture::Recompute: break;
    }
    return {};
}

QIcon trayPicture(protocol::TrayPicture kind)
{
    const QString name = trayPictureName(kind);
    return name.isEmpty() ? QIcon() : loadPicture(QStringLiteral(":/art/tray/%1.svg").arg(name));
}

QIcon menuPicture(int number)
{
    if (number < 0 || number > 9)
        return {};
    return loadPicture(QStringLiteral(":/art/menu/%1.svg").arg(number));
}

}  // namespace zelvo::app
