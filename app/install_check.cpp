#include "app/install_check.h"

#include <QIcon>
#include <QPixmap>

#include <algorithm>
#include <future>
#include <thread>
#include <vector>

#include "app/channel_verdict.h"
#include "art/pictures.h"
#include "dialogs/help_file.h"
#include "dialogs/help_pages.h"
#include "dialogs/help_window.h"
#include "dialogs/jpeg_picture.h"
#include "dialogs/language.h"
#include "link/flex_api.h"
#include "platform/ansi.h"
#include "platform/audio_output.h"

namespace zelvo::app {

namespace {

// The driver's line, then its channels'.
bool checkDriver(std::FILE* out)
{
    link::FlexApi driver;
    if (!driver.loadFlexApi()) {
        std::fprintf(out, "driver: %s not found\n", link::FlexApi::kLibraryName);
        return false;
    }
    std::fprintf(out, "driver: %s\n", driver.loadedFile().c_str());
    driver.axInit();
    const bool answers = checkChannels(driver, out);
    driver.axExit();
    return answers;
}

// Whether the channel's TNC is up: by its link state where the driver tells it.
bool tncUp(link::FlexApi& driver, int channel)
{
    if (const auto state = driver.linkState(channel))
        return state->state == FLX_LINK_UP;
    return driver.tncConnected(channel);
}

// Polls until every TNC is up or the time is up.
void waitForTncs(link::FlexApi& driver, const std::vector<link::FlexApi::Channel>& channels,
                 std::chrono::milliseconds wait)
{
    const auto allUp = [&] {
        return std::all_of(channels.begin(), channels.end(),
                           [&](const auto& channel) { return tncUp(driver, channel.number); });
    };
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (!allUp() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

// One help file, the German one or a language's beside it.
bool checkHelpFile(const QString& fileName, std::FILE* out)
{
    const QByteArray name = fileName.toLocal8Bit();
    if (!dialogs::ChmLibrary::standard().available()) {
        std::fprintf(out, "help: %s cannot be shown without chmlib (libchm.so.1)\n", name.constData());
        return false;
    }
    const auto help = dialogs::HelpPages::load(fileName);
    using Failure = dialogs::HelpPages::Failure;
    switch (help.failure()) {
    case Failure::None: break;
    case Failure::NoReader:
        std::fprintf(out, "help: %s cannot be read without %s\n", name.constData(),
                     dialogs::HelpPages::readerProgram().toLocal8Bit().constData());
        return false;
    case Failure::CannotOpen:
        std::fprintf(out, "help: %s cannot be opened\n", name.constData());
        return false;
    case Failure::Damaged: std::fprintf(out, "help: %s is damaged\n", name.constData()); return false;
    case Failure::TooSlow:
        std::fprintf(out, "help: %s takes too long to read\n", name.constData());
        return false;
    }
    std::fprintf(out, "help: %s, first page %s\n", name.constData(),
                 help.defaultTopic().toUtf8().constData());
    return true;
}

// A line for the help file of each language, German first. A language's missing file counts:
// F1 would show the German pages in its place.
bool checkHelp(std::FILE* out)
{
    const QString german = dialogs::HelpWindow::defaultFileName();
    bool found = true;
    for (const std::string_view language : dialogs::kLanguages)
        found = checkHelpFile(dialogs::helpFileName(german, language), out) && found;
    return found;
}

bool checkAudio(std::FILE* out)
{
    const std::string module = platform::audioModuleFile();
    if (module.empty())
        std::fprintf(out, "audio: %s not found, no sounds\n", platform::kAudioModule);
    else
        std::fprintf(out, "audio: %s\n", module.c_str());
    return !module.empty();
}

bool checkPictures(std::FILE* out)
{
    int count = 0;
    int broken = 0;
    const auto check = [&](bool usable) {
        ++count;
        broken += usable ? 0 : 1;
    };
    for (int kind : {1, 2, 3, 4, 5, 6, 8})
        check(!art::trayPicture(kind).pixmap(16).isNull());
    for (int state = 0; state < 8; ++state)
        check(!art::statePicture(state).pixmap(24).isNull());
    for (int number = 0; number < 10; ++number)
        check(!art::menuPicture(number).pixmap(20).isNull());
    // One splash picture per language: each its own, not the German one standing in for it.
    const QByteArray german = art::splashJpeg(dialogs::kGerman);
    for (const std::string_view language : dialogs::kLanguages) {
        const QByteArray jpeg = art::splashJpeg(language);
        check(!dialogs::decodeJpeg(jpeg).isNull() && (language == dialogs::kGerman || jpeg != german));
    }
    std::fprintf(out, "pictures: %d compiled in, %d of them unusable\n", count, broken);
    return broken == 0;
}

}  // namespace

bool checkChannels(link::FlexApi& driver, std::FILE* out, std::chrono::milliseconds wait)
{
    const auto channels = driver.channels();
    if (channels.empty() && !driver.channelTable()) {
        std::fprintf(out, "channels: the driver does not describe them\n");
        return true;
    }
    const auto table = driver.channelTable();
    if (!table)
        std::fprintf(out, "channel table: not named by the driver\n");
    else if (table->empty())
        std::fprintf(out, "channel table: none found, the built-in channel 0\n");
    else
        std::fprintf(out, "channel table: %s\n", table->c_str());
    if (channels.empty()) {
        std::fprintf(out, "channels: none\n");
        return false;
    }
    waitForTncs(driver, channels, wait);
    // The states before the probes: a TNC that takes one client at a time drops the driver's.
    std::vector<std::pair<std::optional<FlxLinkState>, bool>> states;
    for (const auto& channel : channels)
        states.emplace_back(driver.linkState(channel.number), driver.tncConnected(channel.number));
    // What answers at each TCP address, all asked at once: a KISS TNC shows only by not answering.
    // An AGW link that is up has had its version answer and needs none.
    std::vector<std::future<std::optional<FlxProbe>>> probes;
    for (std::size_t i = 0; i < channels.size(); ++i) {
        const auto& channel = channels[i];
        const auto& state = states[i].first;
        const bool proven = channel.kind == "agw-tcp" && state && state->state == FLX_LINK_UP;
        const bool tcp = channel.kind.ends_with("-tcp") && !proven;
        probes.push_back(
            std::async(std::launch::async, [&driver, &channel, tcp]() -> std::optional<FlxProbe> {
                if (!tcp)
                    return std::nullopt;
                return driver.probe(channel.kind + " " + channel.address, kProbeWait);
            }));
    }
    bool anyAnswers = false;
    for (std::size_t i = 0; i < channels.size(); ++i) {
        const auto& channel = channels[i];
        const ChannelVerdict verdict =
            judgeChannel(channel, states[i].first, states[i].second, probes[i].get());
        anyAnswers = anyAnswers || verdict.answers;
        std::fprintf(out, "channel %d: %s %s \"%s\": %s\n", channel.number, channel.kind.c_str(),
                     channel.address.c_str(), platform::ansiToUtf8(channel.name).c_str(),
                     verdict.text.c_str());
    }
    return anyAnswers;
}

bool checkInstallation(std::FILE* out)
{
    // Every line is written even when an earlier one failed.
    const bool driver = checkDriver(out);
    const bool help = checkHelp(out);
    const bool audio = checkAudio(out);
    const bool pictures = checkPictures(out);
    return driver && help && audio && pictures;
}

}  // namespace zelvo::app
