#include "app/calendarform.h"
#include "app/formabout.h"
#include "app/mainform.h"
#include "app/windows.h"
#include "messagerecorder.h"
#include "modal.h"
#include "order_edit/editinfomake.h"
#include "testdatabase.h"

#include <QAction>
#include <QCalendarWidget>
#include <QDesktopServices>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <memory>

using lamira::test::TestDatabase;

// Stands in for the desktop's handler of file URLs.
class UrlCatcher final : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened << url; }
};

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
    void orderHeader_data();
    void orderHeader();
    void sheetButtonsAndMenus();
    void componentsButtonTogglesEveryPanel();
    void calendarOffersNoDayBeforeTheStart();
    void helpOpensTheFileOfTheCurrentDirectory();
    void aboutBox();

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
    lamira::test::MessageRecorder messages;
    messages.answer(lamira::MessageAnswer::No); // leave without saving
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    m_form->N1->trigger();
    QVERIFY(!m_form->isVisible());
    QCOMPARE(messages.messages().size(), 1);
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
    for (QWidget *w :
         std::initializer_list<QWidget *>{windows.CalendarForm.get(), windows.OrdersForm.get(),
                                          windows.DialogForm.get(), windows.FormAbout.get()})
        QVERIFY(w && !w->isVisible());
    // The two order prompts of the one-line dialog have their modes.
    QVERIFY(windows.DialogForm->hasMode("Введите название заказа"));
    QVERIFY(windows.DialogForm->hasMode("Введите новое примечание"));
}

void MainFormTest::orderHeader_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("editable");

    QTest::newRow("number") << "NumberEdit" << 8 << 41 << false;
    QTest::newRow("name") << "NameEdit" << 48 << 201 << true;
    QTest::newRow("created") << "DateEdit1" << 248 << 81 << false;
    QTest::newRow("delivery") << "DateEdit2" << 328 << 81 << false;
    QTest::newRow("customer") << "CustomerEdit" << 408 << 121 << true;
    QTest::newRow("note") << "CommentEdit" << 528 << 217 << true;
}

void MainFormTest::orderHeader()
{
    QFETCH(QString, name);
    QFETCH(int, left);
    QFETCH(int, width);
    QFETCH(bool, editable);
    auto *edit = m_form->Panel4->findChild<QLineEdit *>(name);
    QVERIFY(edit);
    QCOMPARE(edit->x(), left);
    QCOMPARE(edit->width(), width);
    QCOMPARE(edit->isReadOnly(), !editable);
}

void MainFormTest::sheetButtonsAndMenus()
{
    const auto texts = [](const QMenu *menu) {
        QStringList out;
        for (const QAction *a : menu->actions()) {
            if (!a->isSeparator())
                out << a->objectName() + "=" + a->text();
        }
        return out;
    };
    QCOMPARE(texts(m_form->OrderButtonMenu),
             (QStringList{"NewItem=Новый", "OpenItem=Открыть", "SaveItem=Сохранить",
                          "SaveAsItem=Сохранить как..."}));
    QCOMPARE(texts(m_form->PopupMenu1),
             (QStringList{"CreateItem=Добавить", "ImportFromBankItem=Импорт из банка изделий"}));
    QCOMPARE(m_form->OrderButton->text(), QString("Заказ"));
    QCOMPARE(m_form->ProductsButton->text(), QString("Изделия"));
    QCOMPARE(m_form->ComponentsButton->text(), QString("Детали"));
    QCOMPARE(m_form->ComponentsButton->toolTip(), QString("Показать\\Скрыть детали заказа"));
    QCOMPARE(m_form->SpeedButton7->text(), QString("OK"));
    // At creation: no "OK" under the sheet and nothing to save yet.
    QVERIFY(m_form->SpeedButton7->isHidden());
    QVERIFY(!m_form->SaveItem->isEnabled());
    QVERIFY(m_form->NewItem->isEnabled() && m_form->SaveAsItem->isEnabled());
}

void MainFormTest::componentsButtonTogglesEveryPanel()
{
    TEditInfoMake *first = m_form->AddProductPanel();
    TEditInfoMake *second = m_form->AddProductPanel();
    const int height = first->height();
    m_form->ComponentsButton->click();
    QCOMPARE(first->height(), 51);
    QCOMPARE(second->height(), 51);
    m_form->ComponentsButton->click();
    QCOMPARE(first->height(), height);
    QCOMPARE(second->SpeedButton1->text(), QString(">>"));
}

void MainFormTest::calendarOffersNoDayBeforeTheStart()
{
    QLineEdit target;
    target.setText("was");
    TCalendarForm calendar(&target);
    QCOMPARE(calendar.size(), QSize(298, 184));
    QCOMPARE(calendar.MonthCalendar1->geometry(), QRect(8, 8, 177, 169));
    const QDate today = QDate::currentDate();
    QCOMPARE(calendar.MonthCalendar1->minimumDate(), today);
    calendar.MonthCalendar1->setSelectedDate(today.addDays(-3));
    QCOMPARE(calendar.MonthCalendar1->selectedDate(), today);

    calendar.MonthCalendar1->setSelectedDate(today.addDays(10));
    lamira::test::whenModal([&calendar](QWidget *) { calendar.SpeedButton2->click(); });
    calendar.exec();
    QCOMPARE(target.text(), QString("was"));
    lamira::test::whenModal([&calendar](QWidget *) { calendar.SpeedButton1->click(); });
    calendar.exec();
    QCOMPARE(target.text(), QLocale().toString(today.addDays(10), QLocale::ShortFormat));
}

void MainFormTest::helpOpensTheFileOfTheCurrentDirectory()
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    const QString start = QDir::currentPath();
    QTemporaryDir first, second;
    QDir::setCurrent(first.path());
    m_form->N10->trigger();
    // As after a file dialog moved the current directory.
    QDir::setCurrent(second.path());
    m_form->N10->trigger();
    QDir::setCurrent(start);
    QDesktopServices::unsetUrlHandler("file");
    QCOMPARE(catcher.opened.size(), 2);
    QCOMPARE(catcher.opened.at(0).toLocalFile(),
             QDir(first.path()).absoluteFilePath("HELP Lamira 2.0 SE.chm"));
    QCOMPARE(catcher.opened.at(1).toLocalFile(),
             QDir(second.path()).absoluteFilePath("HELP Lamira 2.0 SE.chm"));
    QCOMPARE(TMainForm::helpFile(),
             QDir::toNativeSeparators(QDir(start).absoluteFilePath("HELP Lamira 2.0 SE.chm")));
}

void MainFormTest::aboutBox()
{
    TFormAbout about;
    m_form->setFormAbout(&about);
    QCOMPARE(about.windowTitle(), QString("О программе"));
    QCOMPARE(about.size(), QSize(385, 243));
    QCOMPARE(about.Label1->text(), QString("Lamira 2.0 SE"));
    QCOMPARE(about.Button1->text(), QString("Закрыть"));
    bool shown = false;
    lamira::test::whenModal([&](QWidget *modal) {
        shown = modal == &about;
        about.Button1->click();
    });
    m_form->N11->trigger();
    QVERIFY(shown);
    QVERIFY(!about.isVisible());
    m_form->setFormAbout(nullptr);
}

QTEST_MAIN(MainFormTest)
#include "tst_mainform.moc"
