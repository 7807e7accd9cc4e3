// One program per registry folder. The registry serialises each single change, but a program
// keeps its roster in memory and saves it whole, so a second program on the same HKCU file would
// write its rows over the first one's. A program therefore claims the folder at start with an
// exclusive flock on "<HKCU file>.inuse" and holds it until it ends; the kernel drops the lock
// with the process, so a crash leaves nothing to clean up. A claim that cannot be taken ends the
// start as a held one does: not knowing whether another program writes there is how rows get
// lost. Only where the file system has no locks at all does a program go on unclaimed; its roster
// saves then merge with what is on disk (roster_store.h).
//
// Registry objects take no such claim themselves: a program (or a test) may open one registry
// more than once. The claim belongs to whatever stands for the whole program (the Session).
#pragma once

#include <filesystem>
#include <string>

#include "platform/registry.h"

namespace zelvo::platform {

class RegistryClaim {
public:
    enum class Result {
        Claimed,
        InUse,    // another program holds the folder
        NoLocks,  // the file system has no locks: the folder is not claimed; failure() says why
        Failed,   // the lock file cannot be made or locked; failure() says why
    };

    RegistryClaim() = default;
    ~RegistryClaim();
    RegistryClaim(const RegistryClaim&) = delete;
    RegistryClaim& operator=(const RegistryClaim&) = delete;

    // Claims the folder of paths.currentUser (creating the folder when it is missing) until this
    // object ends or release() is called. Once claimed, taking it again changes nothing.
    Result take(const Registry::Paths& paths);
    void release();
    bool held() const { return fd_ >= 0; }
    // Why take() failed: the system's reason in UTF-8 (the caller names the folder).
    const std::string& failure() const { return failure_; }

    // The folder that a claim on these paths covers.
    static std::filesystem::path folderOf(const Registry::Paths& paths);

private:
    int fd_ = -1;
    std::string failure_;
};

}  // namespace zelvo::platform
