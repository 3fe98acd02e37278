#include "app/windows.h"
#include "messagerecorder.h"
#include "modal.h"
#include "order_edit/editinfomake.h"
#include "order_edit/ordersheet.h"
#include "store/numbering.h"
#include "store/orders.h"
#include "tablerows.h"
#include "testdatabase.h"
#include "typing.h"

#include <QAction>
#include <QCalendarWidget>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <memory>

using lamira::Database;
using lamira::MessageAnswer;
using lamira::OrderContent;
using lamira::test::everything;
using lamira::test::MessageRecorder;
using lamira::test::TestDatabase;
using lamira::test::typeText;
using lamira::test::whenModal;

namespace {

const QString Incomplete = "Заполнены не все данные заказа";
const QString ExitQuestion = "Если вы хотите выйти и сохранить данные нажмите кнопку \"Да\"\n"
                             "Если вы хотите выйти без сохранения нажмите кнопку \"Нет\"\n"
                             "Если вы хотите отменить выход нажмите кнопку \"Отмена\"";

lamira::OrderLine line(const QString &name, const QString &length, const QString &width,
                       const QString &quantity, const QString &area)
{
    return {"1", name, length, width, quantity, "ЛДСП", "нет", area, "да"};
}

// Two products: "Шкаф 'Купе'" with three rows, "Стол" with one.
OrderContent kitchen()
{
    OrderContent o;
    o.header = {"", "Кухня 'Модерн'", "01.02.2024", "10.02.2024", "O'Brien", "к празднику"};
    o.products = {
        {"1",
         "Шкаф 'Купе'",
         "2",
         "угловой",
         {line("Бок", "2000", "600", "2", "2.4"), line("Полка", "800", "400", "4", "1.28"),
          line("Дверь", "1900", "500", "1", "0.95")}},
        {"2", "Стол", "1", "", {line("Столешница", "1200", "600", "1", "0.72")}}};
    return o;
}

QStringList storedLines(Database &db, int order, int product)
{
    const auto orderId = lamira::OrderStore::findByNumber(db, QString::number(order));
    const lamira::Cursor make = db.select("Select ID From Make Where (IDName=?) And (№=?)",
                                          {orderId.value_or(-1), product});
    QStringList out;
    for (lamira::Cursor c =
             db.select("Select * From Detail Where IDName=? Order By №, ID", {make.value("ID")});
         !c.eof(); c.next())
        out << c.text("№") + " " + c.text("Name");
    return out;
}

QStringList cellTexts(const TEditInfoMake *panel, int column)
{
    QStringList out;
    for (int r = 0; r < panel->RowCount; ++r)
        out << panel->cell(r, column)->text();
    return out;
}

QString today()
{
    return QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
}

} // namespace

// The order's life in the main window, driven through its menus, buttons and
// dialogs against a real database.
class OrderLifecycleTest final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void newOrderNumber_data();
    void newOrderNumber();
    void typeCommitAndReopen();
    void openFillsTheSheet();
    void openEmptyOrderAndEmptyProduct();
    void saveWithEmptyCustomerStillPurges();
    void emptyNoteKeepsTheStoredNote();
    void removeFromTheMiddleAndSave();
    void saveAsCopies();
    void saveAsRefusesAnEmptyName();
    void commitNewOrderTwice();
    void saveOfADeletedOrderSaysSo();
    void deleteFromTheList();
    void changeNoteFromTheList();
    void failingSaveShowsTheErrorAndKeepsTheOrder();
    void wrongNumberRefusesTheSave();
    void newOrderCancelsPendingDeletions();
    void exitPrompt_data();
    void exitPrompt();
    void exitSaveThatFailsKeepsTheWindow_data();
    void exitSaveThatFailsKeepsTheWindow();
    void ordersButtonShowsTheSheet();
    void screenshotOfALoadedOrder();

private:
    TMainForm *form() const { return m_windows->MainForm.get(); }
    Database &db() const { return m_fixture->db(); }
    void showForm();
    // Opens the order list and loads its row `row`.
    void openOrder(int row);

    std::unique_ptr<TestDatabase> m_fixture;
    std::unique_ptr<lamira::Windows> m_windows;
    std::unique_ptr<MessageRecorder> m_messages;
};

