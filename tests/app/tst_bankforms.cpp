#include "app/windows.h"
#include "messagerecorder.h"
#include "modal.h"
#include "order_edit/editinfomake.h"
#include "order_edit/ordersheet.h"
#include "store/materialbank.h"
#include "store/orders.h"
#include "store/productbank.h"
#include "testdatabase.h"
#include "typing.h"

#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <memory>

using lamira::Database;
using lamira::test::MessageRecorder;
using lamira::test::TestDatabase;
using lamira::test::typeText;
using lamira::test::whenModal;
namespace MaterialBank = lamira::MaterialBank;
namespace ProductBank = lamira::ProductBank;

namespace {

const QString Chipboard = "ЛДСП 'Эгер'";
const QString Beech = "Бук 'Натур'";

// The tree as "group: material, material" lines.
QStringList treeTexts(const QTreeWidget *tree)
{
    QStringList out;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *group = tree->topLevelItem(i);
        QStringList materials;
        for (int c = 0; c < group->childCount(); ++c)
            materials << group->child(c)->text(0);
        out << group->text(0) + ": " + materials.join(", ");
    }
    return out;
}

QTreeWidgetItem *node(QTreeWidget *tree, const QString &text)
{
    const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.value(0);
}

// Answers the next one-line dialog with `text`; its caption and start text
// are kept for a look.
void answerDialog(const QString &text, QString *caption = nullptr, QString *start = nullptr)
{
    whenModal([=](QWidget *modal) {
        auto *dialog = qobject_cast<TDialogForm *>(modal);
        if (!dialog) {
            modal->close();
            return;
        }
        if (caption)
            *caption = dialog->windowTitle();
        if (start)
            *start = dialog->DialogEdit->text();
        dialog->DialogEdit->setText(text);
        dialog->DialogButton->click();
    });
}

QStringList gridColumn(const QTableWidget *grid, int column)
{
    QStringList out;
    for (int r = 0; r < grid->rowCount(); ++r)
        out << grid->item(r, column)->text();
    return out;
}

QStringList cellTexts(const TEditInfoMake *panel, int column)
{
    QStringList out;
    for (int r = 0; r < panel->RowCount; ++r)
        out << panel->cell(r, column)->text();
    return out;
}

// LAMIRA_SCREENSHOT_DIR=folder keeps a picture of the window for a look
// (under xvfb-run with QT_QPA_PLATFORM=xcb, of the whole screen).
void screenshot(QWidget *window, const QString &name)
{
    const QString dir = qEnvironmentVariable("LAMIRA_SCREENSHOT_DIR");
    if (dir.isEmpty())
        return;
    QTest::qWait(300);
    const QPixmap shot = QGuiApplication::platformName() == QLatin1String("xcb")
                             ? window->screen()->grabWindow(0)
                             : window->grab();
    QVERIFY(shot.save(QDir(dir).filePath(name + ".png")));
}

lamira::OrderLine bankLine(const QString &name, const QString &area)
{
    return {"1", name, "600", "400", "2", "ЛДСП", "нет", area, "да"};
}

} // namespace

// The banks' windows with their real wiring: the materials bank and its
// dialog modes, the material chooser on the order sheet, the products bank
// with its small forms, taking a bank product into the order and exporting
// an order product to the bank.
class BankFormsTest final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    // Materials bank.
    void emptyTreeAsksForAGroupFirst();
    void groupAndMaterialThroughTheDialog();
    void groupWithoutMaterialsIsGoneOnReopening();
    void existingNamesAreRefused();
    void sizeToggleRoundTrip();
    void sawWidthStoredOnlyForWholeNumbers();
    void renameToItsOwnNameIsRefused();
    void renameGroup();
    void deleteGroupDeletesItsMaterials();
    void openedFromTheToolBar();

    // Material chooser.
    void forAllFillsEveryRowOfThePanel();
    void cancelLeavesTheCellAsItWas();
    void emptyChooserStaysOpen();

    // Products bank.
    void newProductsAndLinesAreNumbered();
    void newLineAreaAndRequiredFields();
    void deleteProductOrdersByNumber();
    void takingAProductTwiceGivesTwoPanels();
    void exportProductToTheBank();

