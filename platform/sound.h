// The stand-in for PlaySoundA(file, SND_FILENAME | SND_ASYNC | SND_NODEFAULT | SND_NOWAIT).
#pragma once

#include <memory>
#include <string_view>

namespace zelvo::platform {

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts playing a wave file and returns at once. The path is Windows-1252 bytes. A missing
    // or unplayable file plays nothing and reports nothing; one too large to hold plays nothing
    // and is reported (sound_player.h); a sound that is asked for while an earlier one still plays
    // is skipped. Safe to call from any thread.
    virtual void playFile(std::string_view ansiPath) = 0;
};

// The player of this machine (Qt Multimedia).
std::unique_ptr<SoundPlayer> makeSystemSoundPlayer();

}  // namespace zelvo::platform
