// The parts of the sound player that work without audio hardware: reading a wave file (its length
// and its samples) and the rule "skip while another still plays".
//
// The length is taken from the header, so the rule does not depend on the audio back end
// reporting the end of a sound, which it never does when there is no audio device.
#pragma once

#include "platform/sound.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

namespace zelvo::platform {

// The playing time of a wave file the back end can decode (PCM or IEEE float, plain or in
// WAVE_FORMAT_EXTENSIBLE); nothing for a missing, unreadable, malformed or compressed file.
std::optional<std::chrono::milliseconds> wavDuration(const std::filesystem::path& file);

// The samples of such a file as the audio output takes them: whole frames only, as much as the
// file really holds, 24-bit samples widened to 32 bits.
struct WaveData {
    enum class Sample { UInt8, Int16, Int32, Float };
    int sampleRate = 0;
    int channels = 0;
    Sample sample = Sample::Int16;
    std::string bytes;
};
std::optional<WaveData> readWaveData(const std::filesystem::path& file);

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