void OrderLifecycleTest::init()
{
    m_fixture = std::make_unique<TestDatabase>();
    m_messages = std::make_unique<MessageRecorder>();
    m_windows = std::make_unique<lamira::Windows>(db());
    form()->orderSheet()->setDecimalPoint(".");
}

void OrderLifecycleTest::cleanup()
{
    m_windows.reset();
    m_messages.reset();
    m_fixture.reset();
}

void OrderLifecycleTest::showForm()
{
    form()->resize(1200, 800);
    form()->show();
    QVERIFY(QTest::qWaitForWindowExposed(form()));
}

void OrderLifecycleTest::openOrder(int row)
{
    bool seen = false;
    whenModal([&seen, row](QWidget *modal) {
        auto *list = qobject_cast<TOrdersForm *>(modal);
        seen = list != nullptr;
        if (!list) {
            modal->close();
            return;
        }
        list->selectRow(row);
        list->OKButton->click();
        if (list->isVisible())
            list->CancelButton->click();
    });
    form()->OpenItem->trigger();
    QVERIFY(seen);
}

void OrderLifecycleTest::newOrderNumber_data()
{
    QTest::addColumn<QList<int>>("stored");
    QTest::addColumn<QString>("number");

    QTest::newRow("none stored") << QList<int>{} << "1";
    QTest::newRow("7 newest") << QList<int>{1, 2, 7} << "8";
}

void OrderLifecycleTest::newOrderNumber()
{
    QFETCH(QList<int>, stored);
    QFETCH(QString, number);
    for (int n : stored)
        db().execute("Insert Into Orders (№, Name) Values (?, 'x')", {n});
    showForm();
    QCOMPARE(form()->NumberEdit->text(), number);
    QCOMPARE(form()->DateEdit1->text(), today());
    for (QLineEdit *e :
         {form()->NameEdit, form()->DateEdit2, form()->CustomerEdit, form()->CommentEdit})
        QCOMPARE(e->text(), QString());
    QVERIFY(form()->ProductPanels().isEmpty());
    QVERIFY(!form()->SaveItem->isEnabled());
    QVERIFY(!form()->SpeedButton7->isVisible());
    QVERIFY(form()->NumberEdit->isReadOnly() && form()->DateEdit1->isReadOnly() &&
            form()->DateEdit2->isReadOnly());
    // Nothing is written by starting an order.
    QCOMPARE(db().select("Select * From Orders").rowCount(), int(stored.size()));
}

