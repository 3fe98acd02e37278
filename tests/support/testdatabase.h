#pragma once

#include "store/database.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace lamira::test {

// The engine the database tests of this process run on, from the environment
// variable LAMIRA_TEST_ENGINE: "sqlite" (also when unset) or "postgres".
// CTest runs every database test once with each (lamira_add_db_test).
Database::Engine engineUnderTest();
QString engineName(Database::Engine engine);

// A fresh, empty database for one test, removed again with the object.
//
// SQLite: Orders.mdb in a temporary folder. PostgreSQL: a database with a
// unique name CREATEd on the server named by LAMIRA_TEST_PG (test.sh starts
// one; the process stops with a fatal error when it is unset) and DROPped
// afterwards. Nothing exists in it until the first open, which creates the
// program's tables and the Settings row like a first start of the program.
//
//     TestDatabase fixture;              // in init(), or on the stack
//     Database &db = fixture.db();       // the connection the test uses
//     auto other = fixture.open();       // a second connection
//     QProcess::start(..., {fixture.location()});  // or another process
class TestDatabase
{
    Q_DISABLE_COPY_MOVE(TestDatabase)

public:
    explicit TestDatabase(Database::Engine engine = engineUnderTest());
    ~TestDatabase();

    Database::Engine engine() const { return m_engine; }
    // What `lamira --database` takes: a file path or a postgresql:// URL.
    QString location() const { return m_location; }

    // The test's connection, opened on first use.
    Database &db();
    // A further connection of its own.
    std::unique_ptr<Database> open() const;

private:
    Database::Engine m_engine;
    QString m_location;
    QString m_serverDatabase; // PostgreSQL: the name to drop
    QTemporaryDir m_dir;
    std::unique_ptr<Database> m_db;
};

} // namespace lamira::test
