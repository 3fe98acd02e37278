#include "store/database.h"
#include "store/numbering.h"
#include "store/schema.h"
#include "store/storeerror.h"
#include "store/transaction.h"
#include "testdatabase.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using lamira::Cursor;
using lamira::Database;
using lamira::StoreError;
using lamira::Transaction;
using lamira::test::TestDatabase;

namespace {

// The child half of the two-process test: writes `count` orders named
// prefix-N through its own connection.
constexpr char WriterFlag[] = "--write-orders";

int writeOrders(const QString &location, int count, const QString &prefix)
{
    try {
        Database db(location);
        for (int i = 0; i < count; ++i) {
            db.insert(QStringLiteral("Insert Into Orders (№, Name) Values (?, ?)"),
                      {i, QStringLiteral("%1-%2").arg(prefix).arg(i)});
        }
        return 0;
    } catch (const std::exception &e) {
        fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}

QStringList lowered(const QStringList &names)
{
    QStringList out;
    for (const QString &n : names)
        out << n.toLower();
    return out;
}

// Thrown by the tests to leave a transaction's scope; distinct from the
// store's own errors so that none of those is swallowed by mistake.
struct Abandon
{
};

int count(Database &db, const QString &table)
{
    return db.select(QStringLiteral("Select Count(*) As n From %1").arg(table))
        .integer(QStringLiteral("n"));
}

} // namespace

class StoreTest final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void newDatabaseHasTheTables_data();
    void newDatabaseHasTheTables();
    void settingsRowIsCreatedOnce();
    void initialSettings();
    void newDatabaseIsVersioned();

    void nextNumber_data();
    void nextNumber();
    void unsetColumnsReadAsDefaults();
    void pendingDeletionsArePurgedAndCancelled();
    void textRoundTrips_data();
    void textRoundTrips();
    void dialectStatementsRun();
    void plainSelectInTableOrder();
    void textIntoNumberColumns();

    void emptyResultReadsEmpty();
    void cursorNavigation();
    void cursorFieldsByAnyCase();
    void unknownColumnThrows();
    void realReadsLocaleText();

    void insertReturnsTheNewKey();
    void rejectedStatementThrows();
    void transactionCommits();
    void transactionRollsBackOnException();
    void nestedTransactionJoinsOuter();
    void failedInnerTransactionDoomsOuter();

    void twoConnectionsReadAndWrite();
    void twoProcessesWrite();
    void openWhileAnotherWrites();

    void unopenableDatabaseThrows_data();
    void unopenableDatabaseThrows();
    void foreignSqliteFileIsRefused();

private:
    std::unique_ptr<TestDatabase> m_fixture;
};

void StoreTest::init()
{
    m_fixture = std::make_unique<TestDatabase>();
}

void StoreTest::cleanup()
{
    m_fixture.reset();
}

void StoreTest::newDatabaseHasTheTables_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("columns");

    QTest::newRow("Orders") << "Orders" << QStringList{"ID",    "№",        "Name",   "Date1",
                                                       "Date2", "Customer", "Comment"};
    QTest::newRow("Make") << "Make"
                          << QStringList{"ID", "№", "IDName", "Name", "Quantity", "Comment", "Del"};
    QTest::newRow("Detail") << "Detail"
                            << QStringList{"ID",     "№",        "IDName",   "Name",    "Width",
                                           "Height", "Quantity", "Material", "Texture", "Area",
                                           "Cut",    "Del",      "V"};
    QTest::newRow("MakeBank") << "MakeBank"
                              << QStringList{"ID", "№", "IDName", "Name", "Quantity", "Comment"};
    QTest::newRow("DetailBank") << "DetailBank"
                                << QStringList{"ID",      "№",      "IDName",   "Name",
                                               "Width",   "Height", "Quantity", "Material",
                                               "Texture", "Area",   "Cut",      "V"};
    QTest::newRow("Tree") << "Tree"
                          << QStringList{"NameGroup", "NameMaterial", "1000mm",    "1250mm",
                                         "1500mm",    "2000mm",       "SawHeight", "MinQuantity"};
    QTest::newRow("Temp") << "Temp" << QStringList{"ID", "Type", "Name", "Cut"};
    QTest::newRow("Settings") << "Settings"
                              << QStringList{"Indent",      "ListColor", "DetailColor", "RestColor",
                                             "EditorColor", "FonColor",  "OddVisible",  "MinList",
                                             "OddSize",     "Texture",   "Logo",        "City",
                                             "Address",     "SalonName", "Telephone"};
}