void OrderLifecycleTest::typeCommitAndReopen()
{
    showForm();
    typeText(form()->NameEdit, "Кухня 'Модерн'");
    typeText(form()->CustomerEdit, "O'Brien");
    typeText(form()->CommentEdit, "don't hurry");
    whenModal(
        [](QWidget *calendar) { calendar->findChild<QToolButton *>("SpeedButton1")->click(); });
    QTest::mouseClick(form()->DateEdit2, Qt::LeftButton);
    QCOMPARE(form()->DateEdit2->text(), today());

    form()->CreateItem->trigger();
    QVERIFY(form()->SpeedButton7->isVisible());
    TEditInfoMake *panel = form()->ProductPanels().value(0);
    QVERIFY(panel);
    typeText(panel->NameEdit, "Шкаф 'Купе'");
    typeText(panel->DateEdit1, "2");
    const QStringList rows[] = {{"Бок 'левый'", "600", "400", "2"}, {"Полка", "333", "333", "3"}};
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 4; ++c)
            typeText(panel->cell(r, TEditInfoMake::NameColumn + c), rows[r].at(c));
        panel->cell(r, TEditInfoMake::MaterialColumn)->setText("ЛДСП 'Бук'");
    }
    form()->SpeedButton7->click();
    QCOMPARE(m_messages->texts(), QStringList());
    QCOMPARE(db().select("Select * From Orders").text("Name"), QString("Кухня 'Модерн'"));
    QCOMPARE(storedLines(db(), 1, 1), (QStringList{"1 Бок 'левый'", "2 Полка"}));

    form()->NewItem->trigger();
    QCOMPARE(form()->NumberEdit->text(), QString("2"));
    QVERIFY(form()->ProductPanels().isEmpty());
    QCOMPARE(form()->NameEdit->text(), QString());

    openOrder(0);
    QCOMPARE(form()->NumberEdit->text(), QString("1"));
    QCOMPARE(form()->NameEdit->text(), QString("Кухня 'Модерн'"));
    QCOMPARE(form()->CustomerEdit->text(), QString("O'Brien"));
    QCOMPARE(form()->CommentEdit->text(), QString("don't hurry"));
    QCOMPARE(form()->DateEdit2->text(), today());
    QCOMPARE(form()->ProductPanels().size(), 1);
    panel = form()->ProductPanels().at(0);
    QCOMPARE(panel->NameEdit->text(), QString("Шкаф 'Купе'"));
    QCOMPARE(panel->DateEdit1->text(), QString("2"));
    QCOMPARE(cellTexts(panel, TEditInfoMake::NameColumn),
             (QStringList{"Бок 'левый'", "Полка", ""}));
    QCOMPARE(cellTexts(panel, TEditInfoMake::MaterialColumn),
             (QStringList{"ЛДСП 'Бук'", "ЛДСП 'Бук'", ""}));
    QCOMPARE(cellTexts(panel, TEditInfoMake::AreaColumn), (QStringList{"0.48", "0.333", ""}));
    QCOMPARE(panel->Edit1->text(), QString("5"));
    QCOMPARE(panel->Edit2->text(), QString("0.813"));
}

void OrderLifecycleTest::openFillsTheSheet()
{
    lamira::OrderStore::insertCopy(db(), kitchen(), "Кухня 'Модерн'");
    showForm();
    openOrder(0);
    QVERIFY(!m_windows->OrdersForm->isVisible());
    QVERIFY(form()->SaveItem->isEnabled());
    QVERIFY(form()->SpeedButton7->isVisible());
    QVERIFY(!form()->orderSheet()->Loading);
    QCOMPARE(form()->DateEdit1->text(), QString("01.02.2024"));
    QCOMPARE(form()->ProductPanels().size(), 2);
    const TEditInfoMake *wardrobe = form()->ProductPanels().at(0);
    QCOMPARE(wardrobe->RowCount, 4);
    QCOMPARE(cellTexts(wardrobe, TEditInfoMake::NumberColumn), (QStringList{"1", "2", "3", "4"}));
    QCOMPARE(wardrobe->CommentEdit->text(), QString("угловой"));
    QCOMPARE(wardrobe->Edit1->text(), QString("7"));
    QCOMPARE(wardrobe->Edit2->text(), QString("4.63"));
    const TEditInfoMake *table = form()->ProductPanels().at(1);
    QCOMPARE(table->NumberEdit->text(), QString("2"));
    QCOMPARE(cellTexts(table, TEditInfoMake::AreaColumn), (QStringList{"0.72", ""}));
    QVERIFY(wardrobe->isVisible() && table->isVisible());
    // The progress window is done and every window usable again.
    QVERIFY(!m_windows->InfoProgress->isRunning());
    QVERIFY(form()->isEnabled());
}

void OrderLifecycleTest::openEmptyOrderAndEmptyProduct()
{
    OrderContent empty = kitchen();
    empty.products.clear();
    lamira::OrderStore::insertCopy(db(), empty, "пустой");
    OrderContent bare = kitchen();
    bare.products = {{"1", "Тумба", "1", "", {}}};
    lamira::OrderStore::insertCopy(db(), bare, "без деталей");
    showForm();
    openOrder(0);
    QCOMPARE(form()->NameEdit->text(), QString("пустой"));
    QVERIFY(form()->ProductPanels().isEmpty());
    QVERIFY(form()->SaveItem->isEnabled());
    openOrder(1);
    QCOMPARE(form()->ProductPanels().size(), 1);
    const TEditInfoMake *panel = form()->ProductPanels().at(0);
    QCOMPARE(panel->RowCount, 1);
    QCOMPARE(panel->cell(0, 0)->text(), QString("1"));
    QCOMPARE(panel->cell(0, TEditInfoMake::NameColumn)->text(), QString());
}

