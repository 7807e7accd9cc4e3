// Delivery on a busy 1200-baud channel: zelvo-air --baud 1200 and zelvo-station processes (250 ms
// passes), with the channel table giving the driver the air rate. Two runs:
//   msgall  one station sends "Nachricht an alle" to 30 stations;
//   each    8 stations each send a text to the 7 others at once.
// For each it prints the texts received and acknowledged, the false "Übertragungsfehler" (a
// give-up of a text its receiver got), and the time until the last acknowledgement against the
// air-time limit: the air time of every message and its acknowledgment at bytes * 8 / 1200.
//
//   zelvo_bench_busy [--no-air-rate] [--trace] [msgall|each]
//
// --no-air-rate leaves "@1200" out of the channel table: the driver hands every frame to the TNC
// at once, as before it knew the air rate. The programs are taken from beside this one.
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "driver/ax25_frame.h"
#include "driver/kiss_codec.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;
namespace ax25 = zelvo::ax25;
namespace kiss = zelvo::kiss;

constexpr unsigned kBaud = 1200;
constexpr auto kRunLimit = 300s;  // a run that has not settled by then is reported as it stands
constexpr auto kQuiet = 3s;       // the channel counts as idle after this long without a frame
bool trace = false;               // --trace: every frame heard and every station line of a run

double seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

