#include "app/ui_text.h"

#include "platform/ansi.h"

namespace zelvo::app {

QString fromAnsi(std::string_view ansi)
{
    return platform::fromAnsi(ansi);
}

std::string toAnsi(const QString& text)
{
    return platform::toAnsi(text);
}

}  // namespace zelvo::app
