#include "store/forms/bankofproductsform.h"

#include "cutting/progress.h"
#include "order_edit/ordersheet.h"
#include "shell/guarded.h"
#include "store/cuttingjob.h"
#include "store/forms/bankgrids.h"
#include "store/forms/formbuttons.h"
#include "store/forms/newdetailform.h"
#include "store/forms/newmakeform.h"
#include "store/numbering.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <climits>

namespace ProductBank = lamira::ProductBank;

namespace {

// Sets the sheet's loading flag for a scope: the new panel starts without
// its empty row, which the filled rows bring along.
class LoadingFlag
{
public:
    explicit LoadingFlag(TOrderSheet &sheet) : m_sheet(sheet) { m_sheet.Loading = true; }
    ~LoadingFlag() { m_sheet.Loading = false; }
    LoadingFlag(const LoadingFlag &) = delete;
    LoadingFlag &operator=(const LoadingFlag &) = delete;

private:
    TOrderSheet &m_sheet;
};

} // namespace

TBankOfProductsForm::TBankOfProductsForm(lamira::Database &database, QWidget *parent)
    : QDialog(parent), m_database(database)
{
    setObjectName(QStringLiteral("BankOfProductsForm"));
    setWindowTitle(QStringLiteral("Банк изделий"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    resize(900, 620);

    Label1 = new QLabel(QStringLiteral("Изделия"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    DBGrid1 = BankGrids::productGrid(this, "DBGrid1");
    Label2 = new QLabel(QStringLiteral("Детали"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    DBGrid2 = BankGrids::lineGrid(this, "DBGrid2");
    connect(DBGrid1, &QTableWidget::currentCellChanged, this, [this](int row, int, int previous) {
        if (row != previous)
            DBGrid1CellClick();
    });

    CreateMakeButton =
        FormButtons::button(this, "CreateMakeButton", QStringLiteral("Добавить изделие"));
    DeleteMakeButton =
        FormButtons::button(this, "DeleteMakeButton", QStringLiteral("Удалить изделие"));
    SpeedButton1 = FormButtons::button(this, "SpeedButton1", QStringLiteral("Добавить изделие"));
    SpeedButton1->setToolTip(QStringLiteral("Добавить изделие в открытый заказ"));
    SpeedButton2 = FormButtons::button(this, "SpeedButton2", QStringLiteral("Добавить изделие"));
    SpeedButton2->setToolTip(QStringLiteral("Добавить изделие к текущему раскрою"));
    CreateDetailButton =
        FormButtons::button(this, "CreateDetailButton", QStringLiteral("Добавить деталь"));
    DeleteDetailButton =
        FormButtons::button(this, "DeleteDetailButton", QStringLiteral("Удалить деталь"));
    SpeedButton3 = FormButtons::button(this, "SpeedButton3", QStringLiteral("Добавить деталь"));
    SpeedButton3->setToolTip(QStringLiteral("Добавить деталь к текущему раскрою"));
    connect(CreateMakeButton, &QPushButton::clicked, this,
            &TBankOfProductsForm::CreateMakeButtonClick);
    connect(DeleteMakeButton, &QPushButton::clicked, this,
            &TBankOfProductsForm::DeleteMakeButtonClick);
    connect(CreateDetailButton, &QPushButton::clicked, this,
            &TBankOfProductsForm::CreateDetailButtonClick);
    connect(DeleteDetailButton, &QPushButton::clicked, this,
            &TBankOfProductsForm::DeleteDetailButtonClick);
    connect(SpeedButton1, &QPushButton::clicked, this, &TBankOfProductsForm::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TBankOfProductsForm::SpeedButton2Click);
    connect(SpeedButton3, &QPushButton::clicked, this, &TBankOfProductsForm::SpeedButton3Click);
    SpeedButton1->hide();
    SpeedButton2->hide();

    auto *productButtons = new QHBoxLayout;
    for (QPushButton *b : {CreateMakeButton, DeleteMakeButton, SpeedButton1, SpeedButton2})
        productButtons->addWidget(b);
    productButtons->addStretch(1);
    auto *lineButtons = new QHBoxLayout;
    for (QPushButton *b : {CreateDetailButton, DeleteDetailButton})
        lineButtons->addWidget(b);
    lineButtons->addStretch(1);
    auto *jobButton = new QHBoxLayout;
    jobButton->addWidget(SpeedButton3);
    jobButton->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(DBGrid1, 2);
    layout->addLayout(productButtons);
    layout->addSpacing(8);
    layout->addWidget(Label2);
    layout->addWidget(DBGrid2, 3);
    layout->addLayout(lineButtons);
    layout->addLayout(jobButton);
    placeProductButtons();
}

void TBankOfProductsForm::placeProductButtons()
{
    const bool covered = !SpeedButton1->isHidden() || !SpeedButton2->isHidden();
    CreateMakeButton->setHidden(covered);
    DeleteMakeButton->setHidden(covered);
}

void TBankOfProductsForm::showForBank()
{
    SpeedButton2->hide();
    SpeedButton3->hide();
    placeProductButtons();
    exec();
}

void TBankOfProductsForm::showForOrder()
{
    SpeedButton1->show();
    SpeedButton2->hide();
    CreateDetailButton->hide();
    DeleteDetailButton->hide();
    placeProductButtons();
    exec();
}

void TBankOfProductsForm::showForJob()
{
    SpeedButton2->show();
    SpeedButton3->hide();
    placeProductButtons();
    exec();
}

void TBankOfProductsForm::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TBankOfProductsForm::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TBankOfProductsForm::FormShow()
{
    readProducts(ProductBank::Ordering::TableOrder, 0);
}

void TBankOfProductsForm::FormClose()
{
    SpeedButton1->hide();
    CreateDetailButton->show();
    DeleteDetailButton->show();
    placeProductButtons();
}

const ProductBank::Product *TBankOfProductsForm::currentProduct() const
{
    const int row = BankGrids::currentRow(DBGrid1);
    return row >= 0 && row < m_products.size() ? &m_products.at(row) : nullptr;
}

const ProductBank::Line *TBankOfProductsForm::currentLine() const
{
    const int row = BankGrids::currentRow(DBGrid2);
    return row >= 0 && row < m_lines.size() ? &m_lines.at(row) : nullptr;
}

void TBankOfProductsForm::readProducts(ProductBank::Ordering ordering, int current)
{
    QList<ProductBank::Product> products;
    lamira::guarded(this, [&] { products = ProductBank::products(m_database, ordering); });
    m_products = products;
    {
        // The lines are read once, below, not for every row the grid passes.
        const QSignalBlocker quiet(DBGrid1);
        BankGrids::showProducts(DBGrid1, m_products, current);
    }
    DBGrid1CellClick();
}

void TBankOfProductsForm::readLines(ProductBank::Ordering ordering, bool toLast)
{
    m_lines.clear();
    if (const ProductBank::Product *product = currentProduct()) {
        const qint64 id = product->id;
        lamira::guarded(this, [&] { m_lines = ProductBank::lines(m_database, id, ordering); });
    }
    BankGrids::showLines(DBGrid2, m_lines, toLast ? int(m_lines.size()) - 1 : 0);
}

void TBankOfProductsForm::DBGrid1CellClick()
{
    readLines(ProductBank::Ordering::TableOrder, false);
}

void TBankOfProductsForm::CreateMakeButtonClick()
{
    if (!m_newMakeForm)
        return;
    int number = 0;
    if (!lamira::guarded(this, [&] { number = lamira::nextBankProductNumber(m_database); }))
        return;
    m_newMakeForm->prepare(number);
    if (m_newMakeForm->exec() != QDialog::Accepted)
        return;
    // The new product is the newest row, the last in table order.
    readProducts(ProductBank::Ordering::TableOrder, INT_MAX);
}

void TBankOfProductsForm::DeleteMakeButtonClick()
{
    const ProductBank::Product *product = currentProduct();
    if (!product)
        return;
    const qint64 id = product->id;
    lamira::guarded(this, [&] { ProductBank::deleteProduct(m_database, id); });
    readProducts(ProductBank::Ordering::ByNumber, 0);
}

void TBankOfProductsForm::CreateDetailButtonClick()
{
    const ProductBank::Product *product = currentProduct();
    if (!product || !m_newDetailForm)
        return;
    int number = 0;
    if (!lamira::guarded(this, [&] { number = lamira::nextBankLineNumber(m_database); }))
        return;
    m_newDetailForm->prepare(product->id, number);
    if (m_newDetailForm->exec() == QDialog::Accepted)
        readLines(ProductBank::Ordering::ByNumber, true);
}

void TBankOfProductsForm::DeleteDetailButtonClick()
{
    const ProductBank::Line *line = currentLine();
    if (!line)
        return;
    const qint64 id = line->id;
    lamira::guarded(this, [&] { ProductBank::deleteLine(m_database, id); });
    readLines(ProductBank::Ordering::ByNumber, false);
}

void TBankOfProductsForm::SpeedButton1Click()
{
    const ProductBank::Product *product = currentProduct();
    if (!product || !m_sheet)
        return;
    lamira::OrderProduct taken;
    const qint64 id = product->id;
    if (!lamira::guarded(this, [&] { taken = ProductBank::productForOrder(m_database, id); }))
        return;
    // Numbered by their places on the sheet, as the order keeps them: a bank
    // line's own number counts over the whole bank. The rows are filled
    // through their edits, as typing would fill them, and the stored areas
    // written last stay in the area cells.
    taken.number = QString::number(m_sheet->ProductPanels.size() + 1);
    for (int k = 0; k < taken.lines.size(); ++k)
        taken.lines[k].number = QString::number(k + 1);
    {
        LoadingFlag loading(*m_sheet);
        lamira::NullProgress quiet;
        m_sheet->fillProducts({taken}, quiet);
    }
    accept();
}

void TBankOfProductsForm::SpeedButton2Click()
{
    const ProductBank::Product *product = currentProduct();
    if (!product)
        return;
    const qint64 id = product->id;
    if (lamira::guarded(this, [&] { lamira::CuttingJob::addBankProduct(m_database, id); }))
        emit jobChanged();
    accept();
}

void TBankOfProductsForm::SpeedButton3Click()
{
    const ProductBank::Line *line = currentLine();
    if (!line)
        return;
    const qint64 id = line->id;
    if (lamira::guarded(this, [&] { lamira::CuttingJob::addBankDetail(m_database, id); }))
        emit jobChanged();
    accept();
}
