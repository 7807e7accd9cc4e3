// Two Direwolf soundmodems whose AFSK 1200 modems hear each other without a sound card: each
// transmits into a raw sample file (ALSA's file plugin in front of its null device, set up in the
// modem's own $HOME/.asoundrc) and receives from a UDP port. A thread plays the part of the radio
// channel: in real time it feeds each modem the other's transmitted samples, and silence while
// the other is quiet, so that the receivers see the carrier come and go. Each modem has its own
// KISS and AGW TCP port on 127.0.0.1. Direwolf prints a line or two per frame into its process's
// pipe, which holds some 600 frames' worth: a long test reads them (lines()) now and then.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace zelvo::testing {

class DirewolfPair {
public:
    struct Modem {
        std::uint16_t kissPort = 0;
        std::uint16_t agwPort = 0;
        std::uint16_t audioPort = 0;  // UDP: the samples it receives
        std::unique_ptr<Process> process;
    };

    // Starts both modems and the channel between them; ready() tells whether both listen. Only
    // where unavailable() finds Direwolf.
    explicit DirewolfPair(std::string binary);
    ~DirewolfPair();  // ends the channel thread, then both modems
    DirewolfPair(const DirewolfPair&) = delete;
    DirewolfPair& operator=(const DirewolfPair&) = delete;

    // Why the pair cannot run here (no Direwolf at that path), or nullopt.
    static std::optional<std::string> unavailable(const std::string& binary);

    bool ready() const { return error_.empty(); }
    const std::string& error() const { return error_; }  // why the start failed
    Modem& modem(int index) { return modems_.at(static_cast<std::size_t>(index)); }

private:
    bool start(const std::string& binary, int index);
    void carry(std::stop_token stop);

    TempDir dir_;
    std::array<Modem, 2> modems_;
    std::string error_;
    std::jthread channel_;
};

}  // namespace zelvo::testing
