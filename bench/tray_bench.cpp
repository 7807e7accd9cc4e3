// Start-up cost of the windowed program against a bare Qt tray program, side by side: the time
// from exec to the tray icon appearing in the tray host, the peak resident memory, and the CPU
// used while idle for 10 s after that. Run it on a desktop with a tray host:
//   scripts/with-desktop build/bin/zelvo_tray_bench [runs]
// It starts each program `runs` times (default 5, alternating), with settings and a driver
// channel table in a scratch directory, so nothing of the user's is read or changed.
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

struct Figures {
    std::vector<double> startMs;
    std::vector<double> peakMiB;
    double idleCpuPercent = -1;
};

int descendants(Display* display, Window window)
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count))
        return 0;
    int total = static_cast<int>(count);
    for (unsigned int i = 0; i < count; ++i)
        total += descendants(display, children[i]);
    if (children)
        XFree(children);
    return total;
}

long statusKiB(pid_t pid, const std::string& field)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind(field + ":", 0) == 0)
            return std::atol(line.c_str() + field.size() + 1);
    return -1;
}

double cpuSeconds(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), {});
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string skip;
    for (int i = 3; i < 14; ++i)
        fields >> skip;
    long user = 0, system = 0;
    fields >> user >> system;
    return static_cast<double>(user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

pid_t launch(const std::string& program, const fs::path& scratch)
{
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("ZELVO_REGISTRY_DIR", (scratch / "registry").c_str(), 1);
        setenv("ZELVO_FLEXNET_CONF", (scratch / "flexnet.conf").c_str(), 1);
        setenv("XDG_STATE_HOME", (scratch / "state").c_str(), 1);
        setenv("XDG_DATA_HOME", (scratch / "data").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (scratch / "config").c_str(), 1);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

void end(pid_t pid)
{
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// One start; false when no icon appeared within 20 s.
bool measure(Display* display, Window panel, const std::string& program, const fs::path& scratch, bool idle,
             Figures& figures)
{
    const int before = descendants(display, panel);
    const auto start = Clock::now();
    const pid_t pid = launch(program, scratch);
    while (descendants(display, panel) <= before) {
        if (Clock::now() - start > 20s || waitpid(pid, nullptr, WNOHANG) == pid) {
            end(pid);
            return false;
        }
        std::this_thread::sleep_for(1ms);
    }
    figures.startMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    if (idle) {
        const double cpu = cpuSeconds(pid);
        std::this_thread::sleep_for(10s);
        figures.idleCpuPercent = (cpuSeconds(pid) - cpu) / 10.0 * 100.0;
    } else {
        std::this_thread::sleep_for(500ms);  // lets the start settle before the peak is read
    }
    figures.peakMiB.push_back(static_cast<double>(statusKiB(pid, "VmHWM")) / 1024.0);
    end(pid);
    // The tray host takes the icon away a little later; the next start counts from an empty tray.
    const auto ended = Clock::now();
    while (descendants(display, panel) > before && Clock::now() - ended < 5s)
        std::this_thread::sleep_for(1ms);
    return true;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

void row(const char* name, const Figures& f)
{
    const auto [minStart, maxStart] = std::minmax_element(f.startMs.begin(), f.startMs.end());
    std::printf("%-12s %8.1f %8.1f %8.1f   %8.1f   %6.2f\n", name, *minStart, median(f.startMs), *maxStart,
                median(f.peakMiB), f.idleCpuPercent);
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const fs::path here = fs::canonical("/proc/self/exe").parent_path();
    const std::string zelvo = (here / "zelvo").string();
    const std::string bare = (here / "zelvo_bare_tray").string();
    const char* panelText = std::getenv("ZELVO_TRAY_PANEL");
    Display* display = XOpenDisplay(nullptr);
    if (!display || !panelText) {
        std::fprintf(stderr, "needs a desktop with a tray host: scripts/with-desktop %s\n", argv[0]);
        return 2;
    }
    const Window panel = std::strtoul(panelText, nullptr, 0);
    // An icon's windows may go while the tree is walked: the query of one that is gone fails and
    // counts as empty instead of ending the program.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });

    char pattern[] = "/tmp/zelvo-tray-bench.XXXXXX";
    const fs::path scratch = mkdtemp(pattern);
    fs::create_directories(scratch / "registry");
    // A started station with a call, so the first-start settings do not open; a channel that
    // nothing serves, so the driver keeps trying to connect as it does without a TNC.
    std::ofstream(scratch / "registry" / "HKEY_CURRENT_USER.reg")
        << "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Varkel\\Zelvo]\r\n\"Mycall\"=\"DL1BEN\"\r\n"
           "\"Alias\"=\"Bench\"\r\n\"Options\"=dword:000000f7\r\n\"ShowAlias\"=dword:00000003\r\n";
    std::ofstream(scratch / "flexnet.conf") << "0 kiss-tcp 127.0.0.1:9 Nirgends\n";

    Figures zelvoFigures, bareFigures;
    for (int run = 0; run < runs; ++run) {
        const bool idle = run == runs - 1;
        if (!measure(display, panel, bare, scratch, idle, bareFigures) ||
            !measure(display, panel, zelvo, scratch, idle, zelvoFigures)) {
            std::fprintf(stderr, "no tray icon appeared within 20 s\n");
            return 1;
        }
    }
    fs::remove_all(scratch);

    std::printf("%d starts each; start = exec to the icon in the tray host\n\n", runs);
    std::printf("%-12s %8s %8s %8s   %8s   %6s\n", "program", "min ms", "median", "max ms", "peak MiB",
                "idle %");
    row("bare tray", bareFigures);
    row("zelvo", zelvoFigures);
    const double startRatio = median(zelvoFigures.startMs) / median(bareFigures.startMs);
    const double memoryRatio = median(zelvoFigures.peakMiB) / median(bareFigures.peakMiB);
    std::printf("\nzelvo / bare: start %.2fx (target 1.25x), peak memory %.2fx (target 1.25x); "
                "idle CPU %.2f%% of a core (target 0.5%%)\n",
                startRatio, memoryRatio, zelvoFigures.idleCpuPercent);
    return 0;
}