void StoreTest::newDatabaseHasTheTables()
{
    QFETCH(QString, table);
    QFETCH(QStringList, columns);
    const Cursor c = m_fixture->db().select(QStringLiteral("Select * From %1").arg(table));
    QCOMPARE(lowered(c.columns()), lowered(columns));
}

void StoreTest::settingsRowIsCreatedOnce()
{
    QCOMPARE(count(m_fixture->db(), "Settings"), 1);
    // Re-opening, while the first connection is open and after it is gone,
    // must not add another row.
    QCOMPARE(count(*m_fixture->open(), "Settings"), 1);
    const QString location = m_fixture->location();
    m_fixture->db().execute("Update Settings Set City=?", {"Тула"});
    auto reopened = std::make_unique<Database>(location);
    QCOMPARE(count(*reopened, "Settings"), 1);
    QCOMPARE(reopened->select("Select * From Settings").text("City"), QString("Тула"));
}

void StoreTest::initialSettings()
{
    const Cursor s = m_fixture->db().select("Select * From Settings");
    QCOMPARE(s.text("Texture"), QString("нет"));
    QCOMPARE(s.integer("OddVisible"), 1);
    QCOMPARE(s.text("OddVisible"), QString("1")); // the settings form compares the text
    QCOMPARE(s.integer("OddSize"), 10);
    QCOMPARE(s.integer("Indent"), 10);
    QCOMPARE(s.integer("MinList"), 0);
    for (const char *column : {"Logo", "City", "Address", "SalonName", "Telephone"}) {
        QVERIFY2(!s.isNull(column), column);
        QCOMPARE(s.text(column), QString());
    }
    const int sheet = s.integer("ListColor");
    const int detail = s.integer("DetailColor");
    const int rest = s.integer("RestColor");
    QVERIFY(sheet != detail && detail != rest && sheet != rest);
    // 0x00BBGGRR: every channel of the sheet colour is light.
    QVERIFY((sheet & 0xff) > 200 && ((sheet >> 8) & 0xff) > 200 && ((sheet >> 16) & 0xff) > 200);
    QVERIFY(sheet >= 0 && sheet <= 0xffffff);
}

void StoreTest::newDatabaseIsVersioned()
{
    QCOMPARE(m_fixture->db().schemaVersion(), lamira::Schema::CurrentVersion);
    QCOMPARE(m_fixture->open()->schemaVersion(), lamira::Schema::CurrentVersion);
}

void StoreTest::nextNumber_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QList<int>>("stored"); // in insertion order
    QTest::addColumn<int>("expected");

    for (const char *table : {"Orders", "MakeBank", "DetailBank"}) {
        QTest::addRow("%s empty", table) << table << QList<int>{} << 1;
        QTest::addRow("%s 1 2 7", table) << table << QList<int>{1, 2, 7} << 8;
        // The newest row counts, not the highest number.
        QTest::addRow("%s 9 then 3", table) << table << QList<int>{9, 3} << 4;
    }
}

void StoreTest::nextNumber()
{
    QFETCH(QString, table);
    QFETCH(QList<int>, stored);
    QFETCH(int, expected);
    Database &db = m_fixture->db();
    for (int n : stored)
        db.execute(QStringLiteral("Insert Into %1 (№, Name) Values (?, ?)").arg(table),
                   {n, QStringLiteral("x")});
    const int next = table == "Orders"     ? lamira::nextOrderNumber(db)
                     : table == "MakeBank" ? lamira::nextBankProductNumber(db)
                                           : lamira::nextBankLineNumber(db);
    QCOMPARE(next, expected);
}