void OrderLifecycleTest::saveWithEmptyCustomerStillPurges()
{
    lamira::OrderStore::insertCopy(db(), kitchen(), "Кухня");
    showForm();
    openOrder(0);
    TEditInfoMake *panel = form()->ProductPanels().at(0);
    QTest::mouseClick(panel->cell(1, TEditInfoMake::NameColumn), Qt::LeftButton);
    panel->N3->trigger();
    QCOMPARE(db().select("Select * From Detail Where Del=1").rowCount(), 1);
    form()->CustomerEdit->clear();
    form()->SaveItem->trigger();
    QCOMPARE(m_messages->texts(), QStringList{Incomplete});
    QCOMPARE(db().select("Select * From Detail Where Del=1").rowCount(), 0);
    QCOMPARE(storedLines(db(), 1, 1), (QStringList{"1 Бок", "2 Дверь"}));
    QCOMPARE(db().select("Select * From Orders").text("Customer"), QString("O'Brien"));
}

void OrderLifecycleTest::emptyNoteKeepsTheStoredNote()
{
    lamira::OrderStore::insertCopy(db(), kitchen(), "Кухня");
    showForm();
    openOrder(0);
    form()->CommentEdit->clear();
    typeText(form()->NameEdit, " 2");
    form()->SaveItem->trigger();
    QCOMPARE(m_messages->texts(), QStringList());
    const lamira::Cursor o = db().select("Select * From Orders");
    QCOMPARE(o.text("Name"), QString("Кухня 2"));
    QCOMPARE(o.text("Comment"), QString("к празднику"));
}

void OrderLifecycleTest::removeFromTheMiddleAndSave()
{
    lamira::OrderStore::insertCopy(db(), kitchen(), "Кухня");
    OrderContent more = kitchen();
    more.products.insert(1, {"2", "Тумба", "1", "", {line("Ящик", "400", "400", "1", "0.16")}});
    lamira::OrderStore::insertCopy(db(), more, "Кухня и тумба");
    showForm();

    openOrder(0);
    TEditInfoMake *wardrobe = form()->ProductPanels().at(0);
    QTest::mouseClick(wardrobe->cell(1, TEditInfoMake::LengthColumn), Qt::LeftButton);
    wardrobe->PopupMenu1Popup();
    wardrobe->N3->trigger();
    form()->SaveItem->trigger();
    QCOMPARE(storedLines(db(), 1, 1), (QStringList{"1 Бок", "2 Дверь"}));
    form()->SaveItem->trigger();
    QCOMPARE(storedLines(db(), 1, 1), (QStringList{"1 Бок", "2 Дверь"}));

    openOrder(1);
    QCOMPARE(form()->ProductPanels().size(), 3);
    form()->ProductPanels().at(1)->N4->trigger();
    QCOMPARE(form()->ProductPanels().at(1)->NumberEdit->text(), QString("2"));
    form()->SaveItem->trigger();
    QCOMPARE(m_messages->texts(), QStringList());
    QCOMPARE(storedLines(db(), 2, 1), (QStringList{"1 Бок", "2 Полка", "3 Дверь"}));
    QCOMPARE(storedLines(db(), 2, 2), QStringList{"1 Столешница"});
    QCOMPARE(storedLines(db(), 2, 3), QStringList{});
    QCOMPARE(db().select("Select * From Detail Where Name='Ящик'").rowCount(), 0);

    openOrder(1);
    QStringList names;
    for (const TEditInfoMake *p : form()->ProductPanels())
        names << p->NumberEdit->text() + " " + p->NameEdit->text();
    QCOMPARE(names, (QStringList{"1 Шкаф 'Купе'", "2 Стол"}));
    QCOMPARE(cellTexts(form()->ProductPanels().at(0), TEditInfoMake::NameColumn),
             (QStringList{"Бок", "Полка", "Дверь", ""}));
}

