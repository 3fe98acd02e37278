#include "app/cutjobtab.h"
#include "app/windows.h"
#include "cli/jobjson.h"
#include "cutting/cutrun.h"
#include "maps_ui/mapviewer.h"
#include "messagerecorder.h"
#include "modal.h"
#include "order_edit/editinfomake.h"
#include "order_edit/ordersheet.h"
#include "store/cuttingjob.h"
#include "store/materialbank.h"
#include "store/orders.h"
#include "store/productbank.h"
#include "tablerows.h"
#include "testdatabase.h"
#include "typing.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <memory>

using lamira::Database;
using lamira::OrderLine;
using lamira::test::marked;
using lamira::test::MessageRecorder;
using lamira::test::TestDatabase;
using lamira::test::typeText;
using lamira::test::whenModal;
namespace CuttingJob = lamira::CuttingJob;
namespace MaterialBank = lamira::MaterialBank;
namespace ProductBank = lamira::ProductBank;

namespace {

const QString Beech = "ЛДСП 'Бук'";
const QString NothingToCut = "Нечего кроить";

// A display that never shows anything and presses cancel on the first
// update of the operation with the given caption.
class CancellingProgress final : public lamira::Progress
{
public:
    explicit CancellingProgress(std::string caption = {}) : m_cancelAt(std::move(caption)) {}

    std::vector<std::string> started;
    int finishes = 0;

    void SetParts(int) override {}
    void Refresh(int mode) override
    {
        if (mode == Start)
            started.push_back(Caption);
        if (mode == Finish)
            ++finishes;
        if (mode == Update && !m_cancelAt.empty() && Caption == m_cancelAt)
            m_cancelled = true;
    }
    bool Cancelled() const override { return m_cancelled; }

private:
    std::string m_cancelAt;
    bool m_cancelled = false;
};

OrderLine line(const QString &name, int length, int width, int quantity,
               const QString &material = Beech, const QString &texture = "нет")
{
    return {"1",
            name,
            QString::number(length),
            QString::number(width),
            QString::number(quantity),
            material,
            texture,
            "0",
            "да"};
}

// Stores an order of one product and returns its number.
QString storeOrder(Database &db, const QString &name, const QList<OrderLine> &lines,
                   const QString &productQuantity = "1")
{
    lamira::OrderContent order;
    order.header = {"", name, "01.02.2024", "10.02.2024", "O'Brien", ""};
    order.products.append({"1", "Шкаф 'Купе'", productQuantity, "", lines});
    for (int r = 0; r < lines.size(); ++r)
        order.products.first().lines[r].number = QString::number(r + 1);
    return QString::number(lamira::OrderStore::insertCopy(db, order, name));
}

void bankMaterial(Database &db, const QString &name, QList<int> heights, int saw = 4)
{
    QVERIFY(MaterialBank::addMaterial(db, "Плиты", name));
    QVERIFY(MaterialBank::setSawWidth(db, name, QString::number(saw)));
    for (int h : heights)
        QVERIFY(MaterialBank::toggleSize(db, name, h));
}

QStringList comboTexts(const QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

// What the maps tab shows: the current map's number, its information line
// and the material filter's choice.
QString shownMaps(const MapViewer *viewer)
{
    return viewer->Edit2->text() + '|' + viewer->Label1->text() + '|'
           + viewer->ComboBox1->currentText();
}

} // namespace

// The cutting job tab and the cut run in the main window: sending an order
// to cutting, adding and removing entries through the tab, "В раскрой" with
// its messages, cancel and end, and a newcomer's whole way from an empty
// database to the maps tab.
class CuttingFlowTest final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void cutButtonMakesTheOpenOrderTheJob();
    void cutButtonNeedsAnOpenOrder();
    void addEntriesThroughTheTab();
    void removingADetailEntryThroughThePopup();
    void removingOneOfTwoEntriesOfAnOrder();
    void bankDetailIsCutQuantityTimesProductQuantity();
    void runShowsTheMapsTab();
    void missingMaterialIsReportedDuringTheRun();
    void nothingToCutLeavesTheMapsTab();
    void cancelInTheSecondGroupShowsNothing();
    void sameResultAsTheCutter();
    void newcomerFromAnEmptyDatabase();

private:
    TMainForm *form() const { return m_windows->MainForm.get(); }
    CutJobTab *tab() const { return form()->JobTab; }
    Database &db() const { return m_fixture->db(); }
    void showForm();
    QStringList entries() const;
    void selectEntry(int row);
    void screenshot(const QString &name);

