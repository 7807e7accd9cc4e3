// Where the files of an installed Zelvo lie, seen from the folder of its programs (bin/): the
// driver in the programs' own library folder, the help file in their data folder. A program that
// is not installed (the build folder, a portable copy) has them beside itself.
#pragma once

#include <filesystem>
#include <vector>

namespace zelvo::platform {

// The folder of the running program; empty when /proc/self/exe cannot be read.
std::filesystem::path programDirectory();

// For programs in `programDir`, the folders that an install gives the driver library and the
// data files (/usr/bin: /usr/lib/zelvo and /usr/share/zelvo). Not checked for existence.
std::filesystem::path installedDriverFolder(const std::filesystem::path& programDir);
std::filesystem::path installedDataFolder(const std::filesystem::path& programDir);

// Where a program's private libraries (the driver, the audio module) are looked for after the
// dynamic linker's own search: the program's folder, then an install's library folder. Named
// explicitly, since a sanitizer runtime that intercepts dlopen becomes the "calling object" whose
// RPATH the bare-name search consults. Empty when the program's folder is unknown.
std::vector<std::filesystem::path> privateLibraryFolders();

// Whether the programs in `programDir` are an install, which the data folder tells: then files
// the program writes never go beside it, even where that folder is writable (root).
bool isInstalled(const std::filesystem::path& programDir);

}  // namespace zelvo::platform