void StoreTest::unsetColumnsReadAsDefaults()
{
    Database &db = m_fixture->db();
    db.execute("Insert Into Make (№, IDName, Name, Quantity) Values (?, ?, ?, ?)",
               {1, 5, "Шкаф", 2});
    db.execute("Insert Into Detail (№, IDName, Name) Values (?, ?, ?)", {1, 5, "Дверь"});
    QCOMPARE(db.select("Select * From Make").integer("Del"), 0);
    QCOMPARE(db.select("Select * From Detail").integer("Del"), 0);
    // The save's update of stored products matches only Del=0.
    QCOMPARE(db.execute("Update Make Set Name=? Where (IDName=?) And (№=?) And (Del=0)",
                        {"Шкаф-купе", 5, 1}),
             1);

    db.execute("Insert Into Tree (NameGroup, NameMaterial) Values (?, ?)", {"ЛДСП", "Бук"});
    const Cursor m = db.select("Select * From Tree Where (NameMaterial=?)", {"Бук"});
    for (const char *size : {"1000mm", "1250mm", "1500mm", "2000mm"})
        QVERIFY2(m.text(size) != "V", size);
    QCOMPARE(m.integer("SawHeight"), 0);
    QCOMPARE(m.text("SawHeight"), QString());
    QCOMPARE(m.real("MinQuantity"), 0.0);
}

void StoreTest::pendingDeletionsArePurgedAndCancelled()
{
    Database &db = m_fixture->db();
    for (int order = 1; order <= 2; ++order) {
        db.execute("Insert Into Make (№, IDName, Name, Quantity, Del) Values (?, ?, ?, ?, ?)",
                   {1, order, "Шкаф", 1, 1});
        db.execute("Insert Into Make (№, IDName, Name, Quantity) Values (?, ?, ?, ?)",
                   {2, order, "Полка", 1});
    }
    db.execute("Update Make Set Del=1 Where IDName=?", {2});
    db.execute("Update Detail Set Del=0");
    QCOMPARE(db.execute("Update Make Set Del=0"), 4);
    QCOMPARE(count(db, "Make Where Del=1"), 0);

    db.execute("Update Make Set Del=1 Where №=?", {1});
    // The purge has no condition on the order.
    QCOMPARE(db.execute("Delete * From Make Where Del=1"), 2);
    QCOMPARE(count(db, "Make"), 2);
}

void StoreTest::textRoundTrips_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("apostrophes") << "Шкаф 'Люкс'";
    QTest::newRow("lone apostrophe") << "O'Brien";
    QTest::newRow("double quote and numero") << "Стол \"№1\"";
    QTest::newRow("placeholder and comment") << "а?б -- в";
    QTest::newRow("injection") << "x'); Delete From Orders; --";
    QTest::newRow("empty") << "";
}

void StoreTest::textRoundTrips()
{
    QFETCH(QString, name);
    Database &db = m_fixture->db();
    db.execute("Insert Into Orders (№, Name, Customer) Values (?, ?, ?)", {1, "other", "c"});
    const qint64 id =
        db.insert("Insert Into Orders (№, Name, Customer) Values (?, ?, ?)", {2, name, name});
    const Cursor c = db.select("Select * From Orders Where Name=?", {name});
    QCOMPARE(c.rowCount(), 1);
    QCOMPARE(c.integer("ID"), int(id));
    QCOMPARE(c.text("Name"), name);
    QCOMPARE(c.text("Customer"), name);
    QCOMPARE(count(db, "Orders"), 2);
}