    std::unique_ptr<TestDatabase> m_fixture;
    std::unique_ptr<MessageRecorder> m_messages;
    std::unique_ptr<lamira::Windows> m_windows;
    lamira::NullProgress m_quiet;
};

void CuttingFlowTest::init()
{
    m_fixture = std::make_unique<TestDatabase>();
    m_messages = std::make_unique<MessageRecorder>();
    m_windows = std::make_unique<lamira::Windows>(db());
    form()->orderSheet()->setDecimalPoint(".");
    // The progress window waits a second before it shows; these runs are
    // shorter, so it never would.
    form()->setRunProgress(&m_quiet);
}

void CuttingFlowTest::cleanup()
{
    m_windows.reset();
    m_messages.reset();
    m_fixture.reset();
}

void CuttingFlowTest::showForm()
{
    form()->resize(1200, 800);
    form()->show();
    QVERIFY(QTest::qWaitForWindowExposed(form()));
}

QStringList CuttingFlowTest::entries() const
{
    QStringList out;
    const QTableWidget *grid = tab()->DBGrid1;
    for (int r = 0; r < grid->rowCount(); ++r)
        out << grid->item(r, 0)->text() + " " + grid->item(r, 1)->text() + " " +
                   grid->item(r, 2)->text();
    return out;
}

void CuttingFlowTest::selectEntry(int row)
{
    tab()->DBGrid1->setCurrentCell(row, 1);
}

void CuttingFlowTest::screenshot(const QString &name)
{
    // LAMIRA_SCREENSHOT_DIR=folder keeps pictures of the steps for a look
    // (run under xvfb-run with QT_QPA_PLATFORM=xcb for the real thing).
    const QString dir = qEnvironmentVariable("LAMIRA_SCREENSHOT_DIR");
    if (dir.isEmpty())
        return;
    QTest::qWait(300);
    QWidget *window =
        QApplication::activeModalWidget() ? QApplication::activeModalWidget() : form();
    const QPixmap shot = QGuiApplication::platformName() == QLatin1String("xcb")
                             ? window->screen()->grabWindow(0)
                             : window->grab();
    QVERIFY(shot.save(QDir(dir).filePath(name + ".png")));
}

void CuttingFlowTest::cutButtonMakesTheOpenOrderTheJob()
{
    bankMaterial(db(), Beech, {1000});
    const qint64 other = ProductBank::createProduct(db(), {0, "1", "Тумба", "1", ""});
    ProductBank::createLine(db(), other, line("Фасад", 600, 400, 1));
    QVERIFY(CuttingJob::addBankProduct(db(), other));
    showForm();
    QVERIFY(form()->CutButton->isEnabled() && form()->N6->isEnabled());

    // A new order, typed and never committed: "Раскрой" stores it.
    typeText(form()->NameEdit, "Кухня 'Модерн'");
    form()->DateEdit2->setText("10.02.2030");
    typeText(form()->CustomerEdit, "O'Brien");
    form()->CreateItem->trigger();
    TEditInfoMake *panel = form()->ProductPanels().constFirst();
    typeText(panel->NameEdit, "Шкаф");
    typeText(panel->DateEdit1, "1");
    const QStringList row{"Бок 'левый'", "600", "400", "2"};
    for (int c = 0; c < 4; ++c)
        typeText(panel->cell(0, TEditInfoMake::NameColumn + c), row.at(c));
    panel->cell(0, TEditInfoMake::MaterialColumn)->setText(Beech);
    QVERIFY(form()->SpeedButton7->isVisible());

    form()->CutButton->click();
    QCOMPARE(m_messages->texts(), QStringList());
    QCOMPARE(entries(), QStringList{"Заказ Кухня 'Модерн' да"});
    QCOMPARE(marked(db(), "Detail"), QStringList{"Бок 'левый'"});
    QCOMPARE(marked(db(), "DetailBank"), QStringList());
    QVERIFY(form()->PageControl1->isVisible());
    QCOMPARE(form()->PageControl1->currentWidget(), form()->TabSheet1);
    QVERIFY(!form()->PageControl1->isTabVisible(1));
    QVERIFY(!form()->SpeedButton7->isVisible());
    QCOMPARE(form()->NumberEdit->text(), QString("1"));
    QCOMPARE(tab()->SpeedButton1->text(), QString("В раскрой"));
    QCOMPARE(tab()->SpeedButton1->toolTip(), QString("Начать раскрой"));

    // Again, from the menu: still one entry.
    form()->N6->trigger();
    QCOMPARE(entries(), QStringList{"Заказ Кухня 'Модерн' да"});
    QCOMPARE(db().select("Select * From Orders").rowCount(), 1);
}