private:
    TMainForm *form() const { return m_windows->MainForm.get(); }
    TBankOfMaterialsForm *materials() const { return m_windows->BankOfMaterialsForm.get(); }
    TBankOfProductsForm *products() const { return m_windows->BankOfProductsForm.get(); }
    Database &db() const { return m_fixture->db(); }
    void showMainForm();
    void openMaterials();
    void select(const QString &text);
    // An order on the sheet, committed with "OK", with one product of the
    // given rows (name, length, width, quantity).
    TEditInfoMake *typedOrder(const QList<QStringList> &rows);

    std::unique_ptr<TestDatabase> m_fixture;
    std::unique_ptr<MessageRecorder> m_messages;
    std::unique_ptr<lamira::Windows> m_windows;
};

void BankFormsTest::init()
{
    m_fixture = std::make_unique<TestDatabase>();
    m_messages = std::make_unique<MessageRecorder>();
    m_windows = std::make_unique<lamira::Windows>(db());
    form()->orderSheet()->setDecimalPoint(".");
    m_windows->NewDetailForm->setDecimalPoint(".");
}

void BankFormsTest::cleanup()
{
    m_windows.reset();
    m_messages.reset();
    m_fixture.reset();
}

void BankFormsTest::showMainForm()
{
    form()->resize(1200, 800);
    form()->show();
    QVERIFY(QTest::qWaitForWindowExposed(form()));
}

void BankFormsTest::openMaterials()
{
    // Shown without its own event loop, so that the test can use it; it
    // builds its tree as when opened from the tool bar.
    materials()->hide();
    materials()->show();
    QVERIFY(QTest::qWaitForWindowExposed(materials()));
}

void BankFormsTest::select(const QString &text)
{
    QTreeWidgetItem *item = node(materials()->MaterialTree, text);
    QVERIFY2(item, qPrintable(text));
    materials()->MaterialTree->setCurrentItem(item);
}

TEditInfoMake *BankFormsTest::typedOrder(const QList<QStringList> &rows)
{
    typeText(form()->NameEdit, "Кухня 'Модерн'");
    form()->DateEdit2->setText("10.02.2030");
    typeText(form()->CustomerEdit, "O'Brien");
    form()->CreateItem->trigger();
    TEditInfoMake *panel = form()->ProductPanels().constLast();
    typeText(panel->NameEdit, "Шкаф 'Купе'");
    typeText(panel->DateEdit1, "1");
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < 4; ++c)
            typeText(panel->cell(r, TEditInfoMake::NameColumn + c), rows.at(r).at(c));
        panel->cell(r, TEditInfoMake::MaterialColumn)->setText(Beech);
    }
    form()->SpeedButton7->click();
    return panel;
}

void BankFormsTest::emptyTreeAsksForAGroupFirst()
{
    openMaterials();
    QCOMPARE(materials()->MaterialTree->topLevelItemCount(), 0);
    // Should the dialog open, this closes it again.
    bool dialogShown = false;
    TDialogForm *dialog = m_windows->DialogForm.get();
    QTimer::singleShot(100, dialog, [dialog, &dialogShown] {
        dialogShown = dialog->isVisible();
        dialog->close();
    });
    materials()->CreateMaterialButton->click();
    QTest::qWait(150);
    QVERIFY(!dialogShown);
    QCOMPARE(m_messages->texts(), QStringList{"Введите хотябы одну группу"});
}

