// The engine's status and error texts as the windows show them. The engine (protocol/) speaks
// German in Windows-1252 and knows no Qt; here each text it is known to show, and each one it
// composes with a station's alias ("Poll von <alias>"), becomes the user's language. A text the
// table does not know is shown as it is. The air, the log and the headless station keep German.
#pragma once

#include <QString>

#include <string_view>

namespace zelvo::app {

QString engineText(std::string_view ansi);

}  // namespace zelvo::app