// A program with its stdin and stdout on pipes; killed when the object goes.
class Child {
public:
    Child(const std::vector<std::string>& argv, const std::vector<std::string>& env)
    {
        int in[2], out[2];
        if (::pipe2(in, O_CLOEXEC) < 0 || ::pipe2(out, O_CLOEXEC) < 0)
            throw std::runtime_error("pipe failed");
        std::vector<char*> args;
        for (const auto& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            ::dup2(in[0], STDIN_FILENO);
            ::dup2(out[1], STDOUT_FILENO);
            for (const auto& e : env)
                ::putenv(const_cast<char*>(e.c_str()));
            ::execv(args[0], args.data());
            ::_exit(127);
        }
        ::close(in[0]);
        ::close(out[1]);
        stdin_ = in[1];
        stdout_ = out[0];
        ::fcntl(stdout_, F_SETFL, O_NONBLOCK);
    }
    ~Child()
    {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        ::close(stdin_);
        ::close(stdout_);
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    int fd() const { return stdout_; }
    void write(const std::string& line)
    {
        const std::string text = line + "\n";
        if (::write(stdin_, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
            throw std::runtime_error("cannot write to a child");
    }
    // The whole lines that are readable now.
    std::vector<std::string> read()
    {
        char buffer[4096];
        for (ssize_t n; (n = ::read(stdout_, buffer, sizeof buffer)) > 0;)
            partial_.append(buffer, static_cast<std::size_t>(n));
        std::vector<std::string> lines;
        for (std::size_t end; (end = partial_.find('\n')) != std::string::npos;) {
            lines.push_back(partial_.substr(0, end));
            partial_.erase(0, end + 1);
        }
        return lines;
    }

private:
    pid_t pid_ = -1;
    int stdin_ = -1;
    int stdout_ = -1;
    std::string partial_;
};

// A KISS client of zelvo-air that hears every frame on the channel.
class Monitor {
public:
    struct Heard {
        Clock::time_point at;
        ax25::Frame frame;
        std::size_t bytes;
    };

    explicit Monitor(std::uint16_t port)
    {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(port);
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (::connect(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0)
            throw std::runtime_error("cannot reach zelvo-air");
        ::fcntl(fd_, F_SETFL, O_NONBLOCK);
    }
    ~Monitor() { ::close(fd_); }
    int fd() const { return fd_; }
    void read(Clock::time_point now)
    {
        char buffer[4096];
        for (ssize_t n; (n = ::read(fd_, buffer, sizeof buffer)) > 0;) {
            for (const auto& k : decoder_.feed(std::string_view(buffer, static_cast<std::size_t>(n)))) {
                Heard h{now, {}, k.data.size()};
                if (ax25::decodeUiFrame(k.data, h.frame) == ax25::DecodeError::None)
                    heard.push_back(std::move(h));
            }
            last = now;
        }
    }

    std::vector<Heard> heard;
    Clock::time_point last = Clock::now();

private:
    int fd_ = -1;
    kiss::Decoder decoder_;
};

struct Line {
    Clock::time_point at;
    std::size_t station;
    std::string text;
};

class Channel {
public:
    Channel(const fs::path& bin, bool airRate) : bin_(bin)
    {
        air_ = std::make_unique<Child>(std::vector<std::string>{(bin / "zelvo-air").string(), "--port", "0",
                                                                "--baud", std::to_string(kBaud)},
                                       std::vector<std::string>{});
        const std::string prefix = "zelvo-air: listening on 127.0.0.1:";
        const auto deadline = Clock::now() + 10s;
        while (port_ == 0 && Clock::now() < deadline) {
            pollfd p{air_->fd(), POLLIN, 0};
            ::poll(&p, 1, 100);
            for (const auto& line : air_->read())
                if (line.starts_with(prefix))
                    port_ = static_cast<std::uint16_t>(std::stoi(line.substr(prefix.size())));
        }
        if (port_ == 0)
            throw std::runtime_error("zelvo-air did not start");
        monitor_ = std::make_unique<Monitor>(port_);
        dir_ = fs::temp_directory_path() / ("zelvo-bench-busy-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        table_ = dir_ / "flexnet.conf";
        std::ofstream(table_) << "0 kiss-tcp 127.0.0.1:" << port_ << (airRate ? "@1200" : "")
                              << " Simulation\n";
    }
    ~Channel()
    {
        stations_.clear();
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    std::size_t start(const std::string& call)
    {
        const fs::path home = dir_ / call;
        fs::create_directories(home);
        stations_.push_back(std::make_unique<Child>(
            std::vector<std::string>{(bin_ / "zelvo-station").string(), "--mycall", call, "--alias", call,
                                     "--pass-ms", "250", "--log", (home / "zelvo.log").string()},
            std::vector<std::string>{"ZELVO_REGISTRY_DIR=" + home.string(),
                                     "ZELVO_FLEXNET_CONF=" + table_.string()}));
        calls_.push_back(call);
        return stations_.size() - 1;
    }
    void command(std::size_t station, const std::string& line) { stations_[station]->write(line); }
    const std::string& call(std::size_t station) const { return calls_[station]; }
    Monitor& monitor() { return *monitor_; }

    // Reads output until done() holds or the limit passes; false on the limit. Every line
    // read goes to lines.
    template <typename Done>
    bool runUntil(Done done, Clock::duration limit)
    {
        const auto deadline = Clock::now() + limit;
        while (!done()) {
            if (Clock::now() >= deadline)
                return false;
            std::vector<pollfd> fds{{monitor_->fd(), POLLIN, 0}};
            for (const auto& s : stations_)
                fds.push_back({s->fd(), POLLIN, 0});
            ::poll(fds.data(), fds.size(), 50);
            const auto now = Clock::now();
            monitor_->read(now);
            for (std::size_t i = 0; i < stations_.size(); ++i)
                for (auto& text : stations_[i]->read())
                    lines.push_back({now, i, std::move(text)});
        }
        return true;
    }
    bool seen(std::size_t station, const std::string& text, std::size_t from = 0) const
    {
        for (std::size_t i = from; i < lines.size(); ++i)
            if (lines[i].station == station && lines[i].text == text)
                return true;
        return false;
    }

    std::vector<Line> lines;

private:
    fs::path bin_;
    fs::path dir_;
    fs::path table_;
    std::uint16_t port_ = 0;
    std::unique_ptr<Child> air_;
    std::unique_ptr<Monitor> monitor_;
    std::vector<std::unique_ptr<Child>> stations_;
    std::vector<std::string> calls_;
};

// The air time of one UI frame between two calls without digipeaters, as zelvo-air counts it.
double airSeconds(const std::string& from, const std::string& to, std::size_t infoBytes)
{
    const auto frame = ax25::makeUiFrame(*ax25::parseAddress(from), *ax25::parseAddress(to), {}, 208,
                                         std::string(infoBytes, 'x'));
    return static_cast<double>(ax25::encodeFrame(frame).size()) * 8.0 / kBaud;
}

struct Text {
    std::size_t from, to;
    std::string text;
};

// Brings the stations to know each other as Online, then sends the texts and follows them.
void run(const char* title, const fs::path& bin, bool airRate, std::size_t count,
         const std::vector<std::pair<std::size_t, std::size_t>>& knows,
         const std::vector<std::pair<std::size_t, std::string>>& commands, const std::vector<Text>& texts)
{
    Channel ch(bin, airRate);
    for (std::size_t i = 0; i < count; ++i) {
        char call[8];
        std::snprintf(call, sizeof call, "DM%c%cX", 'A' + static_cast<int>(i / 26),
                      'A' + static_cast<int>(i % 26));
        ch.start(call);
    }
    for (std::size_t i = 0; i < count; ++i)
        if (!ch.runUntil([&] { return ch.seen(i, "READY " + ch.call(i)); }, 20s))
            throw std::runtime_error(ch.call(i) + " did not start");
    for (const auto& [who, whom] : knows)
        ch.command(who, "add " + ch.call(whom));
    for (std::size_t i = 0; i < count; ++i)
        ch.command(i, "online");
    auto allOnline = [&] {
        for (const auto& [who, whom] : knows)
            if (!ch.seen(who, "STATE " + ch.call(whom) + " Online"))
                return false;
        return true;
    };
    if (!ch.runUntil(allOnline, 120s))
        throw std::runtime_error("the stations did not all come online");
    ch.runUntil([&] { return Clock::now() - ch.monitor().last > kQuiet; }, 60s);

    const std::size_t firstLine = ch.lines.size();
    const std::size_t firstFrame = ch.monitor().heard.size();
    const auto t0 = Clock::now();
    for (const auto& [station, line] : commands)
        ch.command(station, line);

    // Per text: when it arrived (RX), when it was acknowledged (TX), whether it was given up.
    struct Fate {
        std::optional<Clock::time_point> received, acked;
        int giveUps = 0;
    };
    std::vector<Fate> fates(texts.size());
    std::size_t scanned = firstLine;
    auto follow = [&] {
        for (; scanned < ch.lines.size(); ++scanned) {
            const Line& l = ch.lines[scanned];
            for (std::size_t t = 0; t < texts.size(); ++t) {
                const Text& x = texts[t];
                if (l.station == x.to && l.text == "RX " + ch.call(x.from) + " " + x.text &&
                    !fates[t].received)
                    fates[t].received = l.at;
                if (l.station == x.from && l.text == "TX " + ch.call(x.to) + " " + x.text && !fates[t].acked)
                    fates[t].acked = l.at;
                if (l.station == x.from && l.text == "STATE " + ch.call(x.to) + " Offline")
                    ++fates[t].giveUps;
            }
        }
    };
    auto settled = [&] {
        follow();
        bool allAcked = true, allSettled = true;
        for (const Fate& f : fates) {
            allAcked &= f.acked.has_value();
            allSettled &= f.acked.has_value() || f.giveUps > 0;
        }
        return allAcked || (allSettled && Clock::now() - ch.monitor().last > kQuiet);
    };
    ch.runUntil(settled, kRunLimit);
    follow();

    std::size_t received = 0, acked = 0, falseGiveUps = 0, giveUps = 0, errorLines = 0;
    Clock::time_point lastAck = t0, lastReceived = t0;
    double limit = 0;
    for (std::size_t t = 0; t < texts.size(); ++t) {
        const Fate& f = fates[t];
        received += f.received.has_value();
        acked += f.acked.has_value();
        giveUps += static_cast<std::size_t>(f.giveUps);
        if (f.received)
            falseGiveUps += static_cast<std::size_t>(f.giveUps);
        if (f.acked)
            lastAck = std::max(lastAck, *f.acked);
        if (f.received)
            lastReceived = std::max(lastReceived, *f.received);
        const std::string& from = ch.call(texts[t].from);
        const std::string& to = ch.call(texts[t].to);
        limit += airSeconds(from, to, texts[t].text.size()) + airSeconds(to, from, 0);
    }
    for (std::size_t i = firstLine; i < ch.lines.size(); ++i)
        errorLines += ch.lines[i].text == "STATUS \xC3\x9C"
                                          "bertragungsfehler";

    // What went on the air meanwhile: message frames (repetitions included) and acknowledgments.
    std::size_t messages = 0, acks = 0, other = 0;
    double used = 0;
    std::set<std::string> distinct;
    for (std::size_t i = firstFrame; i < ch.monitor().heard.size(); ++i) {
        const auto& h = ch.monitor().heard[i];
        used += static_cast<double>(h.bytes) * 8.0 / kBaud;
        const bool messagePid = h.frame.pid >= 208 && h.frame.pid <= 217;
        if (messagePid && !h.frame.info.empty()) {
            ++messages;
            distinct.insert(ax25::formatAddress(h.frame.source) + ">" +
                            ax25::formatAddress(h.frame.destination) + h.frame.info);
        } else if (messagePid) {
            ++acks;
        } else {
            ++other;
        }
    }

    if (trace) {
        for (std::size_t i = firstFrame; i < ch.monitor().heard.size(); ++i) {
            const auto& h = ch.monitor().heard[i];
            std::printf("  %7.2f %s>%s %d %zu\n", seconds(h.at - t0),
                        ax25::formatAddress(h.frame.source).c_str(),
                        ax25::formatAddress(h.frame.destination).c_str(), h.frame.pid, h.frame.info.size());
        }
        for (std::size_t i = firstLine; i < ch.lines.size(); ++i)
            std::printf("  %7.2f %s: %s\n", seconds(ch.lines[i].at - t0),
                        ch.call(ch.lines[i].station).c_str(), ch.lines[i].text.c_str());
    }
    const double took = seconds(lastAck - t0);
    std::printf("%s (%s)\n", title,
                airRate ? "channel table with @1200" : "no air rate in the channel table");
    std::printf("  texts received            %zu of %zu (last after %.1f s)\n", received, texts.size(),
                seconds(lastReceived - t0));
    std::printf("  texts acknowledged        %zu of %zu\n", acked, texts.size());
    std::printf("  false \xC3\x9C"
                "bertragungsfehler %zu (give-ups in all %zu, status lines %zu)\n",
                falseGiveUps, giveUps, errorLines);
    std::printf("  last acknowledgement      %.1f s%s\n", took, acked == texts.size() ? "" : " (not all)");
    std::printf("  air-time limit            %.1f s  -> %.2f x the limit\n", limit, took / limit);
    std::printf("  on the air                %zu message frames (%zu distinct), %zu acks, %zu other; %.1f s "
                "air time\n\n",
                messages, distinct.size(), acks, other, used);
    std::fflush(stdout);
}

fs::path programDirectory()
{
    return fs::read_symlink("/proc/self/exe").parent_path();
}

}  // namespace

int main(int argc, char** argv)
{
    bool airRate = true;
    std::set<std::string> which;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--no-air-rate") {
            airRate = false;
        } else if (arg == "--trace") {
            trace = true;
        } else if (arg == "msgall" || arg == "each") {
            which.insert(arg);
        } else {
            std::fprintf(stderr, "usage: %s [--no-air-rate] [--trace] [msgall|each]\n", argv[0]);
            return 2;
        }
    }
    if (which.empty())
        which = {"msgall", "each"};
    ::signal(SIGPIPE, SIG_IGN);
    const fs::path bin = programDirectory();
    try {
        if (which.count("msgall")) {
            // Station 0 knows the 30 others; each of them knows station 0.
            std::vector<std::pair<std::size_t, std::size_t>> knows;
            std::vector<Text> texts;
            const std::string text = "Treffen heute um 19 Uhr im OV-Heim, 73";
            for (std::size_t i = 1; i <= 30; ++i) {
                knows.push_back({0, i});
                knows.push_back({i, 0});
                texts.push_back({0, i, text});
            }
            run("Nachricht an alle: 1 station to 30", bin, airRate, 31, knows, {{0, "msgall " + text}},
                texts);
        }
        if (which.count("each")) {
            std::vector<std::pair<std::size_t, std::size_t>> knows;
            std::vector<std::pair<std::size_t, std::string>> commands;
            std::vector<Text> texts;
            for (std::size_t from = 0; from < 8; ++from)
                for (std::size_t to = 0; to < 8; ++to) {
                    if (from == to)
                        continue;
                    knows.push_back({from, to});
                    char text[40];
                    std::snprintf(text, sizeof text, "Gruss von Nr. %zu an Nr. %zu, 73!", from, to);
                    texts.push_back({from, to, text});
                    char call[8];
                    std::snprintf(call, sizeof call, "DMA%cX", 'A' + static_cast<int>(to));
                    commands.push_back({from, std::string("msg ") + call + " " + text});
                }
            run("8 stations, each to the 7 others", bin, airRate, 8, knows, commands, texts);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zelvo_bench_busy: %s\n", error.what());
        return 1;
    }
    return 0;
}
