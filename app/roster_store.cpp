#include "app/roster_store.h"

#include "app/comma_text.h"
#include "platform/ansi.h"

#include <QtGlobal>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <map>

namespace zelvo::app {
namespace {

using platform::RegistryError;
using platform::RegRoot;

// Fields 0..4 for a line shorter than the program writes; 5..9 are reset anyway.
const std::array<std::string, 5> kInitialStoredFields = {"", "0", "", "1", "0"};

bool isWholeNumber(std::string_view text)
{
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
        text.remove_prefix(1);
    std::int32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

// A value name the program writes for a row beyond the 31 that are read: "31", "32", ...
bool isNameBeyondLimit(std::string_view name)
{
    if (name.empty() || name.size() > 9 || (name.size() > 1 && name.front() == '0'))
        return false;
    int value = 0;
    const auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), value);
    return ec == std::errc() && end == name.data() + name.size() && value >= MAX_ENTRIES;
}

void resetTransientFields(std::vector<std::string>& fields)
{
    fields[5] = "0";
    fields[6].clear();
    fields[7] = "208";
    fields[8] = "218";
    if (fields.size() == 9)
        fields.emplace_back();
    else
        fields[9].clear();
}

// Older layout: field 1 held the call with SSID and field 2 the digipeaters.
void convertOlderLayout(std::vector<std::string>& fields)
{
    if (isWholeNumber(fields[1]))
        return;
    fields[2] = fields[1] + " " + fields[2];
    fields[1] = "0";
}

StoreProblem problem(std::string name, const char* format, std::vector<std::string> arguments = {})
{
    return {platform::composedProblem(format, std::move(arguments)), std::move(name)};
}

StoreProblem registryProblem(const char* format, const RegistryError& error)
{
    return {platform::composedProblem(format, {}, error.problem()), ""};
}

}  // namespace

RosterStore::RosterStore(platform::Registry& registry) : registry_(registry) {}

std::unique_ptr<TUserEntry> RosterStore::entryFromLine(std::string_view line)
{
    std::vector<std::string> fields = decodeCommaText(line);
    if (fields.empty())
        return nullptr;
    for (std::size_t i = fields.size(); i < kInitialStoredFields.size(); ++i)
        fields.push_back(kInitialStoredFields[i]);
    fields.resize(std::max<std::size_t>(fields.size(), 9));
    resetTransientFields(fields);
    convertOlderLayout(fields);

    auto entry = std::make_unique<TUserEntry>();
    for (int i = 0; i < TEXT_FIELD_COUNT; ++i)
        entry->textField(i) = std::move(fields[static_cast<std::size_t>(i)]);
    entry->call = baseCall(firstWord(entry->path));
    if (entry->call.empty())
        return nullptr;
    entry->state = TStationState::Offline;
    return entry;
}

std::vector<StoreProblem> RosterStore::loadList(Roster& roster)
{
    kept_.clear();
    loadFailed_ = false;
    std::vector<StoreProblem> problems;
    std::vector<std::unique_ptr<TUserEntry>> entries;
    try {
        if (!registry_.keyExists(RegRoot::CurrentUser, ROSTER_KEY))
            return problems;
        for (int i = 0; i < MAX_ENTRIES; ++i) {
            const std::string name = std::to_string(i);
            const auto value = registry_.value(RegRoot::CurrentUser, ROSTER_KEY, name);
            if (!value)
                continue;
            const auto* line = std::get_if<std::string>(&*value);
            if (line && line->empty())
                continue;
            auto entry = line ? entryFromLine(*line) : nullptr;
            if (entry) {
                entries.push_back(std::move(entry));
                continue;
            }
            kept_.insert(name);
            problems.push_back(problem(
                name,
                line ? QT_TRANSLATE_NOOP("Problem",
                                         "Eintrag %1 der Adressliste nicht geladen: kein Rufzeichen")
                     : QT_TRANSLATE_NOOP("Problem", "Eintrag %1 der Adressliste nicht geladen: kein Text"),
                {name}));
        }
        for (const std::string& name : registry_.valueNames(RegRoot::CurrentUser, ROSTER_KEY)) {
            if (!isNameBeyondLimit(name))
                continue;
            kept_.insert(name);
            problems.push_back(
                problem(name,
                        QT_TRANSLATE_NOOP("Problem",
                                          "Eintrag %1 der Adressliste nicht geladen: mehr als 31 Einträge"),
                        {name}));
        }
    } catch (const RegistryError& error) {
        loadFailed_ = true;
        kept_.clear();
        return {registryProblem(QT_TRANSLATE_NOOP("Problem", "Adressliste nicht geladen: %1"), error)};
    }
    baseline_.clear();
    for (auto& entry : entries) {
        const auto fields = entry->textFields();
        remember(encodeCommaText({fields.begin(), fields.end()}));
        roster.append(std::move(entry));
    }
    return problems;
}