void BankFormsTest::groupAndMaterialThroughTheDialog()
{
    openMaterials();
    QString caption;
    answerDialog(Chipboard, &caption);
    materials()->CreateGroupButton->click();
    QCOMPARE(caption, TBankOfMaterialsForm::NewGroupPrompt);
    QCOMPARE(treeTexts(materials()->MaterialTree), QStringList{Chipboard + ": "});
    QCOMPARE(materials()->MaterialTree->currentItem()->text(0), Chipboard);
    // A group alone is nothing in the database.
    QCOMPARE(db().select("Select * From Tree").rowCount(), 0);

    answerDialog(Beech, &caption);
    materials()->CreateMaterialButton->click();
    QCOMPARE(caption, TBankOfMaterialsForm::NewMaterialPrompt);
    QCOMPARE(treeTexts(materials()->MaterialTree), QStringList{Chipboard + ": " + Beech});
    QCOMPARE(materials()->MaterialTree->currentItem()->text(0), Beech);
    QCOMPARE(materials()->Name->text(), Beech);
    QCOMPARE(materials()->mm1000->text(), QString(" "));
    QCOMPARE(materials()->SawHeight->text(), QString("0"));
    const auto stored = MaterialBank::material(db(), Beech);
    QVERIFY(stored);
    QCOMPARE(stored->group, Chipboard);

    // With a material selected, the next one goes into its group.
    answerDialog("Орех");
    materials()->CreateMaterialButton->click();
    QCOMPARE(treeTexts(materials()->MaterialTree),
             QStringList{Chipboard + ": " + Beech + ", Орех"});
    QCOMPARE(m_messages->texts(), QStringList());
}

void BankFormsTest::groupWithoutMaterialsIsGoneOnReopening()
{
    QVERIFY(MaterialBank::addMaterial(db(), "МДФ", "Белый"));
    QVERIFY(MaterialBank::addMaterial(db(), Chipboard, Beech));
    openMaterials();
    QCOMPARE(treeTexts(materials()->MaterialTree),
             (QStringList{Chipboard + ": " + Beech, "МДФ: Белый"}));
    answerDialog("Пустая");
    materials()->CreateGroupButton->click();
    QCOMPARE(materials()->MaterialTree->topLevelItemCount(), 3);
    materials()->CloseButton->click();
    openMaterials();
    QCOMPARE(treeTexts(materials()->MaterialTree),
             (QStringList{Chipboard + ": " + Beech, "МДФ: Белый"}));
}

void BankFormsTest::existingNamesAreRefused()
{
    QVERIFY(MaterialBank::addMaterial(db(), Chipboard, Beech));
    openMaterials();
    answerDialog(Chipboard);
    materials()->CreateGroupButton->click();
    answerDialog("Новая");
    materials()->CreateGroupButton->click();
    // Also a group that is only in the tree so far.
    answerDialog("Новая");
    materials()->CreateGroupButton->click();
    select(Chipboard);
    answerDialog(Beech);
    materials()->CreateMaterialButton->click();
    QCOMPARE(m_messages->texts(),
             (QStringList{"Такая группа уже существует", "Такая группа уже существует",
                          "Такой материал уже существует"}));
    QCOMPARE(treeTexts(materials()->MaterialTree),
             (QStringList{Chipboard + ": " + Beech, "Новая: "}));
    QCOMPARE(db().select("Select * From Tree").rowCount(), 1);
}

