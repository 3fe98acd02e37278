#include "cutting/progress.h"
#include "messagerecorder.h"
#include "order_edit/editinfomake.h"
#include "order_edit/ordersheet.h"
#include "store/orders.h"
#include "testdatabase.h"
#include "typing.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>

using lamira::test::TestDatabase;
using lamira::test::typeText;

namespace {

QStringList actionTexts(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *a : menu->actions())
        texts << a->text();
    return texts;
}

QStringList columnTexts(const TEditInfoMake *panel, int column)
{
    QStringList texts;
    for (int r = 0; r < panel->RowCount; ++r)
        texts << panel->cell(r, column)->text();
    return texts;
}

} // namespace

// The product panel on a real sheet: typing into its cells, its popups,
// removal of rows and products with their marks in the database.
class EditInfoMakeTest final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void newPanelColumns_data();
    void newPanelColumns();
    void newPanelLayout();
    void typingANameAddsARow();
    void areaByTypingOrder_data();
    void areaByTypingOrder();
    void totalAreaOfTwoRows_data();
    void totalAreaOfTwoRows();
    void swapLengthAndWidth();
    void removeRowFromTheMiddle();
    void inputRowStays();
    void toggles();
    void collapseAndExpand();
    void rowAddedWhileCollapsed();
    void wrongNumberTurnsRed_data();
    void wrongNumberTurnsRed();
    void productQuantityTurnsRed();
    void materialCellUsesTheChooser();
    void doubleClickOnTheEmptySheet();
    void popupMenus();
    void removeProductRenumbersPanels();
    void removalsMarkStoredRecords();
    void removalOfUnsavedRowsTouchesNothing();

private:
    TEditInfoMake *panelWithRows(const QList<QStringList> &rows);
    void typeRow(TEditInfoMake *panel, int r, const QStringList &cells);
    QLineEdit *pressCell(TEditInfoMake *panel, int r, int c);

    std::unique_ptr<TestDatabase> m_fixture;
    std::unique_ptr<QWidget> m_host;
    TOrderSheet *m_sheet = nullptr;
};

void EditInfoMakeTest::init()
{
    m_fixture = std::make_unique<TestDatabase>();
    m_host = std::make_unique<QWidget>();
    m_host->resize(1200, 700);
    auto *layout = new QVBoxLayout(m_host.get());
    auto *scroll = new QScrollArea(m_host.get());
    scroll->setWidgetResizable(true);
    auto *contents = new QWidget(scroll);
    auto *area = new QVBoxLayout(contents);
    area->addStretch(1);
    scroll->setWidget(contents);
    layout->addWidget(scroll);
    m_sheet = new TOrderSheet(m_fixture->db(), scroll, area, m_host.get());
    m_sheet->setDecimalPoint(".");
    m_sheet->setMaterialChooser([](TEditInfoMake *, const QString &start) { return start; });
    m_host->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_host.get()));
}

void EditInfoMakeTest::cleanup()
{
    m_host.reset();
    m_fixture.reset();
}

// Types name, length, width, quantity (empty ones skipped) into row r.
void EditInfoMakeTest::typeRow(TEditInfoMake *panel, int r, const QStringList &cells)
{
    for (int i = 0; i < cells.size(); ++i) {
        if (!cells.at(i).isEmpty())
            typeText(panel->cell(r, TEditInfoMake::NameColumn + i), cells.at(i));
    }
}

TEditInfoMake *EditInfoMakeTest::panelWithRows(const QList<QStringList> &rows)
{
    TEditInfoMake *panel = m_sheet->AddProductPanel();
    for (int r = 0; r < rows.size(); ++r)
        typeRow(panel, r, rows.at(r));
    return panel;
}

QLineEdit *EditInfoMakeTest::pressCell(TEditInfoMake *panel, int r, int c)
{
    QLineEdit *edit = panel->cell(r, c);
    QTest::mouseClick(edit, Qt::LeftButton);
    return edit;
}

