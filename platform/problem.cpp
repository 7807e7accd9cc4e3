#include "platform/problem.h"

#include <QCoreApplication>
#include <QString>

namespace zelvo::platform {

std::string fillIn(std::string_view format, const std::vector<std::string>& arguments)
{
    std::string filled;
    for (std::size_t at = 0; at < format.size(); ++at) {
        const char next = at + 1 < format.size() ? format[at + 1] : '\0';
        const auto number = static_cast<std::size_t>(next - '1');
        if (format[at] == '%' && next >= '1' && next <= '9' && number < arguments.size()) {
            filled += arguments[number];
            ++at;
        } else {
            filled += format[at];
        }
    }
    return filled;
}

Problem composedProblem(const char* format, std::vector<std::string> arguments)
{
    return {utf8ToAnsi(fillIn(format, arguments)), format, std::move(arguments)};
}

QString shownText(const Problem& problem)
{
    if (problem.format.empty())
        return fromAnsi(problem.text);
    const QString translated = QCoreApplication::translate("Problem", problem.format.c_str());
    return QString::fromStdString(fillIn(translated.toStdString(), problem.arguments));
}

}  // namespace zelvo::platform
