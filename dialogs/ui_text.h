// The windows' one edge between the engine's Windows-1252 bytes and Qt's texts: every text from
// the air, the store or the engine passes here on its way to a widget, and back. Line breaks are
// CR LF in the bytes and '\n' in the widgets.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace zelvo::dialogs {

QString fromAnsi(std::string_view ansi);
// Characters without a Windows-1252 byte become '?'.
std::string toAnsi(const QString& text);

// CR LF, and a CR or LF alone, become '\n'.
QString fromAnsiLines(std::string_view ansi);
// '\n' becomes CR LF.
std::string toAnsiLines(const QString& text);

// Every character of `text` has a Windows-1252 byte.
bool fitsAnsi(const QString& text);

}  // namespace zelvo::dialogs