void EditInfoMakeTest::newPanelColumns_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("editable");
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("rowPopup");

    QTest::newRow("№") << 0 << "№" << 400 << 41 << false << "1" << true;
    QTest::newRow("name") << 1 << "Наименование" << 440 << 113 << true << "" << true;
    QTest::newRow("length") << 2 << "Длина" << 552 << 49 << true << "" << true;
    QTest::newRow("width") << 3 << "Ширина" << 600 << 49 << true << "" << true;
    QTest::newRow("quantity") << 4 << "Кол-во" << 648 << 49 << true << "" << true;
    QTest::newRow("material") << 5 << "Материал" << 696 << 113 << false << "" << false;
    QTest::newRow("texture") << 6 << "Текстура" << 808 << 65 << false << "нет" << true;
    QTest::newRow("area") << 7 << "Площадь" << 872 << 57 << false << "" << true;
    QTest::newRow("cut") << 8 << "В раскрой?" << 928 << 65 << false << "да" << false;
}

void EditInfoMakeTest::newPanelColumns()
{
    QFETCH(int, column);
    QFETCH(QString, caption);
    QFETCH(int, left);
    QFETCH(int, width);
    QFETCH(bool, editable);
    QFETCH(QString, start);
    QFETCH(bool, rowPopup);

    TEditInfoMake *panel = m_sheet->AddProductPanel();
    QCOMPARE(panel->RowEdits.size(), 9);
    QLineEdit *edit = panel->RowEdits.at(column);
    QCOMPARE(panel->cell(0, column), edit);
    QCOMPARE(edit->x(), left);
    QCOMPARE(edit->width(), width);
    QCOMPARE(edit->y(), 26);
    QCOMPARE(edit->isReadOnly(), !editable);
    QCOMPARE(edit->text(), start);
    QCOMPARE(edit->contextMenuPolicy() == Qt::CustomContextMenu, rowPopup);
    QLabel *title = panel->RowCaptions.at(column);
    QCOMPARE(title->text(), caption);
    QCOMPARE(title->x(), left);
    QCOMPARE(title->y(), 8);
}

void EditInfoMakeTest::newPanelLayout()
{
    TEditInfoMake *first = m_sheet->AddProductPanel();
    QCOMPARE(first->RowCount, 1);
    QCOMPARE(first->height(), TEditInfoMake::EmptyHeight + 18);
    QCOMPARE(first->NumberEdit->text(), QString("1"));
    QVERIFY(first->NumberEdit->isReadOnly());
    QCOMPARE(first->Edit1->text(), QString("0"));
    QCOMPARE(first->Edit2->text(), QString("0"));
    QVERIFY(first->Edit1->isReadOnly() && first->Edit2->isReadOnly());
    QCOMPARE(first->Edit1->x(), 648);
    QCOMPARE(first->Edit2->x(), 872);
    QCOMPARE(first->Label1->text(), QString("Итоговая информация :"));
    QCOMPARE(first->SpeedButton1->text(), QString(">>"));
    QCOMPARE(first->SpeedButton1->pos(), QPoint(356, 16));
    const int headerWidths[] = {41, 105, 57, 121};
    const QLineEdit *header[] = {first->NumberEdit, first->NameEdit, first->DateEdit1,
                                 first->CommentEdit};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(header[i]->width(), headerWidths[i]);
        QCOMPARE(header[i]->y(), 26);
    }

    TEditInfoMake *second = m_sheet->AddProductPanel();
    QCOMPARE(second->NumberEdit->text(), QString("2"));
    QCOMPARE(m_sheet->ProductPanels, (QList<TEditInfoMake *>{first, second}));
    QTRY_VERIFY(second->y() > first->y() + first->height() - 1);

    // While loading, a panel starts without a row.
    m_sheet->Loading = true;
    TEditInfoMake *loading = m_sheet->AddProductPanel();
    QCOMPARE(loading->RowCount, 0);
    QCOMPARE(loading->height(), TEditInfoMake::EmptyHeight);
}

void EditInfoMakeTest::typingANameAddsARow()
{
    TEditInfoMake *panel = m_sheet->AddProductPanel();
    const int height = panel->height();
    const int totalsTop = panel->Edit1->y();
    typeText(panel->cell(0, TEditInfoMake::NameColumn), "Ф");
    QCOMPARE(panel->RowCount, 2);
    QCOMPARE(panel->RowEdits.size(), 18);
    QCOMPARE(panel->cell(1, 0)->text(), QString("2"));
    QCOMPARE(panel->cell(1, 0)->y(), 44);
    QCOMPARE(panel->height(), height + 18);
    QCOMPARE(panel->Edit1->y(), totalsTop + 18);
    QCOMPARE(panel->Edit2->y(), totalsTop + 18);
    QCOMPARE(panel->Label1->y(), totalsTop + 18);
    // More letters in the same name add nothing more.
    typeText(panel->cell(0, TEditInfoMake::NameColumn), "асад");
    QCOMPARE(panel->RowCount, 2);
}

