// The program's pictures by the engine's own kinds: one per station state (24 x 24), the tray
// pictures, and the numbered pictures of the menus (20 x 20), drawn in art/.
#pragma once

#include <QIcon>

#include "app/roster.h"
#include "protocol/station.h"

namespace zelvo::app {

QIcon statePicture(TStationState state);
// With `tncLost`, marked: a channel's TNC does not answer.
QIcon trayPicture(protocol::TrayPicture kind, bool tncLost = false);
// 0..10; null for any other number.
QIcon menuPicture(int number);

}  // namespace zelvo::app