void BankFormsTest::sizeToggleRoundTrip()
{
    QVERIFY(MaterialBank::addMaterial(db(), Chipboard, Beech));
    QVERIFY(MaterialBank::toggleSize(db(), Beech, 1250));
    openMaterials();
    select(Beech);
    QCOMPARE(materials()->mm1250->text(), QString("V"));
    QCOMPARE(materials()->mm2000->text(), QString(" "));

    QTest::mouseDClick(materials()->mm1250, Qt::LeftButton);
    QCOMPARE(materials()->mm1250->text(), QString(" "));
    QCOMPARE(db().select("Select 1250mm From Tree").text("1250mm"), QString(" "));
    QTest::mouseDClick(materials()->mm1250, Qt::LeftButton);
    QCOMPARE(materials()->mm1250->text(), QString("V"));
    QCOMPARE(db().select("Select 1250mm From Tree").text("1250mm"), QString("V"));
    QTest::mouseDClick(materials()->mm2000, Qt::LeftButton);
    QCOMPARE(materials()->mm2000->text(), QString("V"));
    QVERIFY(MaterialBank::material(db(), Beech)->allow2000);

    // On a group nothing happens.
    select(Chipboard);
    QCOMPARE(materials()->mm1250->text(), QString());
    QTest::mouseDClick(materials()->mm1000, Qt::LeftButton);
    QCOMPARE(materials()->mm1000->text(), QString());
    QVERIFY(!MaterialBank::material(db(), Beech)->allow1000);
}

void BankFormsTest::sawWidthStoredOnlyForWholeNumbers()
{
    QVERIFY(MaterialBank::addMaterial(db(), Chipboard, Beech));
    openMaterials();
    select(Beech);
    materials()->SawHeight->selectAll();
    typeText(materials()->SawHeight, "4");
    QCOMPARE(MaterialBank::material(db(), Beech)->sawHeight, 4);
    typeText(materials()->SawHeight, "a");
    QCOMPARE(materials()->SawHeight->text(), QString("4a"));
    QCOMPARE(MaterialBank::material(db(), Beech)->sawHeight, 4);
    QCOMPARE(m_messages->texts(), QStringList());
    // Shown again as stored.
    select(Chipboard);
    QCOMPARE(materials()->SawHeight->text(), QString());
    select(Beech);
    QCOMPARE(materials()->SawHeight->text(), QString("4"));
}

void BankFormsTest::renameToItsOwnNameIsRefused()
{
    QVERIFY(MaterialBank::addMaterial(db(), Chipboard, Beech));
    db().execute("Insert Into Detail (Name, Material) Values ('Бок', ?)", {Beech});
    openMaterials();
    select(Beech);
    QString caption, start;
    answerDialog(Beech, &caption, &start);
    materials()->RenameButton->click();
    QCOMPARE(caption, TBankOfMaterialsForm::RenameMaterialPrompt);
    QCOMPARE(start, Beech);
    QCOMPARE(m_messages->texts(), QStringList{"Материал с таким именем уже существует"});

    answerDialog("Бук 'Светлый'");
    materials()->RenameButton->click();
    QCOMPARE(treeTexts(materials()->MaterialTree), QStringList{Chipboard + ": Бук 'Светлый'"});
    QCOMPARE(materials()->Name->text(), QString("Бук 'Светлый'"));
    QVERIFY(MaterialBank::material(db(), "Бук 'Светлый'"));
    QCOMPARE(db().select("Select * From Detail").text("Material"), Beech);
}

void BankFormsTest::renameGroup()
{
    QVERIFY(MaterialBank::addMaterial(db(), Chipboard, Beech));
    QVERIFY(MaterialBank::addMaterial(db(), "МДФ", "Белый"));
    openMaterials();
    select("МДФ");
    QString caption;
    answerDialog(Chipboard, &caption);
    materials()->RenameButton->click();
    QCOMPARE(caption, TBankOfMaterialsForm::RenameGroupPrompt);
    QCOMPARE(m_messages->texts(), QStringList{"Группа с таким именем уже существует"});
    answerDialog("Плиты МДФ");
    materials()->RenameButton->click();
    QCOMPARE(treeTexts(materials()->MaterialTree),
             (QStringList{Chipboard + ": " + Beech, "Плиты МДФ: Белый"}));
    QCOMPARE(MaterialBank::material(db(), "Белый")->group, QString("Плиты МДФ"));
}

