#include "cutting/cutrun.h"
#include "store/cuttingjob.h"
#include "store/database.h"
#include "store/materialbank.h"
#include "store/orders.h"
#include "store/productbank.h"
#include "store/runinput.h"
#include "store/storeerror.h"
#include "tablerows.h"
#include "testdatabase.h"

#include <QTest>

#include <map>
#include <memory>

using lamira::CutJob;
using lamira::CutOutcome;
using lamira::CutRun;
using lamira::Database;
using lamira::OrderContent;
using lamira::OrderLine;
using lamira::StoreError;
using lamira::test::marked;
using lamira::test::TestDatabase;
namespace CuttingJob = lamira::CuttingJob;
namespace MaterialBank = lamira::MaterialBank;
namespace ProductBank = lamira::ProductBank;
namespace RunInput = lamira::RunInput;

namespace {

const QString Material = "ЛДСП 'Бук'";

OrderLine line(const QString &name, const QString &quantity = "1",
               const QString &material = Material)
{
    return {"1", name, "600", "400", quantity, material, "нет", "0.24", "да"};
}

// Stores an order with one product per entry of `products` and returns its
// number.
QString storeOrder(Database &db, const QString &name,
                   const QList<QPair<QString, QList<OrderLine>>> &products,
                   const QString &productQuantity = "1")
{
    OrderContent order;
    order.header = {"", name, "01.02.2024", "10.02.2024", "O'Brien", ""};
    int n = 0;
    for (const auto &[productName, lines] : products) {
        QList<OrderLine> numbered = lines;
        for (int r = 0; r < numbered.size(); ++r)
            numbered[r].number = QString::number(r + 1);
        order.products.append({QString::number(++n), productName, productQuantity, "", numbered});
    }
    return QString::number(lamira::OrderStore::insertCopy(db, order, name));
}

qint64 orderId(Database &db, const QString &number)
{
    return lamira::OrderStore::findByNumber(db, number).value_or(-1);
}

qint64 bankProduct(Database &db, const QString &name, const QStringList &lines,
                   const QString &quantity = "1")
{
    const qint64 id = ProductBank::createProduct(db, {0, "1", name, quantity, ""});
    for (const QString &l : lines)
        ProductBank::createLine(db, id, line(l));
    return id;
}

qint64 bankLine(Database &db, qint64 productId, const QString &name)
{
    for (const ProductBank::Line &l : ProductBank::lines(db, productId)) {
        if (l.cells.name == name)
            return l.id;
    }
    return -1;
}

QStringList entries(Database &db)
{
    QStringList out;
    for (const CuttingJob::Entry &e : CuttingJob::entries(db))
        out << e.type + " " + e.name + " " + e.cut;
    return out;
}

qint64 entryId(Database &db, int index)
{
    return CuttingJob::entries(db).value(index).id;
}

void bankMaterial(Database &db, const QString &name, int saw, QList<int> heights)
{
    QVERIFY(MaterialBank::addMaterial(db, "Плиты", name));
    QVERIFY(MaterialBank::setSawWidth(db, name, QString::number(saw)));
    for (int h : heights)
        QVERIFY(MaterialBank::toggleSize(db, name, h));
}

// The records of the run's details by name: how many, and their RowNo.
std::map<std::string, std::pair<int, int>> copies(const std::vector<lamira::Detail *> &details)
{
    std::map<std::string, std::pair<int, int>> out;
    for (const lamira::Detail *d : details) {
        auto &[n, rowNo] = out[d->Name];
        ++n;
        rowNo = d->RowNo;
    }
    return out;
}

struct Recorded
{
    std::vector<std::string> messages;
    CutRun::MessageSink sink()
    {
        return [this](const std::string &text) { messages.push_back(text); };
    }
};

} // namespace

