#include "platform/sound_player.h"

#include "platform/ansi.h"

#include "platform/audio_output.h"
#include "platform/install_layout.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>
#include <QThread>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace zelvo::platform {

namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
constexpr int kMaxChunks = 64;  // a wave file has a handful; stop early on garbage

std::uint32_t le32(const char* p)
{
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
           std::uint32_t(b[3]) << 24;
}

std::uint16_t le16(const char* p)
{
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return static_cast<std::uint16_t>(b[0] | b[1] << 8);
}

// A wave file open for reading: a regular file only, opened without waiting (O_NONBLOCK makes no
// difference to a regular file once it is open).
class WaveFile {
public:
    explicit WaveFile(const std::filesystem::path& file)
        : fd_(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC))
    {
        struct stat info {};
        if (fd_ >= 0 && ::fstat(fd_, &info) == 0 && S_ISREG(info.st_mode))
            size_ = static_cast<std::uintmax_t>(info.st_size);
        else
            close();
    }
    ~WaveFile() { close(); }
    WaveFile(const WaveFile&) = delete;
    WaveFile& operator=(const WaveFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    std::uintmax_t size() const { return size_; }

    // Exactly `length` bytes from `offset`; false when the file holds fewer.
    bool read(std::uintmax_t offset, char* into, std::size_t length) const
    {
        while (length > 0) {
            const ssize_t got = ::pread(fd_, into, length, static_cast<off_t>(offset));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                return false;
            into += got, offset += static_cast<std::size_t>(got), length -= static_cast<std::size_t>(got);
        }
        return true;
    }

private:
    void close()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

    int fd_;
    std::uintmax_t size_ = 0;
};

struct WaveFormat {
    std::uint16_t tag = 0;
    std::uint16_t channels = 0;
    std::uint32_t sampleRate = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bits = 0;
};

std::optional<WaveFormat> readFormat(const WaveFile& in, std::uintmax_t at, std::uint32_t size)
{
    if (size < 16 || size > 1024)
        return std::nullopt;
    std::array<char, 1024> buf{};
    if (!in.read(at, buf.data(), size))
        return std::nullopt;
    WaveFormat f{le16(&buf[0]), le16(&buf[2]), le32(&buf[4]), le16(&buf[12]), le16(&buf[14])};
    if (f.tag == kFormatExtensible && size >= 40)
        f.tag = le16(&buf[24]);  // first two bytes of the sub-format GUID
    const bool supported =
        (f.tag == kFormatPcm && (f.bits == 8 || f.bits == 16 || f.bits == 24 || f.bits == 32)) ||
        (f.tag == kFormatFloat && f.bits == 32);
    if (!supported || f.channels == 0 || f.sampleRate == 0 || f.blockAlign != f.channels * (f.bits / 8))
        return std::nullopt;
    return f;
}

// Where the samples of a playable wave file are: its format, and the whole frames of the data
// chunk that the file really holds.
struct WaveLayout {
    WaveFormat format;
    std::uintmax_t dataStart = 0;
    std::uintmax_t frames = 0;
};

std::optional<WaveLayout> readLayout(const WaveFile& in)
{
    char header[12];
    if (!in.isOpen() || !in.read(0, header, sizeof header))
        return std::nullopt;
    if (std::string_view(header, 4) != "RIFF" || std::string_view(header + 8, 4) != "WAVE")
        return std::nullopt;
    const std::uintmax_t fileSize = in.size();

    std::optional<WaveFormat> format;
    std::uintmax_t at = sizeof header;
    for (int i = 0; i < kMaxChunks; ++i) {
        char chunk[8];
        if (!in.read(at, chunk, sizeof chunk))
            return std::nullopt;
        const std::string_view id(chunk, 4);
        const std::uint32_t size = le32(chunk + 4);
        const std::uintmax_t start = at + sizeof chunk;
        if (id == "fmt ") {
            format = readFormat(in, start, size);
            if (!format)
                return std::nullopt;
        } else if (id == "data") {
            if (!format)
                return std::nullopt;
            // A header written by a recorder that never finished may claim more than the file holds.
            const std::uintmax_t bytes = std::min<std::uintmax_t>(size, fileSize - std::min(start, fileSize));
            const std::uintmax_t frames = bytes / format->blockAlign;
            if (frames == 0)
                return std::nullopt;
            return WaveLayout{*format, start, frames};
        }
        at = start + size + (size & 1);
    }
    return std::nullopt;
}

std::chrono::milliseconds lengthOf(const WaveLayout& wave)
{
    const std::uint32_t rate = wave.format.sampleRate;
    return std::chrono::milliseconds((wave.frames * 1000 + rate - 1) / rate);
}

// The audio output takes no 24-bit samples: each becomes the top three bytes of a 32-bit one.
std::string widen24(std::string_view packed)
{
    std::string out(packed.size() / 3 * 4, '\0');
    for (std::size_t in = 0, o = 0; in + 3 <= packed.size(); in += 3, o += 4)
        packed.copy(&out[o + 1], 3, in);
    return out;
}

