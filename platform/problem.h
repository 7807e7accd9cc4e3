// A problem the user has to be told of: one German sentence in Windows-1252 that names what is
// affected (a file, a stored value). The registry, the roster store, the settings and the activity
// log report their problems as this type; the user interface converts it at its edge like every
// other text of the program.
//
// A problem made by composedProblem() (and every RegistryError's) also keeps its sentence as a
// format with %1, %2, ... and the names that fill it, so that a window can show it in the user's
// language; the log and the headless station keep using `text`.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/ansi.h"
#include "platform/registry.h"

class QString;

namespace zelvo::platform {

struct Problem {
    std::string text;
    // UTF-8: the German source sentence (empty when there is none) and what fills its %1, %2, ...
    std::string format{};
    std::vector<std::string> arguments{};
    // None or one: the problem that fills the %n right after `arguments` ("... nicht geladen: %1"
    // with the registry's own sentence), translated along with the sentence around it.
    std::vector<Problem> reason{};

    // Two problems are the same when they say the same.
    bool operator==(const Problem& other) const { return text == other.text; }
};

// `format` (UTF-8) with %1..%9 replaced by `arguments`, in one pass: an argument that holds "%2"
// stays as it is.
std::string fillIn(std::string_view format, const std::vector<std::string>& arguments);

// The problem whose sentence is `format` (UTF-8, a source text the windows translate in the
// context "Problem") filled with `arguments` (UTF-8), and with `reason`'s sentence after them.
Problem composedProblem(const char* format, std::vector<std::string> arguments = {});
Problem composedProblem(const char* format, std::vector<std::string> arguments, Problem reason);

// The German sentence in UTF-8: the format filled in, else the text.
std::string germanSentence(const Problem& problem);

// The problem as a window shows it: its format translated and filled in, else its text.
QString shownText(const Problem& problem);

inline Problem problemFrom(const RegistryError& error)
{
    return error.problem();
}

}  // namespace zelvo::platform
