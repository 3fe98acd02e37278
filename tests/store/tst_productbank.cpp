#include "store/database.h"
#include "store/numbering.h"
#include "store/orders.h"
#include "store/productbank.h"
#include "store/storeerror.h"
#include "testdatabase.h"

#include <QTest>

#include <memory>

using lamira::Database;
using lamira::OrderContent;
using lamira::OrderLine;
using lamira::StoreError;
using lamira::test::TestDatabase;
namespace ProductBank = lamira::ProductBank;

namespace {

OrderLine line(const QString &number, const QString &name, const QString &material = "ЛДСП")
{
    return {number, name, "600", "400", "5", material, "нет", "0.24", "да"};
}

qint64 product(Database &db, const QString &name, int number, const QString &quantity = "1")
{
    return ProductBank::createProduct(db, {0, QString::number(number), name, quantity, ""});
}

qint64 addLine(Database &db, qint64 productId, const QString &name)
{
    return ProductBank::createLine(db, productId,
                                   line(QString::number(lamira::nextBankLineNumber(db)), name));
}

QStringList productNames(const QList<ProductBank::Product> &products)
{
    QStringList out;
    for (const ProductBank::Product &p : products)
        out << p.number + " " + p.name;
    return out;
}

QStringList lineNames(const QList<ProductBank::Line> &lines)
{
    QStringList out;
    for (const ProductBank::Line &l : lines)
        out << l.cells.number + " " + l.cells.name;
    return out;
}

int count(Database &db, const QString &table)
{
    return db.select(QStringLiteral("Select * From %1").arg(table)).rowCount();
}

} // namespace

class ProductBankTest final : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_fixture = std::make_unique<TestDatabase>(); }
    void cleanup() { m_fixture.reset(); }

    void productNumbers_data();
    void productNumbers();
    void lineNumbersRunAcrossProducts();
    void createStoresTheFields();
    void wholeNumbersRequired_data();
    void wholeNumbersRequired();
    void deleteProductRemovesItsLines();
    void linesByNumber();
    void productForOrder();
    void exportCopiesTheOrderProduct();
    void exportRefusesAnExistingNameSilently();
    void exportOfAnUnknownProduct();

private:
    Database &db() { return m_fixture->db(); }
    std::unique_ptr<TestDatabase> m_fixture;
};

void ProductBankTest::productNumbers_data()
{
    QTest::addColumn<QList<int>>("stored");
    QTest::addColumn<int>("next");

    QTest::newRow("empty") << QList<int>{} << 1;
    QTest::newRow("1, 2, 5 newest") << QList<int>{1, 2, 5} << 6;
    QTest::newRow("newest is not the largest") << QList<int>{7, 3} << 4;
}

void ProductBankTest::productNumbers()
{
    QFETCH(QList<int>, stored);
    QFETCH(int, next);
    for (int n : stored)
        product(db(), "Шкаф", n);
    QCOMPARE(lamira::nextBankProductNumber(db()), next);
}

void ProductBankTest::lineNumbersRunAcrossProducts()
{
    QCOMPARE(lamira::nextBankLineNumber(db()), 1);
    const qint64 a = product(db(), "A", 1);
    const qint64 b = product(db(), "B", 2);
    addLine(db(), a, "Бок");
    addLine(db(), a, "Полка");
    addLine(db(), b, "Дверь");
    QCOMPARE(lineNames(ProductBank::lines(db(), a)), (QStringList{"1 Бок", "2 Полка"}));
    QCOMPARE(lineNames(ProductBank::lines(db(), b)), QStringList{"3 Дверь"});
}