void EditInfoMakeTest::areaByTypingOrder_data()
{
    QTest::addColumn<QList<int>>("order");   // columns in typing order
    QTest::addColumn<QStringList>("values"); // length, width, quantity
    QTest::addColumn<QStringList>("areas");  // after each of the three
    QTest::addColumn<QString>("total");

    const QList<int> lwq{TEditInfoMake::LengthColumn, TEditInfoMake::WidthColumn,
                         TEditInfoMake::QuantityColumn};
    const QList<int> qlw{TEditInfoMake::QuantityColumn, TEditInfoMake::LengthColumn,
                         TEditInfoMake::WidthColumn};
    QTest::newRow("600 400 2") << lwq << QStringList{"600", "400", "2"}
                               << QStringList{"", "0.24", "0.48"} << "0.48";
    QTest::newRow("333 quantity last")
        << lwq << QStringList{"333", "333", "3"} << QStringList{"", "0.110889", "0.333"} << "0.333";
    QTest::newRow("333 quantity first")
        << qlw << QStringList{"333", "333", "3"} << QStringList{"", "", "0.332667"} << "0.333";
}

void EditInfoMakeTest::areaByTypingOrder()
{
    QFETCH(QList<int>, order);
    QFETCH(QStringList, values);
    QFETCH(QStringList, areas);
    QFETCH(QString, total);
    TEditInfoMake *panel = m_sheet->AddProductPanel();
    typeText(panel->cell(0, TEditInfoMake::NameColumn), "Полка");
    for (int i = 0; i < 3; ++i) {
        const int column = order.at(i);
        typeText(panel->cell(0, column), values.at(column - TEditInfoMake::LengthColumn));
        QCOMPARE(panel->cell(0, TEditInfoMake::AreaColumn)->text(), areas.at(i));
    }
    QCOMPARE(panel->Edit1->text(), values.at(2));
    QCOMPARE(panel->Edit2->text(), total);
}

void EditInfoMakeTest::totalAreaOfTwoRows_data()
{
    QTest::addColumn<int>("changed"); // the cell changed last, in row 0

    QTest::newRow("quantity") << int(TEditInfoMake::QuantityColumn);
    QTest::newRow("length") << int(TEditInfoMake::LengthColumn);
    QTest::newRow("width") << int(TEditInfoMake::WidthColumn);
}

void EditInfoMakeTest::totalAreaOfTwoRows()
{
    QFETCH(int, changed);
    // 0.5 and 0.72 square metres.
    TEditInfoMake *panel = panelWithRows({{"Бок", "1000", "500"}, {"Дно", "1200", "600", "1"}});
    QLineEdit *cell = panel->cell(0, changed);
    const QString text = changed == TEditInfoMake::QuantityColumn ? "1" : cell->text();
    cell->clear();
    typeText(cell, text);
    QCOMPARE(columnTexts(panel, TEditInfoMake::AreaColumn), (QStringList{"0.5", "0.72", ""}));
    QCOMPARE(panel->Edit2->text(), QString("1.22"));
}

void EditInfoMakeTest::swapLengthAndWidth()
{
    TEditInfoMake *panel = panelWithRows({{"Бок", "600", "400"}});
    pressCell(panel, 0, TEditInfoMake::LengthColumn);
    panel->PopupMenu1Popup();
    QVERIFY(panel->N1->isEnabled());
    panel->N1->trigger();
    QCOMPARE(panel->cell(0, TEditInfoMake::LengthColumn)->text(), QString("400"));
    QCOMPARE(panel->cell(0, TEditInfoMake::WidthColumn)->text(), QString("600"));
    QCOMPARE(panel->cell(0, TEditInfoMake::AreaColumn)->text(), QString("0.24"));
}

