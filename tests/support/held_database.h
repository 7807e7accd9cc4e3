// Another program's connection to an SQLite file (a backup tool, `sqlite3`), in a write
// transaction until it lets go. With a rollback journal an exclusive transaction shuts out the
// readers as well; in WAL mode only the writers wait.
#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

#include <filesystem>

namespace zelvo::testing {

class HeldDatabase {
public:
    HeldDatabase(const std::filesystem::path& file, bool shutsOutReaders)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", kName);
        db.setDatabaseName(QString::fromStdString(file.string()));
        db.setConnectOptions("QSQLITE_BUSY_TIMEOUT=0");
        EXPECT_TRUE(db.open());
        QSqlQuery query(db);
        if (shutsOutReaders)
            EXPECT_TRUE(query.exec("PRAGMA journal_mode = DELETE")) << query.lastError().text().toStdString();
        EXPECT_TRUE(query.exec(shutsOutReaders ? "BEGIN EXCLUSIVE" : "BEGIN IMMEDIATE"))
            << query.lastError().text().toStdString();
    }
    ~HeldDatabase()
    {
        QSqlDatabase::database(kName, false).close();
        QSqlDatabase::removeDatabase(kName);
    }
    HeldDatabase(const HeldDatabase&) = delete;
    HeldDatabase& operator=(const HeldDatabase&) = delete;

    void letGo() { EXPECT_TRUE(QSqlQuery(QSqlDatabase::database(kName, false)).exec("COMMIT")); }

private:
    static constexpr const char* kName = "another program";
};

}  // namespace zelvo::testing
