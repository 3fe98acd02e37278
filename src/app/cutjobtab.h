#pragma once

#include "store/cuttingjob.h"

#include <QList>
#include <QWidget>

#include <optional>

class QAction;
class QMenu;
class QTableWidget;
class QToolButton;
class TBankOfProductsForm;
class TFormAddDetail;
class TOrdersForm;

namespace lamira {
class Database;
}

// The tab "Формирование раскроя": the cutting job list (Temp) in DBGrid1,
// the buttons that add orders, bank products and bank details to it, the
// popup that takes an entry out, and "В раскрой", whose click the main
// window handles.
class CutJobTab final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CutJobTab)

public:
    explicit CutJobTab(lamira::Database &database, QWidget *parent = nullptr);

    // The windows the add buttons open.
    void setOrdersForm(TOrdersForm *form);
    void setBankOfProductsForm(TBankOfProductsForm *form);
    void setFormAddDetail(TFormAddDetail *form);

    // Reads the job list again ("Select * From Temp").
    void refresh();
    const QList<lamira::CuttingJob::Entry> &entries() const { return m_entries; }
    std::optional<lamira::CuttingJob::Entry> selectedEntry() const;

    // "Добавить заказ": the order list with its adding button B.
    void SpeedButton2Click();
    // "Добавить изделие": the products bank with its job button.
    void SpeedButton5Click();
    // "Добавить деталь": the list of bank details.
    void SpeedButton6Click();
    // "Удалить из списка": takes the selected entry out of the job.
    void N21Click();

    QToolButton *SpeedButton1; // "В раскрой"
    QToolButton *SpeedButton2;
    QToolButton *SpeedButton5;
    QToolButton *SpeedButton6;
    QTableWidget *DBGrid1;
    QMenu *PopupMenu3;
    QAction *N21;

private:
    lamira::Database &m_database;
    QList<lamira::CuttingJob::Entry> m_entries;
    TOrdersForm *m_ordersForm = nullptr;
    TBankOfProductsForm *m_bankOfProductsForm = nullptr;
    TFormAddDetail *m_formAddDetail = nullptr;
};