// The audio module, opened once: by the program's library path, beside the program, or in an
// install's library folder. Never closed, since Qt Multimedia keeps threads and callbacks until
// the very end of the process.
MakeAudioOutput audioModule()
{
    static const MakeAudioOutput make = [] {
        void* handle = ::dlopen(kAudioModule, RTLD_NOW | RTLD_LOCAL);
        for (const auto& folder : privateLibraryFolders()) {
            if (!handle)
                handle = ::dlopen((folder / kAudioModule).c_str(), RTLD_NOW | RTLD_LOCAL);
        }
        return handle ? reinterpret_cast<MakeAudioOutput>(::dlsym(handle, kMakeAudioOutput)) : nullptr;
    }();
    return make;
}

}  // namespace

std::string audioModuleFile()
{
    Dl_info info{};
    const MakeAudioOutput make = audioModule();
    return make && ::dladdr(reinterpret_cast<void*>(make), &info) && info.dli_fname ? info.dli_fname : "";
}

namespace {

// Plays one sound at a time on the application's thread through the audio module, opened at the
// first sound. Without the module (or without an audio device) nothing plays.
class SoundOutput : public QObject {
public:
    explicit SoundOutput(std::weak_ptr<GatedSoundPlayer> gate) : gate_(std::move(gate)) {}

    void play(WaveData wave)
    {
        if (!output_) {
            if (const MakeAudioOutput make = audioModule())
                output_.reset(make());
        }
        if (!output_)
            return release();
        output_->play(std::move(wave), [this] { release(); });
    }

private:
    // The sound has ended or cannot play: the next one may start at once.
    void release()
    {
        if (auto gate = gate_.lock())
            gate->release();
    }

    std::weak_ptr<GatedSoundPlayer> gate_;
    std::unique_ptr<AudioOutput> output_;
};

// Where the reading thread hands a sound over: the output on the application's thread, made
// there at the first sound, for as long as the player lives.
struct OutputLink : std::enable_shared_from_this<OutputLink> {
    std::mutex mutex;
    bool closed = false;
    SoundOutput* output = nullptr;
    std::weak_ptr<GatedSoundPlayer> gate;

    // On the reading thread.
    void deliver(WaveData wave)
    {
        std::lock_guard guard(mutex);
        QCoreApplication* app = QCoreApplication::instance();
        if (closed || !app) {
            if (auto open = gate.lock())
                open->release();
            return;
        }
        QMetaObject::invokeMethod(
            app,
            [self = shared_from_this(), wave = std::move(wave)]() mutable { self->play(std::move(wave)); },
            Qt::QueuedConnection);
    }

    // On the application's thread.
    void play(WaveData wave)
    {
        SoundOutput* to = nullptr;
        {
            std::lock_guard guard(mutex);
            if (closed)
                return;
            if (!output)
                output = new SoundOutput(gate);
            to = output;
        }
        to->play(std::move(wave));
    }
};

// The system player: each file is read on a thread of its own and played on the application's
// thread.
class SystemSoundPlayer final : public SoundPlayer {
public:
    explicit SystemSoundPlayer(SoundReport report);
    ~SystemSoundPlayer() override;
    void playFile(std::string_view ansiPath) override;

private:
    std::shared_ptr<OutputLink> link_ = std::make_shared<OutputLink>();
    std::shared_ptr<GatedSoundPlayer> gate_;
    OffThreadSoundPlayer reader_;
};

SystemSoundPlayer::SystemSoundPlayer(SoundReport report)
    : gate_(std::make_shared<GatedSoundPlayer>(
          [link = link_](const std::filesystem::path&, WaveData wave) { link->deliver(std::move(wave)); },
          std::chrono::steady_clock::now, std::move(report))),
      reader_(gate_)
{
    link_->gate = gate_;
}

SystemSoundPlayer::~SystemSoundPlayer()
{
    SoundOutput* output = nullptr;
    {
        std::lock_guard guard(link_->mutex);
        link_->closed = true;
        output = std::exchange(link_->output, nullptr);
    }
    if (!output)
        return;
    if (output->thread() == QThread::currentThread())
        delete output;
    else
        output->deleteLater();
}

void SystemSoundPlayer::playFile(std::string_view ansiPath)
{
    // Without an application there is no thread to play on; the call still returns at once.
    if (!QCoreApplication::instance())
        return;
    reader_.playFile(ansiPath);
}

}  // namespace

std::optional<std::chrono::milliseconds> wavDuration(const std::filesystem::path& file)
{
    const auto wave = readLayout(WaveFile(file));
    if (!wave)
        return std::nullopt;
    return lengthOf(*wave);
}

