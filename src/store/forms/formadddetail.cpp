#include "store/forms/formadddetail.h"

#include "shell/guarded.h"
#include "store/cuttingjob.h"
#include "store/forms/bankgrids.h"
#include "store/forms/formbuttons.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TFormAddDetail::TFormAddDetail(lamira::Database &database, QWidget *parent)
    : QDialog(parent), m_database(database)
{
    setObjectName(QStringLiteral("FormAddDetail"));
    setWindowTitle(QStringLiteral("Добавить деталь"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    resize(860, 420);

    DBGrid2 = BankGrids::lineGrid(this, "DBGrid2");
    connect(DBGrid2, &QTableWidget::cellDoubleClicked, this, &TFormAddDetail::SpeedButton1Click);
    const FormButtons::OkCancel buttons =
        FormButtons::okCancel(this, "SpeedButton1", "SpeedButton2");
    SpeedButton1 = buttons.ok;
    SpeedButton2 = buttons.cancel;
    connect(SpeedButton1, &QPushButton::clicked, this, &TFormAddDetail::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TFormAddDetail::SpeedButton2Click);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(DBGrid2, 1);
    layout->addLayout(buttons.row);
}

void TFormAddDetail::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TFormAddDetail::FormShow()
{
    m_lines.clear();
    lamira::guarded(this, [this] { m_lines = lamira::ProductBank::allLines(m_database); });
    BankGrids::showLines(DBGrid2, m_lines);
}

void TFormAddDetail::SpeedButton1Click()
{
    const int row = BankGrids::currentRow(DBGrid2);
    if (row >= 0 && row < m_lines.size() && lamira::guarded(this, [this, row] {
            lamira::CuttingJob::addBankDetail(m_database, m_lines.at(row).id);
        }))
        emit jobChanged();
    accept();
}

void TFormAddDetail::SpeedButton2Click()
{
    reject();
}