void CuttingFlowTest::cutButtonNeedsAnOpenOrder()
{
    const QString number = storeOrder(db(), "Кухня", {line("Бок", 600, 400, 1)});
    QVERIFY(CuttingJob::startFromOrder(db(), number, "Кухня"));
    showForm();
    form()->CutButton->click();
    QCOMPARE(m_messages->texts(), QStringList{"Нет активных заказов"});
    QVERIFY(!form()->PageControl1->isVisible());
    QCOMPARE(marked(db(), "Detail"), QStringList{"Бок"});

    // An order that cannot be saved is not sent either, and the old job stays.
    m_messages->clear();
    typeText(form()->NameEdit, "Прихожая");
    form()->DateEdit2->setText("10.02.2030");
    form()->SpeedButton7->click();
    form()->CutButton->click();
    QCOMPARE(m_messages->texts(), QStringList{"Заполнены не все данные заказа"});
    QCOMPARE(CuttingJob::entries(db()).size(), 1);
    QCOMPARE(marked(db(), "Detail"), QStringList{"Бок"});
}

void CuttingFlowTest::addEntriesThroughTheTab()
{
    const QString number = storeOrder(db(), "Кухня", {line("Бок", 600, 400, 1)});
    storeOrder(db(), "Прихожая 'Люкс'", {line("Дверь", 600, 400, 1)});
    const qint64 product = ProductBank::createProduct(db(), {0, "1", "Тумба 'Лира'", "1", ""});
    ProductBank::createLine(db(), product, line("Фасад", 600, 400, 1));
    ProductBank::createLine(db(), product, line("Полка 'Угол'", 500, 300, 1));
    QVERIFY(CuttingJob::startFromOrder(db(), number, "Кухня"));
    showForm();
    form()->PageControl1->show();
    tab()->refresh();

    QStringList seen;
    whenModal([&seen](QWidget *modal) {
        auto *list = qobject_cast<TOrdersForm *>(modal);
        seen << QString::number(!list->B->isHidden()) +
                    QString::number(!list->OKButton->isHidden());
        list->selectRow(1);
        list->B->click();
    });
    tab()->SpeedButton2->click();

    whenModal([&seen](QWidget *modal) {
        auto *bank = qobject_cast<TBankOfProductsForm *>(modal);
        seen << QString::number(!bank->SpeedButton2->isHidden()) +
                    QString::number(!bank->SpeedButton3->isHidden());
        bank->SpeedButton2->click();
    });
    tab()->SpeedButton5->click();

    whenModal([&seen](QWidget *modal) {
        auto *pick = qobject_cast<TFormAddDetail *>(modal);
        seen << QString::number(pick->DBGrid2->rowCount());
        pick->DBGrid2->setCurrentCell(1, 1);
        pick->SpeedButton1->click();
    });
    tab()->SpeedButton6->click();

    QCOMPARE(seen, (QStringList{"10", "10", "2"}));
    QCOMPARE(entries(), (QStringList{"Заказ Кухня да", "Заказ Прихожая 'Люкс' да",
                                     "Изделие Тумба 'Лира' да", "Деталь Полка 'Угол' да"}));
    QCOMPARE(marked(db(), "Detail"), (QStringList{"Бок", "Дверь"}));
    QCOMPARE(marked(db(), "DetailBank"), (QStringList{"Фасад", "Полка 'Угол'"}));

    // "Отмена" adds nothing; the order list is back to opening orders.
    whenModal([](QWidget *modal) { qobject_cast<TFormAddDetail *>(modal)->SpeedButton2->click(); });
    tab()->SpeedButton6->click();
    QCOMPARE(entries().size(), 4);
    whenModal([&seen](QWidget *modal) {
        auto *list = qobject_cast<TOrdersForm *>(modal);
        seen << QString::number(!list->B->isHidden()) +
                    QString::number(!list->OKButton->isHidden());
        list->CancelButton->click();
    });
    form()->OpenItem->trigger();
    QCOMPARE(seen.constLast(), QString("01"));
}

