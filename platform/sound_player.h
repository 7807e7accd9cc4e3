// The parts of the sound player that work without audio hardware: reading a wave file (its length
// and its samples), the rule "skip while another still plays", and reading off the caller's thread.
//
// The length is taken from the header, so the rule does not depend on the audio back end
// reporting the end of a sound, which it never does when there is no audio device.
//
// A sound is read whole into memory, so a file beyond kMaxWaveBytes of samples or kMaxWaveLength
// of playing time is refused unread: a multi-gigabyte file would otherwise take its size in memory
// at every event. A refusal is reported once a file, through the player's Report.
//
// Only regular files are read, and opening one never waits: a FIFO without a writer or a device
// would hold the open for as long as it likes. A file on a hung network mount still holds the
// thread that reads it, which is why the system player reads on a thread of its own.
#pragma once

#include "platform/problem.h"
#include "platform/sound.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace zelvo::platform {

inline constexpr std::uintmax_t kMaxWaveBytes = 16 * 1024 * 1024;
inline constexpr std::chrono::minutes kMaxWaveLength{10};

// Why a file gives no sound.
enum class WaveRefusal { None, Unplayable, TooLarge, TooLong };

// The playing time of a wave file the back end can decode (PCM or IEEE float, plain or in
// WAVE_FORMAT_EXTENSIBLE); nothing for a missing, unreadable, malformed or compressed file, and
// nothing for anything but a regular file.
std::optional<std::chrono::milliseconds> wavDuration(const std::filesystem::path& file);

// The samples of such a file as the audio output takes them: whole frames only, as much as the
// file really holds, 24-bit samples widened to 32 bits.
struct WaveData {
    enum class Sample { UInt8, Int16, Int32, Float };
    int sampleRate = 0;
    int channels = 0;
    Sample sample = Sample::Int16;
    std::string bytes;
    std::chrono::milliseconds length{};  // the playing time, rounded up
};
// Nothing, and `why` (when given) says why, for an unplayable file or one beyond the limits.
std::optional<WaveData> readWaveData(const std::filesystem::path& file, WaveRefusal* why = nullptr);

// What the player tells of a file it refuses (UTF-8 path): the problem, or nullopt for an
// unplayable file, which plays nothing and says nothing.
std::optional<Problem> refusalProblem(const std::filesystem::path& file, WaveRefusal why);

// Where a player reports a problem; called on the thread that reads the file. The default writes
// the problem's text to standard error.
using SoundReport = std::function<void(const Problem&)>;
void reportOnStandardError(const Problem& problem);

// Plays a file through a back end, at most one sound at a time: a sound asked for before the
// previous one's length has passed is skipped. Thread-safe.
class GatedSoundPlayer : public SoundPlayer {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    // Called with a playable file and its samples; must return at once.
    using Backend = std::function<void(const std::filesystem::path& file, WaveData wave)>;

    explicit GatedSoundPlayer(Backend backend, Clock clock = std::chrono::steady_clock::now,
                              SoundReport report = reportOnStandardError);

    // A file beyond the limits, or one whose read fails (std::exception: no memory), is reported
    // once until another file is refused or it plays again.
    void playFile(std::string_view ansiPath) override;
    // Ends the busy time early, for a back end that learns the sound will not play after all.
    void release();

private:
    void play(const std::filesystem::path& file);
    void refused(const std::filesystem::path& file, const std::optional<Problem>& problem);

    Backend backend_;
    Clock clock_;
    SoundReport report_;
    std::mutex mutex_;
    std::chrono::steady_clock::time_point busyUntil_{};
    std::filesystem::path lastRefused_;
};

// Hands each sound to a thread of its own, so that reading the file never holds the caller (a
// receive pass on the user-interface thread). A sound asked for while the previous one is still
// being read is skipped, like one asked for while another plays: a hung read holds one thread,
// not one per event. The threads are never joined, so the program ends even while one hangs. An
// exception out of the player on such a thread skips that sound and ends nothing else.
class OffThreadSoundPlayer : public SoundPlayer {
public:
    explicit OffThreadSoundPlayer(std::shared_ptr<SoundPlayer> player);
    void playFile(std::string_view ansiPath) override;

private:
    struct Shared {
        std::shared_ptr<SoundPlayer> player;
        std::atomic<bool> reading = false;
    };
    std::shared_ptr<Shared> shared_;
};

// The system player (sound.h) that reports its problems to `report`.
std::unique_ptr<SoundPlayer> makeSystemSoundPlayer(SoundReport report);

}  // namespace zelvo::platform
