// A problem the user has to be told of: one German sentence in Windows-1252 that names what is
// affected (a file, a stored value). The registry, the roster store, the settings and the activity
// log report their problems as this type; the user interface converts it at its edge like every
// other text of the program.
#pragma once

#include <string>

#include "platform/ansi.h"
#include "platform/registry.h"

namespace zelvo::platform {

struct Problem {
    std::string text;

    bool operator==(const Problem&) const = default;
};

// RegistryError::what() is UTF-8, since it names file paths.
inline Problem problemFrom(const RegistryError& error)
{
    return {utf8ToAnsi(error.what())};
}

}  // namespace zelvo::platform