void CuttingFlowTest::removingADetailEntryThroughThePopup()
{
    const QString number =
        storeOrder(db(), "Кухня", {line("Полка 'Угол'", 600, 400, 1), line("Бок", 600, 400, 1)});
    const qint64 product = ProductBank::createProduct(db(), {0, "1", "Тумба", "1", ""});
    ProductBank::createLine(db(), product, line("Полка 'Угол'", 600, 400, 1));
    ProductBank::createLine(db(), product, line("Фасад", 600, 400, 1));
    const qint64 loose = ProductBank::createProduct(db(), {0, "2", "Разное", "1", ""});
    const qint64 shelf = ProductBank::createLine(db(), loose, line("Полка 'Угол'", 600, 400, 1));
    QVERIFY(CuttingJob::startFromOrder(db(), number, "Кухня"));
    QVERIFY(CuttingJob::addBankProduct(db(), product));
    QVERIFY(CuttingJob::addBankDetail(db(), shelf));
    showForm();
    form()->PageControl1->show();
    tab()->refresh();

    QCOMPARE(tab()->PopupMenu3->actions().value(0)->text(), QString("Удалить из списка"));
    selectEntry(2);
    tab()->N21->trigger();
    QCOMPARE(entries(), (QStringList{"Заказ Кухня да", "Изделие Тумба да"}));
    QCOMPARE(marked(db(), "Detail"), QStringList{"Бок"});
    QCOMPARE(marked(db(), "DetailBank"), QStringList{"Фасад"});

    // The run leaves out what the removal unmarked.
    QVERIFY(MaterialBank::addMaterial(db(), "Плиты", Beech));
    QVERIFY(MaterialBank::toggleSize(db(), Beech, 1000));
    tab()->SpeedButton1->click();
    QVERIFY(form()->cutRun());
    QCOMPARE(int(form()->cutRun()->RunDetails.size()), 2);
}

void CuttingFlowTest::removingOneOfTwoEntriesOfAnOrder()
{
    const QString number = storeOrder(db(), "Кухня", {line("Бок", 600, 400, 1)});
    QVERIFY(CuttingJob::startFromOrder(db(), number, "Кухня"));
    QVERIFY(CuttingJob::addOrder(db(), lamira::OrderStore::findByNumber(db(), number).value()));
    showForm();
    form()->PageControl1->show();
    tab()->refresh();
    QCOMPARE(entries(), (QStringList{"Заказ Кухня да", "Заказ Кухня да"}));
    selectEntry(0);
    tab()->N21->trigger();
    QCOMPARE(entries(), QStringList{"Заказ Кухня да"});
    QCOMPARE(marked(db(), "Detail"), QStringList());
    // On an empty list the popup does nothing.
    selectEntry(0);
    tab()->N21->trigger();
    tab()->N21->trigger();
    QCOMPARE(entries(), QStringList());
}