void StoreTest::dialectStatementsRun()
{
    Database &db = m_fixture->db();
    db.execute("Insert Into Tree (NameGroup, NameMaterial, 1000mm, 2000mm) Values (?, ?, ?, ?)",
               {"ЛДСП", "Дуб", "V", "V"});
    QCOMPARE(db.execute("Update Tree Set 1000mm=' ' Where (NameMaterial=?)", {"Дуб"}), 1);
    const Cursor t = db.select("Select 1000mm, 2000mm From Tree");
    QCOMPARE(t.text("1000mm"), QString(" "));
    QCOMPARE(t.text("2000mm"), QString("V"));

    for (int n : {3, 1, 2})
        db.execute("Insert Into DetailBank (№, IDName, Name) Values (?, ?, ?)", {n, 7, "d"});
    Cursor lines = db.select("Select * From DetailBank Where IDName=? Order By №", {7});
    QList<int> numbers;
    for (; !lines.eof(); lines.next())
        numbers << lines.integer("№");
    QCOMPARE(numbers, (QList<int>{1, 2, 3}));

    db.execute("Insert Into Temp (Type, Name, Cut) Values (?, ?, ?)", {"Заказ", "x", "да"});
    QCOMPARE(db.execute("Delete * From Temp"), 1);
    QCOMPARE(count(db, "Temp"), 0);
}

void StoreTest::plainSelectInTableOrder()
{
    // The forms read "the last row of Select * From Orders" as the newest;
    // on PostgreSQL an updated row would otherwise come last.
    Database &db = m_fixture->db();
    for (int n : {1, 2, 3})
        db.execute("Insert Into Orders (№, Name) Values (?, ?)", {n, "x"});
    db.execute("Update Orders Set Name=? Where №=?", {"changed", 1});
    Cursor c = db.select("Select * From Orders");
    c.last();
    QCOMPARE(c.integer("№"), 3);
    c = db.select("Select * From Orders Where Name<>?", {"y"});
    QCOMPARE(c.integer("№"), 1);
    c.last();
    QCOMPARE(c.integer("№"), 3);
}

void StoreTest::textIntoNumberColumns()
{
    // Forms pass the texts of their edits; colour codes go in as decimal text.
    Database &db = m_fixture->db();
    db.execute("Update Settings Set ListColor=?, OddSize=?", {QString("16777215"), QString("15")});
    const Cursor s = db.select("Select * From Settings");
    QCOMPARE(s.integer("ListColor"), 16777215);
    QCOMPARE(s.integer("OddSize"), 15);
    db.execute("Insert Into Detail (№, IDName, Width, Height, Quantity) Values (?, ?, ?, ?, ?)",
               {QString("1"), 3, QString("600"), QString("400"), QString("5")});
    const Cursor d =
        db.select("Select * From Detail Where (IDName=?) And (№=?)", {QString("3"), QString("1")});
    QCOMPARE(d.integer("Width"), 600);
    QCOMPARE(d.text("Height"), QString("400"));
    db.execute("Update Tree Set MinQuantity=? Where NameMaterial=?", {QString("2.5"), "x"});
}

void StoreTest::emptyResultReadsEmpty()
{
    Cursor c = m_fixture->db().select("Select * From Orders");
    QVERIFY(c.eof());
    QVERIFY(c.atEnd());
    QCOMPARE(c.rowCount(), 0);
    QCOMPARE(c.text("Name"), QString());
    QCOMPARE(c.integer("№"), 0);
    QCOMPARE(c.real("№"), 0.0);
    c.last();
    c.first();
    QVERIFY(c.eof());
}

void StoreTest::cursorNavigation()
{
    Database &db = m_fixture->db();
    for (int n : {1, 2, 7})
        db.execute("Insert Into Orders (№, Name) Values (?, ?)", {n, QString::number(n)});
    Cursor c = db.select("Select * From Orders Order By ID");
    QCOMPARE(c.rowCount(), 3);
    QCOMPARE(c.integer("№"), 1);
    c.next();
    QCOMPARE(c.text("Name"), QString("2"));
    c.last();
    QCOMPARE(c.integer("№"), 7);
    c.next();
    QVERIFY(c.eof());
    QCOMPARE(c.text("Name"), QString());
    c.next(); // stays at the end
    QVERIFY(c.eof());
    c.first();
    QCOMPARE(c.integer("№"), 1);
    QVERIFY(c.seek(1));
    QCOMPARE(c.integer("№"), 2);
    QVERIFY(!c.seek(3));
    QVERIFY(c.eof());
}

