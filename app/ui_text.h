// The windows' one edge between the engine's Windows-1252 bytes and Qt's Unicode texts: every
// text from the air, the store or the engine passes here on its way to a widget, and back.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace zelvo::app {

QString fromAnsi(std::string_view ansi);
// Characters without a Windows-1252 byte become '?'.
std::string toAnsi(const QString& text);

}  // namespace zelvo::app
