#include "dialogs/ui_text.h"

#include "platform/ansi.h"

namespace zelvo::dialogs {

QString fromAnsi(std::string_view ansi)
{
    return platform::fromAnsi(ansi);
}

std::string toAnsi(const QString& text)
{
    return platform::toAnsi(text);
}

QString fromAnsiLines(std::string_view ansi)
{
    QString text = fromAnsi(ansi);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

std::string toAnsiLines(const QString& text)
{
    QString lines = text;
    lines.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return toAnsi(lines);
}

bool fitsAnsi(const QString& text)
{
    return fromAnsi(toAnsi(text)) == text;
}

}  // namespace zelvo::dialogs