void StoreTest::cursorFieldsByAnyCase()
{
    Database &db = m_fixture->db();
    db.execute("Insert Into Tree (NameGroup, NameMaterial, SawHeight) Values (?, ?, ?)",
               {"МДФ", "Белый", 4});
    const Cursor c = db.select("Select * From Tree");
    QCOMPARE(c.text("NameMaterial"), QString("Белый"));
    QCOMPARE(c.text("namematerial"), QString("Белый"));
    QCOMPARE(c.text("NAMEGROUP"), QString("МДФ"));
    QCOMPARE(c.integer("SawHeight"), 4);
    QCOMPARE(c.text("SawHeight"), QString("4"));
}

void StoreTest::unknownColumnThrows()
{
    const Cursor c = m_fixture->db().select("Select * From Orders");
    QVERIFY_THROWS_EXCEPTION(StoreError, c.text("Nmae"));
}

void StoreTest::realReadsLocaleText()
{
    Database &db = m_fixture->db();
    db.execute("Insert Into Detail (№, Name, Area, Width) Values (?, ?, ?, ?)",
               {1, "a", "0,24", 600});
    db.execute("Insert Into Detail (№, Name, Area, Width) Values (?, ?, ?, ?)",
               {2, "b", "1.5", 400});
    Cursor c = db.select("Select * From Detail Order By ID");
    QCOMPARE(c.real("Area"), 0.24);
    QCOMPARE(c.text("Area"), QString("0,24")); // reads back as written
    QCOMPARE(c.real("Width"), 600.0);
    c.next();
    QCOMPARE(c.real("Area"), 1.5);
}

void StoreTest::insertReturnsTheNewKey()
{
    Database &db = m_fixture->db();
    auto other = m_fixture->open();
    const qint64 first = db.insert("Insert Into Orders (№, Name) Values (?, ?)", {1, "a"});
    // Another workstation inserts in between; each still gets its own key.
    const qint64 theirs = other->insert("Insert Into Orders (№, Name) Values (?, ?)", {2, "b"});
    const qint64 second = db.insert("Insert Into Orders (№, Name) Values (?, ?)", {3, "c"});
    QVERIFY(first < theirs);
    QVERIFY(theirs < second);
    QCOMPARE(db.select("Select Name From Orders Where ID=?", {second}).text("Name"), QString("c"));
    QCOMPARE(db.select("Select Name From Orders Where ID=?", {theirs}).text("Name"), QString("b"));

    // Keys only grow: a deleted newest key is not given again.
    db.execute("Delete * From Orders Where ID=?", {second});
    QVERIFY(db.insert("Insert Into Make (№, Name) Values (?, ?)", {1, "m"}) > 0);
    QVERIFY(db.insert("Insert Into Orders (№, Name) Values (?, ?)", {4, "d"}) > second);
}

void StoreTest::rejectedStatementThrows()
{
    Database &db = m_fixture->db();
    try {
        db.execute("Insert Into NoSuchTable (Name) Values (?)", {"x"});
        QFAIL("no error");
    } catch (const StoreError &e) {
        QVERIFY(!e.driverText().isEmpty());
        QCOMPARE(e.statement(), QString("Insert Into NoSuchTable (Name) Values (?)"));
        QVERIFY(QString::fromUtf8(e.what()).contains("NoSuchTable"));
    }
    // The connection goes on working.
    QCOMPARE(count(db, "Orders"), 0);
}

void StoreTest::transactionCommits()
{
    Database &db = m_fixture->db();
    {
        Transaction t(db);
        db.execute("Insert Into Orders (№, Name) Values (?, ?)", {1, "a"});
        db.execute("Insert Into Orders (№, Name) Values (?, ?)", {2, "b"});
        t.commit();
    }
    QCOMPARE(count(*m_fixture->open(), "Orders"), 2);
}