void CuttingFlowTest::bankDetailIsCutQuantityTimesProductQuantity()
{
    bankMaterial(db(), Beech, {1000, 2000});
    const qint64 product = ProductBank::createProduct(db(), {0, "1", "Тумба", "2", ""});
    const qint64 front = ProductBank::createLine(db(), product, line("Фасад", 700, 500, 3));
    ProductBank::createLine(db(), product, line("Дно", 600, 500, 1));
    QVERIFY(CuttingJob::addBankDetail(db(), front));
    showForm();
    tab()->SpeedButton1->click();
    QCOMPARE(m_messages->texts(), QStringList{"Программе не удается получить группу из 15 листов"});
    const lamira::CutRun *run = form()->cutRun();
    QVERIFY(run);
    QCOMPARE(int(run->RunDetails.size()), 6);
    for (const lamira::Detail *d : run->RunDetails) {
        QCOMPARE(d->Name, std::string("Фасад"));
        QCOMPARE(d->Quantity, 6);
    }
}

void CuttingFlowTest::runShowsTheMapsTab()
{
    bankMaterial(db(), Beech, {1000});
    bankMaterial(db(), "МДФ", {1250}, 3);
    db().execute("Update Settings Set ListColor=?, OddVisible=0, OddSize=25", {123456});
    const QString number =
        storeOrder(db(), "Кухня", {line("Бок", 600, 400, 2), line("Крышка", 1100, 2100, 1, "МДФ")});
    QVERIFY(CuttingJob::startFromOrder(db(), number, "Кухня"));
    showForm();
    form()->PageControl1->show();

    QCursor shownWith;
    const lamira::MessageHandler recorder =
        lamira::setMessageHandler([&shownWith](const lamira::Message &) {
            shownWith =
                QApplication::overrideCursor() ? *QApplication::overrideCursor() : QCursor();
            return lamira::MessageAnswer::Ok;
        });
    tab()->SpeedButton1->click();
    lamira::setMessageHandler(recorder);
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(shownWith.shape(), Qt::WaitCursor);

    const lamira::CutRun *run = form()->cutRun();
    QVERIFY(run);
    QCOMPARE(run->MaterialCount(), 2);
    QCOMPARE(run->ListColor, 123456);
    QVERIFY(!run->OddVisible);
    QCOMPARE(run->OddSize, 25);
    QVERIFY(form()->PageControl1->isTabVisible(1));
    QCOMPARE(form()->PageControl1->currentWidget(), form()->TabSheet2);
    QCOMPARE(comboTexts(form()->mapViewer()->ComboBox1), (QStringList{Beech, "МДФ", "Все"}));
    QCOMPARE(form()->mapViewer()->ComboBox1->currentText(), QString("Все"));
    QCOMPARE(form()->mapViewer()->Edit2->text(), QString("1"));
    QVERIFY(form()->mapViewer()->Label1->text().startsWith("Количество: "));
    QVERIFY(run->Maps.front()->Panel);
    QCOMPARE(run->Maps.back()->Material, std::string("МДФ"));
}

void CuttingFlowTest::missingMaterialIsReportedDuringTheRun()
{
    bankMaterial(db(), Beech, {1000});
    const QString number = storeOrder(
        db(), "Кухня", {line("Бок", 600, 400, 1), line("Цоколь", 1800, 100, 1, "Орех 'Тёмный'")});
    QVERIFY(CuttingJob::startFromOrder(db(), number, "Кухня"));
    // Renamed after the order was made: the rows keep the old name.
    QVERIFY(MaterialBank::renameMaterial(db(), Beech, "ЛДСП 'Бук' новый"));
    showForm();
    tab()->SpeedButton1->click();
    QCOMPARE(m_messages->texts(),
             (QStringList{"Материала 'ЛДСП 'Бук'' нет в банке материалов,детали с данным "
                          "материалом будут нераскроены",
                          "Материала 'Орех 'Тёмный'' нет в банке материалов,детали с данным "
                          "материалом будут нераскроены",
                          NothingToCut}));
    QVERIFY(!form()->cutRun());
}

