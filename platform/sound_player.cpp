#include "platform/sound_player.h"

#include "platform/ansi.h"

#include "platform/audio_output.h"
#include "platform/install_layout.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>
#include <QThread>

#include <array>
#include <cstdint>
#include <dlfcn.h>
#include <fstream>

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

struct WaveFormat {
    std::uint16_t tag = 0;
    std::uint16_t channels = 0;
    std::uint32_t sampleRate = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bits = 0;
};

std::optional<WaveFormat> readFormat(std::istream& in, std::uint32_t size)
{
    if (size < 16 || size > 1024)
        return std::nullopt;
    std::array<char, 1024> buf{};
    if (!in.read(buf.data(), size))
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

std::optional<WaveLayout> readLayout(std::ifstream& in, const std::filesystem::path& file)
{
    char header[12];
    if (!in || !in.read(header, sizeof header))
        return std::nullopt;
    if (std::string_view(header, 4) != "RIFF" || std::string_view(header + 8, 4) != "WAVE")
        return std::nullopt;
    std::error_code ec;
    const auto fileSize = std::filesystem::file_size(file, ec);
    if (ec)
        return std::nullopt;

    std::optional<WaveFormat> format;
    for (int i = 0; i < kMaxChunks; ++i) {
        char chunk[8];
        if (!in.read(chunk, sizeof chunk))
            return std::nullopt;
        const std::string_view id(chunk, 4);
        const std::uint32_t size = le32(chunk + 4);
        const auto start = static_cast<std::uintmax_t>(in.tellg());
        if (id == "fmt ") {
            format = readFormat(in, size);
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
        in.clear();
        in.seekg(static_cast<std::streamoff>(start + size + (size & 1)));
        if (!in)
            return std::nullopt;
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

    void play(const std::filesystem::path& file)
    {
        if (!output_) {
            if (const MakeAudioOutput make = audioModule())
                output_.reset(make());
        }
        auto wave = readWaveData(file);
        if (!wave || !output_)
            return release();
        output_->play(std::move(*wave), [this] { release(); });
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

// The system player: requests go to a SoundOutput on the application's thread.
class SystemSoundPlayer final : public SoundPlayer {
public:
    SystemSoundPlayer();
    ~SystemSoundPlayer() override;
    void playFile(std::string_view ansiPath) override;

private:
    void start(const std::filesystem::path& file);

    std::shared_ptr<GatedSoundPlayer> gate_;
    std::mutex mutex_;
    SoundOutput* output_ = nullptr;  // lives on the application's thread
};

SystemSoundPlayer::SystemSoundPlayer()
    : gate_(std::make_shared<GatedSoundPlayer>(
          [this](const std::filesystem::path& file, std::chrono::milliseconds) { start(file); }))
{}

SystemSoundPlayer::~SystemSoundPlayer()
{
    if (!output_)
        return;
    if (output_->thread() == QThread::currentThread())
        delete output_;
    else
        output_->deleteLater();
}

void SystemSoundPlayer::playFile(std::string_view ansiPath)
{
    // Without an application there is no thread to play on; the call still returns at once.
    if (!QCoreApplication::instance())
        return;
    gate_->playFile(ansiPath);
}

void SystemSoundPlayer::start(const std::filesystem::path& file)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) {
        gate_->release();
        return;
    }
    std::lock_guard guard(mutex_);
    if (!output_) {
        output_ = new SoundOutput(gate_);
        output_->moveToThread(app->thread());
    }
    SoundOutput* output = output_;
    QMetaObject::invokeMethod(
        output, [output, file] { output->play(file); }, Qt::QueuedConnection);
}

}  // namespace

std::optional<std::chrono::milliseconds> wavDuration(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    const auto wave = readLayout(in, file);
    if (!wave)
        return std::nullopt;
    return lengthOf(*wave);
}

std::optional<WaveData> readWaveData(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    const auto wave = readLayout(in, file);
    if (!wave)
        return std::nullopt;
    const WaveFormat& f = wave->format;
    std::string bytes(wave->frames * f.blockAlign, '\0');
    in.clear();
    in.seekg(static_cast<std::streamoff>(wave->dataStart));
    if (!in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())))
        return std::nullopt;

    WaveData data{static_cast<int>(f.sampleRate), f.channels, WaveData::Sample::Float, {}};
    if (f.tag == kFormatPcm) {
        data.sample = f.bits == 8    ? WaveData::Sample::UInt8
                      : f.bits == 16 ? WaveData::Sample::Int16
                                     : WaveData::Sample::Int32;
    }
    data.bytes = f.bits == 24 ? widen24(bytes) : std::move(bytes);
    return data;
}

GatedSoundPlayer::GatedSoundPlayer(Backend backend, Clock clock)
    : backend_(std::move(backend)), clock_(std::move(clock))
{}

void GatedSoundPlayer::playFile(std::string_view ansiPath)
{
    const std::filesystem::path file = ansiToUtf8(ansiPath);
    const auto length = wavDuration(file);
    if (!length)
        return;
    {
        std::lock_guard guard(mutex_);
        const auto now = clock_();
        if (now < busyUntil_)
            return;
        busyUntil_ = now + *length;
    }
    backend_(file, *length);
}

void GatedSoundPlayer::release()
{
    std::lock_guard guard(mutex_);
    busyUntil_ = {};
}

std::unique_ptr<SoundPlayer> makeSystemSoundPlayer()
{
    return std::make_unique<SystemSoundPlayer>();
}

}  // namespace zelvo::platform
