#include "app/cutjobtab.h"

#include "shell/guarded.h"
#include "store/forms/bankofproductsform.h"
#include "store/forms/formadddetail.h"
#include "store/forms/ordersform.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace CuttingJob = lamira::CuttingJob;

CutJobTab::CutJobTab(lamira::Database &database, QWidget *parent)
    : QWidget(parent), m_database(database)
{
    setObjectName(QStringLiteral("CutJobTab"));

    const auto button = [this](const char *name, const QString &caption, const QString &hint) {
        auto *b = new QToolButton(this);
        b->setObjectName(QLatin1String(name));
        b->setText(caption);
        b->setToolTip(hint);
        b->setFixedSize(201, 41);
        return b;
    };
    SpeedButton1 =
        button("SpeedButton1", QStringLiteral("В раскрой"), QStringLiteral("Начать раскрой"));
    QFont large = SpeedButton1->font();
    large.setPointSizeF(large.pointSizeF() * 1.5);
    large.setBold(true);
    SpeedButton1->setFont(large);
    SpeedButton1->setStyleSheet(QStringLiteral("QToolButton { color: navy; }"));
    SpeedButton2 = button("SpeedButton2", QStringLiteral("Добавить заказ"),
                          QStringLiteral("Добавить заказ к текущему раскрою"));
    SpeedButton5 = button("SpeedButton5", QStringLiteral("Добавить изделие"),
                          QStringLiteral("Добавить изделие к текущему раскрою"));
    SpeedButton6 = button("SpeedButton6", QStringLiteral("Добавить деталь"),
                          QStringLiteral("Добавить деталь к текущему раскрою"));
    connect(SpeedButton2, &QToolButton::clicked, this, &CutJobTab::SpeedButton2Click);
    connect(SpeedButton5, &QToolButton::clicked, this, &CutJobTab::SpeedButton5Click);
    connect(SpeedButton6, &QToolButton::clicked, this, &CutJobTab::SpeedButton6Click);

    DBGrid1 = new QTableWidget(0, 3, this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setHorizontalHeaderLabels(
        {QStringLiteral("Тип"), QStringLiteral("Наименование"), QStringLiteral("В раскрой?")});
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->verticalHeader()->hide();
    DBGrid1->setColumnWidth(0, 120);
    DBGrid1->setColumnWidth(1, 360);
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    PopupMenu3 = new QMenu(this);
    PopupMenu3->setObjectName(QStringLiteral("PopupMenu3"));
    N21 = PopupMenu3->addAction(QStringLiteral("Удалить из списка"));
    N21->setObjectName(QStringLiteral("N21"));
    connect(N21, &QAction::triggered, this, &CutJobTab::N21Click);
    connect(DBGrid1, &QTableWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { PopupMenu3->popup(DBGrid1->viewport()->mapToGlobal(at)); });

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(4);
    for (QToolButton *b : {SpeedButton1, SpeedButton2, SpeedButton5, SpeedButton6})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(DBGrid1, 1);
}

void CutJobTab::setOrdersForm(TOrdersForm *form)
{
    m_ordersForm = form;
    if (m_ordersForm)
        m_ordersForm->setJobAdder([this](const lamira::OrderListEntry &order) {
            lamira::guarded(m_ordersForm, [&] { CuttingJob::addOrder(m_database, order.id); });
            refresh();
        });
}

void CutJobTab::setBankOfProductsForm(TBankOfProductsForm *form)
{
    m_bankOfProductsForm = form;
    if (m_bankOfProductsForm)
        connect(m_bankOfProductsForm, &TBankOfProductsForm::jobChanged, this, &CutJobTab::refresh,
                Qt::UniqueConnection);
}

void CutJobTab::setFormAddDetail(TFormAddDetail *form)
{
    m_formAddDetail = form;
    if (m_formAddDetail)
        connect(m_formAddDetail, &TFormAddDetail::jobChanged, this, &CutJobTab::refresh,
                Qt::UniqueConnection);
}

void CutJobTab::refresh()
{
    const auto selected = selectedEntry();
    QList<CuttingJob::Entry> entries;
    if (!lamira::guarded(this, [&] { entries = CuttingJob::entries(m_database); }))
        return;
    m_entries = entries;
    DBGrid1->setRowCount(int(m_entries.size()));
    int keep = 0;
    for (int r = 0; r < m_entries.size(); ++r) {
        const CuttingJob::Entry &e = m_entries.at(r);
        DBGrid1->setItem(r, 0, new QTableWidgetItem(e.type));
        DBGrid1->setItem(r, 1, new QTableWidgetItem(e.name));
        DBGrid1->setItem(r, 2, new QTableWidgetItem(e.cut));
        if (selected && selected->id == e.id)
            keep = r;
    }
    if (!m_entries.isEmpty()) {
        DBGrid1->setCurrentCell(keep, 0);
        DBGrid1->selectRow(keep);
    }
}

std::optional<CuttingJob::Entry> CutJobTab::selectedEntry() const
{
    const int row = DBGrid1->currentRow();
    if (row < 0 || row >= m_entries.size())
        return std::nullopt;
    return m_entries.at(row);
}

void CutJobTab::SpeedButton2Click()
{
    if (!m_ordersForm || !m_ordersForm->refresh())
        return;
    m_ordersForm->move(0, 0);
    m_ordersForm->showB(true);
    m_ordersForm->setWindowState(m_ordersForm->windowState() | Qt::WindowMaximized);
    m_ordersForm->exec();
}

void CutJobTab::SpeedButton5Click()
{
    if (m_bankOfProductsForm)
        m_bankOfProductsForm->showForJob();
}

void CutJobTab::SpeedButton6Click()
{
    if (m_formAddDetail)
        m_formAddDetail->exec();
}

void CutJobTab::N21Click()
{
    const auto entry = selectedEntry();
    if (!entry)
        return;
    lamira::guarded(this, [&] { CuttingJob::removeEntry(m_database, entry->id); });
    refresh();
}
