#pragma once

#include "store/ordercontent.h"

#include <QDialog>
#include <QList>

#include <functional>
#include <optional>

class QPushButton;
class QTableWidget;
class TDialogForm;

namespace lamira {
class Database;
}

// The order list: every stored order in table order, with the buttons that
// open, annotate and delete the selected one. The main window decides what
// opening means (it fills the order sheet).
class TOrdersForm final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TOrdersForm)

public:
    using Loader = std::function<void(const lamira::OrderListEntry &order)>;

    explicit TOrdersForm(lamira::Database &database, QWidget *parent = nullptr);

    // The dialog of "Изменить примечание"; registers its mode there.
    void setDialogForm(TDialogForm *dialog);
    // What "OK" does with the selected order.
    void setLoader(Loader loader) { m_loader = std::move(loader); }
    // What B does with the selected order: add it to the cutting job.
    void setJobAdder(Loader adder) { m_jobAdder = std::move(adder); }

    // Reads the orders again ("Select * From Orders"); the selection stays
    // on the same order while it exists. False (and the error shown) when
    // the database fails.
    bool refresh();
    const QList<lamira::OrderListEntry> &entries() const { return m_entries; }
    std::optional<lamira::OrderListEntry> selectedEntry() const;
    void selectRow(int row);

    // B, the "OK" that adds the order to the cutting job, in place of
    // OKButton.
    void showB(bool shown);

    void OKButtonClick();
    // Adds the selected order to the cutting job and closes the list; with
    // an empty list nothing happens.
    void BClick();
    void CommentButtonClick();
    void CancelButtonClick();
    void DeleteButtonClick();

    QTableWidget *DBGrid1;
    QPushButton *OKButton;
    QPushButton *B;
    QPushButton *CommentButton;
    QPushButton *CancelButton;
    QPushButton *DeleteButton;

private:
    void changeNote(const QString &text);

    lamira::Database &m_database;
    QList<lamira::OrderListEntry> m_entries;
    TDialogForm *m_dialog = nullptr;
    Loader m_loader;
    Loader m_jobAdder;
    qint64 m_noteOrder = 0; // the order whose note the dialog changes
};