void OrderLifecycleTest::saveAsCopies()
{
    lamira::OrderStore::insertCopy(db(), kitchen(), "Кухня");
    showForm();
    openOrder(0);
    whenModal([](QWidget *dialog) {
        auto *d = qobject_cast<TDialogForm *>(dialog);
        QCOMPARE(d->windowTitle(), QString("Введите название заказа"));
        QCOMPARE(d->DialogEdit->text(), QString());
        typeText(d->DialogEdit, "Копия 'два'");
        d->DialogButton->click();
    });
    form()->SaveAsItem->trigger();
    QVERIFY(!m_windows->DialogForm->isVisible());
    QCOMPARE(m_messages->texts(), QStringList());
    const auto copy = lamira::OrderStore::findByNumber(db(), "2");
    QVERIFY(copy);
    const OrderContent stored = lamira::OrderStore::load(db(), *copy);
    QCOMPARE(stored.header.name, QString("Копия 'два'"));
    QCOMPARE(stored.header.customer, QString("O'Brien"));
    QCOMPARE(stored.products.size(), 2);
    QCOMPARE(storedLines(db(), 2, 1), (QStringList{"1 Бок", "2 Полка", "3 Дверь"}));
    // The sheet still shows the order it showed.
    QCOMPARE(form()->NumberEdit->text(), QString("1"));
    QCOMPARE(form()->NameEdit->text(), QString("Кухня"));
}

void OrderLifecycleTest::saveAsRefusesAnEmptyName()
{
    lamira::OrderStore::insertCopy(db(), kitchen(), "Кухня");
    showForm();
    openOrder(0);
    whenModal([this](QWidget *dialog) {
        auto *d = qobject_cast<TDialogForm *>(dialog);
        d->DialogButton->click();
        QVERIFY(d->isVisible()); // stays for another try
        QCOMPARE(m_messages->texts(), QStringList{"Поле ввода данных не может быть пустым"});
        d->close(); // by its frame: nothing is stored
    });
    form()->SaveAsItem->trigger();
    QCOMPARE(db().select("Select * From Orders").rowCount(), 1);

    m_messages->clear();
    form()->NameEdit->clear();
    form()->SaveAsItem->trigger(); // no dialog: the header is incomplete
    QCOMPARE(m_messages->texts(), QStringList{Incomplete});
}

void OrderLifecycleTest::commitNewOrderTwice()
{
    // "OK" stores a new order without asking for a customer, and the next
    // "OK" finds it again instead of storing a second one.
    db().execute("Insert Into Orders (№, Name) Values (4, 'старый')");
    showForm();
    QCOMPARE(form()->NumberEdit->text(), QString("5"));
    typeText(form()->NameEdit, "Прихожая");
    form()->DateEdit2->setText("20.02.2024");
    form()->CreateItem->trigger();
    typeText(form()->ProductPanels().at(0)->NameEdit, "Вешалка");
    db().execute("Insert Into Orders (№, Name) Values (5, 'с другого места')");
    form()->SpeedButton7->click();
    QCOMPARE(form()->NumberEdit->text(), QString("6"));
    QCOMPARE(db().select("Select * From Orders Where Name='Прихожая'").rowCount(), 1);
    QVERIFY(!form()->SaveItem->isEnabled());

    typeText(form()->CustomerEdit, "Петров");
    form()->SpeedButton7->click();
    QCOMPARE(db().select("Select * From Orders Where Name='Прихожая'").rowCount(), 1);
    QCOMPARE(db().select("Select * From Orders Where Name='Прихожая'").text("Customer"),
             QString("Петров"));
    QVERIFY(!form()->SaveItem->isEnabled());
    QCOMPARE(m_messages->texts(), QStringList());
}

void OrderLifecycleTest::saveOfADeletedOrderSaysSo()
{
    lamira::OrderStore::insertCopy(db(), kitchen(), "Кухня");
    showForm();
    openOrder(0);
    lamira::OrderStore::remove(db(), *lamira::OrderStore::findByNumber(db(), "1"));
    form()->SaveItem->trigger();
    QCOMPARE(m_messages->texts(),
             QStringList{"Заказа № 1 нет в базе данных. Чтобы сохранить его, нажмите кнопку "
                         "\"OK\"."});
    QCOMPARE(db().select("Select * From Orders").rowCount(), 0);
    // "OK" stores it again, with everything the sheet shows.
    form()->SpeedButton7->click();
    QCOMPARE(storedLines(db(), 1, 1), (QStringList{"1 Бок", "2 Полка", "3 Дверь"}));
}

