// The program's pictures, from the Qt resource tree: one per station state (24 x 24), the tray
// pictures by their resource names, and the numbered pictures of the menus (20 x 20). A picture
// whose file is not there is a null icon; nothing may rely on one being present.
#pragma once

#include <QIcon>
#include <QString>

#include "app/roster.h"
#include "protocol/station.h"

namespace zelvo::app {

QIcon statePicture(TStationState state);
// "NEWMAIL", "USEROFF", ...; empty for Recompute, which has no picture of its own.
QString trayPictureName(protocol::TrayPicture kind);
QIcon trayPicture(protocol::TrayPicture kind);
// 0..9; null for any other number.
QIcon menuPicture(int number);

}  // namespace zelvo::app
