#include "app/history_store.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QtGlobal>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <initializer_list>
#include <map>
#include <system_error>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "platform/ansi.h"
#include "platform/user_folders.h"

namespace zelvo::app {
namespace {

constexpr const char* kDriver = "QSQLITE";

constexpr const char* kSchema[] = {
    "CREATE TABLE IF NOT EXISTS messages ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " call TEXT NOT NULL COLLATE NOCASE,"
    " line BLOB NOT NULL,"       // the conversation line, Windows-1252
    " recorded TEXT NOT NULL)",  // local date and time, ISO 8601
    "CREATE INDEX IF NOT EXISTS messages_by_call ON messages (call, id)",
};

std::atomic<int> connectionCount{0};

// What a failed call of SQLite means here, by its primary result code (Qt hands on SQLite's
// code, the extended one included, as the native error code).
enum class Failure { Held, Damaged, Other };

Failure failureOf(const QSqlError& error)
{
    constexpr int kBusy = 5, kLocked = 6, kCorrupt = 11, kNotADatabase = 26;
    bool isNumber = false;
    const int code = error.nativeErrorCode().toInt(&isNumber) & 0xff;
    if (!isNumber)
        return Failure::Other;
    if (code == kBusy || code == kLocked)
        return Failure::Held;
    return (code == kCorrupt || code == kNotADatabase) ? Failure::Damaged : Failure::Other;
}

// Prepares and runs one statement with its values bound in order; its error on failure.
bool run(const QSqlDatabase& db, const char* statement, std::initializer_list<QVariant> values,
         QSqlError& error)
{
    QSqlQuery query(db);
    if (query.prepare(QString::fromLatin1(statement))) {
        for (const QVariant& value : values)
            query.addBindValue(value);
        if (query.exec())
            return true;
    }
    error = query.lastError();
    return false;
}

std::string utf8(const QString& text)
{
    return text.toUtf8().toStdString();
}

std::string sqlError(const QSqlError& error)
{
    return utf8(error.text());
}

char asciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// As the table compares calls (NOCASE folds ASCII letters only).
bool sameCall(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, {}, asciiUpper, asciiUpper);
}

int rowsWithCall(const Roster& roster, std::string_view call)
{
    int rows = 0;
    for (int row = 0; row < roster.size(); ++row)
        rows += sameCall(roster.at(row).call, call) ? 1 : 0;
    return rows;
}

// The local date of a kept line, from the time it was recorded; empty when that is unreadable.
std::string keptDate(const QString& recorded)
{
    const QDate date = QDateTime::fromString(recorded, Qt::ISODate).date();
    return date.isValid() ? utf8(date.toString(Qt::ISODate)) : std::string();
}

// The text of a problem that stops the store for this run (UTF-8).
// Why the store stops, each a whole sentence with the file and the database's reason.
constexpr const char* kUnwritable = QT_TRANSLATE_NOOP(
    "Problem", "Die History-Datei %1 kann nicht geschrieben werden (%2): die History wird in diesem Lauf "
               "nicht gespeichert.");
constexpr const char* kNotCreated = QT_TRANSLATE_NOOP(
    "Problem", "Die History-Datei %1 kann nicht angelegt werden (%2): die History wird in diesem Lauf "
               "nicht gespeichert.");
constexpr const char* kUnreadable = QT_TRANSLATE_NOOP(
    "Problem", "Die History-Datei %1 kann nicht gelesen werden (%2): die History wird in diesem Lauf "
               "nicht gespeichert.");
constexpr const char* kNotSetAside = QT_TRANSLATE_NOOP(
    "Problem", "Die History-Datei %1 ist nicht lesbar und kann nicht beiseitegelegt werden (%2): die "
               "History wird in diesem Lauf nicht gespeichert.");

// A file held by another program, once it lasts; and the news when it is free again.
constexpr const char* kHeldReading = QT_TRANSLATE_NOOP(
    "Problem", "Die History-Datei %1 wird von einem anderen Programm benutzt. Die gespeicherten Zeilen "
               "werden gelesen und neue geschrieben, sobald sie frei ist.");
constexpr const char* kHeldWriting = QT_TRANSLATE_NOOP(
    "Problem", "Die History-Datei %1 wird von einem anderen Programm benutzt. Neue Zeilen werden "
               "zurückgehalten und geschrieben, sobald sie frei ist.");
constexpr const char* kFreeAgain =
    QT_TRANSLATE_NOOP("Problem", "Die History-Datei %1 ist wieder frei; keine Zeile ist verloren gegangen.");

platform::Problem stopProblem(const char* format, const std::filesystem::path& file, const std::string& error)
{
    return platform::composedProblem(format, {file.string(), error});
}

}  // namespace

