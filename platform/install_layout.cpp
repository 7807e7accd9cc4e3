#include "platform/install_layout.h"

#include <system_error>

// ZELVO_DRIVER_FROM_PROGRAM and ZELVO_DATA_FROM_PROGRAM come from the build (platform/CMakeLists.txt),
// relative to the programs' folder.

namespace zelvo::platform {

std::filesystem::path programDirectory()
{
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : exe.parent_path();
}

std::filesystem::path installedDriverFolder(const std::filesystem::path& programDir)
{
    return (programDir / ZELVO_DRIVER_FROM_PROGRAM).lexically_normal();
}

std::filesystem::path installedDataFolder(const std::filesystem::path& programDir)
{
    return (programDir / ZELVO_DATA_FROM_PROGRAM).lexically_normal();
}

std::vector<std::filesystem::path> privateLibraryFolders()
{
    const std::filesystem::path programDir = programDirectory();
    if (programDir.empty())
        return {};
    return {programDir, installedDriverFolder(programDir)};
}

bool isInstalled(const std::filesystem::path& programDir)
{
    std::error_code error;
    return !programDir.empty() && std::filesystem::is_directory(installedDataFolder(programDir), error);
}

}  // namespace zelvo::platform
