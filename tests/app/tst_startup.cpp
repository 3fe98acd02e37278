#include "testdatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <memory>

using lamira::Database;
using lamira::test::TestDatabase;

namespace {

// The lamira program lies beside the test programs in build/bin.
QString program()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath("lamira");
}

constexpr char Shown[] = "main window shown";

} // namespace

// The lamira process itself, on the engine under test.
class StartupTest final : public QObject
{
    Q_OBJECT

private slots:
    void startsOnANewDatabase();
    void twoStartsOnOneDatabase();
    void defaultDatabaseBesideTheProgram();
    void unopenableDatabaseEndsTheProcess_data();
    void unopenableDatabaseEndsTheProcess();
};

void StartupTest::startsOnANewDatabase()
{
    TestDatabase fixture;
    QProcess lamira;
    lamira.start(program(), {"--database", fixture.location(), "--quit-after", "0"});
    QVERIFY(lamira.waitForFinished(30000));
    QCOMPARE(lamira.exitCode(), 0);
    QVERIFY2(lamira.readAllStandardOutput().contains(Shown), "no main window");
    // It created the tables and the settings row.
    QCOMPARE(fixture.db().select("Select * From Settings").rowCount(), 1);
}

void StartupTest::twoStartsOnOneDatabase()
{
    TestDatabase fixture;
    fixture.db(); // the database exists, like on any day but the first
    QProcess first;
    first.start(program(), {"--database", fixture.location(), "--quit-after", "4000"});
    QVERIFY(first.waitForStarted());
    QVERIFY(first.waitForReadyRead(30000));
    QVERIFY(first.readAllStandardOutput().contains(Shown));

    QProcess second;
    second.start(program(), {"--database", fixture.location(), "--quit-after", "0"});
    QVERIFY(second.waitForFinished(30000));
    QVERIFY2(second.readAllStandardOutput().contains(Shown), second.readAllStandardError());
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(first.state(), QProcess::Running); // both were up together

    QVERIFY(first.waitForFinished(30000));
    QCOMPARE(first.exitCode(), 0);
    QCOMPARE(fixture.db().select("Select * From Settings").rowCount(), 1);
}

void StartupTest::defaultDatabaseBesideTheProgram()
{
    if (lamira::test::engineUnderTest() != Database::Engine::SQLite)
        QSKIP("the default database is a file");
    QTemporaryDir folder;
    const QString copy = folder.filePath("lamira");
    QVERIFY(QFile::copy(program(), copy));
    QProcess lamira;
    lamira.setWorkingDirectory(QDir::tempPath()); // not where the program lies
    lamira.start(copy, {"--quit-after", "0"});
    QVERIFY(lamira.waitForFinished(30000));
    QCOMPARE(lamira.exitCode(), 0);
    const QString created = folder.filePath("Orders.mdb");
    QVERIFY(QFile::exists(created));
    Database db(created);
    QCOMPARE(db.select("Select * From Settings").rowCount(), 1);
}

void StartupTest::unopenableDatabaseEndsTheProcess_data()
{
    QTest::addColumn<QString>("location");
    QTest::addColumn<QString>("named");
    if (lamira::test::engineUnderTest() == Database::Engine::SQLite) {
        QTest::newRow("no folder") << "/no/such/folder/Orders.mdb"
                                   << "/no/such/folder/Orders.mdb";
    } else {
        QUrl closed(qEnvironmentVariable("LAMIRA_TEST_PG"));
        closed.setPort(1);
        QTest::newRow("no server") << closed.toString() << "127.0.0.1:1";
    }
}

void StartupTest::unopenableDatabaseEndsTheProcess()
{
    QFETCH(QString, location);
    QFETCH(QString, named);
    QProcess lamira;
    lamira.start(program(), {"--database", location, "--quit-after", "0"});
    QVERIFY(lamira.waitForFinished(30000));
    QCOMPARE(lamira.exitStatus(), QProcess::NormalExit);
    QVERIFY(lamira.exitCode() != 0);
    const QString err = QString::fromUtf8(lamira.readAllStandardError());
    QVERIFY2(err.contains(named), qPrintable(err));
    QVERIFY(!lamira.readAllStandardOutput().contains(Shown));
}

QTEST_GUILESS_MAIN(StartupTest)
#include "tst_startup.moc"