std::filesystem::path HistoryStore::defaultPath()
{
    return platform::dataHome() / "zelvo" / "history.sqlite";
}

HistoryStore::HistoryStore(std::filesystem::path file, Clock clock)
    : file_(std::move(file)), clock_(clock ? std::move(clock) : Clock(&std::chrono::steady_clock::now))
{
    retryTimer_.setInterval(kRetryInterval);
    retryTimer_.callOnTimeout(this, &HistoryStore::retryByTimer);
}

HistoryStore::~HistoryStore()
{
    retryTimer_.stop();
    if (!queue_.empty())
        lastTry();
    closeDatabase();
}

// The lines still waiting get one longer wait before they would end with the program.
void HistoryStore::lastTry()
{
    busyTimeout_ = kLastWait;
    if (std::exchange(waitingLoad_, nullptr)) {
        std::string error;
        std::vector<Row> rows;
        if (openDatabase(error, rows) != Opening::Opened)
            return;
    } else if (open_) {
        QSqlQuery(QSqlDatabase::database(QString::fromStdString(connection_), false))
            .exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(kLastWait.count()));
    }
    heldSince_.reset();
    (void)flush();
}

HistoryStore::Opening HistoryStore::openDatabase(std::string& error, std::vector<Row>& rows)
{
    if (auto failure = platform::makePrivateFolder(file_.parent_path())) {
        error = *failure;
        return Opening::Unwritable;
    }
    // SQLite gives its -wal and -shm files the database's mode: made 0600 here, they are too.
    if (const int fd = ::open(file_.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, platform::kPrivateFileMode);
        fd >= 0)
        ::close(fd);
    connection_ = "zelvo-history-" + std::to_string(connectionCount++);
    QSqlDatabase db = QSqlDatabase::addDatabase(kDriver, QString::fromStdString(connection_));
    db.setDatabaseName(QString::fromStdString(file_.string()));
    // Qt's default waits 5 s on the window thread; a held file is tried again from the timer.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeout_.count()));
    if (!db.open()) {
        error = sqlError(db.lastError());
        const Failure failure = failureOf(db.lastError());
        return failure == Failure::Held
                   ? Opening::Busy
                   : (failure == Failure::Damaged ? Opening::Damaged : Opening::Unreadable);
    }
    return readDatabase(error, rows);
}

HistoryStore::Opening HistoryStore::readDatabase(std::string& error, std::vector<Row>& rows)
{
    QSqlQuery query(QSqlDatabase::database(QString::fromStdString(connection_), false));
    const auto failed = [&](Opening otherwise) {
        error = sqlError(query.lastError());
        switch (failureOf(query.lastError())) {
        case Failure::Held: return Opening::Busy;
        case Failure::Damaged: return Opening::Damaged;
        case Failure::Other: break;
        }
        return otherwise;
    };
    // A file that is not a database at all fails here, at its first read.
    if (!query.exec("PRAGMA integrity_check") || !query.next())
        return failed(Opening::Unreadable);
    if (query.value(0).toString() != QLatin1String("ok")) {
        error = utf8(query.value(0).toString());
        return Opening::Damaged;
    }
    // Commits need not wait for the disk (a crash may lose the last lines, never the file); a
    // read-only or held file refuses this and still serves its lines.
    query.exec("PRAGMA journal_mode = WAL");
    query.exec("PRAGMA synchronous = NORMAL");
    for (const char* statement : kSchema) {
        if (!query.exec(statement))
            return failed(Opening::Unwritable);
    }
    if (!query.exec("SELECT call, line, recorded FROM messages ORDER BY id"))
        return failed(Opening::Unreadable);
    while (query.next())
        rows.push_back({platform::toAnsi(query.value(0).toString()),
                        query.value(1).toByteArray().toStdString(), keptDate(query.value(2).toString())});
    if (query.lastError().isValid())
        return failed(Opening::Unreadable);
    open_ = true;
    return Opening::Opened;
}

void HistoryStore::closeDatabase()
{
    open_ = false;
    if (connection_.empty())
        return;
    const QString name = QString::fromStdString(connection_);
    QSqlDatabase::database(name, false).close();
    QSqlDatabase::removeDatabase(name);
    connection_.clear();
}

