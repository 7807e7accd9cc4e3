// The parts of the sound player that decide, without audio hardware, whether a sound is played:
// the length of a wave file from its header, and the rule "skip while another still plays".
//
// The length is taken from the header because the audio back end cannot be trusted to say when
// a sound has ended (without an audio device QSoundEffect reports "playing" forever).
#pragma once

#include "platform/sound.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>

namespace zelvo::platform {

// The playing time of a wave file the back end can decode (PCM or IEEE float, plain or in
// WAVE_FORMAT_EXTENSIBLE); nothing for a missing, unreadable, malformed or compressed file.
std::optional<std::chrono::milliseconds> wavDuration(const std::filesystem::path& file);

// Plays a file through a back end, at most one sound at a time: a sound asked for before the
// previous one's length has passed is skipped. Thread-safe.
class GatedSoundPlayer : public SoundPlayer {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    // Called with a playable file and its length; must return at once.
    using Backend = std::function<void(const std::filesystem::path& file, std::chrono::milliseconds length)>;

    explicit GatedSoundPlayer(Backend backend, Clock clock = std::chrono::steady_clock::now);

    void playFile(std::string_view ansiPath) override;
    // Ends the busy time early, for a back end that learns the sound will not play after all.
    void release();

private:
    Backend backend_;
    Clock clock_;
    std::mutex mutex_;
    std::chrono::steady_clock::time_point busyUntil_{};
};

}  // namespace zelvo::platform