void EditInfoMakeTest::removeRowFromTheMiddle()
{
    TEditInfoMake *panel = panelWithRows(
        {{"A", "100", "100", "1"}, {"B", "200", "200", "2"}, {"C", "300", "300", "3"}});
    QCOMPARE(panel->RowCount, 4);
    const int height = panel->height();
    const int totalsTop = panel->Edit2->y();
    pressCell(panel, 1, TEditInfoMake::NameColumn);
    panel->PopupMenu1Popup();
    QVERIFY(panel->N3->isEnabled());
    panel->N3->trigger();

    QCOMPARE(panel->RowCount, 3);
    QCOMPARE(panel->RowEdits.size(), 27);
    QCOMPARE(columnTexts(panel, TEditInfoMake::NameColumn), (QStringList{"A", "C", ""}));
    QCOMPARE(columnTexts(panel, TEditInfoMake::NumberColumn), (QStringList{"1", "2", "3"}));
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < TEditInfoMake::ColumnCount; ++c)
            QCOMPARE(panel->cell(r, c)->y(), 18 * r + 26);
    }
    QCOMPARE(panel->height(), height - 18);
    QCOMPARE(panel->Edit2->y(), totalsTop - 18);
    QCOMPARE(panel->Edit1->text(), QString("4"));
    QCOMPARE(panel->Edit2->text(), QString("0.28"));

    // The next row goes right under the input row, numbered after it.
    typeText(panel->cell(2, TEditInfoMake::NameColumn), "D");
    QCOMPARE(panel->RowCount, 4);
    QCOMPARE(panel->cell(3, 0)->text(), QString("4"));
    QCOMPARE(panel->cell(3, 0)->y(), 18 * 3 + 26);
}

void EditInfoMakeTest::inputRowStays()
{
    TEditInfoMake *panel = panelWithRows({{"A", "100", "100"}});
    pressCell(panel, 1, TEditInfoMake::LengthColumn);
    panel->PopupMenu1Popup();
    QVERIFY(!panel->N3->isEnabled());
    panel->N3Click();
    QCOMPARE(panel->RowCount, 2);
}

void EditInfoMakeTest::toggles()
{
    TEditInfoMake *panel = m_sheet->AddProductPanel();
    QLineEdit *texture = panel->cell(0, TEditInfoMake::TextureColumn);
    QLineEdit *cut = panel->cell(0, TEditInfoMake::CutColumn);
    QTest::mouseClick(texture, Qt::LeftButton);
    QTest::mouseClick(cut, Qt::LeftButton);
    QCOMPARE(texture->text(), QString("да"));
    QCOMPARE(cut->text(), QString("нет"));
    QTest::mouseClick(texture, Qt::LeftButton);
    QTest::mouseClick(cut, Qt::LeftButton);
    QCOMPARE(texture->text(), QString("нет"));
    QCOMPARE(cut->text(), QString("да"));
    // A right click is no click.
    QTest::mouseClick(texture, Qt::RightButton);
    QCOMPARE(texture->text(), QString("нет"));
}

void EditInfoMakeTest::collapseAndExpand()
{
    TEditInfoMake *panel = panelWithRows({{"A"}, {"B"}});
    QCOMPARE(panel->RowCount, 3);
    const int height = panel->height();
    panel->SpeedButton1->click();
    QCOMPARE(panel->height(), 51);
    QCOMPARE(panel->SpeedButton1->text(), QString("<<"));
    QVERIFY(!panel->cell(0, 1)->isVisible());
    QVERIFY(!panel->Edit2->isVisible());
    QVERIFY(!panel->RowCaptions.at(0)->isVisible());
    QVERIFY(panel->NameEdit->isVisible());
    panel->SpeedButton1->click();
    QCOMPARE(panel->height(), height);
    QCOMPARE(panel->SpeedButton1->text(), QString(">>"));
    QVERIFY(panel->cell(2, 1)->isVisible());
    QVERIFY(panel->Edit2->isVisible());
}

void EditInfoMakeTest::rowAddedWhileCollapsed()
{
    TEditInfoMake *panel = m_sheet->AddProductPanel();
    const int height = panel->height();
    panel->SpeedButton1Click();
    panel->cell(0, TEditInfoMake::NameColumn)->setText("A"); // as a writer fills it
    QCOMPARE(panel->height(), 51);
    QVERIFY(!panel->cell(1, 1)->isVisible());
    panel->SpeedButton1Click();
    QCOMPARE(panel->height(), height + 18);
    QVERIFY(panel->cell(1, 1)->isVisible());
}