void CuttingFlowTest::nothingToCutLeavesTheMapsTab()
{
    bankMaterial(db(), Beech, {1000});
    const QString number = storeOrder(db(), "Кухня", {line("Бок", 600, 400, 1)});
    QVERIFY(CuttingJob::startFromOrder(db(), number, "Кухня"));
    showForm();
    tab()->SpeedButton1->click();
    const lamira::CutRun *first = form()->cutRun();
    QVERIFY(first);
    const QString shown = shownMaps(form()->mapViewer());

    CuttingJob::removeEntry(db(), CuttingJob::entries(db()).at(0).id);
    m_messages->clear();
    tab()->SpeedButton1->click();
    QCOMPARE(m_messages->texts(), QStringList{NothingToCut});
    QCOMPARE(form()->cutRun(), first);
    QCOMPARE(shownMaps(form()->mapViewer()), shown);
    QCOMPARE(form()->PageControl1->currentWidget(), form()->TabSheet2);
    QVERIFY(!QApplication::overrideCursor());
}

void CuttingFlowTest::cancelInTheSecondGroupShowsNothing()
{
    bankMaterial(db(), Beech, {1000, 2000});
    const QString number = storeOrder(
        db(), "Кухня",
        {line("high", 1500, 1800, 6, Beech, "да"), line("low", 700, 600, 8, Beech, "да")});
    QVERIFY(CuttingJob::startFromOrder(db(), number, "Кухня"));
    showForm();
    tab()->SpeedButton1->click();
    const lamira::CutRun *before = form()->cutRun();
    QVERIFY(before);
    const QStringList combo = comboTexts(form()->mapViewer()->ComboBox1);
    const QString shown = shownMaps(form()->mapViewer());
    m_messages->clear();

    // The run stops in the second group: the first group's maps are there,
    // nothing is filed.
    CancellingProgress progress("Обработка второй группы деталей");
    form()->setRunProgress(&progress);
    lamira::CutRun cancelled;
    QCOMPARE(form()->cutMarkedJob(cancelled), lamira::CutOutcome::Cancelled);
    QCOMPARE(progress.started.back(), std::string("Обработка второй группы деталей"));
    QVERIFY(!cancelled.Maps.empty());
    for (const lamira::CTree *map : cancelled.Maps) {
        QCOMPARE(map->Height, 2000);
        QCOMPARE(map->Piece->Item->Name, std::string("high"));
    }
    QCOMPARE(cancelled.MaterialCount(), 0);

    // "В раскрой" cancelled the same way shows nothing and keeps what the
    // maps tab shows.
    CancellingProgress again("Обработка второй группы деталей");
    form()->setRunProgress(&again);
    tab()->SpeedButton1->click();
    QCOMPARE(again.finishes, int(again.started.size()));
    QCOMPARE(m_messages->texts(), QStringList());
    QCOMPARE(form()->cutRun(), before);
    QCOMPARE(comboTexts(form()->mapViewer()->ComboBox1), combo);
    QCOMPARE(shownMaps(form()->mapViewer()), shown);
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(form()->isEnabled());
    form()->setRunProgress(&m_quiet);
}

void CuttingFlowTest::sameResultAsTheCutter()
{
    bankMaterial(db(), Beech, {1000, 2000});
    bankMaterial(db(), "МДФ", {1250}, 3);
    const QString number =
        storeOrder(db(), "Кухня 'Модерн'",
                   {line("Бок 'левый'", 2000, 600, 2), line("Полка", 800, 400, 4, Beech, "да"),
                    line("Крышка", 1100, 2100, 1, "МДФ"), line("Цоколь", 1800, 100, 2, "Орех")},
                   "2");
    const qint64 product = ProductBank::createProduct(db(), {0, "1", "Тумба 'Лира'", "3", ""});
    ProductBank::createLine(db(), product, line("Фасад", 700, 500, 1));
    ProductBank::createLine(db(), product, line("Дно", 600, 500, 2, "МДФ"));
    QVERIFY(CuttingJob::startFromOrder(db(), number, "Кухня 'Модерн'"));
    QVERIFY(CuttingJob::addBankProduct(db(), product));
    showForm();
    tab()->SpeedButton1->click();
    QVERIFY(form()->cutRun());
    const QByteArray gui = QJsonDocument(lamira::CutResultJson(*form()->cutRun())).toJson();

    QProcess cutter;
    cutter.start(QStringLiteral(LAMIRA_CUT), {"--database", m_fixture->location()});
    QVERIFY(cutter.waitForFinished(120000));
    QCOMPARE(cutter.exitCode(), 0);
    QCOMPARE(cutter.readAllStandardOutput(), gui);
}

