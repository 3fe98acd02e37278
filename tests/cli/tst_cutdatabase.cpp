#include "store/cuttingjob.h"
#include "store/database.h"
#include "store/materialbank.h"
#include "store/numbering.h"
#include "store/orders.h"
#include "store/productbank.h"
#include "testdatabase.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using lamira::Database;
using lamira::OrderLine;
using lamira::test::TestDatabase;
namespace CuttingJob = lamira::CuttingJob;
namespace MaterialBank = lamira::MaterialBank;
namespace ProductBank = lamira::ProductBank;

namespace {

struct Outcome
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Outcome runCutter(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(LAMIRA_CUT), arguments);
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

// One detail row with the job file's fields beside the sheet's texts.
struct Row
{
    QString name;
    int length;
    int width;
    int quantity;
    QString material;
    bool texture;

    OrderLine line(int number) const
    {
        return {QString::number(number),
                name,
                QString::number(length),
                QString::number(width),
                QString::number(quantity),
                material,
                texture ? "да" : "нет",
                "0",
                "да"};
    }
    QJsonObject json(const char *source, int productQuantity) const
    {
        return {{"source", source},     {"name", name},
                {"width", length},      {"height", width},
                {"quantity", quantity}, {"product_quantity", productQuantity},
                {"material", material}, {"texture", texture}};
    }
};

const QString Beech = "ЛДСП 'Бук'";
const QString Mdf = "МДФ";

} // namespace

// lamira-cut --database cuts the job marked in a database exactly as the job
// file of the same rows: the same result, byte for byte.
class CutDatabaseTest final : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_fixture = std::make_unique<TestDatabase>(); }
    void cleanup() { m_fixture.reset(); }

    void sameResultAsTheJobFile();
    void unopenableDatabase_data();
    void unopenableDatabase();

private:
    Database &db() { return m_fixture->db(); }
    std::unique_ptr<TestDatabase> m_fixture;
};

void CutDatabaseTest::sameResultAsTheJobFile()
{
    // The bank: two materials, and a third name the rows use that is not in
    // it.
    QVERIFY(MaterialBank::addMaterial(db(), "Плиты 'Эгер'", Beech));
    QVERIFY(MaterialBank::setSawWidth(db(), Beech, "4"));
    QVERIFY(MaterialBank::toggleSize(db(), Beech, 1000));
    QVERIFY(MaterialBank::toggleSize(db(), Beech, 2000));
    QVERIFY(MaterialBank::addMaterial(db(), "Плиты 'Эгер'", Mdf));
    QVERIFY(MaterialBank::setSawWidth(db(), Mdf, "3"));
    QVERIFY(MaterialBank::toggleSize(db(), Mdf, 1250));

    const QList<Row> orderRows{{"Бок 'левый'", 2000, 600, 2, Beech, false},
                               {"Полка", 800, 400, 4, Beech, true},
                               {"Крышка", 1100, 2100, 1, Mdf, false},
                               {"Цоколь", 1800, 100, 2, "Орех", false},
                               {"Дверь", 1900, 500, 1, Beech, false}};
    lamira::OrderContent order;
    order.header = {"", "Кухня 'Модерн'", "01.02.2024", "10.02.2024", "O'Brien", ""};
    order.products.append({"1", "Шкаф 'Купе'", "2", "", {}});
    for (int i = 0; i < orderRows.size(); ++i)
        order.products.first().lines << orderRows.at(i).line(i + 1);
    const int number = lamira::OrderStore::insertCopy(db(), order, order.header.name);

    const QList<Row> productRows{{"Фасад", 700, 500, 1, Beech, false},
                                 {"Дно", 600, 500, 2, Mdf, false}};
    const qint64 product = ProductBank::createProduct(db(), {0, "1", "Тумба 'Лира'", "3", ""});
    for (const Row &r : productRows)
        ProductBank::createLine(db(), product, r.line(lamira::nextBankLineNumber(db())));
    const Row loose{"Полка 'Угол'", 500, 300, 3, Beech, false};
    const qint64 other = ProductBank::createProduct(db(), {0, "2", "Разное", "2", ""});
    const qint64 looseId =
        ProductBank::createLine(db(), other, loose.line(lamira::nextBankLineNumber(db())));

    QVERIFY(CuttingJob::startFromOrder(db(), QString::number(number), order.header.name));
    QVERIFY(CuttingJob::addBankProduct(db(), product));
    QVERIFY(CuttingJob::addBankDetail(db(), looseId));

    QJsonArray rows;
    for (const Row &r : orderRows)
        rows.append(r.json("order", 2));
    for (const Row &r : productRows)
        rows.append(r.json("bank", 3));
    rows.append(loose.json("bank", 2));
    const QJsonObject job{
        {"texture_all", false},
        {"materials",
         QJsonArray{QJsonObject{{"name", Beech}, {"saw", 4}, {"sizes", QJsonArray{1000, 2000}}},
                    QJsonObject{{"name", Mdf}, {"saw", 3}, {"sizes", QJsonArray{1250}}}}},
        {"rows", rows}};
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile file(dir.filePath("job.json"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QJsonDocument(job).toJson());
    file.close();

    const Outcome fromFile = runCutter({file.fileName()});
    QCOMPARE(fromFile.status, 0);
    const QString written = dir.filePath("result.json");
    const Outcome fromDatabase = runCutter({"--database", m_fixture->location(), "-o", written});
    QCOMPARE(fromDatabase.err, QByteArray());
    QCOMPARE(fromDatabase.status, 0);
    QFile result(written);
    QVERIFY(result.open(QIODevice::ReadOnly));
    const QByteArray output = result.readAll();
    QCOMPARE(output, fromFile.out);

    // The result is a real one: both materials cut, the unknown one
    // reported.
    const QJsonObject parsed = QJsonDocument::fromJson(output).object();
    QCOMPARE(parsed.value("materials").toArray().size(), 2);
    QVERIFY(parsed.value("messages")
                .toArray()
                .contains(QJsonValue(
                    "Материала 'Орех' нет в банке материалов,детали с данным материалом будут "
                    "нераскроены")));
    QCOMPARE(parsed.value("uncut").toArray().size(), 4);
}

void CutDatabaseTest::unopenableDatabase_data()
{
    QTest::addColumn<QString>("location");
    QTest::addColumn<QString>("error");

    QTest::newRow("no such file") << "/nonexistent/Orders.mdb"
                                  << "lamira-cut: /nonexistent/Orders.mdb: no such database file";
    QTest::newRow("not a database") << "@notadb"
                                    << "Не удалось открыть базу данных";
    QTest::newRow("no server") << "postgresql://nobody@127.0.0.1:1/lamira"
                               << "Не удалось подключиться к базе данных";
}

void CutDatabaseTest::unopenableDatabase()
{
    QFETCH(QString, location);
    QFETCH(QString, error);
    QTemporaryDir dir;
    if (location == "@notadb") {
        location = dir.filePath("Orders.mdb");
        QFile junk(location);
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("this is no database, just some text that fills a page");
    }
    const Outcome outcome = runCutter({"--database", location});
    QCOMPARE(outcome.status, 2);
    QCOMPARE(outcome.out, QByteArray());
    const QString err = QString::fromUtf8(outcome.err);
    QVERIFY2(err.contains(error), qPrintable(err));
    QCOMPARE(err.count('\n'), 1);
    QVERIFY(err.endsWith('\n'));
}

QTEST_GUILESS_MAIN(CutDatabaseTest)
#include "tst_cutdatabase.moc"
