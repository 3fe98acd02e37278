#include "store/forms/ordersform.h"

#include "shell/messages.h"
#include "store/forms/dialogform.h"
#include "store/orders.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QString NotePrompt = QStringLiteral("Введите новое примечание");

} // namespace

TOrdersForm::TOrdersForm(lamira::Database &database, QWidget *parent)
    : QDialog(parent), m_database(database)
{
    setObjectName(QStringLiteral("OrdersForm"));
    setWindowTitle(QStringLiteral("Список заказов"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    resize(900, 500);

    DBGrid1 = new QTableWidget(0, 6, this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setHorizontalHeaderLabels(
        {QStringLiteral("№"), QStringLiteral("Наименование"), QStringLiteral("Дата создания"),
         QStringLiteral("Дата сдачи"), QStringLiteral("Заказчик"), QStringLiteral("Примечание")});
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->verticalHeader()->hide();
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    DBGrid1->setColumnWidth(0, 60);
    DBGrid1->setColumnWidth(1, 260);
    DBGrid1->setColumnWidth(2, 110);
    DBGrid1->setColumnWidth(3, 110);
    DBGrid1->setColumnWidth(4, 180);
    // A double click opens the order, like selecting it and pressing "OK".
    connect(DBGrid1, &QTableWidget::cellDoubleClicked, this, [this] {
        if (!OKButton->isHidden())
            OKButtonClick();
        else if (!B->isHidden())
            BClick();
    });

    const auto button = [this](const char *name, const QString &caption) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    OKButton = button("OKButton", QStringLiteral("OK"));
    B = button("B", QStringLiteral("OK"));
    B->hide();
    CommentButton = button("CommentButton", QStringLiteral("Изменить примечание"));
    CancelButton = button("CancelButton", QStringLiteral("Отмена"));
    DeleteButton = button("DeleteButton", QStringLiteral("Удалить"));
    connect(OKButton, &QPushButton::clicked, this, &TOrdersForm::OKButtonClick);
    connect(B, &QPushButton::clicked, this, &TOrdersForm::BClick);
    connect(CommentButton, &QPushButton::clicked, this, &TOrdersForm::CommentButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TOrdersForm::CancelButtonClick);
    connect(DeleteButton, &QPushButton::clicked, this, &TOrdersForm::DeleteButtonClick);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(OKButton);
    buttons->addWidget(B);
    buttons->addWidget(CommentButton);
    buttons->addWidget(DeleteButton);
    buttons->addStretch(1);
    buttons->addWidget(CancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(DBGrid1, 1);
    layout->addLayout(buttons);
}

void TOrdersForm::setDialogForm(TDialogForm *dialog)
{
    m_dialog = dialog;
    if (m_dialog)
        m_dialog->registerMode(NotePrompt, [this](const QString &text) { changeNote(text); });
}

bool TOrdersForm::refresh()
{
    const auto selected = selectedEntry();
    try {
        m_entries = lamira::OrderStore::list(m_database);
    } catch (const std::exception &e) {
        lamira::showError(QString::fromUtf8(e.what()), this);
        return false;
    }
    DBGrid1->setRowCount(int(m_entries.size()));
    int keep = 0;
    for (int r = 0; r < m_entries.size(); ++r) {
        const lamira::OrderListEntry &entry = m_entries.at(r);
        const QString cells[] = {entry.header.number, entry.header.name,     entry.header.date1,
                                 entry.header.date2,  entry.header.customer, entry.header.comment};
        for (int c = 0; c < 6; ++c)
            DBGrid1->setItem(r, c, new QTableWidgetItem(cells[c]));
        if (selected && entry.id == selected->id)
            keep = r;
    }
    if (!m_entries.isEmpty())
        selectRow(keep);
    return true;
}

std::optional<lamira::OrderListEntry> TOrdersForm::selectedEntry() const
{
    const int row = DBGrid1->currentRow();
    if (row < 0 || row >= m_entries.size())
        return std::nullopt;
    return m_entries.at(row);
}

void TOrdersForm::selectRow(int row)
{
    DBGrid1->setCurrentCell(row, 0);
    DBGrid1->selectRow(row);
}

void TOrdersForm::showB(bool shown)
{
    B->setVisible(shown);
    OKButton->setVisible(!shown);
}

void TOrdersForm::OKButtonClick()
{
    const auto entry = selectedEntry();
    if (entry && m_loader)
        m_loader(*entry);
}

void TOrdersForm::BClick()
{
    const auto entry = selectedEntry();
    if (!entry)
        return;
    if (m_jobAdder)
        m_jobAdder(*entry);
    accept();
}

void TOrdersForm::CommentButtonClick()
{
    const auto entry = selectedEntry();
    if (!entry || !m_dialog)
        return;
    m_noteOrder = entry->id;
    m_dialog->ask(NotePrompt, QString());
}

void TOrdersForm::changeNote(const QString &text)
{
    try {
        lamira::OrderStore::changeNote(m_database, m_noteOrder, text);
    } catch (const std::exception &e) {
        lamira::showError(QString::fromUtf8(e.what()), this);
    }
    refresh();
}

void TOrdersForm::CancelButtonClick()
{
    reject();
}

void TOrdersForm::DeleteButtonClick()
{
    const auto entry = selectedEntry();
    if (!entry) {
        lamira::showInformation(QStringLiteral("Нечего удалять"), this);
        return;
    }
    try {
        lamira::OrderStore::remove(m_database, entry->id);
    } catch (const std::exception &e) {
        lamira::showError(QString::fromUtf8(e.what()), this);
    }
    refresh();
}
