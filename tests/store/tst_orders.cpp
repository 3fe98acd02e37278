#include "store/database.h"
#include "store/orders.h"
#include "store/storeerror.h"
#include "tablerows.h"
#include "testdatabase.h"

#include <QTest>

#include <memory>

using lamira::Cursor;
using lamira::Database;
using lamira::OrderContent;
using lamira::OrderLine;
using lamira::OrderProduct;
using lamira::StoreError;
using lamira::test::everything;
using lamira::test::TestDatabase;
namespace OrderStore = lamira::OrderStore;

namespace {

// A complete row as the sheet shows it.
OrderLine line(const QString &name, int number = 1)
{
    return {QString::number(number), name, "600", "400", "1", "ЛДСП", "нет", "0.24", "да"};
}

OrderProduct product(const QString &name, const QStringList &lines)
{
    OrderProduct p{"1", name, "1", "", {}};
    for (const QString &l : lines)
        p.lines << line(l, int(p.lines.size()) + 1);
    return p;
}

OrderContent order(const QList<OrderProduct> &products, const QString &comment = {})
{
    OrderContent o;
    o.header = {"", "Кухня", "01.02.2024", "10.02.2024", "Иванов", comment};
    o.products = products;
    return o;
}

// Stores an order as "OK" does and returns it with its number filled in.
OrderContent stored(Database &db, OrderContent o)
{
    o.header.number = QString::number(OrderStore::insertCopy(db, o, o.header.name));
    return o;
}

qint64 orderId(Database &db, const QString &number)
{
    return OrderStore::findByNumber(db, number).value_or(-1);
}

// The order's products as "№ name", in the order of their numbers.
QStringList products(Database &db, const QString &number)
{
    QStringList out;
    for (Cursor c =
             db.select("Select * From Make Where IDName=? Order By №, ID", {orderId(db, number)});
         !c.eof(); c.next())
        out << c.text("№") + " " + c.text("Name");
    return out;
}

// The lines of the order's product at position p as "№ name material".
QStringList lines(Database &db, const QString &number, int p)
{
    const Cursor make =
        db.select("Select ID From Make Where (IDName=?) And (№=?)", {orderId(db, number), p});
    QStringList out;
    for (Cursor c =
             db.select("Select * From Detail Where IDName=? Order By №, ID", {make.value("ID")});
         !c.eof(); c.next())
        out << c.text("№") + " " + c.text("Name") + " " + c.text("Material");
    return out;
}

int count(Database &db, const QString &table)
{
    return db.select(QStringLiteral("Select Count(*) As n From %1").arg(table)).integer("n");
}

// Makes the database refuse any detail line named "boom" and any deletion
// of an order, so that a save or a delete fails half-way.
void installFailures(Database &db)
{
    if (db.engine() == Database::Engine::SQLite) {
        db.execute("Create Trigger boom_insert Before Insert On Detail When NEW.Name = 'boom' "
                   "Begin Select RAISE(ABORT, 'boom'); End");
        db.execute("Create Trigger boom_update Before Update On Detail When NEW.Name = 'boom' "
                   "Begin Select RAISE(ABORT, 'boom'); End");
        db.execute("Create Trigger boom_delete Before Delete On Orders "
                   "Begin Select RAISE(ABORT, 'boom'); End");
        return;
    }
    db.execute("Create Function boom_line() Returns trigger Language plpgsql As $$ Begin "
               "If NEW.name = 'boom' Then Raise Exception 'boom'; End If; Return NEW; End $$");
    db.execute("Create Trigger boom_line Before Insert Or Update On Detail For Each Row "
               "Execute Function boom_line()");
    db.execute("Create Function boom_order() Returns trigger Language plpgsql As $$ Begin "
               "Raise Exception 'boom'; End $$");
    db.execute("Create Trigger boom_order Before Delete On Orders For Each Row "
               "Execute Function boom_order()");
}

} // namespace

