#include "app/mainform.h"

#include "app/calendarform.h"
#include "app/cutjobtab.h"
#include "app/formabout.h"
#include "cutting/progress.h"
#include "maps_ui/mapviewer.h"
#include "order_edit/editinfomake.h"
#include "order_edit/ordersheet.h"
#include "shell/guarded.h"
#include "shell/infoprogress.h"
#include "shell/messages.h"
#include "shell/operationcancelled.h"
#include "store/cuttingjob.h"
#include "store/forms/bankofmaterialsform.h"
#include "store/forms/bankofproductsform.h"
#include "store/forms/dialogform.h"
#include "store/forms/formadddetail.h"
#include "store/forms/ordersform.h"
#include "store/numbering.h"
#include "store/orders.h"
#include "store/runinput.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QString SaveAsPrompt = QStringLiteral("Введите название заказа");
const QString IncompleteOrder = QStringLiteral("Заполнены не все данные заказа");
const QString HelpFileName = QStringLiteral("HELP Lamira 2.0 SE.chm");

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

QString errorText(const std::exception &e)
{
    return QString::fromUtf8(e.what());
}

// Finishes the progress window and clears the loading flag however the
// load ends.
class LoadingScope
{
public:
    LoadingScope(TOrderSheet &sheet, lamira::Progress &progress)
        : m_sheet(sheet), m_progress(progress)
    {
        m_sheet.Loading = true;
    }
    ~LoadingScope()
    {
        m_progress.Refresh(lamira::Progress::Finish);
        m_sheet.Loading = false;
    }
    LoadingScope(const LoadingScope &) = delete;
    LoadingScope &operator=(const LoadingScope &) = delete;

private:
    TOrderSheet &m_sheet;
    lamira::Progress &m_progress;
};

// The hourglass while the cut run works, whichever way it ends.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

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
    wireFrame();

    // FormCreate: the "OK" under the sheet shows once there is something to
    // commit; "Сохранить" once an order has been opened.
    SpeedButton7->hide();
    SaveItem->setEnabled(false);
}

TMainForm::~TMainForm() = default;

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
}

QWidget *TMainForm::buildSheetButtons(QWidget *parent)
{
    auto *column = new QFrame(parent);
    column->setObjectName(QStringLiteral("SheetButtons"));
    column->setFrameStyle(QFrame::StyledPanel | QFrame::Plain);
    column->setFixedWidth(113);
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    const auto button = [column, layout](const char *name, const QString &caption) {
        auto *b = new QToolButton(column);
        b->setObjectName(QLatin1String(name));
        b->setText(caption);
        b->setFixedSize(105, 33);
        layout->addWidget(b);
        return b;
    };
    OrderButton = button("OrderButton", QStringLiteral("Заказ"));
    ProductsButton = button("ProductsButton", QStringLiteral("Изделия"));
    ComponentsButton = button("ComponentsButton", QStringLiteral("Детали"));
    ComponentsButton->setToolTip(QStringLiteral("Показать\\Скрыть детали заказа"));
    layout->addSpacing(12);
    SpeedButton7 = button("SpeedButton7", QStringLiteral("OK"));
    QFont bold = SpeedButton7->font();
    bold.setBold(true);
    SpeedButton7->setFont(bold);
    layout->addStretch(1);

    OrderButtonMenu = new QMenu(this);
    OrderButtonMenu->setObjectName(QStringLiteral("OrderButtonMenu"));
    NewItem = menuItem(OrderButtonMenu, "NewItem", QStringLiteral("Новый"));
    OpenItem = menuItem(OrderButtonMenu, "OpenItem", QStringLiteral("Открыть"));
    SaveItem = menuItem(OrderButtonMenu, "SaveItem", QStringLiteral("Сохранить"));
    SaveAsItem = menuItem(OrderButtonMenu, "SaveAsItem", QStringLiteral("Сохранить как..."));
    // The order-file entries go below it.
    OrderButtonMenu->addSeparator()->setObjectName(QStringLiteral("N12"));

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    CreateItem = menuItem(PopupMenu1, "CreateItem", QStringLiteral("Добавить"));
    ImportFromBankItem =
        menuItem(PopupMenu1, "ImportFromBankItem", QStringLiteral("Импорт из банка изделий"));
    return column;
}

