#pragma once

#include "store/productbank.h"

#include <QDialog>
#include <QList>

class QLabel;
class QPushButton;
class QTableWidget;
class TNewDetailForm;
class TNewMakeForm;
class TOrderSheet;

namespace lamira {
class Database;
}

// "Банк изделий": the products of the bank (DBGrid1) and the lines of the
// current one (DBGrid2). Opened in one of three ways: to keep the bank
// (products and lines are added and deleted here), to take a product into
// the open order as a new product panel, or to send a product or a line to
// the cutting job.
class TBankOfProductsForm final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TBankOfProductsForm)

public:
    explicit TBankOfProductsForm(lamira::Database &database, QWidget *parent = nullptr);

    void setNewMakeForm(TNewMakeForm *form) { m_newMakeForm = form; }
    void setNewDetailForm(TNewDetailForm *form) { m_newDetailForm = form; }
    // The sheet a product is taken into.
    void setOrderSheet(TOrderSheet *sheet) { m_sheet = sheet; }

    // The three openings, each modal. The bank itself ("Банк изделий"):
    // SpeedButton2 and SpeedButton3 hidden.
    void showForBank();
    // "Импорт из банка изделий": SpeedButton1 shown; SpeedButton2 and the
    // line buttons hidden; SpeedButton3 as the last opening left it.
    void showForOrder();
    // "Добавить изделие" of the cutting job: SpeedButton2 shown,
    // SpeedButton3 hidden.
    void showForJob();

    // Reads the products in table order; the lines follow the current one.
    void FormShow();
    // Reads the lines of the current product (also when the current product
    // changes by keys).
    void DBGrid1CellClick();
    void CreateMakeButtonClick();
    void DeleteMakeButtonClick();
    void CreateDetailButtonClick();
    void DeleteDetailButtonClick();
    // Takes the current product into the open order and closes.
    void SpeedButton1Click();
    // Sends the current product to the cutting job and closes.
    void SpeedButton2Click();
    // Sends the current line to the cutting job and closes.
    void SpeedButton3Click();
    // Hides SpeedButton1, shows the line buttons again.
    void FormClose();

    const QList<lamira::ProductBank::Product> &products() const { return m_products; }
    const QList<lamira::ProductBank::Line> &lines() const { return m_lines; }

    QLabel *Label1; // "Изделия"
    QTableWidget *DBGrid1;
    QLabel *Label2; // "Детали"
    QTableWidget *DBGrid2;
    QPushButton *CreateMakeButton;
    QPushButton *DeleteMakeButton;
    QPushButton *CreateDetailButton;
    QPushButton *DeleteDetailButton;
    QPushButton *SpeedButton1;
    QPushButton *SpeedButton2;
    QPushButton *SpeedButton3;

signals:
    // An entry was added to the cutting job.
    void jobChanged();

public:
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    // The product and line the grids point at, if any.
    const lamira::ProductBank::Product *currentProduct() const;
    const lamira::ProductBank::Line *currentLine() const;
    void readProducts(lamira::ProductBank::Ordering ordering, int current);
    void readLines(lamira::ProductBank::Ordering ordering, bool toLast);
    // SpeedButton1 and SpeedButton2 lie over the product buttons.
    void placeProductButtons();

    lamira::Database &m_database;
    TNewMakeForm *m_newMakeForm = nullptr;
    TNewDetailForm *m_newDetailForm = nullptr;
    TOrderSheet *m_sheet = nullptr;
    QList<lamira::ProductBank::Product> m_products;
    QList<lamira::ProductBank::Line> m_lines;
};