class OrdersTest final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void roundTripWithApostrophes();
    void listInTableOrder();
    void loadOrdersByNumberAndSkipsMarked();
    void incompleteRowsAreNeitherWrittenNorRemoved();
    void emptyNoteKeepsTheStoredNote();
    void emptyProductQuantityIsKept();
    void saveOfAnUnknownNumberOnlyPurges();
    void removeLinesAndSave_data();
    void removeLinesAndSave();
    void removeProductAndSave_data();
    void removeProductAndSave();
    void purgeCoversEveryOrder();
    void cancelUndoesTheMarks();
    void olderDuplicatesAreMerged();
    void insertCopy();
    void removeOrder();
    void changeNote();
    void wrongNumbersRefuseTheSave_data();
    void wrongNumbersRefuseTheSave();
    void failingSaveChangesNothing();
    void failingCopyAndDeleteChangeNothing();

private:
    std::unique_ptr<TestDatabase> m_fixture;
};

void OrdersTest::init()
{
    m_fixture = std::make_unique<TestDatabase>();
}

void OrdersTest::cleanup()
{
    m_fixture.reset();
}

void OrdersTest::roundTripWithApostrophes()
{
    Database &db = m_fixture->db();
    OrderContent o = order({product("Шкаф 'Купе'", {"Полка 'верх'"})}, "Don't forget");
    o.header.name = "O'Brien's kitchen";
    o.header.customer = "O'Brien";
    o.products[0].comment = "угол 'левый'";
    o.products[0].lines[0].material = "ЛДСП 'Бук'";
    o = stored(db, o);
    QCOMPARE(o.header.number, QString("1"));

    const OrderContent back = OrderStore::load(db, orderId(db, "1"));
    QCOMPARE(back.header.name, o.header.name);
    QCOMPARE(back.header.customer, QString("O'Brien"));
    QCOMPARE(back.header.comment, QString("Don't forget"));
    QCOMPARE(back.header.date1, QString("01.02.2024"));
    QCOMPARE(back.products.size(), 1);
    QCOMPARE(back.products[0].name, QString("Шкаф 'Купе'"));
    QCOMPARE(back.products[0].number, QString("1"));
    QCOMPARE(back.products[0].comment, QString("угол 'левый'"));
    const OrderLine &l = back.products[0].lines.value(0);
    const QStringList cells{l.number,   l.name,    l.length, l.width, l.quantity,
                            l.material, l.texture, l.area,   l.cut};
    QCOMPARE(cells, (QStringList{"1", "Полка 'верх'", "600", "400", "1", "ЛДСП 'Бук'", "нет",
                                 "0.24", "да"}));

    // And through a save of the loaded order.
    OrderContent changed = back;
    changed.header.customer = "D'Artagnan";
    changed.products[0].lines[0].name = "l'étagère";
    QVERIFY(OrderStore::save(db, changed));
    const OrderContent again = OrderStore::load(db, orderId(db, "1"));
    QCOMPARE(again.header.customer, QString("D'Artagnan"));
    QCOMPARE(again.products[0].lines[0].name, QString("l'étagère"));
}

void OrdersTest::listInTableOrder()
{
    Database &db = m_fixture->db();
    for (const char *name : {"b", "a", "c"}) {
        OrderContent o = order({});
        o.header.name = name;
        stored(db, o);
    }
    QStringList names, numbers;
    for (const auto &entry : OrderStore::list(db)) {
        names << entry.header.name;
        numbers << entry.header.number;
        QCOMPARE(entry.id, orderId(db, entry.header.number));
    }
    QCOMPARE(names, (QStringList{"b", "a", "c"}));
    QCOMPARE(numbers, (QStringList{"1", "2", "3"}));
}

void OrdersTest::loadOrdersByNumberAndSkipsMarked()
{
    Database &db = m_fixture->db();
    const OrderContent o = stored(db, order({product("Шкаф", {})}));
    const qint64 make = db.select("Select ID From Make").value("ID").toLongLong();
    for (int n : {3, 1, 2})
        db.execute("Insert Into Detail (№, IDName, Name) Values (?, ?, ?)",
                   {n, make, QString("L%1").arg(n)});
    db.execute("Insert Into Detail (№, IDName, Name, Del) Values (4, ?, 'gone', 1)", {make});
    const OrderContent back = OrderStore::load(db, orderId(db, "1"));
    QStringList loaded;
    for (const OrderLine &l : back.products[0].lines)
        loaded << l.number + " " + l.name;
    QCOMPARE(loaded, (QStringList{"1 L1", "2 L2", "3 L3"}));
}