void OrderLifecycleTest::deleteFromTheList()
{
    lamira::OrderStore::insertCopy(db(), kitchen(), "Первый");
    lamira::OrderStore::insertCopy(db(), kitchen(), "Второй");
    showForm();
    openOrder(0);
    const QStringList sheet = cellTexts(form()->ProductPanels().at(0), 1);
    whenModal([](QWidget *modal) {
        auto *list = qobject_cast<TOrdersForm *>(modal);
        QCOMPARE(list->DBGrid1->rowCount(), 2);
        list->selectRow(0);
        list->DeleteButton->click();
        QCOMPARE(list->DBGrid1->rowCount(), 1);
        QCOMPARE(list->DBGrid1->item(0, 1)->text(), QString("Второй"));
        list->selectRow(0);
        list->DeleteButton->click();
        QCOMPARE(list->DBGrid1->rowCount(), 0);
        list->DeleteButton->click();
        list->OKButton->click(); // nothing to open
        list->CancelButton->click();
    });
    form()->OpenItem->trigger();
    QCOMPARE(m_messages->texts(), QStringList{"Нечего удалять"});
    for (const char *table : {"Orders", "Make", "Detail"})
        QCOMPARE(db().select(QStringLiteral("Select * From %1").arg(table)).rowCount(), 0);
    // The sheet is not touched.
    QCOMPARE(form()->NameEdit->text(), QString("Первый"));
    QCOMPARE(cellTexts(form()->ProductPanels().at(0), 1), sheet);
}

void OrderLifecycleTest::changeNoteFromTheList()
{
    lamira::OrderStore::insertCopy(db(), kitchen(), "Первый");
    lamira::OrderStore::insertCopy(db(), kitchen(), "Второй");
    showForm();
    whenModal([](QWidget *modal) {
        auto *list = qobject_cast<TOrdersForm *>(modal);
        QCOMPARE(list->DBGrid1->horizontalHeaderItem(5)->text(), QString("Примечание"));
        list->selectRow(1);
        whenModal([](QWidget *dialog) {
            auto *d = qobject_cast<TDialogForm *>(dialog);
            QCOMPARE(d->windowTitle(), QString("Введите новое примечание"));
            typeText(d->DialogEdit, "it's urgent");
            d->DialogButton->click();
        });
        list->CommentButton->click();
        QCOMPARE(list->DBGrid1->item(1, 5)->text(), QString("it's urgent"));
        QCOMPARE(list->selectedEntry()->header.name, QString("Второй"));
        list->CancelButton->click();
    });
    form()->OpenItem->trigger();
    const lamira::Cursor c = db().select("Select * From Orders");
    QCOMPARE(c.text("Comment"), QString("к празднику"));
    QCOMPARE(db().select("Select * From Orders Where Name='Второй'").text("Comment"),
             QString("it's urgent"));
    QCOMPARE(form()->CommentEdit->text(), QString());
}