void TMainForm::buildOrderHeader()
{
    Panel4->setFrameStyle(QFrame::NoFrame);
    Panel4->setFixedHeight(50);
    Panel4->setStyleSheet(QStringLiteral(
        "QLineEdit { border: 1px solid #8c8c8c; padding: 0px 3px; background: white; }"
        "QLineEdit[readOnly=\"true\"] { background: #ececec; }"
        "QLabel { border: 1px solid #8c8c8c; background: #dcdcdc; }"));
    struct HeaderField
    {
        const char *name;
        const char *caption;
        int left;
        int width;
        bool editable;
    };
    const HeaderField header[] = {
        {"NumberEdit", "№", 8, 41, false},
        {"NameEdit", "Наименование", 48, 201, true},
        {"DateEdit1", "Дата создания", 248, 81, false},
        {"DateEdit2", "Дата сдачи", 328, 81, false},
        {"CustomerEdit", "Заказчик", 408, 121, true},
        {"CommentEdit", "Примечание", 528, 217, true},
    };
    QLineEdit *edits[6];
    for (int i = 0; i < 6; ++i) {
        auto *caption = new QLabel(QString::fromUtf8(header[i].caption), Panel4);
        caption->setAlignment(Qt::AlignCenter);
        QFont small = caption->font();
        small.setPixelSize(11);
        small.setStretch(92);
        caption->setFont(small);
        caption->setGeometry(header[i].left, 6, header[i].width, 20);
        edits[i] = new QLineEdit(Panel4);
        edits[i]->setObjectName(QLatin1String(header[i].name));
        edits[i]->setGeometry(header[i].left, 25, header[i].width, 21);
        edits[i]->setReadOnly(!header[i].editable);
    }
    NumberEdit = edits[0];
    NameEdit = edits[1];
    DateEdit1 = edits[2];
    DateEdit2 = edits[3];
    CustomerEdit = edits[4];
    CommentEdit = edits[5];
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPixelSize(12);
    NumberEdit->setFont(fixed);
    DateEdit2->setCursor(Qt::PointingHandCursor);
    DateEdit2->installEventFilter(this);
}

void TMainForm::buildWorkArea()
{
    auto *work = new QWidget(centralWidget());
    work->setObjectName(QStringLiteral("WorkArea"));
    auto *grid = new QGridLayout(work);
    grid->setContentsMargins(0, 0, 0, 0);

    auto *sheet = new QWidget(work);
    sheet->setObjectName(QStringLiteral("OrderSheet"));
    auto *sheetLayout = new QHBoxLayout(sheet);
    sheetLayout->setContentsMargins(0, 0, 0, 0);
    sheetLayout->setSpacing(0);
    auto *orderLayout = new QVBoxLayout;
    orderLayout->setContentsMargins(0, 0, 0, 0);
    orderLayout->setSpacing(0);
    Panel4 = new QFrame(sheet);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    buildOrderHeader();
    ScrollBox1 = new QScrollArea(sheet);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setWidgetResizable(true);
    auto *products = new QWidget(ScrollBox1);
    products->setObjectName(QStringLiteral("ScrollBox1Contents"));
    ProductArea = new QVBoxLayout(products);
    ProductArea->setContentsMargins(0, 0, 0, 0);
    ProductArea->setSpacing(1);
    ProductArea->addStretch(1);
    ScrollBox1->setWidget(products);
    orderLayout->addWidget(Panel4);
    orderLayout->addWidget(ScrollBox1, 1);
    sheetLayout->addWidget(buildSheetButtons(sheet));
    sheetLayout->addLayout(orderLayout, 1);

    m_sheet = new TOrderSheet(m_database, ScrollBox1, ProductArea, this);
    m_sheet->setOrderNumber([this] { return NumberEdit->text(); });
    m_sheet->setOrderSaver([this] { return saveOpenOrder(); });

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
    JobTab = new CutJobTab(m_database, TabSheet1);
    auto *jobLayout = new QVBoxLayout(TabSheet1);
    jobLayout->setContentsMargins(0, 0, 0, 0);
    jobLayout->addWidget(JobTab);
    PageControl1->hide();
    auto *mapsLayout = new QVBoxLayout(TabSheet2);
    mapsLayout->setContentsMargins(0, 0, 0, 0);
    m_mapViewer = new MapViewer(TabSheet2);
    mapsLayout->addWidget(m_mapViewer);
    connect(m_mapViewer, &MapViewer::showTabRequested, this, &TMainForm::showMapsTab);

    // Both in one cell: the pages, when shown, lie over the sheet.
    grid->addWidget(sheet, 0, 0);
    grid->addWidget(PageControl1, 0, 0);
    static_cast<QVBoxLayout *>(centralWidget()->layout())->addWidget(work, 1);
}