void StoreTest::transactionRollsBackOnException()
{
    Database &db = m_fixture->db();
    db.execute("Insert Into Orders (№, Name) Values (?, ?)", {1, "kept"});
    try {
        Transaction t(db);
        db.execute("Insert Into Orders (№, Name) Values (?, ?)", {2, "lost"});
        db.execute("Update Orders Set Name=? Where №=?", {"changed", 1});
        throw Abandon{};
    } catch (const Abandon &) {
    }
    // A failing statement inside the transaction undoes the earlier ones too.
    try {
        Transaction t(db);
        db.execute("Insert Into Orders (№, Name) Values (?, ?)", {3, "lost"});
        db.execute("Insert Into NoSuchTable (Name) Values (?)", {"x"});
        t.commit();
    } catch (const StoreError &) {
    }
    const Cursor c = db.select("Select * From Orders");
    QCOMPARE(c.rowCount(), 1);
    QCOMPARE(c.text("Name"), QString("kept"));
    // The connection is usable again afterwards.
    db.execute("Insert Into Orders (№, Name) Values (?, ?)", {4, "after"});
    QCOMPARE(count(db, "Orders"), 2);
}

void StoreTest::nestedTransactionJoinsOuter()
{
    Database &db = m_fixture->db();
    auto observer = m_fixture->open();
    try {
        Transaction outer(db);
        db.execute("Insert Into Orders (№, Name) Values (?, ?)", {1, "outer"});
        {
            Transaction inner(db);
            db.execute("Insert Into Orders (№, Name) Values (?, ?)", {2, "inner"});
            inner.commit(); // joins: nothing is written yet
        }
        QCOMPARE(count(*observer, "Orders"), 0);
        throw Abandon{};
    } catch (const Abandon &) {
    }
    QCOMPARE(count(db, "Orders"), 0);

    {
        Transaction outer(db);
        {
            Transaction inner(db);
            db.execute("Insert Into Orders (№, Name) Values (?, ?)", {3, "inner"});
            inner.commit();
        }
        outer.commit();
    }
    QCOMPARE(count(*observer, "Orders"), 1);
}

void StoreTest::failedInnerTransactionDoomsOuter()
{
    Database &db = m_fixture->db();
    Transaction outer(db);
    db.execute("Insert Into Orders (№, Name) Values (?, ?)", {1, "outer"});
    try {
        Transaction inner(db);
        db.execute("Insert Into Orders (№, Name) Values (?, ?)", {2, "inner"});
        throw Abandon{};
    } catch (const Abandon &) {
        // swallowed by a careless caller
    }
    QVERIFY_THROWS_EXCEPTION(StoreError, outer.commit());
    QCOMPARE(count(db, "Orders"), 0);
    // A new transaction starts clean.
    Transaction next(db);
    db.execute("Insert Into Orders (№, Name) Values (?, ?)", {3, "next"});
    next.commit();
    QCOMPARE(count(db, "Orders"), 1);
}

void StoreTest::twoConnectionsReadAndWrite()
{
    Database &first = m_fixture->db();
    auto second = m_fixture->open();
    first.execute("Insert Into Orders (№, Name) Values (?, ?)", {1, "first"});
    QCOMPARE(second->select("Select * From Orders").text("Name"), QString("first"));
    second->execute("Update Orders Set Name=? Where №=?", {"second", 1});
    second->execute("Insert Into Orders (№, Name) Values (?, ?)", {2, "second"});
    QCOMPARE(count(first, "Orders Where Name='second'"), 2);

    // A reader's cursor holds nothing open: the other connection can write
    // while it is still being read.
    Cursor reading = first.select("Select * From Orders");
    second->execute("Delete * From Orders");
    QCOMPARE(reading.rowCount(), 2);
    QCOMPARE(count(first, "Orders"), 0);
}

void StoreTest::twoProcessesWrite()
{
    constexpr int PerWriter = 150;
    Database &db = m_fixture->db();
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {WriterFlag, m_fixture->location(), QString::number(PerWriter), "child"});
    QVERIFY2(child.waitForStarted(), qPrintable(child.errorString()));
    // Write while the child writes; the busy timeout (SQLite) or the server
    // (PostgreSQL) sorts out the turns.
    for (int i = 0; i < PerWriter; ++i)
        db.insert("Insert Into Orders (№, Name) Values (?, ?)",
                  {i, QStringLiteral("parent-%1").arg(i)});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);

    QCOMPARE(count(db, "Orders Where Name Like 'child-%'"), PerWriter);
    QCOMPARE(count(db, "Orders Where Name Like 'parent-%'"), PerWriter);
    Cursor ids = db.select("Select ID From Orders");
    QSet<int> distinct;
    for (; !ids.eof(); ids.next())
        distinct.insert(ids.integer("ID"));
    QCOMPARE(distinct.size(), 2 * PerWriter);
}

