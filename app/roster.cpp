#include "app/roster.h"

#include <algorithm>
#include <stdexcept>

namespace zelvo::app {
namespace {

using TextMember = std::string TUserEntry::*;

constexpr std::array<TextMember, TEXT_FIELD_COUNT> kTextMembers = {
    &TUserEntry::alias,     &TUserEntry::channel,   &TUserEntry::path,      &TUserEntry::sounds,
    &TUserEntry::remote,    &TUserEntry::pollCount, &TUserEntry::sendCount, &TUserEntry::sendPid,
    &TUserEntry::lastRxPid, &TUserEntry::awayText,
};

TextMember textMember(int index)
{
    if (index < 0 || index >= TEXT_FIELD_COUNT)
        throw std::out_of_range("roster text field index");
    return kTextMembers[static_cast<std::size_t>(index)];
}

char asciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return asciiUpper(x) == asciiUpper(y); });
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

std::string cutAt(std::string_view text, char stop, std::size_t maxWithoutStop)
{
    const auto pos = text.find(stop);
    return std::string(pos != std::string_view::npos ? text.substr(0, pos) : text.substr(0, maxWithoutStop));
}

}  // namespace

template <typename Fn>
void Roster::notify(Fn fn)
{
    for (RosterObserver* observer : observers_)
        fn(*observer);
}

std::array<std::string, TEXT_FIELD_COUNT> TUserEntry::textFields() const
{
    std::array<std::string, TEXT_FIELD_COUNT> fields;
    for (int i = 0; i < TEXT_FIELD_COUNT; ++i)
        fields[static_cast<std::size_t>(i)] = this->*kTextMembers[static_cast<std::size_t>(i)];
    return fields;
}

std::string& TUserEntry::textField(int index)
{
    return this->*textMember(index);
}

const std::string& TUserEntry::textField(int index) const
{
    return this->*textMember(index);
}

bool isReachable(TStationState state)
{
    return static_cast<int>(state) < static_cast<int>(TStationState::Offline);
}

bool isReachable(const TUserEntry& entry)
{
    return isReachable(entry.state);
}

std::string firstWord(std::string_view text)
{
    return cutAt(text, ' ', 8);
}

std::string baseCall(std::string_view text)
{
    return cutAt(text, '-', 9);
}

int compareEntries(const TUserEntry& a, const TUserEntry& b, SortMode mode, std::string_view topCall)
{
    switch (mode) {
    case SortMode::ByState: return static_cast<int>(a.state) - static_cast<int>(b.state);
    case SortMode::TopCall: {
        const bool aTop = a.call == topCall;
        const bool bTop = b.call == topCall;
        return aTop == bTop ? 0 : (aTop ? -1 : 1);
    }
    }
    return 0;
}

TUserEntry& Roster::at(int row)
{
    return *rows_.at(static_cast<std::size_t>(row));
}

const TUserEntry& Roster::at(int row) const
{
    return *rows_.at(static_cast<std::size_t>(row));
}

int Roster::indexOf(const TUserEntry* entry) const
{
    const auto it =
        std::find_if(rows_.begin(), rows_.end(), [entry](const auto& row) { return row.get() == entry; });
    return it == rows_.end() ? -1 : static_cast<int>(it - rows_.begin());
}

TUserEntry& Roster::append(std::unique_ptr<TUserEntry> entry)
{
    if (!entry)
        throw std::invalid_argument("Roster::append: no entry");
    const int row = size();
    notify([row](RosterObserver& o) { o.rowsAboutToBeInserted(row, row); });
    rows_.push_back(std::move(entry));
    notify([row](RosterObserver& o) { o.rowsInserted(row, row); });
    return *rows_.back();
}

TUserEntry& Roster::addEntry(std::string alias, std::string channel, std::string path, bool sounds,
                             bool remote, TStationState state)
{
    auto entry = std::make_unique<TUserEntry>();
    entry->call = baseCall(firstWord(path));
    entry->state = state;
    entry->alias = std::move(alias);
    entry->channel = std::move(channel);
    entry->path = std::move(path);
    entry->sounds = sounds ? "1" : "0";
    entry->remote = remote ? "1" : "0";
    return append(std::move(entry));
}

void Roster::remove(int row)
{
    if (row < 0 || row >= size())
        throw std::out_of_range("Roster::remove: no such row");
    notify([row](RosterObserver& o) { o.rowsAboutToBeRemoved(row, row); });
    rows_.erase(rows_.begin() + row);
    notify([row](RosterObserver& o) { o.rowsRemoved(row, row); });
}

void Roster::remove(const TUserEntry* entry)
{
    const int row = indexOf(entry);
    if (row >= 0)
        remove(row);
}

void Roster::clear()
{
    if (rows_.empty())
        return;
    const int last = size() - 1;
    notify([last](RosterObserver& o) { o.rowsAboutToBeRemoved(0, last); });
    rows_.clear();
    notify([last](RosterObserver& o) { o.rowsRemoved(0, last); });
}

TUserEntry* Roster::findEntry(std::string_view text)
{
    // An empty key would match rows of no call at all (or, by prefix, every row).
    const std::string key = baseCall(text);
    if (key.empty())
        return nullptr;
    for (auto& row : rows_) {
        if (equalsIgnoringCase(row->call, key))
            return row.get();
    }
    return nullptr;
}

TUserEntry* Roster::findByPrefix(std::string_view text)
{
    const std::string key = baseCall(text);
    if (key.empty())
        return nullptr;
    for (auto& row : rows_) {
        if (startsWithIgnoringCase(row->call, key))
            return row.get();
    }
    return nullptr;
}

void Roster::sort(SortMode mode)
{
    notify([](RosterObserver& o) { o.rowsAboutToBeReordered(); });
    std::stable_sort(rows_.begin(), rows_.end(), [this, mode](const auto& a, const auto& b) {
        return compareEntries(*a, *b, mode, topCall_) < 0;
    });
    notify([](RosterObserver& o) { o.rowsReordered(); });
}

void Roster::moveToTop(std::string call)
{
    topCall_ = std::move(call);
    sort(SortMode::TopCall);
}

void Roster::setState(TUserEntry& entry, TStationState state)
{
    entry.state = state;
    notifyChanged(entry);
}

void Roster::notifyChanged(const TUserEntry& entry)
{
    const int row = indexOf(&entry);
    if (row >= 0)
        notify([row](RosterObserver& o) { o.rowChanged(row); });
}

void Roster::addObserver(RosterObserver* observer)
{
    if (observer && std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
        observers_.push_back(observer);
}

void Roster::removeObserver(RosterObserver* observer)
{
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

}  // namespace zelvo::app
