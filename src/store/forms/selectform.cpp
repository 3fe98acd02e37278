#include "store/forms/selectform.h"

#include "order_edit/editinfomake.h"
#include "shell/guarded.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TSelectForm::TSelectForm(lamira::Database &database, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_database(database)
{
    setObjectName(QStringLiteral("SelectForm"));
    setWindowTitle(QStringLiteral("Выбор материала"));
    // Without a frame a border of its own shows where the chooser ends.
    setStyleSheet(QStringLiteral("TSelectForm { border: 1px solid #606060; }"));

    DBGrid1 = new QTableWidget(0, 2, this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setHorizontalHeaderLabels({QStringLiteral("Группа"), QStringLiteral("Наименование")});
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->verticalHeader()->hide();
    DBGrid1->setMinimumSize(230, 260);
    connect(DBGrid1, &QTableWidget::cellDoubleClicked, this, &TSelectForm::OKButtonClick);

    OKButton = new QPushButton(QStringLiteral("ОК"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    ForAllButton = new QPushButton(QStringLiteral("Для всех"), this);
    ForAllButton->setObjectName(QStringLiteral("ForAllButton"));
    ForAllButton->setAutoDefault(false);
    CancelButton = new QPushButton(QStringLiteral("Отмена"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setAutoDefault(false);
    connect(OKButton, &QPushButton::clicked, this, &TSelectForm::OKButtonClick);
    connect(ForAllButton, &QPushButton::clicked, this, &TSelectForm::ForAllButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TSelectForm::CancelButtonClick);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(OKButton);
    buttons->addWidget(ForAllButton);
    buttons->addWidget(CancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(DBGrid1, 1);
    layout->addLayout(buttons);
}

QString TSelectForm::choose(TEditInfoMake *target, const QString &start)
{
    TargetPanel = target;
    SelectedMaterial = start;
    exec();
    TargetPanel = nullptr;
    return SelectedMaterial;
}

void TSelectForm::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
    if (m_mainWindow && m_mainWindow->isVisible())
        move(m_mainWindow->frameGeometry().center() - rect().center());
}

void TSelectForm::FormShow()
{
    m_materials.clear();
    lamira::guarded(this, [this] { m_materials = lamira::listMaterials(m_database); });
    DBGrid1->setColumnWidth(0, 96);
    DBGrid1->setColumnWidth(1, 96);
    DBGrid1->setRowCount(int(m_materials.size()));
    int current = 0;
    for (int r = 0; r < m_materials.size(); ++r) {
        const lamira::MaterialEntry &m = m_materials.at(r);
        DBGrid1->setItem(r, 0, new QTableWidgetItem(m.group));
        DBGrid1->setItem(r, 1, new QTableWidgetItem(m.name));
        if (m.name == SelectedMaterial)
            current = r;
    }
    if (!m_materials.isEmpty()) {
        DBGrid1->setCurrentCell(current, 1);
        DBGrid1->selectRow(current);
    }
}

bool TSelectForm::takeCurrent()
{
    const int row = DBGrid1->currentRow();
    if (row < 0 || row >= m_materials.size())
        return false;
    SelectedMaterial = m_materials.at(row).name;
    return true;
}

void TSelectForm::OKButtonClick()
{
    if (takeCurrent())
        accept();
}

void TSelectForm::ForAllButtonClick()
{
    if (!takeCurrent())
        return;
    if (TargetPanel) {
        for (int r = 0; r < TargetPanel->RowCount; ++r)
            TargetPanel->cell(r, TEditInfoMake::MaterialColumn)->setText(SelectedMaterial);
    }
    accept();
}

void TSelectForm::CancelButtonClick()
{
    reject();
}