void OrderLifecycleTest::failingSaveShowsTheErrorAndKeepsTheOrder()
{
    lamira::OrderStore::insertCopy(db(), kitchen(), "Кухня");
    if (db().engine() == Database::Engine::SQLite) {
        for (const char *event : {"Insert", "Update"})
            db().execute(QStringLiteral("Create Trigger boom_%1 Before %1 On Detail When "
                                        "NEW.Name = 'boom' Begin Select RAISE(ABORT, 'boom'); End")
                             .arg(event));
    } else {
        db().execute("Create Function boom() Returns trigger Language plpgsql As $$ Begin "
                     "If NEW.name = 'boom' Then Raise Exception 'boom'; End If; Return NEW; "
                     "End $$");
        db().execute("Create Trigger boom Before Insert Or Update On Detail For Each Row "
                     "Execute Function boom()");
    }
    showForm();
    openOrder(0);
    TEditInfoMake *panel = form()->ProductPanels().at(0);
    QTest::mouseClick(panel->cell(0, TEditInfoMake::NameColumn), Qt::LeftButton);
    panel->N3->trigger(); // marked, to be purged by the save
    typeText(form()->NameEdit, " новая");
    const QStringList before = everything(db());
    const int r = panel->RowCount - 1;
    const QStringList cells{"boom", "100", "100", "1"};
    for (int c = 0; c < 4; ++c)
        typeText(panel->cell(r, TEditInfoMake::NameColumn + c), cells.at(c));
    panel->cell(r, TEditInfoMake::MaterialColumn)->setText("ЛДСП");

    form()->SaveItem->trigger();
    QCOMPARE(m_messages->messages().size(), 1);
    QCOMPARE(m_messages->messages().at(0).icon, lamira::MessageIcon::Critical);
    QVERIFY2(m_messages->texts().at(0).contains("boom"), qPrintable(m_messages->texts().at(0)));
    QCOMPARE(everything(db()), before);
    // The sheet still holds what the user typed.
    QCOMPARE(panel->cell(r, TEditInfoMake::NameColumn)->text(), QString("boom"));
}

void OrderLifecycleTest::wrongNumberRefusesTheSave()
{
    lamira::OrderStore::insertCopy(db(), kitchen(), "Кухня");
    showForm();
    openOrder(0);
    QLineEdit *length = form()->ProductPanels().at(0)->cell(1, TEditInfoMake::LengthColumn);
    length->clear();
    typeText(length, "80о");
    QVERIFY(TEditInfoMake::isWrong(length));
    const QStringList before = everything(db());
    form()->SaveItem->trigger();
    QCOMPARE(m_messages->messages().size(), 1);
    QVERIFY2(m_messages->texts().at(0).contains("80о"), qPrintable(m_messages->texts().at(0)));
    QCOMPARE(everything(db()), before);
}

void OrderLifecycleTest::newOrderCancelsPendingDeletions()
{
    lamira::OrderStore::insertCopy(db(), kitchen(), "Кухня");
    showForm();
    openOrder(0);
    form()->ProductPanels().at(1)->N4->trigger();
    QCOMPARE(db().select("Select * From Make Where Del=1").rowCount(), 1);
    form()->NewItem->trigger();
    QCOMPARE(db().select("Select * From Make Where Del=1").rowCount(), 0);
    QCOMPARE(db().select("Select * From Detail Where Del=1").rowCount(), 0);
    QCOMPARE(form()->NumberEdit->text(), QString("2"));
}

void OrderLifecycleTest::exitPrompt_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("withName");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("saved");

    QTest::newRow("cancel") << int(MessageAnswer::Cancel) << true << false << false;
    QTest::newRow("no") << int(MessageAnswer::No) << true << true << false;
    QTest::newRow("yes") << int(MessageAnswer::Yes) << true << true << true;
    QTest::newRow("yes without a name") << int(MessageAnswer::Yes) << false << true << false;
}

void OrderLifecycleTest::exitPrompt()
{
    QFETCH(int, answer);
    QFETCH(bool, withName);
    QFETCH(bool, closes);
    QFETCH(bool, saved);
    lamira::OrderStore::insertCopy(db(), kitchen(), "Кухня");
    showForm();
    openOrder(0);
    TEditInfoMake *table = form()->ProductPanels().at(1);
    typeText(table->NameEdit, " письменный");
    form()->ProductPanels().at(0)->N4->trigger(); // a pending deletion
    if (!withName)
        form()->NameEdit->clear();

    m_messages->answer(MessageAnswer(answer));
    form()->N1->trigger();
    QCOMPARE(m_messages->messages().size(), 1);
    const lamira::Message &asked = m_messages->messages().at(0);
    QCOMPARE(asked.caption, QString("Предупреждение"));
    QCOMPARE(asked.text, ExitQuestion);
    QCOMPARE(asked.buttons, lamira::MessageButtons::YesNoCancel);
    QCOMPARE(asked.icon, lamira::MessageIcon::Question);

    QCOMPARE(form()->isVisible(), !closes);
    if (!closes) {
        // Everything as it was, the pending deletion too.
        QCOMPARE(form()->ProductPanels().size(), 1);
        QCOMPARE(form()->ProductPanels().at(0)->NameEdit->text(), QString("Стол письменный"));
        QCOMPARE(db().select("Select * From Make Where Del=1").rowCount(), 1);
        return;
    }
    QVERIFY(form()->ProductPanels().isEmpty());
    QCOMPARE(db().select("Select * From Make Where Del=1").rowCount(), 0);
    QCOMPARE(db().select("Select * From Detail Where Del=1").rowCount(), 0);
    const QStringList products = [this] {
        QStringList out;
        for (lamira::Cursor c = db().select("Select * From Make Order By №"); !c.eof(); c.next())
            out << c.text("Name");
        return out;
    }();
    QCOMPARE(products,
             saved ? QStringList{"Стол письменный"} : (QStringList{"Шкаф 'Купе'", "Стол"}));
}

