// The program's pictures, compiled into the program: the tray pictures, one picture per station
// state for the roster, the menu pictures, and the splash screen's JPEG. The icons are drawn as
// SVG and rendered to PNG at the sizes the desktop uses; they need a QGuiApplication.
#pragma once

#include <QByteArray>
#include <QIcon>

#include <string_view>

namespace zelvo::art {

// By the tray picture kind: 1 NEWMAIL, 2 USEROFF, 3 USERON, 4 POLLED, 5 SELFOFF, 6 MAINICON (also
// the program's icon), 8 USERAWAY. Any other kind gives a null icon. With `tncLost`, a red badge
// in the lower right corner says that a channel's TNC does not answer.
QIcon trayPicture(int kind, bool tncLost = false);
// By the station state 0..7, Online to OfflineUnread; a null icon outside.
QIcon statePicture(int state);
// 0 read message, 1 write message, 2 create entry, 3 edit entry, 4 delete entry, 5 poll station,
// 6 settings, 7 go offline, 8 go online, 9 quit, 10 the channel monitor; a null icon outside.
QIcon menuPicture(int number);

// The splash screen's picture, 312 x 134, as JPEG bytes, its tagline in `language` ("de", "en",
// "fr"); the German picture for a language that has none.
QByteArray splashJpeg(std::string_view language = "de");

}  // namespace zelvo::art
