#include "testdatabase.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUuid>

#include <QtGlobal>

namespace lamira::test {

namespace {

QUrl serverUrl()
{
    const QString url = qEnvironmentVariable("LAMIRA_TEST_PG");
    if (url.isEmpty())
        qFatal("LAMIRA_TEST_PG is not set: the PostgreSQL variant of the database tests needs "
               "a server (./test.sh starts one and sets it)");
    return QUrl(url);
}

// Runs CREATE or DROP DATABASE on the server's maintenance database. These
// cannot go through Database, which would create the program's tables there.
void runOnServer(const QString &sql)
{
    const QUrl url = serverUrl();
    const QString name = QStringLiteral("lamira-test-admin-") + QUuid::createUuid().toString();
    {
        QSqlDatabase admin = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        admin.setHostName(url.host());
        admin.setPort(url.port(5432));
        admin.setUserName(url.userName());
        admin.setPassword(url.password());
        admin.setDatabaseName(url.path().mid(1));
        if (!admin.open())
            qFatal("cannot reach the PostgreSQL test server %s: %s", qPrintable(url.toString()),
                   qPrintable(admin.lastError().text()));
        QSqlQuery q(admin);
        if (!q.exec(sql))
            qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace

Database::Engine engineUnderTest()
{
    const QString name = qEnvironmentVariable("LAMIRA_TEST_ENGINE", QStringLiteral("sqlite"));
    if (name == QLatin1String("sqlite"))
        return Database::Engine::SQLite;
    if (name == QLatin1String("postgres"))
        return Database::Engine::PostgreSQL;
    qFatal("LAMIRA_TEST_ENGINE must be sqlite or postgres, not %s", qPrintable(name));
}

QString engineName(Database::Engine engine)
{
    return engine == Database::Engine::SQLite ? QStringLiteral("sqlite")
                                              : QStringLiteral("postgres");
}

TestDatabase::TestDatabase(Database::Engine engine) : m_engine(engine)
{
    if (m_engine == Database::Engine::SQLite) {
        if (!m_dir.isValid())
            qFatal("cannot make a temporary folder for the test database");
        m_location = m_dir.filePath(QStringLiteral("Orders.mdb"));
        return;
    }
    m_serverDatabase =
        QStringLiteral("lamira_test_") + QUuid::createUuid().toString(QUuid::Id128).left(16);
    runOnServer(QStringLiteral("CREATE DATABASE %1").arg(m_serverDatabase));
    QUrl url = serverUrl();
    url.setPath(QLatin1Char('/') + m_serverDatabase);
    m_location = url.toString();
}

TestDatabase::~TestDatabase()
{
    m_db.reset();
    if (!m_serverDatabase.isEmpty()) {
        // FORCE also ends connections a failed test or a child process left.
        runOnServer(
            QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_serverDatabase));
    }
}

Database &TestDatabase::db()
{
    if (!m_db)
        m_db = open();
    return *m_db;
}

std::unique_ptr<Database> TestDatabase::open() const
{
    return std::make_unique<Database>(m_location);
}

} // namespace lamira::test
