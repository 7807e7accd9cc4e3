#include "platform/sound_player.h"

#include "tests/support/temp_dir.h"
#include "tests/support/wait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMetaObject>

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <fstream>
#include <future>
#include <new>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <tuple>
#include <unistd.h>

namespace zelvo::platform {
namespace {

using namespace std::chrono_literals;
using testing::TempDir;
using testing::writeFile;

struct WavFormat {
    std::uint16_t tag = 1;
    std::uint16_t channels = 1;
    std::uint32_t rate = 8000;
    std::uint16_t bits = 16;
    std::uint32_t frames = 4000;
    std::uint32_t claimedFrames = 0;  // data size in the header, when it should differ
    bool listChunkFirst = false;      // an odd-sized chunk before "fmt "
    bool extensible = false;
};

void put16(std::string& s, std::uint16_t v)
{
    s += char(v & 0xff), s += char(v >> 8);
}
void put32(std::string& s, std::uint32_t v)
{
    put16(s, v & 0xffff), put16(s, v >> 16);
}

std::string makeWav(const WavFormat& w)
{
    const std::uint16_t block = w.channels * w.bits / 8;
    std::string body = "WAVE";
    if (w.listChunkFirst)
        body += std::string("LIST\x03\0\0\0abc\0", 12);
    body += "fmt ";
    put32(body, w.extensible ? 40 : 16);
    put16(body, w.extensible ? 0xFFFE : w.tag);
    put16(body, w.channels);
    put32(body, w.rate);
    put32(body, w.rate * block);
    put16(body, block);
    put16(body, w.bits);
    if (w.extensible) {
        put16(body, 22), put16(body, w.bits), put32(body, 0);
        put16(body, w.tag);
        body += std::string("\0\0\0\0\x10\0\x80\0\0\xAA\0\x38\x9B\x71", 14);
    }
    body += "data";
    put32(body, (w.claimedFrames ? w.claimedFrames : w.frames) * block);
    body += std::string(std::size_t(w.frames) * block, '\0');
    std::string file = "RIFF";
    put32(file, static_cast<std::uint32_t>(body.size()));
    return file + body;
}

// The command line of the applications the tests make.
int argc = 1;
char name[] = "zelvo_platform_tests";
char* argv[] = {name, nullptr};

class SoundTest : public ::testing::Test {
protected:
    std::filesystem::path wav(const std::string& name, const WavFormat& format)
    {
        return dir.write(name, makeWav(format));
    }
    // A wave file with `bytes` of samples that take no room on disk: only the header is written.
    std::filesystem::path sparseWav(const std::string& name, WavFormat format, std::uint32_t bytes)
    {
        format.claimedFrames = bytes / (format.channels * format.bits / 8);
        format.frames = 0;
        const auto file = wav(name, format);
        std::filesystem::resize_file(file, std::filesystem::file_size(file) + bytes);
        return file;
    }
    TempDir dir;
};

// The samples are read only within the limits: a file of nearly 4 GiB (sparse on disk) is refused
// unread in a process that could not hold it; one at the limits plays. Which limit a file passes:
// GatedPlayerTest.RefusedFileIsNamedOnceWithItsLimitAndBlocksNothing.
TEST_F(SoundTest, FilesBeyondTheLimitsAreRefusedUnread)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the sanitizers' shadow memory needs an unlimited address space";
#endif
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto huge = sparseWav("huge.wav", {}, 0xF0000000);
    const auto atSize = sparseWav("at-size.wav", {.channels = 2, .rate = 44100}, kMaxWaveBytes);
    const auto atLength = sparseWav("at-length.wav", {.bits = 8}, 8000 * 600);
    const auto readWithLittleMemory = [&] {
        rlim_t pages = 0;
        std::ifstream("/proc/self/statm") >> pages;  // the address space taken now
        const rlimit limit{pages * ::sysconf(_SC_PAGESIZE) + (rlim_t(128) << 20), RLIM_INFINITY};
        ::setrlimit(RLIMIT_AS, &limit);
        WaveRefusal why{};
        const bool asExpected = !readWaveData(huge, &why) && why == WaveRefusal::TooLarge &&
                                readWaveData(atSize)->bytes.size() == kMaxWaveBytes &&
                                readWaveData(atLength)->length == kMaxWaveLength;
        std::_Exit(asExpected ? 0 : 1);
    };
    EXPECT_EXIT(readWithLittleMemory(), ::testing::ExitedWithCode(0), "");
}

TEST_F(SoundTest, DurationComesFromTheWaveHeaderAndUnplayableFilesHaveNone)
{
    EXPECT_EQ(wavDuration(wav("a.wav", {})), 500ms);
    EXPECT_EQ(wavDuration(wav("b.wav", {.channels = 2, .rate = 44100, .frames = 44100})), 1000ms);
    EXPECT_EQ(wavDuration(wav("c.wav", {.bits = 8, .frames = 80, .listChunkFirst = true})), 10ms);
    EXPECT_EQ(wavDuration(wav("d.wav", {.tag = 3, .bits = 32, .frames = 16000, .extensible = true})), 2000ms);
    EXPECT_EQ(wavDuration(wav("e.wav", {.rate = 3, .frames = 1})), 334ms) << "rounded up";
    EXPECT_EQ(wavDuration(wav("f.wav", {.frames = 2000, .claimedFrames = 80000})), 250ms)
        << "a header that claims more than the file holds";
    // Unplayable files have none.
    for (const auto& file : {dir / "missing.wav", dir.path(), wav("adpcm.wav", {.tag = 2, .bits = 4}),
                             wav("empty.wav", {.frames = 0}), wav("zero-rate.wav", {.rate = 0})})
        EXPECT_FALSE(wavDuration(file)) << file;
    const std::string good = makeWav({});
    std::string noFmt = good;
    noFmt.replace(12, 4, "junk");
    for (const std::string& bad :
         {good.substr(0, 0), good.substr(0, 4), good.substr(0, 11), good.substr(0, 20), good.substr(0, 30),
          good.substr(0, 43), noFmt, std::string("this is not a wave file at all, just text")}) {
        writeFile(dir / "bad.wav", bad);
        EXPECT_FALSE(wavDuration(dir / "bad.wav")) << bad.size() << " bytes";
    }
}

TEST_F(SoundTest, SamplesAreTheWholeFramesTheFileHolds)
{
    using Sample = WaveData::Sample;
    // A file of `format` whose last sample bytes are `samples`, `tail` behind them, as read.
    const auto read = [&](WavFormat format, const std::string& samples = "", const std::string& tail = "") {
        std::string file = makeWav(format);
        file.replace(file.size() - samples.size(), samples.size(), samples);
        writeFile(dir / "s.wav", file + tail);
        return readWaveData(dir / "s.wav").value_or(WaveData{});
    };
    // 16-bit stereo under a header that claims more than was written: the cut half frame is left out.
    const WaveData stereo = read({.channels = 2, .frames = 3, .claimedFrames = 100}, "abcdefghijkl", "xy");
    EXPECT_EQ(std::tie(stereo.sampleRate, stereo.channels, stereo.sample, stereo.bytes),
              std::make_tuple(8000, 2, Sample::Int16, "abcdefghijkl"));
    // 24-bit samples become the top three bytes of 32-bit ones.
    const WaveData wide = read({.bits = 24, .frames = 2}, "\x56\x34\x12\xFF\xEE\xDD");
    EXPECT_EQ(std::tie(wide.sample, wide.bytes),
              std::make_tuple(Sample::Int32, std::string("\0\x56\x34\x12\0\xFF\xEE\xDD", 8)));

    EXPECT_EQ(read({.bits = 8}).sample, Sample::UInt8);
    EXPECT_EQ(read({.bits = 32}).sample, Sample::Int32);
    EXPECT_EQ(read({.tag = 3, .bits = 32, .extensible = true}).sample, Sample::Float);
}

class GatedPlayerTest : public SoundTest {
protected:
    GatedSoundPlayer player{[this](const std::filesystem::path& file, WaveData wave) {
                                if (failPlaying)
                                    throw std::bad_alloc();
                                played.emplace_back(file, wave.length);
                            },
                            [this] { return now; },
                            [this](const Problem& problem) { reports.push_back(problem.text); }};
    std::chrono::steady_clock::time_point now = std::chrono::steady_clock::time_point() + 1h;
    std::vector<std::pair<std::filesystem::path, std::chrono::milliseconds>> played;
    std::vector<std::string> reports;  // Windows-1252
    bool failPlaying = false;
};

// A file beyond the limits plays nothing, blocks nothing and is named once with the limit, until
// another is refused; so is a sound that fails for want of memory. An unplayable one says nothing.
TEST_F(GatedPlayerTest, RefusedFileIsNamedOnceWithItsLimitAndBlocksNothing)
{
    const auto big = sparseWav("gross.wav", {.channels = 2, .rate = 44100}, kMaxWaveBytes + 4);
    const auto longer = sparseWav("lang.wav", {.bits = 8}, 8000 * 601);
    const auto ok = wav("ok.wav", {});
    for (const auto& file :
         {big, big, longer, longer, big, dir / "missing.wav", std::filesystem::path("<keine>"), {}})
        player.playFile(file.string());
    player.playFile(ok.string());
    failPlaying = true;
    now += 1h;
    player.playFile(ok.string());
    player.playFile(ok.string());
    failPlaying = false;
    player.playFile(ok.string());  // the failed sound holds no busy time
    const std::string tooBig =
        "Die Wave-Datei " + big.string() + " wird nicht gespielt: Sie h\xE4lt mehr als 16 MiB Klangdaten.";
    EXPECT_EQ(reports,
              (std::vector<std::string>{
                  tooBig,
                  "Die Wave-Datei " + longer.string() +
                      " wird nicht gespielt: Sie dauert l\xE4nger als 10 Minuten.",
                  tooBig, "Die Wave-Datei " + ok.string() + " wird nicht gespielt: std::bad_alloc"}));
    EXPECT_EQ(played, (decltype(played){{ok, 500ms}, {ok, 500ms}}));
}

// The paths come in Windows-1252, the names on disk are UTF-8.
TEST_F(GatedPlayerTest, SkipsSoundsWhileOneStillPlays)
{
    const auto half = wav("half.wav", {});
    const auto other = wav("Kl\xC3\xA4nge.wav", {.frames = 800});
    const std::string otherAnsi = dir.path().string() + "/Kl\xE4nge.wav";
    player.playFile(half.string());
    now += 499ms;
    player.playFile(otherAnsi);  // the first sound still plays
    now += 1ms;
    player.playFile(otherAnsi);
    player.release();
    player.playFile(half.string());  // a released player is free at once
    EXPECT_EQ(played, (decltype(played){{half, 500ms}, {other, 100ms}, {half, 500ms}}));
}

// A FIFO without a writer would hold an ordinary open for good.
TEST_F(GatedPlayerTest, FifoIsNotWaitedForAndPlaysNothing)
{
    const auto fifo = dir / "fifo.wav";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    auto asked = std::async(std::launch::async, [&] {
        player.playFile(fifo.string());
        return wavDuration(fifo);
    });
    const bool returned = asked.wait_for(10s) == std::future_status::ready;
    while (asked.wait_for(100ms) != std::future_status::ready)
        ::close(::open(fifo.c_str(), O_WRONLY | O_NONBLOCK));  // a writer lets a stuck open end
    EXPECT_TRUE(returned);
    EXPECT_FALSE(asked.get());
    EXPECT_TRUE(played.empty());
}

TEST_F(GatedPlayerTest, OnlyOneOfManyThreadsAtOncePlays)
{
    const auto file = wav("a.wav", {});
    std::atomic<bool> go{false};
    std::vector<std::thread> threads;
    for (int i = 0; i < 8; ++i)
        threads.emplace_back([&] {
            while (!go)
                std::this_thread::yield();
            for (int k = 0; k < 20; ++k)
                player.playFile(file.string());
        });
    go = true;
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(played.size(), 1u);
}

// A player whose file reads hang (a file on a stuck network mount) until they are let go.
struct HangingPlayer : SoundPlayer {
    void playFile(std::string_view ansiPath) override
    {
        {
            std::lock_guard lock(mutex);
            asked.emplace_back(ansiPath);
        }
        ++count;
        letGo.wait();
        ++done;
    }
    std::mutex mutex;
    std::vector<std::string> asked;
    std::atomic<std::size_t> count = 0;
    std::atomic<int> done = 0;
    std::promise<void> release;
    std::shared_future<void> letGo = release.get_future().share();
};

// A hung read holds neither the caller nor the end of the player, and one thread at most; an
// exception on the reading thread ends nothing.
TEST(OffThreadSoundPlayer, HungReadHoldsNeitherTheCallerNorTheEndAndAnExceptionEndsNothing)
{
    auto files = std::make_shared<HangingPlayer>();
    {
        OffThreadSoundPlayer player(files);
        player.playFile("a.wav");
        ASSERT_TRUE(testing::wait_until([&] { return files->count == 1; }));
        player.playFile("b.wav");  // skipped: a.wav is still being read
        files->release.set_value();
        // Asked again until the read of a.wav has ended.
        ASSERT_TRUE(testing::wait_until([&] {
            if (files->count == 2)
                return true;
            player.playFile("c.wav");
            return false;
        }));
        EXPECT_EQ(files->asked, (std::vector<std::string>{"a.wav", "c.wav"}));
    }
    ASSERT_TRUE(testing::wait_until([&] { return files->done == 2; }));

    auto hung = std::make_shared<HangingPlayer>();
    {
        OffThreadSoundPlayer player(hung);
        player.playFile("a.wav");
        ASSERT_TRUE(testing::wait_until([&] { return hung->count == 1; }));
    }  // the player ends while its read still hangs
    hung->release.set_value();
    EXPECT_TRUE(testing::wait_until([&] { return hung->done == 1; }));

    // An exception out of the player, a std::exception or not, skips that sound and ends nothing.
    struct Failing : SoundPlayer {
        void playFile(std::string_view ansiPath) override
        {
            if (++asked == 1)
                throw std::bad_alloc();
            throw ansiPath.size();
        }
        std::atomic<int> asked = 0;
    };
    auto failing = std::make_shared<Failing>();
    OffThreadSoundPlayer player(failing);
    EXPECT_TRUE(testing::wait_until([&] {
        player.playFile("a.wav");  // skipped while the one before is still read
        return failing->asked >= 3;
    }));
}

// Without an application the player has no thread to play on; with one, requests from any thread
// are queued to the application's thread. A request that blocked would hang the test.
TEST_F(SoundTest, SystemPlayerTakesRequestsWithoutAnApplicationAndFromAnyThread)
{
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    const auto file = wav("a.wav", {}).string();
    makeSystemSoundPlayer()->playFile(file);
    QCoreApplication app(argc, argv);
    {
        auto player = makeSystemSoundPlayer();
        std::thread receiver([&] {
            player->playFile(file);
            player->playFile(file);  // skipped: the first one still plays
        });
        receiver.join();
        player->playFile((dir / "missing.wav").string());
        // A marker queued after the requests shows they have run.
        bool reached = false;
        QMetaObject::invokeMethod(
            &app, [&] { reached = true; }, Qt::QueuedConnection);
        EXPECT_TRUE(testing::wait_until([&] {
            QCoreApplication::processEvents();
            return reached;
        }));
    }
    QCoreApplication::processEvents();
}

// The program must end whatever the player is doing: Qt's own sound effect could hang at exit
// while its loader thread still read a file. Each child process exits at another moment after
// asking for a long sound; an alarm turns a hang into a failure. (With a real sound server, Qt's
// audio engine can still crash in its own teardown at exit, rarely; that is not ours to check.)
TEST_F(SoundTest, ProgramExitsAtAnyMomentAfterASoundWasAskedFor)
{
    // Each child starts afresh: a fork would inherit the audio connection of earlier tests.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string file = wav("long.wav", {.channels = 2, .rate = 44100, .frames = 44100 * 30}).string();
    const auto playThenExit = [&file](int ms) {
        ::alarm(10);
        {
            QCoreApplication app(argc, argv);
            auto player = makeSystemSoundPlayer();
            player->playFile(file);
            QElapsedTimer running;
            running.start();
            do
                QCoreApplication::processEvents();
            while (running.elapsed() < ms);
        }
        std::exit(0);
    };
    const auto endedByItself = [](int status) {
        return WIFEXITED(status) ? WEXITSTATUS(status) == 0 : WTERMSIG(status) != SIGALRM;
    };
    for (const int ms : {0, 1, 2, 3, 4, 5, 6, 8, 10, 15, 20, 50, 100})
        EXPECT_EXIT(playThenExit(ms), endedByItself, "") << "exit " << ms << " ms after the request";
}

}  // namespace
}  // namespace zelvo::platform
