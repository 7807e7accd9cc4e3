// zelvo --check: whether the program finds what it needs at run time, wherever it was built or
// installed: the driver library with its channel table and TNCs, the help file with chmlib, the
// audio module, and its compiled-in pictures (which need Qt's SVG plugins and libjpeg). One line
// each, and one line per channel.
#pragma once

#include <chrono>
#include <cstdio>

namespace zelvo::link {
class FlexApi;
}

namespace zelvo::app {

// How long the check gives the driver to reach the TNCs.
inline constexpr std::chrono::milliseconds kTncWait{2000};
// How long a TCP address is given to answer the probe; a KISS TNC shows by not answering.
inline constexpr std::chrono::milliseconds kProbeWait{1000};

// Writes the lines to `out`; true when everything is usable and at least one TNC answers. Needs a
// QGuiApplication: the pictures are rendered. The driver is started and left again.
bool checkInstallation(std::FILE* out);

// The channel table the started driver read (or its built-in channel), then per channel its
// number, kind, address and name and whether its TNC answers as that kind (app/channel_verdict.h),
// waiting up to `wait` for all to connect. True when one answers; also when the driver cannot
// describe its channels (it says so: nothing is known then).
bool checkChannels(link::FlexApi& driver, std::FILE* out, std::chrono::milliseconds wait = kTncWait);

}  // namespace zelvo::app