void TMainForm::wireFrame()
{
    connect(N1, &QAction::triggered, this, &TMainForm::N1Click);
    connect(N5, &QAction::triggered, this, &TMainForm::N5Click);
    connect(N10, &QAction::triggered, this, &TMainForm::N10Click);
    connect(N11, &QAction::triggered, this, &TMainForm::N11Click);
    connect(OrdersButton, &QToolButton::clicked, this, &TMainForm::OrdersButtonClick);
    connect(N6, &QAction::triggered, this, &TMainForm::N6Click);
    connect(N8, &QAction::triggered, this, &TMainForm::N8Click);
    connect(N9, &QAction::triggered, this, &TMainForm::N9Click);
    connect(CutButton, &QToolButton::clicked, this, &TMainForm::CutButtonClick);
    connect(BankOfMaterialsButton, &QToolButton::clicked, this,
            &TMainForm::BankOfMaterialsButtonClick);
    connect(BankOfProductsButton, &QToolButton::clicked, this,
            &TMainForm::BankOfProductsButtonClick);
    connect(JobTab->SpeedButton1, &QToolButton::clicked, this, &TMainForm::SpeedButton1Click);
    // Not built yet: reports and the settings.
    for (QAction *a : {N7, SettingsItem, N19, N20})
        a->setEnabled(false);
    ReportButton->setEnabled(false);

    connect(OrderButton, &QToolButton::clicked, this, &TMainForm::OrderButtonClick);
    connect(NewItem, &QAction::triggered, this, &TMainForm::NewItemClick);
    connect(OpenItem, &QAction::triggered, this, &TMainForm::OpenItemClick);
    connect(SaveItem, &QAction::triggered, this, &TMainForm::SaveItemClick);
    connect(SaveAsItem, &QAction::triggered, this, &TMainForm::SaveAsItemClick);
    connect(SpeedButton7, &QToolButton::clicked, this, &TMainForm::SpeedButton7Click);
    connect(ProductsButton, &QToolButton::clicked, this, &TMainForm::ProductsButtonClick);
    connect(CreateItem, &QAction::triggered, this, &TMainForm::CreateItemClick);
    connect(ImportFromBankItem, &QAction::triggered, this, &TMainForm::ImportFromBankItemClick);
    connect(ComponentsButton, &QToolButton::clicked, this, &TMainForm::ComponentsButtonClick);
}

void TMainForm::showMapsTab()
{
    PageControl1->setTabVisible(PageControl1->indexOf(TabSheet2), true);
    PageControl1->setCurrentWidget(TabSheet2);
    PageControl1->show();
}

void TMainForm::setBankOfProductsForm(TBankOfProductsForm *form)
{
    m_bankOfProductsForm = form;
    JobTab->setBankOfProductsForm(form);
    if (m_bankOfProductsForm)
        m_bankOfProductsForm->setOrderSheet(m_sheet);
}

void TMainForm::setFormAddDetail(TFormAddDetail *form)
{
    JobTab->setFormAddDetail(form);
}

void TMainForm::setOrdersForm(TOrdersForm *form)
{
    m_ordersForm = form;
    JobTab->setOrdersForm(form);
    if (m_ordersForm)
        m_ordersForm->setLoader(
            [this](const lamira::OrderListEntry &order) { OKButtonClick(order); });
}

void TMainForm::setDialogForm(TDialogForm *form)
{
    m_dialogForm = form;
    if (m_dialogForm)
        m_dialogForm->registerMode(SaveAsPrompt,
                                   [this](const QString &name) { saveAsNewOrder(name); });
}

const QList<TEditInfoMake *> &TMainForm::ProductPanels() const
{
    return m_sheet->ProductPanels;
}

TEditInfoMake *TMainForm::AddProductPanel()
{
    return m_sheet->AddProductPanel();
}

void TMainForm::ClearProductPanels()
{
    m_sheet->ClearProductPanels();
}

lamira::OrderContent TMainForm::sheetContent() const
{
    return {{NumberEdit->text(), NameEdit->text(), DateEdit1->text(), DateEdit2->text(),
             CustomerEdit->text(), CommentEdit->text()},
            m_sheet->products()};
}