class CuttingJobTest final : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_fixture = std::make_unique<TestDatabase>(); }
    void cleanup() { m_fixture.reset(); }

    // The job list.
    void startFromOrderReplacesTheJob();
    void startFromAnUnknownOrderKeepsTheJob();
    void addingMarksAndAddsEntries();
    void addingWhatIsGoneAddsNothing();
    void removingADetailClearsTheNameInBothTables();
    void removingAProductOrOrderClearsOnlyTheFirstOfThatName();
    void twoEntriesForOneOrder();
    void removingAnEntryWhoseSourceIsGone();

    // The run input.
    void settingsReachTheRun();
    void noMarkedRowsNothingToCut();
    void bankDetailAloneIsCutQuantityTimesProductQuantity();
    void rowNumbersCountOrderThenBankRows();
    void missingMaterialRowsAreUncut();
    void renamedMaterialIsReportedByItsOldName();
    void missingProductRowGivesNoCopies();
    void materialsDifferingInCaseStayApart();
    void jobsBeyondTheLimitsAreNotCut_data();
    void jobsBeyondTheLimitsAreNotCut();

private:
    Database &db() { return m_fixture->db(); }
    std::unique_ptr<TestDatabase> m_fixture;
};

void CuttingJobTest::startFromOrderReplacesTheJob()
{
    const QString other = storeOrder(db(), "Прихожая", {{"Шкаф", {line("Дверь")}}});
    const QString kitchen = storeOrder(
        db(), "Кухня 'Модерн'",
        {{"Стол", {line("Столешница")}}, {"Шкаф 'Купе'", {line("Бок 'левый'"), line("Полка")}}});
    const qint64 product = bankProduct(db(), "Тумба", {"Фасад"});
    QVERIFY(CuttingJob::addOrder(db(), orderId(db(), other)));
    QVERIFY(CuttingJob::addBankProduct(db(), product));

    QVERIFY(CuttingJob::startFromOrder(db(), kitchen, "Кухня 'Модерн'"));
    QCOMPARE(entries(db()), QStringList{"Заказ Кухня 'Модерн' да"});
    QCOMPARE(marked(db(), "Detail"), (QStringList{"Столешница", "Бок 'левый'", "Полка"}));
    QCOMPARE(marked(db(), "DetailBank"), QStringList());
    // Cleared marks read as ' ', as the job list writes them.
    QCOMPARE(db().select("Select V From DetailBank").text("V"), QString(" "));
}

void CuttingJobTest::startFromAnUnknownOrderKeepsTheJob()
{
    const QString number = storeOrder(db(), "Кухня", {{"Стол", {line("Столешница")}}});
    QVERIFY(CuttingJob::startFromOrder(db(), number, "Кухня"));
    // The number with another name, and a number not stored.
    QVERIFY(!CuttingJob::startFromOrder(db(), number, "Кухня 2"));
    QVERIFY(!CuttingJob::startFromOrder(db(), "42", "Кухня"));
    QCOMPARE(entries(db()), QStringList{"Заказ Кухня да"});
    QCOMPARE(marked(db(), "Detail"), QStringList{"Столешница"});
}

void CuttingJobTest::addingMarksAndAddsEntries()
{
    const QString number = storeOrder(db(), "Кухня", {{"Стол", {line("Столешница")}}});
    const qint64 product = bankProduct(db(), "Тумба 'Лира'", {"Фасад", "Дно"});
    const qint64 loose = bankProduct(db(), "Разное", {"Полка 'Угол'", "Крышка"});

    QVERIFY(CuttingJob::addOrder(db(), orderId(db(), number)));
    QVERIFY(CuttingJob::addBankProduct(db(), product));
    QVERIFY(CuttingJob::addBankDetail(db(), bankLine(db(), loose, "Полка 'Угол'")));
    QCOMPARE(entries(db()),
             (QStringList{"Заказ Кухня да", "Изделие Тумба 'Лира' да", "Деталь Полка 'Угол' да"}));
    QCOMPARE(marked(db(), "Detail"), QStringList{"Столешница"});
    QCOMPARE(marked(db(), "DetailBank"), (QStringList{"Фасад", "Дно", "Полка 'Угол'"}));
}