void EditInfoMakeTest::wrongNumberTurnsRed_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("wrong");
    QTest::addColumn<QString>("fixed");
    QTest::addColumn<QString>("area");

    QTest::newRow("length") << int(TEditInfoMake::LengthColumn) << "60а"
                            << "600"
                            << "0.48";
    QTest::newRow("width") << int(TEditInfoMake::WidthColumn) << "4 0"
                           << "400"
                           << "0.48";
    QTest::newRow("quantity") << int(TEditInfoMake::QuantityColumn) << "2,5"
                              << "3"
                              << "0.72";
}

void EditInfoMakeTest::wrongNumberTurnsRed()
{
    QFETCH(int, column);
    QFETCH(QString, wrong);
    QFETCH(QString, fixed);
    QFETCH(QString, area);
    TEditInfoMake *panel = panelWithRows({{"A", "600", "400", "2"}});
    QLineEdit *cell = panel->cell(0, column);
    QLineEdit *areaCell = panel->cell(0, TEditInfoMake::AreaColumn);
    QCOMPARE(areaCell->text(), QString("0.48"));
    QVERIFY(!TEditInfoMake::isWrong(cell));

    cell->clear();
    typeText(cell, wrong);
    QVERIFY(TEditInfoMake::isWrong(cell));
    QVERIFY(!cell->toolTip().isEmpty());
    // The area shows the last value it could compute; nothing else broke.
    QVERIFY(!areaCell->text().isEmpty());
    QCOMPARE(panel->RowCount, 2);

    cell->clear();
    QVERIFY(!TEditInfoMake::isWrong(cell)); // empty is not wrong, only missing
    typeText(cell, fixed);
    QVERIFY(!TEditInfoMake::isWrong(cell));
    QCOMPARE(areaCell->text(), area);
}

void EditInfoMakeTest::productQuantityTurnsRed()
{
    TEditInfoMake *panel = m_sheet->AddProductPanel();
    typeText(panel->DateEdit1, "2ш");
    QVERIFY(TEditInfoMake::isWrong(panel->DateEdit1));
    panel->DateEdit1->setText("2");
    QVERIFY(!TEditInfoMake::isWrong(panel->DateEdit1));
}

void EditInfoMakeTest::materialCellUsesTheChooser()
{
    TEditInfoMake *target = nullptr;
    QString start;
    QString answer = "ЛДСП Бук";
    m_sheet->setMaterialChooser([&](TEditInfoMake *panel, const QString &from) {
        target = panel;
        start = from;
        return answer;
    });
    TEditInfoMake *panel = m_sheet->AddProductPanel();
    QLineEdit *material = panel->cell(0, TEditInfoMake::MaterialColumn);
    QTest::mouseClick(material, Qt::LeftButton);
    QCOMPARE(target, panel);
    QCOMPARE(start, QString());
    QCOMPARE(material->text(), QString("ЛДСП Бук"));
    QCOMPARE(m_sheet->CurrentRowEdit.data(), material);

    answer = "ЛДСП Бук"; // a cancelled chooser gives back its start text
    QTest::mouseClick(material, Qt::LeftButton);
    QCOMPARE(start, QString("ЛДСП Бук"));
    QCOMPARE(material->text(), QString("ЛДСП Бук"));
}

void EditInfoMakeTest::doubleClickOnTheEmptySheet()
{
    int calls = 0;
    TEditInfoMake *target = panelWithRows({});
    m_sheet->setMaterialChooser([&](TEditInfoMake *panel, const QString &start) {
        ++calls;
        target = panel;
        return start;
    });
    auto *contents = m_host->findChild<QScrollArea *>()->widget();
    QTest::mouseDClick(contents, Qt::LeftButton, {}, QPoint(20, contents->height() - 5));
    QCOMPARE(calls, 1);
    QCOMPARE(target, nullptr);
    QTest::mouseDClick(m_sheet->ProductPanels.at(0), Qt::LeftButton, {}, QPoint(200, 60));
    QCOMPARE(calls, 1);
}