QString TMainForm::helpFile()
{
    return QDir::toNativeSeparators(QDir::current().absoluteFilePath(HelpFileName));
}

// ---- Order lifecycle ----

void TMainForm::OrderButtonClick()
{
    OrderButtonMenu->popup(OrderButton->mapToGlobal(QPoint(OrderButton->width(), 0)));
}

void TMainForm::NewItemClick()
{
    int number = 0;
    try {
        lamira::OrderStore::cancelPendingDeletions(m_database);
        number = lamira::nextOrderNumber(m_database);
    } catch (const std::exception &e) {
        // The sheet stays as it was rather than start an order without a
        // number.
        lamira::showError(errorText(e), this);
        return;
    }
    ClearProductPanels();
    NameEdit->clear();
    DateEdit2->clear();
    CustomerEdit->clear();
    CommentEdit->clear();
    DateEdit1->setText(TCalendarForm::dateText(QDate::currentDate()));
    DateEdit1->setCursorPosition(0);
    NumberEdit->setText(QString::number(number));
}

void TMainForm::OpenItemClick()
{
    if (!m_ordersForm)
        return;
    m_ordersForm->move(0, 0);
    if (!m_ordersForm->refresh())
        return;
    m_ordersForm->showB(false);
    m_ordersForm->setWindowState(m_ordersForm->windowState() | Qt::WindowMaximized);
    m_ordersForm->exec();
}

void TMainForm::OKButtonClick(const lamira::OrderListEntry &order)
{
    // Read first: a database failure leaves the sheet as it was.
    lamira::OrderContent content;
    try {
        content = lamira::OrderStore::load(m_database, order.id);
    } catch (const std::exception &e) {
        lamira::showError(errorText(e), m_ordersForm);
        return;
    }
    if (content.header.number.isEmpty()) {
        lamira::showInformation(QStringLiteral("Этого заказа больше нет в базе данных"),
                                m_ordersForm);
        if (m_ordersForm)
            m_ordersForm->refresh();
        return;
    }

    lamira::NullProgress noWindow;
    lamira::Progress &progress =
        m_infoProgress ? static_cast<lamira::Progress &>(*m_infoProgress) : noWindow;
    {
        LoadingScope loading(*m_sheet, progress);
        ClearProductPanels();
        SpeedButton7->show();
        const lamira::OrderHeader &h = content.header;
        NumberEdit->setText(h.number);
        NameEdit->setText(h.name);
        DateEdit1->setText(h.date1);
        DateEdit2->setText(h.date2);
        CustomerEdit->setText(h.customer);
        CommentEdit->setText(h.comment);
        // A date longer than its box shows its beginning.
        DateEdit1->setCursorPosition(0);
        DateEdit2->setCursorPosition(0);

        progress.Caption = "Загрузка заказа из базы";
        progress.Name1 = "Прогресс изделий";
        progress.Name2 = "Прогресс деталей в изделии";
        progress.Text1.clear();
        progress.Text2.clear();
        progress.Max1 = progress.Pos1 = progress.Max2 = progress.Pos2 = 0;
        progress.SetParts(lamira::Progress::FirstBar | lamira::Progress::SecondBar);
        progress.Refresh(lamira::Progress::Start);
        for (const lamira::OrderProduct &product : std::as_const(content.products))
            progress.Max1 += int(product.lines.size());
        progress.Refresh(lamira::Progress::Update);
        m_sheet->fillProducts(content.products, progress);
    }
    SaveItem->setEnabled(true);
    if (m_ordersForm)
        m_ordersForm->accept();
}

bool TMainForm::saveOpenOrder()
{
    const lamira::OrderContent order = sheetContent();
    try {
        if (!order.header.isComplete()) {
            // The marked records go all the same, as on every save.
            lamira::OrderStore::purgePendingDeletions(m_database);
            lamira::showInformation(IncompleteOrder, this);
            return false;
        }
        if (!lamira::OrderStore::save(m_database, order)) {
            lamira::showInformation(QStringLiteral("Заказа № %1 нет в базе данных. Чтобы "
                                                   "сохранить его, нажмите кнопку \"OK\".")
                                        .arg(order.header.number),
                                    this);
            return false;
        }
    } catch (const std::exception &e) {
        lamira::showError(errorText(e), this);
        return false;
    }
    return true;
}

void TMainForm::SaveItemClick()
{
    saveOpenOrder();
}