std::filesystem::path HistoryStore::setAside()
{
    const std::string stamp = utf8(QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss"));
    std::filesystem::path aside = file_.string() + ".beschaedigt-" + stamp;
    std::error_code ec;
    for (int n = 1; std::filesystem::exists(aside, ec); ++n)
        aside = file_.string() + ".beschaedigt-" + stamp + "-" + std::to_string(n);
    std::filesystem::rename(file_, aside, ec);
    if (ec)
        return {};
    // A journal left beside the damaged file belongs to it, not to the new database.
    for (const char* suffix : {"-journal", "-wal", "-shm"}) {
        const std::filesystem::path side = file_.string() + suffix;
        if (std::filesystem::exists(side, ec))
            std::filesystem::rename(side, aside.string() + suffix, ec);
    }
    return aside;
}

std::optional<platform::Problem> HistoryStore::fail(platform::Problem problem)
{
    closeDatabase();
    queue_.clear();
    waitingLoad_ = nullptr;
    retryTimer_.stop();
    if (reported_)
        return std::nullopt;
    reported_ = true;
    return problem;
}

std::optional<platform::Problem> HistoryStore::load(Roster& roster)
{
    waitingLoad_ = nullptr;
    if (!QSqlDatabase::isDriverAvailable(kDriver))
        return fail(platform::composedProblem(QT_TRANSLATE_NOOP(
            "Problem", "Der SQLite-Treiber von Qt fehlt: die History wird nicht gespeichert.")));
    std::error_code ec;
    const bool existed = std::filesystem::exists(file_, ec);
    std::vector<Row> rows;
    std::string error;
    std::optional<platform::Problem> problem;
    switch (openDatabase(error, rows)) {
    case Opening::Opened: break;
    case Opening::Busy:
        closeDatabase();
        waitingLoad_ = &roster;
        problem = heldBack();
        scheduleRetry();
        return problem;
    case Opening::Unwritable: return fail(stopProblem(kUnwritable, file_, error));
    // Not damage (no permission, an input/output error): the file stays for a later run.
    case Opening::Unreadable: return fail(stopProblem(kUnreadable, file_, error));
    case Opening::Damaged:
        if (!existed)
            return fail(stopProblem(kNotCreated, file_, error));
        problem = setAsideAndBegin(error, rows);
        if (!open_)
            return problem;
    }
    attach(roster, std::move(rows));
    const auto written = flush();
    scheduleRetry();
    return problem ? problem : written;
}

std::optional<platform::Problem> HistoryStore::setAsideAndBegin(std::string error, std::vector<Row>& rows)
{
    closeDatabase();
    const std::filesystem::path aside = setAside();
    if (aside.empty())
        return fail(stopProblem(kNotSetAside, file_, error));
    auto problem = platform::composedProblem(
        QT_TRANSLATE_NOOP("Problem", "Die History-Datei %1 war nicht lesbar (%2) und liegt jetzt als %3 "
                                     "daneben; eine neue wurde begonnen."),
        {file_.string(), error, aside.filename().string()});
    rows.clear();
    if (openDatabase(error, rows) != Opening::Opened)
        return fail(stopProblem(kNotCreated, file_, error));
    return problem;
}

void HistoryStore::attach(Roster& roster, std::vector<Row> rows)
{
    // Changes made while the file was held are not written yet, but the roster already has them.
    for (const Change& change : queue_) {
        const auto hasCall = [&change](const Row& row) { return sameCall(row.call, change.call); };
        if (change.kind == Change::Kind::Drop)
            std::erase_if(rows, hasCall);
        for (std::size_t n = rows.size(), i = 0; i < n; ++i) {
            if (change.kind == Change::Kind::Move && hasCall(rows[i]))
                rows[i].call = change.text;
            if (change.kind == Change::Kind::Copy && hasCall(rows[i])) {
                Row copy = rows[i];
                copy.call = change.text;
                rows.push_back(std::move(copy));
            }
        }
    }
    std::map<TUserEntry*, std::vector<Row>> kept;
    for (Row& row : rows) {
        if (TUserEntry* entry = roster.findEntry(row.call))
            kept[entry].push_back(std::move(row));
    }
    for (auto& [entry, lines] : kept) {
        std::vector<std::string> texts, dates;
        for (Row& row : lines) {
            texts.push_back(std::move(row.line));
            dates.push_back(std::move(row.date));
        }
        entry->rxBuffer.insert(entry->rxBuffer.begin(), texts.begin(), texts.end());
        entry->keptDates.insert(entry->keptDates.begin(), dates.begin(), dates.end());
        emit keptLinesAdded(*entry);
    }
}

std::optional<platform::Problem> HistoryStore::loaded()
{
    Roster* roster = std::exchange(pending_, nullptr);
    return roster ? load(*roster) : std::nullopt;
}

std::optional<platform::Problem> HistoryStore::retry()
{
    std::optional<platform::Problem> problem;
    if (Roster* roster = std::exchange(waitingLoad_, nullptr))
        problem = load(*roster);
    else
        problem = flush();
    scheduleRetry();
    return problem;
}

void HistoryStore::retryByTimer()
{
    if (const auto problem = retry())
        emit problemArose(*problem);
}

void HistoryStore::scheduleRetry()
{
    if (!waiting())
        retryTimer_.stop();
    else if (!retryTimer_.isActive())
        retryTimer_.start();
}

// Each change first runs the load left for the first use: the kept lines go in front of the
// conversation before it grows, and the lines of a station are there to be dropped or moved.
std::optional<platform::Problem> HistoryStore::record(const TUserEntry& entry, std::string_view line)
{
    const auto problem = loaded();
    if (!enabled_)
        return problem;
    const auto written = change({Change::Kind::Insert, entry.call, std::string(line),
                                 QDateTime::currentDateTime().toString(Qt::ISODate)});
    return problem ? problem : written;
}

// Removing and renaming follow the roster also while switched off: they keep nothing new.
std::optional<platform::Problem> HistoryStore::removeStation(const Roster& roster, int row)
{
    const auto problem = loaded();
    const std::string& call = roster.at(row).call;
    if (rowsWithCall(roster, call) > 1)
        return problem;
    const auto written = change({Change::Kind::Drop, call, {}});
    return problem ? problem : written;
}

std::optional<platform::Problem> HistoryStore::renameStation(const Roster& roster, std::string_view from,
                                                             std::string_view to)
{
    const auto problem = loaded();
    const bool move = sameCall(from, to) || rowsWithCall(roster, from) == 0;
    const auto written =
        change({move ? Change::Kind::Move : Change::Kind::Copy, std::string(from), std::string(to)});
    return problem ? problem : written;
}

std::optional<platform::Problem> HistoryStore::change(Change change)
{
    if (!open_ && !waitingLoad_)
        return std::nullopt;
    queue_.push_back(std::move(change));
    // While the file is held, only the timer tries again: one short wait per interval at most.
    const auto problem = (open_ && !heldSince_) ? flush() : heldBack();
    scheduleRetry();
    return problem;
}

std::optional<platform::Problem> HistoryStore::flush()
{
    if (!open_)
        return std::nullopt;
    if (queue_.empty())
        return noneHeldBack();
    const QSqlDatabase db = QSqlDatabase::database(QString::fromStdString(connection_), false);
    QSqlError error;
    // One transaction: a held file leaves every change waiting, none written twice.
    bool written = run(db, "BEGIN IMMEDIATE", {}, error) &&
                   std::ranges::all_of(queue_, [&](const Change& change) { return write(change, error); }) &&
                   run(db, "COMMIT", {}, error);
    if (!written) {
        QSqlError ignored;
        run(db, "ROLLBACK", {}, ignored);
    }
    if (written) {
        queue_.clear();
        return noneHeldBack();
    }
    if (failureOf(error) == Failure::Held)
        return heldBack();
    return fail(stopProblem(kUnwritable, file_, sqlError(error)));
}

bool HistoryStore::write(const Change& change, QSqlError& error)
{
    const QSqlDatabase db = QSqlDatabase::database(QString::fromStdString(connection_), false);
    const QString call = platform::fromAnsi(change.call);
    switch (change.kind) {
    case Change::Kind::Insert:
        return run(db, "INSERT INTO messages (call, line, recorded) VALUES (?, ?, ?)",
                   {call, QByteArray(change.text.data(), static_cast<qsizetype>(change.text.size())),
                    change.recorded},
                   error) &&
               run(db,
                   "DELETE FROM messages WHERE call = ? AND id NOT IN"
                   " (SELECT id FROM messages WHERE call = ? ORDER BY id DESC LIMIT ?)",
                   {call, call, kKeptPerStation}, error);
    case Change::Kind::Drop: return run(db, "DELETE FROM messages WHERE call = ?", {call}, error);
    case Change::Kind::Move:
        return run(db, "UPDATE messages SET call = ? WHERE call = ?", {platform::fromAnsi(change.text), call},
                   error);
    case Change::Kind::Copy:
        return run(db,
                   "INSERT INTO messages (call, line, recorded)"
                   " SELECT ?, line, recorded FROM messages WHERE call = ? ORDER BY id",
                   {platform::fromAnsi(change.text), call}, error);
    }
    return false;
}

std::optional<platform::Problem> HistoryStore::heldBack()
{
    const auto now = clock_();
    if (!heldSince_)
        heldSince_ = now;
    if (toldHeld_ || now - *heldSince_ < kTellBusyAfter)
        return std::nullopt;
    toldHeld_ = true;
    return platform::composedProblem(waitingLoad_ ? kHeldReading : kHeldWriting, {file_.string()});
}

std::optional<platform::Problem> HistoryStore::noneHeldBack()
{
    if (waiting())
        return std::nullopt;
    heldSince_.reset();
    if (!std::exchange(toldHeld_, false))
        return std::nullopt;
    return platform::composedProblem(kFreeAgain, {file_.string()});
}

}  // namespace zelvo::app