void BankFormsTest::deleteGroupDeletesItsMaterials()
{
    QVERIFY(MaterialBank::addMaterial(db(), Chipboard, Beech));
    QVERIFY(MaterialBank::addMaterial(db(), Chipboard, "Орех"));
    QVERIFY(MaterialBank::addMaterial(db(), "МДФ", "Белый"));
    openMaterials();
    select("Орех");
    materials()->DeleteButton->click();
    QCOMPARE(treeTexts(materials()->MaterialTree),
             (QStringList{Chipboard + ": " + Beech, "МДФ: Белый"}));
    select(Chipboard);
    materials()->DeleteButton->click();
    QCOMPARE(treeTexts(materials()->MaterialTree), QStringList{"МДФ: Белый"});
    QCOMPARE(db().select("Select * From Tree").rowCount(), 1);
    QVERIFY(!MaterialBank::groupExists(db(), Chipboard));
}

void BankFormsTest::openedFromTheToolBar()
{
    QVERIFY(MaterialBank::addMaterial(db(), Chipboard, Beech));
    showMainForm();
    QVERIFY(form()->BankOfMaterialsButton->isEnabled());
    QStringList seen;
    whenModal([&seen](QWidget *modal) {
        auto *bank = qobject_cast<TBankOfMaterialsForm *>(modal);
        if (bank) {
            seen = treeTexts(bank->MaterialTree);
            seen << bank->windowTitle();
        }
        modal->close();
    });
    form()->BankOfMaterialsButton->click();
    QCOMPARE(seen, (QStringList{Chipboard + ": " + Beech, "Банк материалов"}));
}

void BankFormsTest::forAllFillsEveryRowOfThePanel()
{
    QVERIFY(MaterialBank::addMaterial(db(), Chipboard, Beech));
    QVERIFY(MaterialBank::addMaterial(db(), "МДФ", "Белый"));
    showMainForm();
    form()->CreateItem->trigger();
    TEditInfoMake *panel = form()->ProductPanels().constFirst();
    for (const char *name : {"Бок", "Полка", "Дверь"})
        typeText(panel->cell(panel->RowCount - 1, TEditInfoMake::NameColumn), name);
    QCOMPARE(panel->RowCount, 4);

    QStringList offered;
    whenModal([&offered](QWidget *modal) {
        auto *chooser = qobject_cast<TSelectForm *>(modal);
        if (!chooser) {
            modal->close();
            return;
        }
        for (int r = 0; r < chooser->DBGrid1->rowCount(); ++r)
            offered << chooser->DBGrid1->item(r, 0)->text() + "/" +
                           chooser->DBGrid1->item(r, 1)->text();
        chooser->DBGrid1->setCurrentCell(1, 1);
        screenshot(chooser, "bank-chooser");
        chooser->ForAllButton->click();
    });
    QTest::mouseClick(panel->cell(1, TEditInfoMake::MaterialColumn), Qt::LeftButton);
    QCOMPARE(offered, (QStringList{Chipboard + "/" + Beech, "МДФ/Белый"}));
    QCOMPARE(cellTexts(panel, TEditInfoMake::MaterialColumn),
             (QStringList{"Белый", "Белый", "Белый", "Белый"}));
}