bool TMainForm::storeOpenOrder()
{
    try {
        if (lamira::OrderStore::findByNumber(m_database, NumberEdit->text()))
            return saveOpenOrder();
    } catch (const std::exception &e) {
        lamira::showError(errorText(e), this);
        return false;
    }
    const int number = insertOpenOrder(NameEdit->text());
    if (number)
        NumberEdit->setText(QString::number(number));
    return number != 0;
}

int TMainForm::insertOpenOrder(const QString &name)
{
    try {
        return lamira::OrderStore::insertCopy(m_database, sheetContent(), name);
    } catch (const std::exception &e) {
        lamira::showError(errorText(e), this);
        return 0;
    }
}

void TMainForm::SaveAsItemClick()
{
    try {
        lamira::OrderStore::purgePendingDeletions(m_database);
    } catch (const std::exception &e) {
        lamira::showError(errorText(e), this);
        return;
    }
    if (!sheetContent().header.isComplete()) {
        lamira::showInformation(IncompleteOrder, this);
        return;
    }
    if (m_dialogForm)
        m_dialogForm->ask(SaveAsPrompt, QString());
}

void TMainForm::saveAsNewOrder(const QString &name)
{
    // The sheet stays bound to the order it shows; the copy is reached
    // through the order list.
    insertOpenOrder(name);
}

void TMainForm::SpeedButton7Click()
{
    std::optional<qint64> stored;
    try {
        stored = lamira::OrderStore::find(m_database, NumberEdit->text(), NameEdit->text());
    } catch (const std::exception &e) {
        lamira::showError(errorText(e), this);
        return;
    }
    if (!stored) {
        // A new order. The sheet takes the number it was stored under, so the
        // next "OK" finds it instead of storing it again.
        if (const int number = insertOpenOrder(NameEdit->text()))
            NumberEdit->setText(QString::number(number));
        return;
    }
    SaveItem->setEnabled(true);
    SaveItemClick();
    SaveItem->setEnabled(false);
}

void TMainForm::OrdersButtonClick()
{
    PageControl1->hide();
    SpeedButton7->show();
}

// ---- Sheet ----

void TMainForm::ProductsButtonClick()
{
    PopupMenu1->popup(ProductsButton->mapToGlobal(QPoint(ProductsButton->width(), 0)));
}

void TMainForm::CreateItemClick()
{
    SpeedButton7->show();
    AddProductPanel();
}

void TMainForm::ComponentsButtonClick()
{
    m_sheet->ComponentsButtonClick();
}

void TMainForm::DateEdit2Click()
{
    if (!m_calendarForm)
        return;
    m_calendarForm->move(DateEdit2->mapToGlobal(QPoint(0, DateEdit2->height())));
    m_calendarForm->exec();
}

// ---- Cutting ----

void TMainForm::CutButtonClick()
{
    // The previous run's maps leave the screen; the maps tab is hidden until
    // the next run has maps of its own.
    if (m_cutRun) {
        for (lamira::CTree *map : m_cutRun->Maps)
            m_mapViewer->DeletePanels(*map);
    }
    if (NameEdit->text().isEmpty() || DateEdit1->text().isEmpty() || DateEdit2->text().isEmpty()) {
        lamira::showInformation(QStringLiteral("Нет активных заказов"), this);
        return;
    }
    // What is cut is what the database holds, so the sheet is stored first;
    // a new order, never committed with "OK", is stored as "OK" would. When
    // that fails (the user has been told), the job stays as it was rather
    // than cut an older version of the order.
    if (!storeOpenOrder())
        return;
    SpeedButton7->hide();
    bool started = false;
    if (!lamira::guarded(this, [&] {
            started = lamira::CuttingJob::startFromOrder(m_database, NumberEdit->text(),
                                                         NameEdit->text());
        }))
        return;
    if (!started) {
        lamira::showInformation(QStringLiteral("Нет активных заказов"), this);
        return;
    }
    JobTab->refresh();
    PageControl1->setTabVisible(PageControl1->indexOf(TabSheet2), false);
    PageControl1->setCurrentWidget(TabSheet1);
    PageControl1->show();
}

void TMainForm::N6Click()
{
    CutButtonClick();
}

