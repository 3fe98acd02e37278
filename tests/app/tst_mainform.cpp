#include "app/mainform.h"
#include "app/windows.h"
#include "testdatabase.h"

#include <QAction>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>

using lamira::test::TestDatabase;

class MainFormTest final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void title();
    void toolBar_data();
    void toolBar();
    void mainMenu();
    void exitClosesTheWindow();
    void placesForLaterParts();
    void windowsShareDatabaseAndProgress();

private:
    std::unique_ptr<TestDatabase> m_fixture;
    std::unique_ptr<TMainForm> m_form;
};

void MainFormTest::init()
{
    m_fixture = std::make_unique<TestDatabase>(lamira::Database::Engine::SQLite);
    m_form = std::make_unique<TMainForm>(m_fixture->db());
}

void MainFormTest::cleanup()
{
    m_form.reset();
    m_fixture.reset();
}

void MainFormTest::title()
{
    QCOMPARE(m_form->windowTitle(), QString("Lamira 2.0 SE"));
    QCOMPARE(m_form->objectName(), QString("MainForm"));
}

void MainFormTest::toolBar_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("hint");

    QTest::newRow("orders") << "OrdersButton"
                            << "Заказы"
                            << "Управление заказами";
    QTest::newRow("cut") << "CutButton"
                         << "Раскрой"
                         << "Передать текущий заказ в раскрой";
    QTest::newRow("report") << "ReportButton"
                            << "Отчеты"
                            << "Сформировать отчет";
    QTest::newRow("materials") << "BankOfMaterialsButton"
                               << "Банк материалов"
                               << "Работа с материалами";
    QTest::newRow("products") << "BankOfProductsButton"
                              << "Банк изделий"
                              << "Работа с изделиями";
}

void MainFormTest::toolBar()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, hint);
    QCOMPARE(m_form->Panel1->objectName(), QString("Panel1"));
    QCOMPARE(m_form->Panel1->height(), 41);
    auto *button = m_form->Panel1->findChild<QToolButton *>(name);
    QVERIFY(button);
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->toolTip(), hint);
    QCOMPARE(button->size(), QSize(201, 33));
}

void MainFormTest::mainMenu()
{
    QMenuBar *bar = m_form->MainMenu1;
    QCOMPARE(bar->objectName(), QString("MainMenu1"));
    QCOMPARE(m_form->menuBar(), bar);

    QStringList top;
    for (QAction *a : bar->actions())
        top << a->text();
    QCOMPARE(top, (QStringList{"Операции", "Настройки", "Помощь", "Выход"}));
    QCOMPARE(m_form->N1->objectName(), QString("N1"));
    QVERIFY(!m_form->N1->menu());

    const auto items = [this](const char *menuName) {
        QStringList out;
        auto *menu = m_form->findChild<QMenu *>(menuName);
        if (!menu)
            return QStringList{"no menu"};
        for (QAction *a : menu->actions())
            out << a->objectName() + "=" + a->text();
        return out;
    };
    QCOMPARE(items("N4"), (QStringList{"N5=Перейти к работе с заказами", "N6=Отправить в раскрой",
                                       "N7=Показать отчет по текущему раскрою",
                                       "N8=Перейти к работе с банком материалов",
                                       "N9=Перейти к работе с банком изделий"}));
    QCOMPARE(items("N2"), (QStringList{"SettingsItem=Параметры", "N19=Информация о компании",
                                       "N20=Логотип производителя"}));
    QCOMPARE(items("N3"), (QStringList{"N10=Справка", "N11=О программе"}));
}

void MainFormTest::exitClosesTheWindow()
{
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    m_form->N1->trigger();
    QVERIFY(!m_form->isVisible());
}

void MainFormTest::placesForLaterParts()
{
    QCOMPARE(m_form->Panel4->objectName(), QString("Panel4"));
    QCOMPARE(m_form->ScrollBox1->objectName(), QString("ScrollBox1"));
    QCOMPARE(m_form->ProductArea->parentWidget(), m_form->ScrollBox1->widget());
    QCOMPARE(m_form->PageControl1->objectName(), QString("PageControl1"));
    QCOMPARE(m_form->PageControl1->count(), 2);
    QCOMPARE(m_form->PageControl1->widget(0), m_form->TabSheet1);
    QCOMPARE(m_form->PageControl1->widget(1), m_form->TabSheet2);
    QCOMPARE(m_form->TabSheet1->objectName(), QString("TabSheet1"));
    QCOMPARE(m_form->TabSheet2->objectName(), QString("TabSheet2"));
    QCOMPARE(m_form->PageControl1->tabText(0), QString("Формирование раскроя"));
    QCOMPARE(m_form->PageControl1->tabText(1), QString("Карты раскроя"));

    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QVERIFY(!m_form->PageControl1->isVisible()); // until the first cutting job
    QVERIFY(m_form->ScrollBox1->isVisible());
    // Shown, the pages cover the order sheet.
    m_form->PageControl1->show();
    QCOMPARE(m_form->PageControl1->geometry().united(m_form->Panel4->parentWidget()->geometry()),
             m_form->PageControl1->geometry());
}

void MainFormTest::windowsShareDatabaseAndProgress()
{
    m_form.reset();
    lamira::Windows windows(m_fixture->db());
    QCOMPARE(&windows.MainForm->database(), &m_fixture->db());
    QCOMPARE(windows.MainForm->infoProgress(), windows.InfoProgress.get());
    QVERIFY(!windows.InfoProgress->isVisible());
}

QTEST_MAIN(MainFormTest)
#include "tst_mainform.moc"
