// Another program holding an SQLite file (a backup tool, `sqlite3`): in a write transaction
// until it lets go. With a rollback journal an exclusive transaction shuts out the readers as
// well; in WAL mode only the writers wait. The holder is the sqlite3 program where it is
// installed, else a second connection of this process (SQLite's locks hold between the two).
#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "tests/support/process.h"

namespace zelvo::testing {

class HeldDatabase {
public:
    HeldDatabase(const std::filesystem::path& file, bool shutsOutReaders) : shutsOutReaders_(shutsOutReaders)
    {
        if (const QString cli = QStandardPaths::findExecutable("sqlite3"); !cli.isEmpty())
            process_ = std::make_unique<Process>(std::vector{cli.toStdString(), file.string()});
        else {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", kName);
            db.setDatabaseName(QString::fromStdString(file.string()));
            EXPECT_TRUE(db.open());
        }
        if (shutsOutReaders)
            run("PRAGMA journal_mode = DELETE;");
        hold();
    }
    ~HeldDatabase()
    {
        if (process_)
            return;
        QSqlDatabase::database(kName, false).close();
        QSqlDatabase::removeDatabase(kName);
    }
    HeldDatabase(const HeldDatabase&) = delete;
    HeldDatabase& operator=(const HeldDatabase&) = delete;

    void hold() { run(shutsOutReaders_ ? "BEGIN EXCLUSIVE;" : "BEGIN IMMEDIATE;"); }
    void letGo() { run("COMMIT;"); }

private:
    static constexpr const char* kName = "another program";

    // Runs a statement and returns once it is done.
    void run(const std::string& statement)
    {
        if (!process_) {
            EXPECT_TRUE(
                QSqlQuery(QSqlDatabase::database(kName, false)).exec(QString::fromStdString(statement)));
            return;
        }
        process_->write_line(statement + " SELECT 'done';");
        EXPECT_TRUE(process_->wait_line(contains("done"))) << statement;
    }

    bool shutsOutReaders_;
    std::unique_ptr<Process> process_;
};

}  // namespace zelvo::testing