void CuttingJobTest::addingWhatIsGoneAddsNothing()
{
    QVERIFY(!CuttingJob::addOrder(db(), 77));
    QVERIFY(!CuttingJob::addBankProduct(db(), 77));
    QVERIFY(!CuttingJob::addBankDetail(db(), 77));
    QVERIFY(CuttingJob::entries(db()).isEmpty());
}

void CuttingJobTest::removingADetailClearsTheNameInBothTables()
{
    const QString number =
        storeOrder(db(), "Кухня", {{"Шкаф", {line("Полка 'Угол'"), line("Бок")}}});
    const qint64 product = bankProduct(db(), "Тумба", {"Полка 'Угол'", "Фасад"});
    const qint64 loose = bankProduct(db(), "Разное", {"Полка 'Угол'"});
    QVERIFY(CuttingJob::addOrder(db(), orderId(db(), number)));
    QVERIFY(CuttingJob::addBankProduct(db(), product));
    QVERIFY(CuttingJob::addBankDetail(db(), bankLine(db(), loose, "Полка 'Угол'")));

    CuttingJob::removeEntry(db(), entryId(db(), 2));
    QCOMPARE(entries(db()), (QStringList{"Заказ Кухня да", "Изделие Тумба да"}));
    // Also the rows that the order and the bank product brought in.
    QCOMPARE(marked(db(), "Detail"), QStringList{"Бок"});
    QCOMPARE(marked(db(), "DetailBank"), QStringList{"Фасад"});
}

void CuttingJobTest::removingAProductOrOrderClearsOnlyTheFirstOfThatName()
{
    const qint64 first = bankProduct(db(), "Тумба 'Лира'", {"Фасад"});
    const qint64 second = bankProduct(db(), "Тумба 'Лира'", {"Дно"});
    const QString one = storeOrder(db(), "Кухня 'Модерн'", {{"Стол", {line("Столешница")}}});
    const QString two = storeOrder(db(), "Кухня 'Модерн'", {{"Шкаф", {line("Бок")}}});
    QVERIFY(CuttingJob::addBankProduct(db(), second));
    QVERIFY(CuttingJob::addBankProduct(db(), first));
    QVERIFY(CuttingJob::addOrder(db(), orderId(db(), two)));
    QVERIFY(CuttingJob::addOrder(db(), orderId(db(), one)));

    // Whichever entry is removed, the first product and order of the name
    // lose their marks.
    CuttingJob::removeEntry(db(), entryId(db(), 0));
    QCOMPARE(marked(db(), "DetailBank"), QStringList{"Дно"});
    CuttingJob::removeEntry(db(), entryId(db(), 1));
    QCOMPARE(marked(db(), "Detail"), QStringList{"Бок"});
    QCOMPARE(entries(db()), (QStringList{"Изделие Тумба 'Лира' да", "Заказ Кухня 'Модерн' да"}));
}

void CuttingJobTest::twoEntriesForOneOrder()
{
    const QString number = storeOrder(
        db(), "Кухня", {{"Стол", {line("Столешница")}}, {"Шкаф", {line("Бок"), line("Полка")}}});
    QVERIFY(CuttingJob::startFromOrder(db(), number, "Кухня"));
    QVERIFY(CuttingJob::addOrder(db(), orderId(db(), number)));
    QCOMPARE(entries(db()), (QStringList{"Заказ Кухня да", "Заказ Кухня да"}));
    QCOMPARE(marked(db(), "Detail"), (QStringList{"Столешница", "Бок", "Полка"}));

    CuttingJob::removeEntry(db(), entryId(db(), 1));
    QCOMPARE(entries(db()), QStringList{"Заказ Кухня да"});
    QCOMPARE(marked(db(), "Detail"), QStringList());
}