void BankFormsTest::cancelLeavesTheCellAsItWas()
{
    QVERIFY(MaterialBank::addMaterial(db(), Chipboard, Beech));
    QVERIFY(MaterialBank::addMaterial(db(), "МДФ", "Белый"));
    showMainForm();
    form()->CreateItem->trigger();
    TEditInfoMake *panel = form()->ProductPanels().constFirst();
    QLineEdit *cell = panel->cell(0, TEditInfoMake::MaterialColumn);

    int current = -1;
    whenModal([&current](QWidget *modal) {
        auto *chooser = qobject_cast<TSelectForm *>(modal);
        current = chooser->DBGrid1->currentRow();
        chooser->DBGrid1->setCurrentCell(1, 1);
        chooser->OKButton->click();
    });
    QTest::mouseClick(cell, Qt::LeftButton);
    QCOMPARE(cell->text(), QString("Белый"));
    QCOMPARE(current, 0);

    whenModal([&current](QWidget *modal) {
        auto *chooser = qobject_cast<TSelectForm *>(modal);
        // It opens on the cell's material.
        current = chooser->DBGrid1->currentRow();
        chooser->DBGrid1->setCurrentCell(0, 1);
        chooser->CancelButton->click();
    });
    QTest::mouseClick(cell, Qt::LeftButton);
    QCOMPARE(current, 1);
    QCOMPARE(cell->text(), QString("Белый"));

    // The sheet's double click offers the chooser without a row.
    TEditInfoMake *target = panel;
    whenModal([&target](QWidget *modal) {
        auto *chooser = qobject_cast<TSelectForm *>(modal);
        target = chooser->TargetPanel;
        chooser->OKButton->click();
    });
    form()->orderSheet()->ScrollBox1DblClick();
    QCOMPARE(target, nullptr);
    QCOMPARE(cellTexts(panel, TEditInfoMake::MaterialColumn), (QStringList{"Белый"}));
}

void BankFormsTest::emptyChooserStaysOpen()
{
    showMainForm();
    form()->CreateItem->trigger();
    QLineEdit *cell = form()->ProductPanels().constFirst()->cell(0, TEditInfoMake::MaterialColumn);
    bool stayed = false;
    whenModal([&stayed](QWidget *modal) {
        auto *chooser = qobject_cast<TSelectForm *>(modal);
        chooser->OKButton->click();
        chooser->ForAllButton->click();
        stayed = chooser->isVisible();
        chooser->CancelButton->click();
    });
    QTest::mouseClick(cell, Qt::LeftButton);
    QVERIFY(stayed);
    QCOMPARE(cell->text(), QString());
}

void BankFormsTest::newProductsAndLinesAreNumbered()
{
    QVERIFY(MaterialBank::addMaterial(db(), Chipboard, Beech));
    products()->show();
    QVERIFY(QTest::qWaitForWindowExposed(products()));

    QStringList numbers;
    const auto newProduct = [&](const QString &name) {
        whenModal([&numbers, name](QWidget *modal) {
            auto *make = qobject_cast<TNewMakeForm *>(modal);
            numbers << make->NumberEdit->text();
            typeText(make->NameEdit, name);
            typeText(make->QuantityEdit, "2");
            make->OKButton->click();
        });
        products()->CreateMakeButton->click();
    };
    const auto newLine = [&](const QString &name) {
        whenModal([&numbers, name](QWidget *modal) {
            auto *detail = qobject_cast<TNewDetailForm *>(modal);
            numbers << detail->NumberEdit->text();
            typeText(detail->NameEdit, name);
            typeText(detail->WidthEdit, "600");
            typeText(detail->HeightEdit, "400");
            typeText(detail->QuantityEdit, "1");
            detail->MaterialEdit->setText(Beech);
            detail->OKButton->click();
        });
        products()->CreateDetailButton->click();
    };
    newProduct("A");
    newLine("Бок");
    newLine("Полка");
    newProduct("B 'Угол'");
    newLine("Дверь");
    QCOMPARE(numbers, (QStringList{"1", "1", "2", "2", "3"}));
    QCOMPARE(gridColumn(products()->DBGrid1, 1), (QStringList{"A", "B 'Угол'"}));
    // The new product is the current one and the line grid follows it.
    QCOMPARE(products()->DBGrid1->currentRow(), 1);
    QCOMPARE(gridColumn(products()->DBGrid2, 0), QStringList{"3"});
    products()->DBGrid1->setCurrentCell(0, 1);
    QCOMPARE(gridColumn(products()->DBGrid2, 1), (QStringList{"Бок", "Полка"}));
    QCOMPARE(m_messages->texts(), QStringList());
    products()->close();
}