void EditInfoMakeTest::popupMenus()
{
    TEditInfoMake *panel = m_sheet->AddProductPanel();
    QCOMPARE(actionTexts(panel->PopupMenu1), (QStringList{"Поменять местами", "Удалить"}));
    QCOMPARE(actionTexts(panel->PopupMenu2),
             (QStringList{"Экспортировать изделие в банк", "Удалить"}));
    QTest::mousePress(panel->CommentEdit, Qt::RightButton);
    QCOMPARE(m_sheet->CurrentHeaderEdit.data(), panel->CommentEdit);
    QTest::mouseRelease(panel->CommentEdit, Qt::RightButton);
    panel->PopupMenu2->hide();
    panel->PopupMenu1->hide();
    // The cut cell does not make its row current; the texture cell does.
    QLineEdit *texture = pressCell(panel, 0, TEditInfoMake::TextureColumn);
    pressCell(panel, 0, TEditInfoMake::CutColumn);
    QCOMPARE(m_sheet->CurrentRowEdit.data(), texture);
}

void EditInfoMakeTest::removeProductRenumbersPanels()
{
    TEditInfoMake *first = m_sheet->AddProductPanel();
    TEditInfoMake *second = m_sheet->AddProductPanel();
    TEditInfoMake *third = m_sheet->AddProductPanel();
    second->N4->trigger();
    QCOMPARE(m_sheet->ProductPanels, (QList<TEditInfoMake *>{first, third}));
    QCOMPARE(third->NumberEdit->text(), QString("2"));
    TEditInfoMake *added = m_sheet->AddProductPanel();
    QCOMPARE(added->NumberEdit->text(), QString("3"));
    QTRY_VERIFY(!m_host->findChildren<TEditInfoMake *>().contains(second));
}

void EditInfoMakeTest::removalsMarkStoredRecords()
{
    lamira::Database &db = m_fixture->db();
    lamira::OrderContent order;
    order.header = {"1", "Кухня", "01.02.2024", "10.02.2024", "Иванов", ""};
    const lamira::OrderLine a{"1", "A", "100", "100", "1", "ЛДСП", "нет", "0.01", "да"};
    const lamira::OrderLine b{"2", "B", "200", "200", "1", "ЛДСП", "нет", "0.04", "да"};
    order.products = {{"1", "Шкаф", "1", "", {a, b}}, {"2", "Стол", "1", "", {a}}};
    QCOMPARE(lamira::OrderStore::insertCopy(db, order, "Кухня"), 1);
    m_sheet->setOrderNumber([] { return QString("1"); });
    lamira::NullProgress progress;
    m_sheet->Loading = true;
    m_sheet->fillProducts(lamira::OrderStore::load(db, 1).products, progress);
    m_sheet->Loading = false;
    QCOMPARE(m_sheet->ProductPanels.size(), 2);

    TEditInfoMake *wardrobe = m_sheet->ProductPanels.at(0);
    pressCell(wardrobe, 1, TEditInfoMake::NameColumn);
    wardrobe->N3->trigger();
    QCOMPARE(db.select("Select * From Detail Where Del=1").rowCount(), 1);
    QCOMPARE(db.select("Select * From Detail Where Del=1").text("Name"), QString("B"));

    m_sheet->ProductPanels.at(1)->N4->trigger();
    const lamira::Cursor make = db.select("Select * From Make Where Del=1");
    QCOMPARE(make.rowCount(), 1);
    QCOMPARE(make.text("Name"), QString("Стол"));
    QCOMPARE(db.select("Select * From Detail Where Del=1").rowCount(), 2);
}

void EditInfoMakeTest::removalOfUnsavedRowsTouchesNothing()
{
    lamira::test::MessageRecorder messages;
    m_sheet->setOrderNumber([] { return QString("5"); }); // not stored
    TEditInfoMake *panel = panelWithRows({{"A"}, {"B"}});
    pressCell(panel, 0, TEditInfoMake::NameColumn);
    panel->N3->trigger();
    QCOMPARE(columnTexts(panel, TEditInfoMake::NameColumn), (QStringList{"B", ""}));
    panel->N4->trigger();
    QVERIFY(m_sheet->ProductPanels.isEmpty());
    QVERIFY(messages.messages().isEmpty());
}

QTEST_MAIN(EditInfoMakeTest)
#include "tst_editinfomake.moc"
