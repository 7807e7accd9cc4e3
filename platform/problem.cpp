#include "platform/problem.h"

#include <QCoreApplication>
#include <QString>

namespace zelvo::platform {

namespace {

// The arguments, and the reason's sentence after them as `sentenceOf` gives it.
template <class SentenceOf>
std::vector<std::string> filling(const Problem& problem, SentenceOf sentenceOf)
{
    std::vector<std::string> arguments = problem.arguments;
    for (const Problem& reason : problem.reason)
        arguments.push_back(sentenceOf(reason));
    return arguments;
}

}  // namespace

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

Problem composedProblem(const char* format, std::vector<std::string> arguments, Problem reason)
{
    Problem problem{{}, format, std::move(arguments), {std::move(reason)}};
    problem.text = utf8ToAnsi(germanSentence(problem));
    return problem;
}

std::string germanSentence(const Problem& problem)
{
    if (problem.format.empty())
        return ansiToUtf8(problem.text);
    return fillIn(problem.format, filling(problem, germanSentence));
}

QString shownText(const Problem& problem)
{
    if (problem.format.empty())
        return fromAnsi(problem.text);
    const QString translated = QCoreApplication::translate("Problem", problem.format.c_str());
    const auto shown = [](const Problem& reason) { return shownText(reason).toStdString(); };
    return QString::fromStdString(fillIn(translated.toStdString(), filling(problem, shown)));
}

}  // namespace zelvo::platform
