#include "tests/support/direwolf_pair.h"
#include "tests/support/kiss_socket.h"

#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <netinet/in.h>
#include <random>
#include <sys/socket.h>
#include <unistd.h>

namespace zelvo::testing {
namespace {

constexpr int kSampleRate = 22050;       // 16-bit mono
constexpr std::size_t kDatagram = 1000;  // Direwolf reads UDP audio in blocks of up to 2000 bytes
constexpr auto kTick = 10ms;
constexpr int kAttempts = 3;

// A port that is free now on every interface, as Direwolf binds it. Direwolf takes only ports up
// to 49151, below the kernel's ephemeral range, so the port is drawn at random from below that
// range; a clash with a port taken in the meantime is retried.
std::uint16_t freePort(int type)
{
    static std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> draw(20000, 32767);
    for (int tries = 0; tries < 100; ++tries) {
        const auto port = static_cast<std::uint16_t>(draw(random));
        const int fd = ::socket(AF_INET, type | SOCK_CLOEXEC, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_ANY);
        addr.sin_port = htons(port);
        const bool free = fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
        ::close(fd);
        if (free)
            return port;
    }
    return 0;
}

// The samples a modem transmits, read as the file grows.
struct Transmitted {
    int fd = -1;
    std::string pending;  // not yet on the air

    void readNew(const std::filesystem::path& file)
    {
        if (fd < 0)
            fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        char chunk[8192];
        for (ssize_t n; fd >= 0 && (n = ::read(fd, chunk, sizeof chunk)) > 0;)
            pending.append(chunk, static_cast<std::size_t>(n));
    }
    // The next count samples, halved in level (full scale overdrives the receiver), and silence
    // where nothing is transmitted.
    std::string take(std::size_t count)
    {
        const std::size_t bytes = std::min(count * 2, pending.size() & ~std::size_t{1});
        std::string out(count * 2, '\0');
        for (std::size_t i = 0; i < bytes; i += 2) {
            const auto sample = static_cast<std::int16_t>(static_cast<std::uint8_t>(pending[i]) |
                                                          static_cast<std::uint8_t>(pending[i + 1]) << 8);
            const auto half = static_cast<std::uint16_t>(sample / 2);
            out[i] = static_cast<char>(half & 0xFF);
            out[i + 1] = static_cast<char>(half >> 8);
        }
        pending.erase(0, bytes);
        return out;
    }
};

}  // namespace

std::optional<std::string> DirewolfPair::unavailable(const std::string& binary)
{
    if (binary.empty() || ::access(binary.c_str(), X_OK) != 0)
        return "Direwolf is not installed (Debian package direwolf)";
    return std::nullopt;
}

DirewolfPair::DirewolfPair(std::string binary)
{
    for (int index = 0; index < 2; ++index) {
        bool started = false;
        for (int attempt = 0; attempt < kAttempts && !started; ++attempt)
            started = start(binary, index);
        if (!started)
            return;
    }
    error_.clear();
    channel_ = std::jthread([this](std::stop_token stop) { carry(stop); });
}

DirewolfPair::~DirewolfPair()
{
    if (channel_.joinable()) {
        channel_.request_stop();
        channel_.join();
    }
    for (auto& modem : modems_)
        if (modem.process)
            modem.process->stop(SIGTERM, 5s);
}

bool DirewolfPair::start(const std::string& binary, int index)
{
    Modem& modem = modems_[static_cast<std::size_t>(index)];
    modem.process.reset();
    modem.kissPort = freePort(SOCK_STREAM);
    modem.agwPort = freePort(SOCK_STREAM);
    modem.audioPort = freePort(SOCK_DGRAM);
    const auto home = dir_ / ("modem" + std::to_string(index));
    std::filesystem::create_directories(home);
    writeFile(home / ".asoundrc", "pcm.air {\n  type file\n  slave.pcm \"null\"\n  file \"" +
                                      (home / "tx.raw").string() + "\"\n  format \"raw\"\n}\n");
    // Short TXDELAY and no random wait: the channel has two stations that never collide.
    writeFile(home / "direwolf.conf", "ADEVICE udp:" + std::to_string(modem.audioPort) + " air\nARATE " +
                                          std::to_string(kSampleRate) +
                                          "\nACHANNELS 1\nCHANNEL 0\nMODEM 1200\n"
                                          "TXDELAY 10\nTXTAIL 5\nDWAIT 0\nSLOTTIME 1\nPERSIST 255\n"
                                          "KISSPORT " +
                                          std::to_string(modem.kissPort) + "\nAGWPORT " +
                                          std::to_string(modem.agwPort) + "\n");
    modem.process = std::make_unique<Process>(
        std::vector<std::string>{binary, "-c", (home / "direwolf.conf").string(), "-t", "0", "-q", "hd"},
        std::vector<std::string>{"HOME=" + home.string()});
    const std::string kiss =
        "Ready to accept KISS TCP client application 0 on port " + std::to_string(modem.kissPort) + " ";
    const std::string agw =
        "Ready to accept AGW client application 0 on port " + std::to_string(modem.agwPort) + " ";
    // Direwolf opens both ports in its own threads, in either order.
    bool kissReady = false, agwReady = false;
    while (!(kissReady && agwReady)) {
        const auto line = modem.process->wait_line(
            [&](const std::string& l) {
                return l.starts_with(kiss) || l.starts_with(agw) || l.starts_with("Bind failed");
            },
            10s);
        if (!line || line->starts_with("Bind failed")) {
            error_ = "Direwolf " + std::to_string(index) + " did not open ports " +
                     std::to_string(modem.kissPort) + " and " + std::to_string(modem.agwPort) + ":";
            for (const auto& l : modem.process->lines([](const std::string&) { return true; }))
                error_ += "\n  " + l;
            modem.process->stop(SIGKILL, 5s);
            return false;
        }
        (line->starts_with(kiss) ? kissReady : agwReady) = true;
    }
    if (std::filesystem::exists(home / "tx.raw"))
        return true;
    error_ = "Direwolf " + std::to_string(index) + " did not open its ALSA file output " +
             (home / "tx.raw").string();
    return false;
}

void DirewolfPair::carry(std::stop_token stop)
{
    const int udp = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    std::array<Transmitted, 2> sent;
    const std::array<sockaddr_in, 2> to{loopback(modems_[0].audioPort), loopback(modems_[1].audioPort)};
    const auto started = std::chrono::steady_clock::now();
    std::int64_t samplesSent = 0;
    for (auto next = started; !stop.stop_requested(); next += kTick) {
        std::this_thread::sleep_until(next);  // the sample clock of the channel
        const auto elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - started);
        const auto due = static_cast<std::int64_t>(elapsed.count() * kSampleRate) - samplesSent;
        if (due <= 0)
            continue;
        for (std::size_t i = 0; i < 2; ++i) {
            sent[i].readNew(dir_ / ("modem" + std::to_string(i)) / "tx.raw");
            // Modem i's transmission goes to the other modem only: a radio does not hear itself.
            const std::string samples = sent[i].take(static_cast<std::size_t>(due));
            for (std::size_t at = 0; at < samples.size(); at += kDatagram) {
                const std::size_t size = std::min(kDatagram, samples.size() - at);
                ::sendto(udp, samples.data() + at, size, 0, reinterpret_cast<const sockaddr*>(&to[1 - i]),
                         sizeof to[1 - i]);
            }
        }
        samplesSent += due;
    }
    for (auto& s : sent)
        ::close(s.fd);
    ::close(udp);
}

}  // namespace zelvo::testing