void OrdersTest::incompleteRowsAreNeitherWrittenNorRemoved()
{
    Database &db = m_fixture->db();
    OrderContent o = order({product("Шкаф", {"A", "B", "C"})});
    o.products[0].lines[1].material.clear(); // B is not complete
    o = stored(db, o);
    // Numbers are positions: the gap is B's.
    QCOMPARE(lines(db, "1", 1), (QStringList{"1 A ЛДСП", "3 C ЛДСП"}));

    // The stored line at a row that became incomplete is left as it was.
    o.products[0].lines[1] = line("B", 2);
    QVERIFY(OrderStore::save(db, o));
    o.products[0].lines[1].name = "Z";
    o.products[0].lines[1].material.clear();
    o.products[0].lines[2].name = "C2";
    QVERIFY(OrderStore::save(db, o));
    QCOMPARE(lines(db, "1", 1), (QStringList{"1 A ЛДСП", "2 B ЛДСП", "3 C2 ЛДСП"}));
}

void OrdersTest::emptyNoteKeepsTheStoredNote()
{
    Database &db = m_fixture->db();
    OrderContent o = order({product("Шкаф", {"A"})}, "важно");
    o.products[0].comment = "дуб";
    o = stored(db, o);
    o.header.comment.clear();
    o.products[0].comment.clear();
    QVERIFY(OrderStore::save(db, o));
    QCOMPARE(db.select("Select * From Orders").text("Comment"), QString("важно"));
    QCOMPARE(db.select("Select * From Make").text("Comment"), QString("дуб"));
    o.header.comment = "новое";
    QVERIFY(OrderStore::save(db, o));
    QCOMPARE(db.select("Select * From Orders").text("Comment"), QString("новое"));
}

void OrdersTest::emptyProductQuantityIsKept()
{
    Database &db = m_fixture->db();
    OrderContent o = order({product("Шкаф", {"A"})});
    o.products[0].quantity.clear();
    o = stored(db, o);
    QVERIFY(OrderStore::save(db, o));
    QCOMPARE(OrderStore::load(db, orderId(db, "1")).products[0].quantity, QString());
}

void OrdersTest::saveOfAnUnknownNumberOnlyPurges()
{
    Database &db = m_fixture->db();
    const OrderContent o = stored(db, order({product("Шкаф", {"A", "B"})}));
    OrderStore::markLineForDeletion(db, "1", "Шкаф", "B");
    OrderContent unknown = o;
    unknown.header.number = "7";
    unknown.header.name = "другой";
    QVERIFY(!OrderStore::save(db, unknown));
    QCOMPARE(lines(db, "1", 1), QStringList{"1 A ЛДСП"});
    QCOMPARE(count(db, "Orders"), 1);
    QCOMPARE(db.select("Select * From Orders").text("Name"), QString("Кухня"));
}

void OrdersTest::removeLinesAndSave_data()
{
    QTest::addColumn<QStringList>("start");
    QTest::addColumn<QList<int>>("removed");     // rows taken off the sheet, top first
    QTest::addColumn<QStringList>("incomplete"); // shown without a material
    QTest::addColumn<QStringList>("expected");

    const QStringList abcd{"A", "B", "C", "D"};
    QTest::newRow("middle") << abcd << QList<int>{1} << QStringList{}
                            << QStringList{"1 A ЛДСП", "2 C ЛДСП", "3 D ЛДСП"};
    QTest::newRow("first") << abcd << QList<int>{0} << QStringList{}
                           << QStringList{"1 B ЛДСП", "2 C ЛДСП", "3 D ЛДСП"};
    QTest::newRow("last") << abcd << QList<int>{3} << QStringList{}
                          << QStringList{"1 A ЛДСП", "2 B ЛДСП", "3 C ЛДСП"};
    QTest::newRow("two apart") << abcd << QList<int>{0, 2} << QStringList{}
                               << QStringList{"1 B ЛДСП", "2 C ЛДСП"};
    QTest::newRow("all") << abcd << QList<int>{0, 0, 0, 0} << QStringList{} << QStringList{};
    // C, shown without its material, is not written: its stored line stays,
    // in its new place.
    QTest::newRow("incomplete row below") << abcd << QList<int>{1} << QStringList{"C"}
                                          << QStringList{"1 A ЛДСП", "2 C ЛДСП", "3 D ЛДСП"};
    // Marks go by name: removing one P marks both; the save writes back the
    // one still shown.
    QTest::newRow("same names") << QStringList{"A", "P", "P", "D"} << QList<int>{2} << QStringList{}
                                << QStringList{"1 A ЛДСП", "2 P ЛДСП", "3 D ЛДСП"};
}