void ProductBankTest::createStoresTheFields()
{
    const qint64 id = ProductBank::createProduct(db(), {0, "1", "Шкаф 'Купе'", "2", "угловой"});
    const qint64 bare = ProductBank::createProduct(db(), {0, "2", "Стол", "1", ""});
    const auto all = ProductBank::products(db());
    QCOMPARE(all.size(), 2);
    QCOMPARE(all.at(0).id, id);
    QCOMPARE(all.at(0).name, QString("Шкаф 'Купе'"));
    QCOMPARE(all.at(0).quantity, QString("2"));
    QCOMPARE(all.at(0).comment, QString("угловой"));
    QVERIFY(db().select("Select * From MakeBank Where ID=?", {bare}).isNull("Comment"));
    QVERIFY(db().select("Select * From MakeBank Where ID=?", {id}).isNull("IDName"));

    const qint64 lineId = ProductBank::createLine(
        db(), id, {"1", "Бок 'левый'", "600", "400", "5", "ЛДСП 'Бук'", "да", "0.24", "нет"});
    const auto lines = ProductBank::lines(db(), id);
    QCOMPARE(lines.size(), 1);
    QCOMPARE(lines.at(0).id, lineId);
    QCOMPARE(lines.at(0).productId, id);
    const OrderLine &cells = lines.at(0).cells;
    QCOMPARE(
        (QStringList{cells.number, cells.name, cells.length, cells.width, cells.quantity,
                     cells.material, cells.texture, cells.area, cells.cut}),
        (QStringList{"1", "Бок 'левый'", "600", "400", "5", "ЛДСП 'Бук'", "да", "0.24", "нет"}));
    // Not in the cutting job until it is added to it.
    QCOMPARE(db().select("Select * From DetailBank").text("V").trimmed(), QString());
}

void ProductBankTest::wholeNumbersRequired_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");

    QTest::newRow("product quantity") << "quantity"
                                      << "2a";
    QTest::newRow("product number") << "number"
                                    << "x";
    QTest::newRow("line length") << "length"
                                 << "60 0";
    QTest::newRow("line width") << "width"
                                << "4.5";
    QTest::newRow("line quantity") << "lineQuantity"
                                   << "много";
}

void ProductBankTest::wholeNumbersRequired()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    ProductBank::Product p{0, "1", "Шкаф", "1", ""};
    OrderLine l = line("1", "Бок");
    if (field == "quantity")
        p.quantity = text;
    else if (field == "number")
        p.number = text;
    else if (field == "length")
        l.length = text;
    else if (field == "width")
        l.width = text;
    else
        l.quantity = text;

    if (field == "quantity" || field == "number") {
        QVERIFY_THROWS_EXCEPTION(StoreError, ProductBank::createProduct(db(), p));
        QCOMPARE(count(db(), "MakeBank"), 0);
        return;
    }
    const qint64 id = ProductBank::createProduct(db(), p);
    QVERIFY_THROWS_EXCEPTION(StoreError, ProductBank::createLine(db(), id, l));
    QCOMPARE(count(db(), "DetailBank"), 0);
}

void ProductBankTest::deleteProductRemovesItsLines()
{
    const qint64 a = product(db(), "A", 3);
    const qint64 b = product(db(), "B", 1);
    const qint64 c = product(db(), "C", 2);
    addLine(db(), a, "Бок");
    addLine(db(), a, "Полка");
    addLine(db(), b, "Дверь");
    Q_UNUSED(c);
    ProductBank::deleteProduct(db(), a);
    QCOMPARE(productNames(ProductBank::products(db(), ProductBank::Ordering::ByNumber)),
             (QStringList{"1 B", "2 C"}));
    QCOMPARE(lineNames(ProductBank::allLines(db())), QStringList{"3 Дверь"});
}

void ProductBankTest::linesByNumber()
{
    const qint64 a = product(db(), "A", 1);
    ProductBank::createLine(db(), a, line("7", "Седьмая"));
    ProductBank::createLine(db(), a, line("2", "Вторая"));
    QCOMPARE(lineNames(ProductBank::lines(db(), a)), (QStringList{"7 Седьмая", "2 Вторая"}));
    QCOMPARE(lineNames(ProductBank::lines(db(), a, ProductBank::Ordering::ByNumber)),
             (QStringList{"2 Вторая", "7 Седьмая"}));
    ProductBank::deleteLine(db(), ProductBank::lines(db(), a).at(0).id);
    QCOMPARE(lineNames(ProductBank::lines(db(), a)), QStringList{"2 Вторая"});
}

void ProductBankTest::productForOrder()
{
    const qint64 id = ProductBank::createProduct(db(), {0, "4", "Шкаф 'Купе'", "2", "угловой"});
    ProductBank::createLine(db(), id, line("1", "Бок"));
    ProductBank::createLine(db(), id, line("2", "Полка"));
    const lamira::OrderProduct p = ProductBank::productForOrder(db(), id);
    QCOMPARE(p.number, QString("4"));
    QCOMPARE(p.name, QString("Шкаф 'Купе'"));
    QCOMPARE(p.quantity, QString("2"));
    QCOMPARE(p.comment, QString("угловой"));
    QCOMPARE(p.lines.size(), 2);
    QCOMPARE(p.lines.at(1).name, QString("Полка"));
    QCOMPARE(p.lines.at(1).area, QString("0.24"));
    QVERIFY(ProductBank::productForOrder(db(), id + 100).name.isEmpty());
}

