// The channel monitor under a flood: a KISS client sends 1,000 frames in one second through
// zelvo-air (half of them Zelvo status frames to the own call, half other stations' connected-mode
// and APRS frames) to a station that runs as the windowed program does: the driver, the session
// with its receive passes on the Qt thread (UiExecutor), offscreen. Run twice: with the monitor
// closed, and with the monitor window open. Prints the receive pass time, the lateness of a 10 ms
// QTimer on the Qt thread (the event loop's delay), and what the monitor shows.
//
//   zelvo_bench_monitor        (zelvo-air and libflxapi32.so are taken from beside it)
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
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
#include <string>
#include <thread>
#include <vector>

#include "app/monitor_window.h"
#include "app/session.h"
#include "app/ui_executor.h"
#include "bench/silent_ui.h"
#include "driver/ax25_frame.h"
#include "driver/kiss_codec.h"

namespace {

using namespace zelvo;
using Clock = std::chrono::steady_clock;
constexpr int kFrames = 1000;

// zelvo-air on a free port; its port, or 0.
struct Air {
    pid_t pid = -1;
    int port = 0;

    explicit Air(const std::filesystem::path& binary)
    {
        int out[2];
        if (pipe(out) != 0)
            return;
        pid = fork();
        if (pid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            dup2(out[1], STDOUT_FILENO);
            execl(binary.c_str(), binary.c_str(), "--port", "0", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(out[1]);
        std::string line;
        char c;
        while (read(out[0], &c, 1) == 1 && c != '\n')
            line += c;
        if (const auto colon = line.rfind(':'); colon != std::string::npos)
            port = std::atoi(line.c_str() + colon + 1);
    }
    ~Air()
    {
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
    }
};

int connectTo(int port)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

std::string frameBytes(int n)
{
    auto call = [](const char* base, int n) {
        return ax25::parseAddress(std::string(base) + std::to_string(100 + n % 800).substr(0, 3)).value();
    };
    if (n % 2 == 0) {
        auto frame = ax25::makeUiFrame(call("DL", n), ax25::parseAddress("DL1AAA-1").value(), {}, 218,
                                       "[Station " + std::to_string(n) + "]\x19");
        return kiss::encodeData(0, ax25::encodeFrame(frame));
    }
    if (n % 4 == 1) {
        auto frame =
            ax25::makeUiFrame(call("DK", n), ax25::parseAddress("APRS").value(),
                              {ax25::parseAddress("WIDE1-1").value()}, 0xF0, "!5030.00N/00700.00E-PHG2360");
        return kiss::encodeData(0, ax25::encodeFrame(frame));
    }
    // An I frame of a connected session, as the encoder cannot make one: a UI frame's bytes with
    // the control byte of I (N(S)=1, N(R)=2).
    auto frame = ax25::makeUiFrame(call("DB", n), ax25::parseAddress("DB0XYZ").value(), {}, 0xF0, "dir\r");
    std::string bytes = ax25::encodeFrame(frame);
    bytes[14] = 0x42;
    return kiss::encodeData(0, bytes);
}

struct Figures {
    std::vector<double> passMs;
    std::vector<double> lateMs;
};

double at(std::vector<double> values, double q)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(q * static_cast<double>(values.size() - 1))];
}

// One flood while the Qt thread runs passes and the 10 ms timer; returns once the flood has been
// sent and half a second more has passed.
void flood(int port, Figures& figures)
{
    // What the windows do at first (layout, the first paint) is not the flood's.
    QEventLoop settle;
    QTimer::singleShot(300, &settle, &QEventLoop::quit);
    settle.exec();
    const int fd = connectTo(port);
    std::thread sender([fd] {
        const auto start = Clock::now();
        for (int n = 0; n < kFrames; ++n) {
            std::this_thread::sleep_until(start + std::chrono::microseconds(n * 1000));
            const std::string bytes = frameBytes(n);
            if (fd < 0 || send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) < 0)
                return;
        }
    });
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QElapsedTimer since;
    since.start();
    qint64 last = 0;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = since.nsecsElapsed();
        if (last > 0)
            figures.lateMs.push_back(std::max(0.0, static_cast<double>(now - last) / 1e6 - 10.0));
        last = now;
    });
    tick.start(10);
    QEventLoop loop;
    QTimer::singleShot(1500, &loop, &QEventLoop::quit);
    loop.exec();
    sender.join();
    if (fd >= 0)
        close(fd);
}

void print(const char* what, const Figures& f, const QString& monitor)
{
    std::printf("%-16s passes %3zu  pass time ms: median %6.3f  max %7.3f   timer lateness ms: median %6.3f  "
                "p99 %6.3f  max %7.3f   %s\n",
                what, f.passMs.size(), at(f.passMs, 0.5), at(f.passMs, 1.0), at(f.lateMs, 0.5),
                at(f.lateMs, 0.99), at(f.lateMs, 1.0), qPrintable(monitor));
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::filesystem::path here =
        std::filesystem::path(QCoreApplication::applicationDirPath().toStdString());
    const std::filesystem::path scratch =
        std::filesystem::temp_directory_path() / ("zelvo-monitor-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(scratch);

    Air air(here / "zelvo-air");
    if (air.port == 0) {
        std::fprintf(stderr, "zelvo_bench_monitor: zelvo-air did not start from %s\n", here.c_str());
        return 1;
    }
    std::ofstream(scratch / "flexnet.conf") << "0 kiss-tcp 127.0.0.1:" << air.port << " Flut\n";
    setenv("ZELVO_FLEXNET_CONF", (scratch / "flexnet.conf").c_str(), 1);

    Figures figures;
    app::UiExecutor executor(&application);
    app::Session::Options options;
    options.registryPaths = {scratch / "HKCU.reg", scratch / "HKLM.reg"};
    options.logFile = scratch / "Zelvo.log";
    app::Session session(std::move(options));
    if (session.open() != app::Session::OpenResult::Opened) {
        std::fprintf(stderr, "zelvo_bench_monitor: the driver did not load\n");
        return 1;
    }
    session.settings().setMyCall("DL1AAA-1");
    bench::SilentUi ui;
    auto inner = executor.executor();
    session.start(ui, [&inner, &figures](const link::FlexThread::Work& work) {
        inner([&work, &figures] {
            const auto start = Clock::now();
            work();
            figures.passMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        });
    });
    std::printf("%d frames in 1 s through zelvo-air; passes every %lld ms on the Qt thread; the driver %s\n",
                kFrames, static_cast<long long>(link::FlexThread::kPassInterval.count()),
                session.driver().monitorsAll()
                    ? "hands the monitor every frame"
                    : "has no flx_monitor: the monitor shows the station's own frames");

    flood(air.port, figures);
    print("monitor closed", figures, QString());

    app::MonitorWindow window(app::MonitorFeed::of(session.driver()));
    window.showOrActivate();
    // The second flood finds the table full: the oldest lines go as new ones come.
    for (const char* what : {"monitor open", "monitor full"}) {
        figures = {};
        flood(air.port, figures);
        const int lines = window.model().rowCount();
        int skipped = 0;
        for (int row = 0; row < lines; ++row)
            skipped += static_cast<int>(window.model().entry(row).skipped);
        print(what, figures, QStringLiteral("%1 lines shown, %2 left out").arg(lines).arg(skipped));
    }
    window.close();

    executor.stop();
    session.shutdown();
    std::filesystem::remove_all(scratch);
    return 0;
}