void CuttingJobTest::removingAnEntryWhoseSourceIsGone()
{
    const QString number = storeOrder(db(), "Кухня", {{"Стол", {line("Столешница")}}});
    const qint64 product = bankProduct(db(), "Тумба", {"Фасад"});
    QVERIFY(CuttingJob::addOrder(db(), orderId(db(), number)));
    QVERIFY(CuttingJob::addBankProduct(db(), product));
    lamira::OrderStore::remove(db(), orderId(db(), number));
    ProductBank::deleteProduct(db(), product);

    CuttingJob::removeEntry(db(), entryId(db(), 0));
    CuttingJob::removeEntry(db(), entryId(db(), 0));
    QVERIFY(CuttingJob::entries(db()).isEmpty());
    CuttingJob::removeEntry(db(), 12345);
}

void CuttingJobTest::settingsReachTheRun()
{
    db().execute("Update Settings Set ListColor=?, DetailColor=?, RestColor=?, EditorColor=?, "
                 "FonColor=?, OddVisible=?, OddSize=?, Texture=?",
                 {11, 22, 33, 44, 55, 0, 70, QString("да")});
    bankMaterial(db(), Material, 4, {1000});
    const QString number = storeOrder(db(), "Кухня", {{"Стол", {line("Полка")}}});
    QVERIFY(CuttingJob::startFromOrder(db(), number, "Кухня"));

    const CutJob job = RunInput::readCutJob(db());
    QVERIFY(job.TextureAll);
    QCOMPARE(job.ListColor, 11);
    QCOMPARE(job.OddVisible, false);
    QCOMPARE(job.OddSize, 70);

    CutRun run;
    lamira::NullProgress quiet;
    QCOMPARE(RunInput::cutMarkedJob(db(), run, quiet), CutOutcome::Done);
    QCOMPARE((QList<int>{run.ListColor, run.DetailColor, run.RestColor, run.EditorColor,
                         run.FonColor, run.OddSize}),
             (QList<int>{11, 22, 33, 44, 55, 70}));
    QVERIFY(!run.OddVisible);
    QVERIFY(run.TextureAll);
    QCOMPARE(run.SawWidth, 4);

    db().execute("Update Settings Set OddVisible=1, Texture='нет'");
    QCOMPARE(RunInput::cutMarkedJob(db(), run, quiet), CutOutcome::Done);
    QVERIFY(run.OddVisible);
    QVERIFY(!run.TextureAll);
}

void CuttingJobTest::noMarkedRowsNothingToCut()
{
    bankMaterial(db(), Material, 4, {1000});
    storeOrder(db(), "Кухня", {{"Стол", {line("Полка")}}});
    CutRun run;
    lamira::NullProgress quiet;
    Recorded shown;
    QCOMPARE(RunInput::cutMarkedJob(db(), run, quiet, shown.sink()), CutOutcome::NothingToCut);
    QVERIFY(run.RunMaterials.empty());
    QCOMPARE(shown.messages, std::vector<std::string>{"Нечего кроить"});
}

void CuttingJobTest::bankDetailAloneIsCutQuantityTimesProductQuantity()
{
    bankMaterial(db(), Material, 4, {1000, 2000});
    const qint64 product = ProductBank::createProduct(db(), {0, "1", "Тумба", "2", ""});
    ProductBank::createLine(db(), product, line("Фасад", "3"));
    ProductBank::createLine(db(), product, line("Дно", "1"));
    QVERIFY(CuttingJob::addBankDetail(db(), bankLine(db(), product, "Фасад")));

    CutRun run;
    lamira::NullProgress quiet;
    QCOMPARE(RunInput::cutMarkedJob(db(), run, quiet), CutOutcome::Done);
    QCOMPARE(int(run.RunDetails.size()), 6);
    for (const lamira::Detail *d : run.RunDetails) {
        QCOMPARE(d->Name, std::string("Фасад"));
        QCOMPARE(d->Quantity, 6);
        QCOMPARE(d->RowNo, 1);
    }
}