std::optional<WaveData> readWaveData(const std::filesystem::path& file, WaveRefusal* why)
{
    WaveRefusal ignored;
    WaveRefusal& refusal = why ? *why : ignored;
    refusal = WaveRefusal::Unplayable;
    const WaveFile in(file);
    const auto wave = readLayout(in);
    if (!wave)
        return std::nullopt;
    const WaveFormat& f = wave->format;
    // The bytes are checked before the time: a frame count beyond any real file could overflow it.
    if (wave->frames > kMaxWaveBytes / f.blockAlign) {
        refusal = WaveRefusal::TooLarge;
        return std::nullopt;
    }
    if (lengthOf(*wave) > kMaxWaveLength) {
        refusal = WaveRefusal::TooLong;
        return std::nullopt;
    }
    std::string bytes(wave->frames * f.blockAlign, '\0');
    if (!in.read(wave->dataStart, bytes.data(), bytes.size()))
        return std::nullopt;

    WaveData data{static_cast<int>(f.sampleRate), f.channels, WaveData::Sample::Float, {}, lengthOf(*wave)};
    if (f.tag == kFormatPcm) {
        data.sample = f.bits == 8    ? WaveData::Sample::UInt8
                      : f.bits == 16 ? WaveData::Sample::Int16
                                     : WaveData::Sample::Int32;
    }
    data.bytes = f.bits == 24 ? widen24(bytes) : std::move(bytes);
    refusal = WaveRefusal::None;
    return data;
}

std::optional<Problem> refusalProblem(const std::filesystem::path& file, WaveRefusal why)
{
    switch (why) {
    case WaveRefusal::None:
    case WaveRefusal::Unplayable: break;
    case WaveRefusal::TooLarge:
        return composedProblem(
            QT_TRANSLATE_NOOP("Problem",
                              "Die Wave-Datei %1 wird nicht gespielt: Sie hält mehr als 16 MiB Klangdaten."),
            {file.string()});
    case WaveRefusal::TooLong:
        return composedProblem(
            QT_TRANSLATE_NOOP("Problem",
                              "Die Wave-Datei %1 wird nicht gespielt: Sie dauert länger als 10 Minuten."),
            {file.string()});
    }
    return std::nullopt;
}

void reportOnStandardError(const Problem& problem)
{
    std::fprintf(stderr, "zelvo: %s\n", germanSentence(problem).c_str());
}

GatedSoundPlayer::GatedSoundPlayer(Backend backend, Clock clock, SoundReport report)
    : backend_(std::move(backend)), clock_(std::move(clock)), report_(std::move(report))
{}

void GatedSoundPlayer::playFile(std::string_view ansiPath)
{
    const auto busy = [this] {
        std::lock_guard guard(mutex_);
        return clock_() < busyUntil_;
    };
    // A sound that would be skipped is not read at all.
    if (busy())
        return;
    const std::filesystem::path file = ansiToUtf8(ansiPath);
    try {
        play(file);
    } catch (const std::exception& error) {
        // Most likely std::bad_alloc: a memory limit lower than a sound within the limits.
        refused(file,
                composedProblem(QT_TRANSLATE_NOOP("Problem", "Die Wave-Datei %1 wird nicht gespielt: %2"),
                                {file.string(), error.what()}));
    }
}

// Reads and plays `file` unless another sound has started meanwhile.
void GatedSoundPlayer::play(const std::filesystem::path& file)
{
    WaveRefusal why{};
    auto wave = readWaveData(file, &why);
    if (!wave)
        return refused(file, refusalProblem(file, why));
    {
        std::lock_guard guard(mutex_);
        const auto now = clock_();
        if (now < busyUntil_)
            return;
        busyUntil_ = now + wave->length;
    }
    try {
        backend_(file, std::move(*wave));
    } catch (...) {
        release();  // it does not play
        throw;
    }
    std::lock_guard guard(mutex_);
    if (lastRefused_ == file)
        lastRefused_.clear();
}

void GatedSoundPlayer::refused(const std::filesystem::path& file, const std::optional<Problem>& problem)
{
    if (!problem)
        return;
    {
        std::lock_guard guard(mutex_);
        if (std::exchange(lastRefused_, file) == file)
            return;
    }
    if (report_)
        report_(*problem);
}

void GatedSoundPlayer::release()
{
    std::lock_guard guard(mutex_);
    busyUntil_ = {};
}

OffThreadSoundPlayer::OffThreadSoundPlayer(std::shared_ptr<SoundPlayer> player)
    : shared_(std::make_shared<Shared>())
{
    shared_->player = std::move(player);
}

void OffThreadSoundPlayer::playFile(std::string_view ansiPath)
{
    if (shared_->reading.exchange(true))
        return;
    try {
        std::thread([shared = shared_, path = std::string(ansiPath)] {
            // Nothing may leave the thread: it would end the program. The player reports what it can.
            try {
                shared->player->playFile(path);
            } catch (...) {
            }
            shared->reading = false;
        }).detach();
    } catch (const std::system_error&) {
        shared_->reading = false;  // no thread to be had: this sound is skipped
    }
}

std::unique_ptr<SoundPlayer> makeSystemSoundPlayer()
{
    return makeSystemSoundPlayer(reportOnStandardError);
}

std::unique_ptr<SoundPlayer> makeSystemSoundPlayer(SoundReport report)
{
    return std::make_unique<SystemSoundPlayer>(std::move(report));
}

}  // namespace zelvo::platform
