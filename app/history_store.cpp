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
constexpr const char* kNotSetAside = QT_TRANSLATE_NOOP(
    "Problem", "Die History-Datei %1 ist nicht lesbar und kann nicht beiseitegelegt werden (%2): die "
               "History wird in diesem Lauf nicht gespeichert.");

platform::Problem stopProblem(const char* format, const std::filesystem::path& file, const std::string& error)
{
    return platform::composedProblem(format, {file.string(), error});
}

}  // namespace

std::filesystem::path HistoryStore::defaultPath()
{
    return platform::dataHome() / "zelvo" / "history.sqlite";
}

HistoryStore::HistoryStore(std::filesystem::path file) : file_(std::move(file)) {}

HistoryStore::~HistoryStore()
{
    closeDatabase();
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
    if (!db.open()) {
        error = sqlError(db.lastError());
        return Opening::Unreadable;
    }
    QSqlQuery query(db);
    // A file that is not a database at all fails here, at its first read.
    if (!query.exec("PRAGMA quick_check") || !query.next()) {
        error = sqlError(query.lastError());
        return Opening::Unreadable;
    }
    if (query.value(0).toString() != QLatin1String("ok")) {
        error = utf8(query.value(0).toString());
        return Opening::Unreadable;
    }
    // Commits need not wait for the disk (a crash may lose the last lines, never the file); a
    // read-only file refuses this and still serves its lines.
    query.exec("PRAGMA journal_mode = WAL");
    query.exec("PRAGMA synchronous = NORMAL");
    for (const char* statement : kSchema) {
        if (!query.exec(statement)) {
            error = sqlError(query.lastError());
            return Opening::Unwritable;
        }
    }
    if (!query.exec("SELECT call, line, recorded FROM messages ORDER BY id")) {
        error = sqlError(query.lastError());
        return Opening::Unreadable;
    }
    while (query.next())
        rows.push_back({platform::toAnsi(query.value(0).toString()),
                        query.value(1).toByteArray().toStdString(), keptDate(query.value(2).toString())});
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
    if (reported_)
        return std::nullopt;
    reported_ = true;
    return problem;
}

std::optional<platform::Problem> HistoryStore::load(Roster& roster)
{
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
    case Opening::Unwritable: return fail(stopProblem(kUnwritable, file_, error));
    case Opening::Unreadable: {
        closeDatabase();
        if (!existed)
            return fail(stopProblem(kNotCreated, file_, error));
        const std::filesystem::path aside = setAside();
        if (aside.empty())
            return fail(stopProblem(kNotSetAside, file_, error));
        problem = platform::composedProblem(
            QT_TRANSLATE_NOOP("Problem", "Die History-Datei %1 war nicht lesbar (%2) und liegt jetzt als %3 "
                                         "daneben; eine neue wurde begonnen."),
            {file_.string(), error, aside.filename().string()});
        rows.clear();
        if (openDatabase(error, rows) != Opening::Opened)
            return fail(stopProblem(kNotCreated, file_, error));
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
    }
    return problem;
}

std::optional<platform::Problem> HistoryStore::loaded()
{
    Roster* roster = std::exchange(pending_, nullptr);
    return roster ? load(*roster) : std::nullopt;
}

// Each change first runs the load left for the first use: the kept lines go in front of the
// conversation before it grows, and the lines of a station are there to be dropped or moved.
std::optional<platform::Problem> HistoryStore::record(const TUserEntry& entry, std::string_view line)
{
    const auto problem = loaded();
    const auto written = insertLine(entry, line);
    return problem ? problem : written;
}

std::optional<platform::Problem> HistoryStore::removeStation(const Roster& roster, int row)
{
    const auto problem = loaded();
    const auto written = dropStation(roster, row);
    return problem ? problem : written;
}

std::optional<platform::Problem> HistoryStore::renameStation(const Roster& roster, std::string_view from,
                                                             std::string_view to)
{
    const auto problem = loaded();
    const auto written = fileUnder(roster, from, to);
    return problem ? problem : written;
}

std::optional<platform::Problem> HistoryStore::insertLine(const TUserEntry& entry, std::string_view line)
{
    if (!enabled_ || !open_)
        return std::nullopt;
    std::string error;
    {
        QSqlDatabase db = QSqlDatabase::database(QString::fromStdString(connection_), false);
        QSqlQuery insert(db);
        insert.prepare("INSERT INTO messages (call, line, recorded) VALUES (?, ?, ?)");
        insert.addBindValue(platform::fromAnsi(entry.call));
        insert.addBindValue(QByteArray(line.data(), static_cast<qsizetype>(line.size())));
        insert.addBindValue(QDateTime::currentDateTime().toString(Qt::ISODate));
        QSqlQuery trim(db);
        trim.prepare("DELETE FROM messages WHERE call = ? AND id NOT IN"
                     " (SELECT id FROM messages WHERE call = ? ORDER BY id DESC LIMIT ?)");
        trim.addBindValue(platform::fromAnsi(entry.call));
        trim.addBindValue(platform::fromAnsi(entry.call));
        trim.addBindValue(kKeptPerStation);
        if (!db.transaction())
            error = sqlError(db.lastError());
        else if (!insert.exec())
            error = sqlError(insert.lastError());
        else if (!trim.exec())
            error = sqlError(trim.lastError());
        else if (!db.commit())
            error = sqlError(db.lastError());
        if (!error.empty())
            db.rollback();
    }
    if (error.empty())
        return std::nullopt;
    return fail(stopProblem(kUnwritable, file_, error));
}

std::optional<platform::Problem> HistoryStore::dropStation(const Roster& roster, int row)
{
    const std::string& call = roster.at(row).call;
    if (rowsWithCall(roster, call) > 1)
        return std::nullopt;
    return change("DELETE FROM messages WHERE call = ?", {platform::fromAnsi(call)});
}

std::optional<platform::Problem> HistoryStore::fileUnder(const Roster& roster, std::string_view from,
                                                         std::string_view to)
{
    if (sameCall(from, to) || rowsWithCall(roster, from) == 0)
        return change("UPDATE messages SET call = ? WHERE call = ?",
                      {platform::fromAnsi(to), platform::fromAnsi(from)});
    return change("INSERT INTO messages (call, line, recorded)"
                  " SELECT ?, line, recorded FROM messages WHERE call = ? ORDER BY id",
                  {platform::fromAnsi(to), platform::fromAnsi(from)});
}

std::optional<platform::Problem> HistoryStore::change(const char* statement,
                                                      std::initializer_list<QVariant> values)
{
    // Also while switched off: these follow the roster, they keep nothing new.
    if (!open_)
        return std::nullopt;
    std::string error;
    {
        QSqlQuery query(QSqlDatabase::database(QString::fromStdString(connection_), false));
        query.prepare(statement);
        for (const QVariant& value : values)
            query.addBindValue(value);
        if (!query.exec())
            error = sqlError(query.lastError());
    }
    if (error.empty())
        return std::nullopt;
    return fail(stopProblem(kUnwritable, file_, error));
}

}  // namespace zelvo::app