void OrderLifecycleTest::exitSaveThatFailsKeepsTheWindow_data()
{
    QTest::addColumn<bool>("stored");
    QTest::addColumn<QString>("customer");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QStringList>("messages");

    // A stored order whose save is refused stays on screen to be completed.
    QTest::newRow("no customer") << true << "" << false << QStringList{"", Incomplete};
    // A new order, never committed with "OK", is stored rather than lost.
    QTest::newRow("new order") << false << "" << true << QStringList{""};
}

void OrderLifecycleTest::exitSaveThatFailsKeepsTheWindow()
{
    QFETCH(bool, stored);
    QFETCH(QString, customer);
    QFETCH(bool, closes);
    QFETCH(QStringList, messages);
    if (stored)
        lamira::OrderStore::insertCopy(db(), kitchen(), "Кухня");
    showForm();
    if (stored) {
        openOrder(0);
        form()->CustomerEdit->setText(customer);
    } else {
        typeText(form()->NameEdit, "Новый");
        form()->DateEdit2->setText("20.02.2024");
        form()->CreateItem->trigger();
    }
    m_messages->answer(MessageAnswer::Yes);
    form()->close();
    QStringList texts = m_messages->texts();
    texts[0].clear(); // the question
    QCOMPARE(texts, messages);
    QCOMPARE(form()->isVisible(), !closes);
    if (!stored)
        QCOMPARE(db().select("Select * From Orders Where Name='Новый'").rowCount(), 1);
}

void OrderLifecycleTest::ordersButtonShowsTheSheet()
{
    showForm();
    form()->PageControl1->show();
    form()->OrdersButton->click();
    QVERIFY(!form()->PageControl1->isVisible());
    QVERIFY(form()->SpeedButton7->isVisible());
    form()->SpeedButton7->hide();
    form()->N5->trigger();
    QVERIFY(form()->SpeedButton7->isVisible());
}

void OrderLifecycleTest::screenshotOfALoadedOrder()
{
    // LAMIRA_SCREENSHOT=file.png keeps a picture of the screen for a look
    // (run under xvfb-run with QT_QPA_PLATFORM=xcb for the real thing).
    lamira::OrderStore::insertCopy(db(), kitchen(), "Кухня 'Модерн'");
    showForm();
    openOrder(0);
    QCOMPARE(form()->ProductPanels().size(), 2);
    TEditInfoMake *table = form()->ProductPanels().at(1);
    typeText(table->cell(1, TEditInfoMake::NameColumn), "Ножка");
    typeText(table->cell(1, TEditInfoMake::LengthColumn), "70о");
    QVERIFY(TEditInfoMake::isWrong(table->cell(1, TEditInfoMake::LengthColumn)));
    const QString file = qEnvironmentVariable("LAMIRA_SCREENSHOT");
    if (!file.isEmpty()) {
        QTest::qWait(300);
        const QPixmap shot = QGuiApplication::platformName() == QLatin1String("xcb")
                                 ? form()->screen()->grabWindow(0)
                                 : form()->grab();
        QVERIFY(shot.save(file));
    }
}

QTEST_MAIN(OrderLifecycleTest)
#include "tst_orderlifecycle.moc"