void CuttingJobTest::rowNumbersCountOrderThenBankRows()
{
    bankMaterial(db(), Material, 4, {1000});
    bankMaterial(db(), "МДФ", 4, {1000});
    // The bank rows are stored first, the order rows after them: the order
    // rows still come first. The МДФ row is the first of the job but does
    // not count for the other material.
    const qint64 product = bankProduct(db(), "Тумба", {"Фасад", "Дно"}, "1");
    const QString number = storeOrder(
        db(), "Кухня",
        {{"Шкаф", {line("Крышка", "1", "МДФ"), line("Бок", "2"), line("Полка", "1")}}}, "2");
    QVERIFY(CuttingJob::startFromOrder(db(), number, "Кухня"));
    QVERIFY(CuttingJob::addBankProduct(db(), product));

    CutRun run;
    lamira::NullProgress quiet;
    QCOMPARE(RunInput::cutMarkedJob(db(), run, quiet), CutOutcome::Done);
    QCOMPARE(run.RunMaterials, (std::vector<std::string>{"МДФ", Material.toStdString()}));
    // RunDetails holds the last material's details: an order row's copies are
    // its quantity × its product's 2, every copy carries the row's number.
    const std::map<std::string, std::pair<int, int>> expected{
        {"Бок", {4, 1}}, {"Полка", {2, 2}}, {"Фасад", {1, 3}}, {"Дно", {1, 4}}};
    QCOMPARE(copies(run.RunDetails), expected);
    for (const lamira::Detail *d : run.RunDetails)
        QCOMPARE(d->Quantity, copies(run.RunDetails).at(d->Name).first);
}

void CuttingJobTest::missingMaterialRowsAreUncut()
{
    bankMaterial(db(), "МДФ", 4, {1000});
    const QString number =
        storeOrder(db(), "Кухня", {{"Шкаф", {line("Бок", "2"), line("Крышка", "1", "МДФ")}}});
    QVERIFY(CuttingJob::startFromOrder(db(), number, "Кухня"));

    CutRun run;
    lamira::NullProgress quiet;
    Recorded shown;
    QCOMPARE(RunInput::cutMarkedJob(db(), run, quiet, shown.sink()), CutOutcome::Done);
    QCOMPARE(shown.messages.front(),
             std::string("Материала 'ЛДСП 'Бук'' нет в банке материалов,детали с данным "
                         "материалом будут нераскроены"));
    QCOMPARE(int(run.UncutDetails.size()), 2);
    for (const lamira::Detail *d : run.UncutDetails)
        QCOMPARE(d->Name, std::string("Бок"));
    QCOMPARE(run.MaterialCount(), 1);
    QCOMPARE(run.MapStore.Slot(0).Material, std::string("МДФ"));
}

void CuttingJobTest::renamedMaterialIsReportedByItsOldName()
{
    bankMaterial(db(), Material, 4, {1000});
    const QString number = storeOrder(db(), "Кухня", {{"Шкаф", {line("Бок")}}});
    QVERIFY(CuttingJob::startFromOrder(db(), number, "Кухня"));
    QVERIFY(MaterialBank::renameMaterial(db(), Material, "ЛДСП 'Бук' светлый"));

    CutRun run;
    lamira::NullProgress quiet;
    Recorded shown;
    QCOMPARE(RunInput::cutMarkedJob(db(), run, quiet, shown.sink()), CutOutcome::NothingToCut);
    QCOMPARE(shown.messages.size(), size_t(2));
    QCOMPARE(shown.messages.front(),
             std::string("Материала 'ЛДСП 'Бук'' нет в банке материалов,детали с данным "
                         "материалом будут нераскроены"));
    QCOMPARE(int(run.UncutDetails.size()), 1);
}