void OrdersTest::removeLinesAndSave()
{
    QFETCH(QStringList, start);
    QFETCH(QList<int>, removed);
    QFETCH(QStringList, incomplete);
    QFETCH(QStringList, expected);
    Database &db = m_fixture->db();
    OrderContent o = stored(db, order({product("Шкаф", start)}));
    QList<OrderLine> &rows = o.products[0].lines;
    for (int r : removed) {
        OrderStore::markLineForDeletion(db, "1", "Шкаф", rows.at(r).name);
        rows.removeAt(r);
    }
    for (OrderLine &row : rows) {
        if (incomplete.contains(row.name))
            row.material.clear();
    }
    QVERIFY(OrderStore::save(db, o));
    QCOMPARE(lines(db, "1", 1), expected);
    QCOMPARE(count(db, "Detail"), int(expected.size()));
    // Saving again changes nothing.
    QVERIFY(OrderStore::save(db, o));
    QCOMPARE(lines(db, "1", 1), expected);
    // And loading shows the rows in the order they were shown.
    const OrderContent back = OrderStore::load(db, orderId(db, "1"));
    QStringList loaded;
    for (const OrderLine &l : back.products.value(0).lines)
        loaded << l.number + " " + l.name + " " + l.material;
    QCOMPARE(loaded, expected);
}

void OrdersTest::removeProductAndSave_data()
{
    QTest::addColumn<QStringList>("start");
    QTest::addColumn<int>("removed");
    QTest::addColumn<bool>("incompleteRow"); // the last product shows row 2 incomplete
    QTest::addColumn<QStringList>("expected");

    // The product that moves up keeps the stored line of its incomplete row.
    QTest::newRow("middle") << QStringList{"P1", "P2", "P3"} << 1 << true
                            << QStringList{"1 P1", "2 P3"};
    QTest::newRow("first") << QStringList{"P1", "P2", "P3"} << 0 << true
                           << QStringList{"1 P2", "2 P3"};
    QTest::newRow("last") << QStringList{"P1", "P2", "P3"} << 2 << true
                          << QStringList{"1 P1", "2 P2"};
    // Both products of the name are marked; the one still shown is written
    // again, and no line of either is left behind.
    QTest::newRow("same names") << QStringList{"P1", "Шкаф", "Шкаф"} << 2 << false
                                << QStringList{"1 P1", "2 Шкаф"};
}

void OrdersTest::removeProductAndSave()
{
    QFETCH(QStringList, start);
    QFETCH(int, removed);
    QFETCH(bool, incompleteRow);
    QFETCH(QStringList, expected);
    Database &db = m_fixture->db();
    QList<OrderProduct> shown;
    for (const QString &name : start)
        shown << product(name, {name + "-a", name + "-b"});
    OrderContent o = stored(db, order(shown));
    OrderStore::markProductForDeletion(db, "1", o.products.at(removed).name);
    o.products.removeAt(removed);
    if (incompleteRow)
        o.products.last().lines[1].material.clear();
    QVERIFY(OrderStore::save(db, o));

    QCOMPARE(products(db, "1"), expected);
    for (int p = 0; p < o.products.size(); ++p) {
        const QString name = o.products.at(p).name;
        QCOMPARE(lines(db, "1", p + 1),
                 (QStringList{"1 " + name + "-a ЛДСП", "2 " + name + "-b ЛДСП"}));
    }
    QCOMPARE(count(db, "Detail"), 2 * int(o.products.size()));
    QVERIFY(OrderStore::save(db, o));
    QCOMPARE(products(db, "1"), expected);
}

