// The audio back end. It is a module of its own, libzelvo_audio.so beside the program (or in the
// program's library folder), that the system sound player opens when the first sound plays: Qt
// Multimedia and the sound server's libraries are mapped only by a program that makes a sound.
#pragma once

#include "platform/sound_player.h"

#include <functional>
#include <string>

namespace zelvo::platform {

class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // On the application's thread: stops what still plays and starts `wave`. `ended` runs once,
    // on that thread, when the sound has ended or cannot play; never after destruction.
    virtual void play(WaveData wave, std::function<void()> ended) = 0;
};

// The file the audio module was opened from (opening it now if not yet); empty without one.
std::string audioModuleFile();

inline constexpr const char* kAudioModule = "libzelvo_audio.so";
// extern "C" AudioOutput* zelvo_make_audio_output(): a new output, owned by the caller.
inline constexpr const char* kMakeAudioOutput = "zelvo_make_audio_output";
using MakeAudioOutput = AudioOutput* (*)();

}  // namespace zelvo::platform
