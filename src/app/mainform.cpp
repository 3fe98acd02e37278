#include "app/mainform.h"

#include <QAction>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QAction *menuItem(QMenu *menu, const char *name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

QMenu *menu(QMenuBar *bar, const char *name, const QString &caption)
{
    QMenu *m = bar->addMenu(caption);
    m->setObjectName(QLatin1String(name));
    m->menuAction()->setObjectName(QLatin1String(name) + QLatin1String("Action"));
    return m;
}

} // namespace

TMainForm::TMainForm(lamira::Database &database, QWidget *parent)
    : QMainWindow(parent), m_database(database)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Lamira 2.0 SE"));
    resize(1032, 776);

    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("MainArea"));
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setCentralWidget(central);

    buildMenu();
    buildToolBar();
    buildWorkArea();
}

void TMainForm::buildToolBar()
{
    Panel1 = new QFrame(centralWidget());
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Panel1->setFixedHeight(41);
    auto *row = new QHBoxLayout(Panel1);
    row->setContentsMargins(3, 3, 3, 3);
    row->setSpacing(0);
    const auto button = [this, row](const char *name, const QString &caption, const QString &hint) {
        auto *b = new QToolButton(Panel1);
        b->setObjectName(QLatin1String(name));
        b->setText(caption);
        b->setToolTip(hint);
        b->setFixedSize(201, 33);
        row->addWidget(b);
        return b;
    };
    OrdersButton =
        button("OrdersButton", QStringLiteral("Заказы"), QStringLiteral("Управление заказами"));
    CutButton = button("CutButton", QStringLiteral("Раскрой"),
                       QStringLiteral("Передать текущий заказ в раскрой"));
    ReportButton =
        button("ReportButton", QStringLiteral("Отчеты"), QStringLiteral("Сформировать отчет"));
    BankOfMaterialsButton = button("BankOfMaterialsButton", QStringLiteral("Банк материалов"),
                                   QStringLiteral("Работа с материалами"));
    BankOfProductsButton = button("BankOfProductsButton", QStringLiteral("Банк изделий"),
                                  QStringLiteral("Работа с изделиями"));
    row->addStretch(1);
    static_cast<QVBoxLayout *>(centralWidget()->layout())->addWidget(Panel1);
}

void TMainForm::buildMenu()
{
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    setMenuBar(MainMenu1);

    N4 = menu(MainMenu1, "N4", QStringLiteral("Операции"));
    N5 = menuItem(N4, "N5", QStringLiteral("Перейти к работе с заказами"));
    N6 = menuItem(N4, "N6", QStringLiteral("Отправить в раскрой"));
    N7 = menuItem(N4, "N7", QStringLiteral("Показать отчет по текущему раскрою"));
    N8 = menuItem(N4, "N8", QStringLiteral("Перейти к работе с банком материалов"));
    N9 = menuItem(N4, "N9", QStringLiteral("Перейти к работе с банком изделий"));

    N2 = menu(MainMenu1, "N2", QStringLiteral("Настройки"));
    SettingsItem = menuItem(N2, "SettingsItem", QStringLiteral("Параметры"));
    N19 = menuItem(N2, "N19", QStringLiteral("Информация о компании"));
    N20 = menuItem(N2, "N20", QStringLiteral("Логотип производителя"));

    N3 = menu(MainMenu1, "N3", QStringLiteral("Помощь"));
    N10 = menuItem(N3, "N10", QStringLiteral("Справка"));
    N11 = menuItem(N3, "N11", QStringLiteral("О программе"));

    // An item of the bar itself, without a menu under it.
    N1 = MainMenu1->addAction(QStringLiteral("Выход"));
    N1->setObjectName(QStringLiteral("N1"));
    connect(N1, &QAction::triggered, this, &TMainForm::N1Click);
}

void TMainForm::buildWorkArea()
{
    auto *work = new QWidget(centralWidget());
    work->setObjectName(QStringLiteral("WorkArea"));
    auto *grid = new QGridLayout(work);
    grid->setContentsMargins(0, 0, 0, 0);

    auto *sheet = new QWidget(work);
    sheet->setObjectName(QStringLiteral("OrderSheet"));
    auto *sheetLayout = new QVBoxLayout(sheet);
    sheetLayout->setContentsMargins(0, 0, 0, 0);
    sheetLayout->setSpacing(0);
    Panel4 = new QFrame(sheet);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    ScrollBox1 = new QScrollArea(sheet);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setWidgetResizable(true);
    auto *products = new QWidget(ScrollBox1);
    products->setObjectName(QStringLiteral("ScrollBox1Contents"));
    ProductArea = new QVBoxLayout(products);
    ProductArea->setContentsMargins(0, 0, 0, 0);
    ProductArea->setSpacing(0);
    ProductArea->addStretch(1);
    ScrollBox1->setWidget(products);
    sheetLayout->addWidget(Panel4);
    sheetLayout->addWidget(ScrollBox1, 1);

    PageControl1 = new QTabWidget(work);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setDocumentMode(true);
    PageControl1->setAutoFillBackground(true);
    TabSheet1 = new QWidget(PageControl1);
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    TabSheet2 = new QWidget(PageControl1);
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    PageControl1->addTab(TabSheet1, QStringLiteral("Формирование раскроя"));
    PageControl1->addTab(TabSheet2, QStringLiteral("Карты раскроя"));
    PageControl1->hide();

    // Both in one cell: the pages, when shown, lie over the sheet.
    grid->addWidget(sheet, 0, 0);
    grid->addWidget(PageControl1, 0, 0);
    static_cast<QVBoxLayout *>(centralWidget()->layout())->addWidget(work, 1);
}

void TMainForm::N1Click()
{
    close();
}