lamira::CutOutcome TMainForm::cutMarkedJob(lamira::CutRun &run)
{
    lamira::NullProgress noWindow;
    lamira::Progress &progress = m_runProgress    ? *m_runProgress
                                 : m_infoProgress ? static_cast<lamira::Progress &>(*m_infoProgress)
                                                  : noWindow;
    QString failure;
    lamira::CutOutcome outcome = lamira::CutOutcome::NothingToCut;
    {
        WaitCursor hourglass;
        try {
            outcome = lamira::RunInput::cutMarkedJob(
                m_database, run, progress, [this](const std::string &text) {
                    lamira::showInformation(QString::fromStdString(text), this);
                });
        } catch (const lamira::OperationCancelled &) {
            progress.Refresh(lamira::Progress::Finish);
            return lamira::CutOutcome::Cancelled;
        } catch (const std::exception &e) {
            failure = errorText(e);
        }
    }
    // Shown with the normal cursor, and with the other windows enabled again
    // should the failure have come in the middle of the run.
    if (!failure.isEmpty()) {
        progress.Refresh(lamira::Progress::Finish);
        lamira::showError(failure, this);
    }
    return outcome;
}

void TMainForm::SpeedButton1Click()
{
    // A fresh run: the maps on the maps tab stay valid until it has maps
    // of its own to show.
    auto run = std::make_unique<lamira::CutRun>();
    if (cutMarkedJob(*run) != lamira::CutOutcome::Done)
        return;
    adoptRun(std::move(run));
}

void TMainForm::adoptRun(std::unique_ptr<lamira::CutRun> run)
{
    // The viewer's panels belong to the old maps: they go before the maps.
    m_mapViewer->forgetRun();
    m_cutRun = std::move(run);
    m_mapViewer->showRun(*m_cutRun);
}

// ---- Banks ----

void TMainForm::BankOfMaterialsButtonClick()
{
    if (m_bankOfMaterialsForm)
        m_bankOfMaterialsForm->exec();
}

void TMainForm::BankOfProductsButtonClick()
{
    if (m_bankOfProductsForm)
        m_bankOfProductsForm->showForBank();
}

void TMainForm::ImportFromBankItemClick()
{
    if (m_bankOfProductsForm)
        m_bankOfProductsForm->showForOrder();
}

void TMainForm::N8Click()
{
    BankOfMaterialsButtonClick();
}

void TMainForm::N9Click()
{
    BankOfProductsButtonClick();
}

// ---- Frame ----

void TMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TMainForm::FormShow()
{
    m_sheet->Loading = false;
    if (m_bankOfProductsForm)
        m_bankOfProductsForm->SpeedButton1->hide();
    NewItemClick();
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    bool canClose = true;
    FormCloseQuery(canClose);
    if (canClose)
        event->accept();
    else
        event->ignore();
}

void TMainForm::FormCloseQuery(bool &CanClose)
{
    const lamira::MessageAnswer answer = lamira::askQuestion(
        QStringLiteral("Если вы хотите выйти и сохранить данные нажмите кнопку \"Да\"\n"
                       "Если вы хотите выйти без сохранения нажмите кнопку \"Нет\"\n"
                       "Если вы хотите отменить выход нажмите кнопку \"Отмена\""),
        QStringLiteral("Предупреждение"), lamira::MessageButtons::YesNoCancel,
        lamira::MessageIcon::Question, this);
    if (answer == lamira::MessageAnswer::Cancel) {
        CanClose = false;
        return;
    }
    if (answer == lamira::MessageAnswer::Yes && !NameEdit->text().isEmpty() &&
        !DateEdit1->text().isEmpty() && !DateEdit2->text().isEmpty()) {
        // The user asked to save: an order that could not be saved keeps
        // the window open rather than being lost. A new order, never
        // committed with "OK", is stored as "OK" would store it.
        if (!storeOpenOrder()) {
            CanClose = false;
            return;
        }
    }
    ClearProductPanels();
    try {
        lamira::OrderStore::cancelPendingDeletions(m_database);
    } catch (const std::exception &e) {
        lamira::showError(errorText(e), this);
    }
}

void TMainForm::N1Click()
{
    close();
}

void TMainForm::N5Click()
{
    OrdersButtonClick();
}

void TMainForm::N10Click()
{
    // Read at the moment of use: a file dialog may have changed the current
    // directory. A missing file is not reported.
    QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::fromNativeSeparators(helpFile())));
}

void TMainForm::N11Click()
{
    if (m_formAbout)
        m_formAbout->exec();
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == DateEdit2 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        DateEdit2Click();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
