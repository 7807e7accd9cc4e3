// The headless station's user interface: every event the protocol reports becomes one line on
// stdout, starting with a fixed upper-case word, in UTF-8. Texts from the air and the store are
// Windows-1252; line breaks inside them are written as \n, so that every event stays one line.
#pragma once

#include <cstdio>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/roster.h"
#include "protocol/station.h"

namespace zelvo::tools {

// Windows-1252 text as one line of UTF-8: CR LF and lone CR or LF become \n, a backslash \\,
// other control characters \xNN.
std::string printable(std::string_view ansi);
// The reverse for command lines: UTF-8 to Windows-1252, \n to CR LF, \\ to a backslash.
std::string fromCommandText(std::string_view utf8);

const char* stateName(app::TStationState state);
const char* iconName(protocol::TrayPicture icon);

// Serialises whole lines from both threads.
class Console {
public:
    explicit Console(std::FILE* out = stdout) : out_(out) {}
    // The word and its fields, already UTF-8.
    void line(std::string_view word, std::string_view rest = {});

private:
    std::FILE* out_;
    std::mutex mutex_;
};

class ConsoleUi : public protocol::StationUi, public app::RosterObserver {
public:
    struct Options {
        bool registerAnswer = false;  // the answer to the registration question
        bool echo = false;            // answer every message with its own text
    };

    ConsoleUi(Console& console, const app::Roster& roster, Options options);

    // The messages --echo is to answer, since the last call: (base call, text).
    std::vector<std::pair<std::string, std::string>> takeEchoes();

    // StationUi
    void showStatus(const protocol::Status& status) override;
    void updateIcon(protocol::TrayPicture kind) override;
    bool askRegistration(std::string_view call) override;
    void popUp() override;
    void showError(const protocol::Status& status) override;
    void conversationChanged(const app::TUserEntry& entry) override;
    void ownStateChanged(bool online, bool away) override;
    void messageReceived(const app::TUserEntry& entry, std::string_view text) override;
    void messageDelivered(const app::TUserEntry& entry, std::string_view text) override;
    void registered(const app::TUserEntry& entry) override;
    void logged(std::string_view text, app::LogKind kind) override;

    // RosterObserver: a STATE line whenever a station's state changes.
    void rowChanged(int row) override;
    void rowsInserted(int first, int last) override;
    void rowsRemoved(int first, int last) override;

private:
    void reportState(const app::TUserEntry& entry);

    Console& console_;
    const app::Roster& roster_;
    Options options_;
    std::vector<std::pair<std::string, std::string>> echoes_;
    std::map<const app::TUserEntry*, app::TStationState> shownStates_;
};

}  // namespace zelvo::tools