void ProductBankTest::exportCopiesTheOrderProduct()
{
    OrderContent order;
    order.header = {"", "Кухня 'Модерн'", "01.02.2024", "10.02.2024", "O'Brien", ""};
    order.products = {{"1", "Стол", "1", "", {line("1", "Столешница")}},
                      {"2",
                       "Шкаф 'Купе'",
                       "3",
                       "угловой",
                       {line("1", "Бок 'левый'", "ЛДСП 'Бук'"), line("2", "Полка")}}};
    const int number = lamira::OrderStore::insertCopy(db(), order, order.header.name);
    db().execute("Update Detail Set V='V'");

    QCOMPARE(ProductBank::exportOrderProduct(db(), QString::number(number), "Шкаф 'Купе'"),
             ProductBank::ExportResult::Exported);
    const lamira::Cursor make =
        db().select("Select * From Make Where Name=?", {QString("Шкаф 'Купе'")});
    const auto products = ProductBank::products(db());
    QCOMPARE(products.size(), 1);
    QCOMPARE(products.at(0).number, QString("2"));
    QCOMPARE(products.at(0).name, QString("Шкаф 'Купе'"));
    QCOMPARE(products.at(0).quantity, QString("3"));
    QCOMPARE(products.at(0).comment, QString());
    QCOMPARE(db().select("Select IDName From MakeBank").value("IDName").toLongLong(),
             make.value("ID").toLongLong());

    const auto lines = ProductBank::lines(db(), products.at(0).id);
    QCOMPARE(lineNames(lines), (QStringList{"1 Бок 'левый'", "2 Полка"}));
    QCOMPARE(lines.at(0).cells.material, QString("ЛДСП 'Бук'"));
    QCOMPARE(lines.at(0).cells.area, QString("0.24"));
    QCOMPARE(lines.at(0).cells.cut, QString("да"));
    // The order's cutting-job marks do not come along.
    QCOMPARE(db().select("Select * From DetailBank Where V='V'").rowCount(), 0);
}

void ProductBankTest::exportRefusesAnExistingNameSilently()
{
    OrderContent order;
    order.header = {"", "Кухня", "01.02.2024", "10.02.2024", "Иванов", ""};
    order.products = {{"1", "Шкаф 'Купе'", "1", "", {line("1", "Бок")}}};
    const int number = lamira::OrderStore::insertCopy(db(), order, order.header.name);
    const qint64 existing = product(db(), "Шкаф 'Купе'", 9);
    addLine(db(), existing, "Старая");

    QCOMPARE(ProductBank::exportOrderProduct(db(), QString::number(number), "Шкаф 'Купе'"),
             ProductBank::ExportResult::AlreadyInBank);
    QCOMPARE(count(db(), "MakeBank"), 1);
    QCOMPARE(lineNames(ProductBank::allLines(db())), QStringList{"1 Старая"});
}

void ProductBankTest::exportOfAnUnknownProduct()
{
    OrderContent order;
    order.header = {"", "Кухня", "01.02.2024", "10.02.2024", "Иванов", ""};
    order.products = {{"1", "Стол", "1", "", {line("1", "Бок")}}};
    const int number = lamira::OrderStore::insertCopy(db(), order, order.header.name);
    // Another order's product of that name is not the open order's.
    OrderContent other = order;
    other.products.first().name = "Шкаф";
    lamira::OrderStore::insertCopy(db(), other, "Другой");

    QCOMPARE(ProductBank::exportOrderProduct(db(), QString::number(number), "Шкаф"),
             ProductBank::ExportResult::NoSuchProduct);
    QCOMPARE(ProductBank::exportOrderProduct(db(), "99", "Стол"),
             ProductBank::ExportResult::NoSuchProduct);
    QCOMPARE(count(db(), "MakeBank"), 0);
}

QTEST_GUILESS_MAIN(ProductBankTest)
#include "tst_productbank.moc"
