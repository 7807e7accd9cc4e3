// zelvo --check: whether the program finds what it needs at run time, wherever it was built or
// installed: the driver library, the help file with chmlib, and its compiled-in pictures (which
// need Qt's SVG plugins and libjpeg). One line each.
#pragma once

#include <cstdio>

namespace zelvo::app {

// Writes the three lines to `out`; true when all three are usable. Needs a QGuiApplication: the
// pictures are rendered. The driver is loaded and released again without being started.
bool checkInstallation(std::FILE* out);

}  // namespace zelvo::app