void BankFormsTest::newLineAreaAndRequiredFields()
{
    QVERIFY(MaterialBank::addMaterial(db(), Chipboard, Beech));
    ProductBank::createProduct(db(), {0, "1", "Шкаф", "1", ""});
    products()->show();
    QVERIFY(QTest::qWaitForWindowExposed(products()));

    QStringList seen;
    whenModal([&seen](QWidget *modal) {
        auto *detail = qobject_cast<TNewDetailForm *>(modal);
        seen << detail->TextureEdit->text() << detail->CutEdit->text();
        typeText(detail->NameEdit, "Бок 'левый'");
        typeText(detail->WidthEdit, "600");
        seen << detail->AreaEdit->text();
        typeText(detail->HeightEdit, "400");
        typeText(detail->QuantityEdit, "5");
        seen << detail->AreaEdit->text();
        // Not all fields: the form stays.
        detail->OKButton->click();
        seen << QString::number(detail->isVisible());
        QTest::mouseClick(detail->TextureEdit, Qt::LeftButton);
        QTest::mouseClick(detail->CutEdit, Qt::LeftButton);
        seen << detail->TextureEdit->text() << detail->CutEdit->text();
        // The chooser: cancelled keeps the field, OK fills it.
        whenModal(
            [](QWidget *chooser) { qobject_cast<TSelectForm *>(chooser)->CancelButton->click(); });
        QTest::mouseClick(detail->MaterialEdit, Qt::LeftButton);
        seen << detail->MaterialEdit->text();
        whenModal(
            [](QWidget *chooser) { qobject_cast<TSelectForm *>(chooser)->OKButton->click(); });
        QTest::mouseClick(detail->MaterialEdit, Qt::LeftButton);
        seen << detail->MaterialEdit->text();
        detail->OKButton->click();
    });
    products()->CreateDetailButton->click();
    QCOMPARE(seen, (QStringList{"нет", "да", "", "0.24", "1", "да", "нет", "", Beech}));
    QCOMPARE(m_messages->texts(), QStringList{"Заполнены не все поля данных"});
    const auto lines = ProductBank::allLines(db());
    QCOMPARE(lines.size(), 1);
    QCOMPARE(lines.at(0).cells.area, QString("0.24"));
    QCOMPARE(lines.at(0).cells.texture, QString("да"));
    QCOMPARE(lines.at(0).cells.cut, QString("нет"));
    QCOMPARE(lines.at(0).cells.quantity, QString("5"));
    QCOMPARE(gridColumn(products()->DBGrid2, 7), QStringList{"0.24"});
    products()->close();
}

void BankFormsTest::deleteProductOrdersByNumber()
{
    const qint64 a = ProductBank::createProduct(db(), {0, "3", "A", "1", ""});
    ProductBank::createProduct(db(), {0, "1", "B", "1", ""});
    ProductBank::createProduct(db(), {0, "2", "C", "1", ""});
    ProductBank::createLine(db(), a, bankLine("Бок", "0.24"));
    products()->show();
    QVERIFY(QTest::qWaitForWindowExposed(products()));
    QCOMPARE(gridColumn(products()->DBGrid1, 1), (QStringList{"A", "B", "C"}));
    QCOMPARE(gridColumn(products()->DBGrid2, 1), QStringList{"Бок"});
    products()->DeleteMakeButton->click();
    QCOMPARE(gridColumn(products()->DBGrid1, 1), (QStringList{"B", "C"}));
    QCOMPARE(ProductBank::allLines(db()).size(), 0);
    products()->close();
}