void StoreTest::openWhileAnotherWrites()
{
    Database &db = m_fixture->db();
    Transaction saving(db);
    db.execute("Insert Into Orders (№, Name) Values (?, ?)", {1, "not yet"});
    // A second workstation starting now neither waits for the lock nor sees
    // the unfinished change.
    auto starting = m_fixture->open();
    QCOMPARE(count(*starting, "Orders"), 0);
    saving.commit();
    QCOMPARE(count(*starting, "Orders"), 1);
}

void StoreTest::unopenableDatabaseThrows_data()
{
    QTest::addColumn<QString>("location");
    QTest::addColumn<QString>("named"); // what the message must name

    if (lamira::test::engineUnderTest() == Database::Engine::PostgreSQL) {
        const QUrl server(qEnvironmentVariable("LAMIRA_TEST_PG"));
        QUrl closed = server;
        closed.setPort(1); // nothing listens there
        QTest::newRow("no server") << closed.toString() << QString("127.0.0.1:1");
        QUrl missing = server;
        missing.setPath("/no_such_lamira_db");
        QTest::newRow("no database") << missing.toString() << QString("no_such_lamira_db");
        QUrl bad = missing;
        bad.setPassword("secret");
        QTest::newRow("password not shown") << bad.toString() << QString("no_such_lamira_db");
    } else {
        QTest::newRow("no folder") << "/no/such/folder/Orders.mdb"
                                   << "/no/such/folder/Orders.mdb";
        QTest::newRow("a folder") << QDir::tempPath() << QDir::tempPath();
    }
}

void StoreTest::unopenableDatabaseThrows()
{
    QFETCH(QString, location);
    QFETCH(QString, named);
    try {
        Database db(location);
        QFAIL("opened");
    } catch (const StoreError &e) {
        const QString text = QString::fromUtf8(e.what());
        QVERIFY2(text.contains(named), qPrintable(text));
        QVERIFY2(!text.contains("secret"), qPrintable(text));
        QVERIFY(!e.driverText().isEmpty());
    }
}

void StoreTest::foreignSqliteFileIsRefused()
{
    if (m_fixture->engine() != Database::Engine::SQLite)
        QSKIP("a file question");
    const QString garbage = QFileInfo(m_fixture->location()).dir().filePath("garbage.mdb");
    {
        QFile f(garbage);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
    }
    QVERIFY_THROWS_EXCEPTION(StoreError, Database{garbage});

    // Someone else's SQLite file is not taken for a new database.
    const QString foreign = QFileInfo(m_fixture->location()).dir().filePath("foreign.db");
    {
        Database scratch(foreign);
        scratch.execute("Create Table Stuff (x Integer)");
        for (const char *t :
             {"Orders", "Make", "Detail", "MakeBank", "DetailBank", "Tree", "Temp", "Settings"})
            scratch.execute(QStringLiteral("Drop Table %1").arg(t));
        scratch.execute("PRAGMA user_version = 0");
    }
    try {
        Database db(foreign);
        QFAIL("opened");
    } catch (const StoreError &e) {
        QVERIFY(QString::fromUtf8(e.what()).contains("foreign.db"));
    }

    // The file is in WAL mode, which lets other processes read while one writes.
    QCOMPARE(m_fixture->db().select("PRAGMA journal_mode").text("journal_mode"), QString("wal"));
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 5 && qstrcmp(argv[1], WriterFlag) == 0)
        return writeOrders(QString::fromLocal8Bit(argv[2]), atoi(argv[3]),
                           QString::fromLocal8Bit(argv[4]));
    StoreTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_store.moc"