void CuttingFlowTest::newcomerFromAnEmptyDatabase()
{
    // As a newcomer would, with the real progress window.
    form()->setRunProgress(nullptr);
    showForm();
    screenshot("01-empty");

    // The materials bank: a group, a material, its sizes and saw.
    whenModal([this](QWidget *modal) {
        auto *bank = qobject_cast<TBankOfMaterialsForm *>(modal);
        QVERIFY(bank);
        const auto answer = [](const QString &text) {
            whenModal([text](QWidget *dialog) {
                auto *d = qobject_cast<TDialogForm *>(dialog);
                d->DialogEdit->setText(text);
                d->DialogButton->click();
            });
        };
        answer("Плиты 'Эгер'");
        bank->CreateGroupButton->click();
        answer(Beech);
        bank->CreateMaterialButton->click();
        QTest::mouseDClick(bank->mm1000, Qt::LeftButton);
        QTest::mouseDClick(bank->mm2000, Qt::LeftButton);
        bank->SawHeight->selectAll();
        typeText(bank->SawHeight, "4");
        screenshot("02-materials-bank");
        bank->CloseButton->click();
    });
    form()->BankOfMaterialsButton->click();
    const auto material = MaterialBank::material(db(), Beech);
    QVERIFY(material);
    QVERIFY(material->allow1000 && material->allow2000 && !material->allow1250);
    QCOMPARE(material->sawHeight, 4);

    // An order.
    typeText(form()->NameEdit, "Кухня 'Модерн'");
    whenModal(
        [](QWidget *calendar) { calendar->findChild<QToolButton *>("SpeedButton1")->click(); });
    QTest::mouseClick(form()->DateEdit2, Qt::LeftButton);
    typeText(form()->CustomerEdit, "O'Brien");
    form()->CreateItem->trigger();
    TEditInfoMake *panel = form()->ProductPanels().constFirst();
    typeText(panel->NameEdit, "Шкаф 'Купе'");
    typeText(panel->DateEdit1, "2");
    const QList<QStringList> rows{
        {"Бок", "2000", "600", "2"}, {"Полка", "800", "400", "4"}, {"Дверь", "1900", "500", "1"}};
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < 4; ++c)
            typeText(panel->cell(r, TEditInfoMake::NameColumn + c), rows.at(r).at(c));
    }
    whenModal([](QWidget *modal) { qobject_cast<TSelectForm *>(modal)->ForAllButton->click(); });
    QTest::mouseClick(panel->cell(0, TEditInfoMake::MaterialColumn), Qt::LeftButton);
    QCOMPARE(panel->cell(2, TEditInfoMake::MaterialColumn)->text(), Beech);
    screenshot("03-order");

    form()->CutButton->click();
    QCOMPARE(entries(), QStringList{"Заказ Кухня 'Модерн' да"});
    screenshot("04-cutting-job");

    tab()->SpeedButton1->click();
    QCOMPARE(m_messages->texts(), QStringList{"Программе не удается получить группу из 15 листов"});
    QCOMPARE(form()->PageControl1->currentWidget(), form()->TabSheet2);
    QCOMPARE(comboTexts(form()->mapViewer()->ComboBox1), (QStringList{Beech, "Все"}));
    QVERIFY(form()->cutRun()->Maps.front()->Panel);
    QVERIFY(form()->isEnabled());
    screenshot("05-maps");
}

QTEST_MAIN(CuttingFlowTest)
#include "tst_cuttingflow.moc"