void OrdersTest::purgeCoversEveryOrder()
{
    Database &db = m_fixture->db();
    stored(db, order({product("Шкаф", {"A", "B", "C"})}));
    const OrderContent second = stored(db, order({product("Стол", {"X"})}));
    OrderStore::markLineForDeletion(db, "1", "Шкаф", "B");
    QVERIFY(OrderStore::save(db, second));
    QCOMPARE(lines(db, "1", 1), (QStringList{"1 A ЛДСП", "2 C ЛДСП"}));
}

void OrdersTest::cancelUndoesTheMarks()
{
    Database &db = m_fixture->db();
    const OrderContent o = stored(db, order({product("Шкаф", {"A", "B"}), product("Стол", {"X"})}));
    OrderStore::markLineForDeletion(db, "1", "Шкаф", "A");
    OrderStore::markProductForDeletion(db, "1", "Стол");
    QCOMPARE(db.select("Select * From Detail Where Del=1").rowCount(), 2);
    QCOMPARE(db.select("Select * From Make Where Del=1").rowCount(), 1);
    OrderStore::cancelPendingDeletions(db);
    QCOMPARE(db.select("Select * From Detail Where Del=1").rowCount(), 0);
    QCOMPARE(db.select("Select * From Make Where Del=1").rowCount(), 0);
    OrderStore::purgePendingDeletions(db);
    QCOMPARE(count(db, "Detail"), 3);
    QCOMPARE(count(db, "Make"), 2);
}

void OrdersTest::olderDuplicatesAreMerged()
{
    // Earlier saves could leave two lines, or two products, at one number.
    Database &db = m_fixture->db();
    OrderContent o = stored(db, order({product("Шкаф", {"A", "B"})}));
    const qint64 order = orderId(db, "1");
    const qint64 make = db.select("Select ID From Make").value("ID").toLongLong();
    db.execute("Insert Into Detail (№, IDName, Name) Values (2, ?, 'B')", {make});
    db.execute("Insert Into Detail (№, IDName, Name) Values (0, ?, 'stray')", {make});
    db.execute("Insert Into Make (№, IDName, Name) Values (1, ?, 'Шкаф')", {order});
    QVERIFY(OrderStore::save(db, o));
    QCOMPARE(products(db, "1"), QStringList{"1 Шкаф"});
    QCOMPARE(lines(db, "1", 1), (QStringList{"1 A ЛДСП", "2 B ЛДСП"}));
    QCOMPARE(count(db, "Detail"), 2);
}

void OrdersTest::insertCopy()
{
    Database &db = m_fixture->db();
    OrderContent o = order({product("Шкаф", {"A", "B"}), product("Стол", {})}, "к празднику");
    o.products[0].lines[1].cut.clear(); // incomplete: not copied
    o = stored(db, o);
    const QString before = everything(db).join('\n');
    QCOMPARE(OrderStore::insertCopy(db, o, "Кухня 2"), 2);
    QCOMPARE(everything(db).join('\n').left(before.size()).size(), before.size());
    const OrderContent copy = OrderStore::load(db, orderId(db, "2"));
    QCOMPARE(copy.header.name, QString("Кухня 2"));
    QCOMPARE(copy.header.customer, QString("Иванов"));
    QCOMPARE(copy.header.comment, QString("к празднику"));
    QCOMPARE(products(db, "2"), (QStringList{"1 Шкаф", "2 Стол"}));
    QCOMPARE(lines(db, "2", 1), QStringList{"1 A ЛДСП"});
    QCOMPARE(lines(db, "1", 1), QStringList{"1 A ЛДСП"});
    QCOMPARE(OrderStore::load(db, orderId(db, "1")).header.name, QString("Кухня"));
}