void CuttingJobTest::missingProductRowGivesNoCopies()
{
    bankMaterial(db(), Material, 4, {1000});
    // A marked bank line whose product row is gone, between two that count.
    const qint64 product = bankProduct(db(), "Тумба", {"Фасад"}, "1");
    db().execute("Insert Into DetailBank (№, IDName, Name, Width, Height, Quantity, Material, "
                 "Texture, Area, Cut, V) Values (9, ?, 'Сирота', 600, 400, 3, ?, 'нет', "
                 "'0.24', 'да', 'V')",
                 {product + 1000, Material});
    const qint64 later = bankProduct(db(), "Стеллаж", {"Полка"}, "1");
    QVERIFY(CuttingJob::addBankProduct(db(), product));
    QVERIFY(CuttingJob::addBankProduct(db(), later));

    const CutJob job = RunInput::readCutJob(db());
    QCOMPARE(int(job.Rows.size()), 3);
    QCOMPARE(job.Rows.at(1).ProductQuantity, 0);

    CutRun run;
    lamira::NullProgress quiet;
    QCOMPARE(RunInput::cutMarkedJob(db(), run, quiet), CutOutcome::Done);
    const auto made = copies(run.RunDetails);
    QCOMPARE(made.count("Сирота"), size_t(0));
    // The row without copies still takes its row number.
    QCOMPARE(made.at("Фасад"), std::make_pair(1, 1));
    QCOMPARE(made.at("Полка"), std::make_pair(1, 3));
    QVERIFY(run.UncutDetails.empty());
}

void CuttingJobTest::materialsDifferingInCaseStayApart()
{
    bankMaterial(db(), "ДСП", 4, {1000});
    bankMaterial(db(), "дсп", 8, {2000});
    const QString number =
        storeOrder(db(), "Кухня", {{"Шкаф", {line("Бок", "1", "дсп"), line("Полка", "1", "ДСП")}}});
    QVERIFY(CuttingJob::startFromOrder(db(), number, "Кухня"));

    const CutJob job = RunInput::readCutJob(db());
    QCOMPARE(int(job.Materials.size()), 2);
    QCOMPARE(job.Materials.at(0).Name, std::string("дсп"));
    QCOMPARE(job.Materials.at(0).Saw, 8);
    QVERIFY(job.Materials.at(0).Allow2000 && !job.Materials.at(0).Allow1000);
    QCOMPARE(job.Materials.at(1).Name, std::string("ДСП"));
    QCOMPARE(job.Materials.at(1).Saw, 4);

    CutRun run;
    lamira::NullProgress quiet;
    QCOMPARE(RunInput::cutMarkedJob(db(), run, quiet), CutOutcome::Done);
    QCOMPARE(run.MaterialCount(), 2);
    QCOMPARE(run.MapStore.Slot(0).Maps.front()->Height, 2000);
    QCOMPARE(run.MapStore.Slot(1).Maps.front()->Height, 1000);
}

void CuttingJobTest::jobsBeyondTheLimitsAreNotCut_data()
{
    QTest::addColumn<QString>("length");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("saw");

    QTest::newRow("length above 100000") << "100001"
                                         << "1"
                                         << "4";
    QTest::newRow("negative length") << "-600"
                                     << "1"
                                     << "4";
    QTest::newRow("more than 100000 copies") << "600"
                                             << "100001"
                                             << "4";
    QTest::newRow("saw above 1000") << "600"
                                    << "1"
                                    << "1001";
}

void CuttingJobTest::jobsBeyondTheLimitsAreNotCut()
{
    QFETCH(QString, length);
    QFETCH(QString, quantity);
    QFETCH(QString, saw);
    bankMaterial(db(), Material, 4, {1000});
    // Written past the bank's own check, as another program might.
    db().execute("Update Tree Set SawHeight=?", {saw.toInt()});
    OrderLine l = line("Бок", quantity);
    l.length = length;
    const QString number = storeOrder(db(), "Кухня", {{"Шкаф", {l}}});
    QVERIFY(CuttingJob::startFromOrder(db(), number, "Кухня"));

    QVERIFY_THROWS_EXCEPTION(StoreError, RunInput::readCutJob(db()));
    CutRun run;
    lamira::NullProgress quiet;
    QVERIFY_THROWS_EXCEPTION(StoreError, RunInput::cutMarkedJob(db(), run, quiet));
    QVERIFY(run.RunMaterials.empty());
}

QTEST_GUILESS_MAIN(CuttingJobTest)
#include "tst_cuttingjob.moc"
