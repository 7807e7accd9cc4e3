// The radio link as the operator sees it: the link watch and zelvo --check's channel lines,
// against the real driver library and KISS TNCs on 127.0.0.1, and against the stand-in library
// of tests/link that has no channel extensions (an older driver).
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "app/install_check.h"
#include "app/link_watch.h"
#include "dialogs/language.h"
#include "link/flex_api.h"
#include "tests/support/kiss_socket.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace zelvo;
using namespace zelvo::testing;
using namespace std::chrono_literals;
using namespace std::string_literals;

// What checkChannels writes, and its answer.
std::pair<std::string, bool> check(link::FlexApi& driver, std::chrono::milliseconds wait)
{
    char* text = nullptr;
    std::size_t size = 0;
    std::FILE* out = ::open_memstream(&text, &size);
    const bool answers = app::checkChannels(driver, out, wait);
    std::fclose(out);
    std::string written(text, size);
    std::free(text);
    return {written, answers};
}

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(driver.loadFlexApi()); }
    ~LinkTest() override { driver.axExit(); }

    // Starts the real driver on this table, after leaving it if it ran.
    void start(const std::string& table, const std::filesystem::path& file)
    {
        driver.axExit();
        std::filesystem::create_directories(file.parent_path());
        writeFile(file, table);
        ::setenv("ZELVO_FLEXNET_CONF", file.c_str(), 1);
        driver.axInit();
    }

    TempDir dir;
    ScopedEnv conf{"ZELVO_FLEXNET_CONF", nullptr};
    link::FlexApi driver{ZELVO_FLXAPI};
};

TEST_F(LinkTest, WatchNamesATncThatDoesNotAnswerAfterTheGraceUntilItDoes)
{
    auto tnc = std::make_unique<KissServer>(/*listen_now=*/false);  // connections refused
    const QString port = QString::number(tnc->port());
    start("2 kiss-tcp 127.0.0.1:" + port.toStdString() + " Nord\n", dir / "t.conf");
    app::LinkWatch watch(driver, 300ms);
    QSignalSpy changes(&watch, &app::LinkWatch::warningsChanged);
    watch.start();
    EXPECT_TRUE(watch.warnings().isEmpty());  // the driver is still trying

    const QStringList down{"Kanal 2: TNC 127.0.0.1:" + port + " nicht erreichbar"};
    EXPECT_TRUE(QTest::qWaitFor([&] { return watch.warnings() == down; }, 15000));
    tnc->listen();
    ASSERT_TRUE(tnc->accept());
    EXPECT_TRUE(QTest::qWaitFor([&] { return watch.warnings().isEmpty(); }, 15000));
    tnc.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return watch.warnings() == down; }, 15000));
    EXPECT_EQ(changes.count(), 3);

    // A switch of the language words the warning anew at once.
    dialogs::LanguageSwitch language;
    language.apply("fr");
    EXPECT_EQ(watch.warnings(), QStringList("Canal 2\u00a0: TNC 127.0.0.1:" + port + " injoignable"));
    EXPECT_EQ(changes.count(), 4);
}

TEST_F(LinkTest, CheckListsTheTableAndEachChannelAndFailsWhenNoTncAnswers)
{
    KissServer tnc;
    KissServer down(/*listen_now=*/false);
    const std::string up = std::to_string(tnc.port()), refused = std::to_string(down.port());
    // A name longer than the first buffer the binding tries.
    const auto file = dir / std::string(200, 'd') / (std::string(100, 'f') + ".conf");
    start("0 kiss-tcp 127.0.0.1:" + up + "@1200 Direwolf\n5 kiss-tcp 127.0.0.1:" + refused +
              " Nord \xFC\n9 kiss-serial /dev/zelvo-none 9600 Seriell\n",
          file);
    ASSERT_TRUE(tnc.accept());
    EXPECT_EQ(check(driver, 300ms),
              std::pair("channel table: " + file.string() + "\nchannel 0: kiss-tcp 127.0.0.1:" + up +
                            "@1200 \"Direwolf\": TNC answers\nchannel 5: kiss-tcp 127.0.0.1:" + refused +
                            " \"Nord \xC3\xBC\": TNC does not answer\nchannel 9: kiss-serial /dev/zelvo-none "
                            "9600 \"Seriell\": TNC does not answer\n",
                        true));

    start("5 kiss-tcp 127.0.0.1:" + refused + " Nord\n", file);
    EXPECT_FALSE(check(driver, 100ms).second);
    start("# keiner\n", file);
    EXPECT_EQ(check(driver, 100ms),
              std::pair("channel table: " + file.string() + "\nchannels: none\n", false));
    driver.axExit();
    std::filesystem::remove(file);
    driver.axInit();  // no file: the built-in channel
    EXPECT_TRUE(check(driver, 0ms)
                    .first.starts_with("channel table: none found, the built-in channel 0\n"
                                       "channel 0: kiss-tcp 127.0.0.1:8001 \"127.0.0.1:8001\": "));
}

TEST_F(LinkTest, ADriverWithoutTheChannelExtensionsIsNotWatched)
{
    link::FlexApi older(ZELVO_FAKE_FLXAPI);  // names channel 0, cannot tell its TNC
    ASSERT_TRUE(older.loadFlexApi());
    older.axInit();
    app::LinkWatch watch(older, 0ms);
    watch.start();
    EXPECT_TRUE(watch.warnings().isEmpty());
    EXPECT_EQ(check(older, 0ms), std::pair("channels: the driver does not describe them\n"s, true));
    older.axExit();
}

}  // namespace