void OrdersTest::removeOrder()
{
    Database &db = m_fixture->db();
    stored(db, order({product("Шкаф", {"A", "B"}), product("Стол", {"X"})}));
    stored(db, order({product("Другое", {"Y"})}));
    OrderStore::remove(db, orderId(db, "1"));
    QCOMPARE(count(db, "Orders"), 1);
    QCOMPARE(count(db, "Make"), 1);
    QCOMPARE(count(db, "Detail"), 1);
    QCOMPARE(lines(db, "2", 1), QStringList{"1 Y ЛДСП"});
}

void OrdersTest::changeNote()
{
    Database &db = m_fixture->db();
    stored(db, order({}, "старое"));
    OrderStore::changeNote(db, orderId(db, "1"), "ну 'новое'");
    QCOMPARE(db.select("Select * From Orders").text("Comment"), QString("ну 'новое'"));
}

void OrdersTest::wrongNumbersRefuseTheSave_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("text");

    QTest::newRow("length") << "length"
                            << "60а";
    QTest::newRow("width") << "width"
                           << "4.5";
    QTest::newRow("quantity") << "quantity"
                              << "два";
    QTest::newRow("product quantity") << "product"
                                      << "x";
}

void OrdersTest::wrongNumbersRefuseTheSave()
{
    QFETCH(QString, cell);
    QFETCH(QString, text);
    Database &db = m_fixture->db();
    OrderContent o = stored(db, order({product("Шкаф", {"A", "B"})}));
    OrderStore::markLineForDeletion(db, "1", "Шкаф", "A");
    const QStringList before = everything(db);
    OrderLine &l = o.products[0].lines[1];
    if (cell == "length")
        l.length = text;
    else if (cell == "width")
        l.width = text;
    else if (cell == "quantity")
        l.quantity = text;
    else
        o.products[0].quantity = text;
    o.header.customer = "Петров";
    try {
        OrderStore::save(db, o);
        QFAIL("saved");
    } catch (const StoreError &e) {
        QVERIFY2(e.message().contains(text), qPrintable(e.message()));
    }
    QVERIFY_THROWS_EXCEPTION(StoreError, OrderStore::insertCopy(db, o, "copy"));
    QCOMPARE(everything(db), before);
}

void OrdersTest::failingSaveChangesNothing()
{
    Database &db = m_fixture->db();
    OrderContent o =
        stored(db, order({product("Шкаф", {"A", "B", "C"}), product("Стол", {"X"})}, "примечание"));
    OrderStore::markLineForDeletion(db, "1", "Шкаф", "B");
    installFailures(db);
    const QStringList before = everything(db);

    o.header.name = "Новое имя";
    o.header.customer = "Петров";
    o.products[0].lines.removeAt(1);
    o.products[0].lines[0].name = "A2";
    o.products.append(product("Тумба", {"T1", "boom"}));
    QVERIFY_THROWS_EXCEPTION(StoreError, OrderStore::save(db, o));
    QCOMPARE(everything(db), before);
    // The connection is usable afterwards and the mark is still pending.
    QCOMPARE(db.select("Select * From Detail Where Del=1").rowCount(), 1);
    o.products.removeLast();
    QVERIFY(OrderStore::save(db, o));
    QCOMPARE(lines(db, "1", 1), (QStringList{"1 A2 ЛДСП", "2 C ЛДСП"}));
}

void OrdersTest::failingCopyAndDeleteChangeNothing()
{
    Database &db = m_fixture->db();
    OrderContent o = stored(db, order({product("Шкаф", {"A", "boo"})}));
    installFailures(db);
    const QStringList before = everything(db);
    o.products[0].lines[1].name = "boom";
    QVERIFY_THROWS_EXCEPTION(StoreError, OrderStore::insertCopy(db, o, "копия"));
    QCOMPARE(everything(db), before);
    QVERIFY_THROWS_EXCEPTION(StoreError, OrderStore::remove(db, orderId(db, "1")));
    QCOMPARE(everything(db), before);
}

QTEST_GUILESS_MAIN(OrdersTest)
#include "tst_orders.moc"