void BankFormsTest::takingAProductTwiceGivesTwoPanels()
{
    const qint64 id = ProductBank::createProduct(db(), {0, "1", "Тумба 'Лира'", "2", "угловая"});
    // Bank line numbers count over the whole bank; on the sheet the rows
    // are numbered by their places.
    lamira::OrderLine front = bankLine("Фасад", "0.4804");
    front.number = "7";
    lamira::OrderLine bottom = bankLine("Дно", "0.2402");
    bottom.number = "8";
    ProductBank::createLine(db(), id, front);
    ProductBank::createLine(db(), id, bottom);
    showMainForm();
    QStringList shown;
    for (int take = 0; take < 2; ++take) {
        whenModal([&shown](QWidget *modal) {
            auto *bank = qobject_cast<TBankOfProductsForm *>(modal);
            shown << QString::number(!bank->SpeedButton1->isHidden()) +
                         QString::number(!bank->SpeedButton2->isHidden()) +
                         QString::number(!bank->CreateDetailButton->isHidden()) +
                         QString::number(!bank->CreateMakeButton->isHidden());
            screenshot(bank, "bank-products-import");
            bank->SpeedButton1->click();
        });
        form()->ImportFromBankItem->trigger();
    }
    QCOMPARE(shown, (QStringList{"1000", "1000"}));
    QCOMPARE(form()->ProductPanels().size(), 2);
    for (int p = 0; p < 2; ++p) {
        TEditInfoMake *panel = form()->ProductPanels().at(p);
        QCOMPARE(panel->NumberEdit->text(), QString::number(p + 1));
        QCOMPARE(panel->NameEdit->text(), QString("Тумба 'Лира'"));
        QCOMPARE(panel->DateEdit1->text(), QString("2"));
        QCOMPARE(panel->CommentEdit->text(), QString("угловая"));
        QCOMPARE(cellTexts(panel, TEditInfoMake::NumberColumn), (QStringList{"1", "2", "3"}));
        QCOMPARE(cellTexts(panel, TEditInfoMake::NameColumn), (QStringList{"Фасад", "Дно", ""}));
        QCOMPARE(cellTexts(panel, TEditInfoMake::AreaColumn),
                 (QStringList{"0.4804", "0.2402", ""}));
        QCOMPARE(panel->Edit1->text(), QString("4"));
        QCOMPARE(panel->Edit2->text(), QString("0.721"));
    }
    // Closing puts the bank's buttons back for its other openings.
    QVERIFY(products()->SpeedButton1->isHidden());
    QVERIFY(!products()->CreateDetailButton->isHidden());
    QVERIFY(!products()->CreateMakeButton->isHidden());
    // Nothing reaches the database until the order is saved.
    QCOMPARE(db().select("Select * From Make").rowCount(), 0);
}

void BankFormsTest::exportProductToTheBank()
{
    showMainForm();
    TEditInfoMake *panel =
        typedOrder({{"Бок 'левый'", "600", "400", "2"}, {"Полка", "500", "300", "1"}});
    QCOMPARE(m_messages->texts(), QStringList());
    const QList<QAction *> actions = panel->PopupMenu2->actions();
    QCOMPARE(actions.first()->objectName(), QString("N2"));
    // A change on the sheet is saved before the export.
    typeText(panel->cell(1, TEditInfoMake::QuantityColumn), "0");
    panel->N2->trigger();
    QCOMPARE(m_messages->texts(), QStringList());
    auto bank = ProductBank::products(db());
    QCOMPARE(bank.size(), 1);
    QCOMPARE(bank.at(0).name, QString("Шкаф 'Купе'"));
    auto lines = ProductBank::lines(db(), bank.at(0).id);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.at(1).cells.quantity, QString("10"));
    QCOMPARE(lines.at(0).cells.material, Beech);

    // Again: the bank has that name; nothing is added and nothing said.
    panel->N2->trigger();
    QCOMPARE(ProductBank::products(db()).size(), 1);
    QCOMPARE(ProductBank::allLines(db()).size(), 2);
    QCOMPARE(m_messages->texts(), QStringList());
}

QTEST_MAIN(BankFormsTest)
#include "tst_bankforms.moc"
