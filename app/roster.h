// The roster: the stations this program knows, in row order, each with its stored text fields and
// its run-time record; the base-call rule, the two lookups by call and the roster sort.
//
// Not thread-safe by itself. The owner serialises every access (the protocol engine holds its lock
// while the receive thread works on rows), and observers are called synchronously on the thread
// that makes the change, with that lock held.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zelvo::app {

// Also the row's picture number.
enum class TStationState : int {
    Online = 0,
    OnlineUnread = 1,
    HasPolled = 2,
    Sending = 3,
    Away = 4,
    AwayUnread = 5,
    Offline = 6,
    OfflineUnread = 7,
};

inline constexpr int MAX_ENTRIES = 31;
inline constexpr int TEXT_FIELD_COUNT = 10;

// Texts are Windows-1252 bytes. Counters, flags and PIDs are decimal texts, as stored.
struct TUserEntry {
    std::string call;  // base call, the key
    TStationState state = TStationState::Offline;

    // The stored fields, in stored order (fields 0..9).
    std::string alias;
    std::string channel;
    std::string path;    // call with SSID, then the digipeaters, blank-separated
    std::string sounds;  // "1" / "0"
    std::string remote;  // "1" / "0"
    std::string pollCount = "0";
    std::string sendCount;
    std::string sendPid = "208";
    std::string lastRxPid = "218";
    std::string awayText;

    // Run-time record, never stored.
    bool unread = false;
    std::vector<std::string> rxBuffer;  // the conversation
    std::vector<std::string> txBuffer;  // waiting texts, oldest first
    // The first lines of rxBuffer are the history an earlier run kept: the local date each was
    // kept on (yyyy-MM-dd, empty when unknown), one a line. The lines behind them are this run's.
    std::vector<std::string> keptDates;

    std::array<std::string, TEXT_FIELD_COUNT> textFields() const;
    std::string& textField(int index);  // index 0..9
    const std::string& textField(int index) const;
};

// A station counts as reachable below Offline.
bool isReachable(TStationState state);
bool isReachable(const TUserEntry& entry);

// The text up to its first blank; without a blank its first 8 characters.
std::string firstWord(std::string_view text);
// The text up to its first "-"; without a "-" its first 9 characters.
std::string baseCall(std::string_view text);

// The roster comparison: <0 when a comes first, >0 when b does, 0 for equal rank.
enum class SortMode : int {
    ByState = -1,  // smaller state first
    TopCall = 0,   // the row whose call equals topCall (case-sensitive) first
};
int compareEntries(const TUserEntry& a, const TUserEntry& b, SortMode mode, std::string_view topCall);

// Hooks for a view of the roster (a Qt item model maps them onto its begin/end signals).
class RosterObserver {
public:
    virtual ~RosterObserver() = default;
    virtual void rowsAboutToBeInserted(int /*first*/, int /*last*/) {}
    virtual void rowsInserted(int /*first*/, int /*last*/) {}
    virtual void rowsAboutToBeRemoved(int /*first*/, int /*last*/) {}
    virtual void rowsRemoved(int /*first*/, int /*last*/) {}
    virtual void rowChanged(int /*row*/) {}
    virtual void rowsAboutToBeReordered() {}
    virtual void rowsReordered() {}
};

class Roster {
public:
    Roster() = default;
    Roster(const Roster&) = delete;
    Roster& operator=(const Roster&) = delete;

    int size() const { return static_cast<int>(rows_.size()); }
    bool empty() const { return rows_.empty(); }
    bool isFull() const { return size() >= MAX_ENTRIES; }

    // Entries keep their address while they are on the roster, whatever the sorting does.
    TUserEntry& at(int row);
    const TUserEntry& at(int row) const;
    // -1 when the entry is not on this roster.
    int indexOf(const TUserEntry* entry) const;

    // Appends without looking at MAX_ENTRIES; the create command checks isFull() first.
    TUserEntry& append(std::unique_ptr<TUserEntry> entry);
    // A new entry with fields 5..9 at their initial values and call = baseCall(firstWord(path)).
    TUserEntry& addEntry(std::string alias, std::string channel, std::string path, bool sounds, bool remote,
                         TStationState state = TStationState::Offline);
    void remove(int row);
    void remove(const TUserEntry* entry);
    void clear();

    // The first row whose call equals baseCall(text), ASCII case ignored.
    TUserEntry* findEntry(std::string_view text);
    // The first row whose call begins with baseCall(text), ASCII case ignored.
    TUserEntry* findByPrefix(std::string_view text);

    const std::string& topCall() const { return topCall_; }
    // Stable sort by compareEntries with the given mode.
    void sort(SortMode mode);
    void sortByState() { sort(SortMode::ByState); }
    // Sets topCall and moves its row to the top, the others keeping their order.
    void moveToTop(std::string call);

    void setState(TUserEntry& entry, TStationState state);
    // For whoever changed an entry's fields directly.
    void notifyChanged(const TUserEntry& entry);

    void addObserver(RosterObserver* observer);
    void removeObserver(RosterObserver* observer);

private:
    template <typename Fn>
    void notify(Fn fn);

    std::vector<std::unique_ptr<TUserEntry>> rows_;
    std::string topCall_;
    std::vector<RosterObserver*> observers_;
};

}  // namespace zelvo::app