std::optional<StoreProblem> RosterStore::saveList(const Roster& roster)
{
    if (loadFailed_)
        return problem(
            "", QT_TRANSLATE_NOOP(
                    "Problem", "Adressliste nicht gespeichert: sie konnte beim Start nicht gelesen werden."));
    std::vector<std::string> mine;
    for (int row = 0; row < roster.size(); ++row) {
        const auto fields = roster.at(row).textFields();
        mine.push_back(encodeCommaText({fields.begin(), fields.end()}));
    }
    try {
        registry_.change(RegRoot::CurrentUser, [&](platform::RegEdit& edit) {
            edit.createKey(ROSTER_KEY);
            std::set<std::string> keep = kept_;
            std::vector<std::string> theirs;
            for (const auto& [name, value] : edit.values(ROSTER_KEY)) {
                if (kept_.contains(name))
                    continue;
                const auto* line = std::get_if<std::string>(&value);
                if (line && entryFromLine(*line))
                    theirs.push_back(*line);
                else if (line == nullptr || !line->empty())
                    keep.insert(name);
                if (!keep.contains(name))
                    edit.deleteValue(ROSTER_KEY, name);
            }
            int next = 0;
            for (const std::string& line : shared_ ? mergedRows(mine, theirs) : mine) {
                while (keep.contains(std::to_string(next)))
                    ++next;
                edit.setValue(ROSTER_KEY, std::to_string(next++), line);
            }
        });
    } catch (const RegistryError& error) {
        return registryProblem(QT_TRANSLATE_NOOP("Problem", "Adressliste nicht gespeichert: %1"), error);
    }
    baseline_.clear();
    for (const std::string& line : mine)
        remember(line);
    return std::nullopt;
}

// mine: the rows in memory; theirs: the rows on disk. Rows whose station is in neither mine nor
// the baseline were added by another program; rows of the baseline no longer on disk were
// deleted by another program, and go unless this program has changed them since.
std::vector<std::string> RosterStore::mergedRows(const std::vector<std::string>& mine,
                                                 const std::vector<std::string>& theirs) const
{
    std::map<std::string, std::string> onDisk;
    for (const std::string& line : theirs)
        onDisk.emplace(keyOf(line), line);
    std::vector<std::string> rows;
    std::set<std::string> mineKeys;
    for (const std::string& line : mine) {
        const std::string key = keyOf(line);
        const auto known = baseline_.find(key);
        if (!key.empty() && known != baseline_.end() && !onDisk.contains(key) &&
            known->second == storedForm(line))
            continue;
        rows.push_back(line);
        mineKeys.insert(key);
    }
    for (const std::string& line : theirs) {
        const std::string key = keyOf(line);
        if (!mineKeys.contains(key) && !baseline_.contains(key))
            rows.push_back(line);
    }
    return rows;
}

void RosterStore::remember(const std::string& line)
{
    if (const std::string key = keyOf(line); !key.empty())
        baseline_[key] = storedForm(line);
}

std::string RosterStore::keyOf(std::string_view line)
{
    const auto entry = entryFromLine(line);
    std::string key = entry ? entry->call : std::string();
    std::ranges::transform(key, key.begin(), [](unsigned char c) { return std::toupper(c); });
    return key;
}

std::string RosterStore::storedForm(std::string_view line)
{
    const auto entry = entryFromLine(line);
    if (!entry)
        return std::string(line);
    const auto fields = entry->textFields();
    return encodeCommaText({fields.begin(), fields.end()});
}

}  // namespace zelvo::app
