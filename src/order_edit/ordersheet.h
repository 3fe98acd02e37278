#pragma once

#include "store/ordercontent.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QLineEdit;
class QScrollArea;
class QVBoxLayout;
class TEditInfoMake;

namespace lamira {
class Database;
class Progress;
} // namespace lamira

// The products of the open order: the product panels in the main window's
// scroll box, in display order, and what the panels share (the row and
// header edit last pressed, the loading flag, the database, the material
// chooser). The texts of the panels are the order; this class reads them
// into values for saving and fills them from a loaded order.
class TOrderSheet final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TOrderSheet)

public:
    // Picks a material for a row of `target` (none: no row) starting from
    // `start`; returns the choice, or `start` when the user cancels.
    using MaterialChooser = std::function<QString(TEditInfoMake *target, const QString &start)>;
    // The number of the order the sheet shows (the main window's NumberEdit).
    using OrderNumber = std::function<QString()>;
    // Saves the open order as "Сохранить" does; false when it was not saved
    // (the user has been told why).
    using OrderSaver = std::function<bool()>;

    // Panels go into productArea (the layout of scrollBox's widget), above
    // its closing stretch.
    TOrderSheet(lamira::Database &database, QScrollArea *scrollBox, QVBoxLayout *productArea,
                QObject *parent = nullptr);

    lamira::Database &database() const { return m_database; }

    // Appends an empty panel at the bottom, numbered by its position, and
    // scrolls to it. It gets its first empty row unless Loading is set.
    TEditInfoMake *AddProductPanel();
    // Destroys every panel.
    void ClearProductPanels();
    // Takes a panel off the sheet (its own "Удалить"); the panels below move
    // up and are numbered by their new positions.
    void removeProductPanel(TEditInfoMake *panel);
    // Shows or hides the rows of every panel.
    void ComponentsButtonClick();
    // Double click on the empty part of the scroll box: the chooser without
    // a row; the choice goes nowhere.
    void ScrollBox1DblClick();

    // The products as the panels show them, each without its input row.
    QList<lamira::OrderProduct> products() const;
    // Adds one panel per product, filled as typing would fill it, and steps
    // the progress: Max1 = all lines, Max2 = the lines of the product.
    void fillProducts(const QList<lamira::OrderProduct> &products, lamira::Progress &progress);

    void setOrderNumber(OrderNumber number) { m_orderNumber = std::move(number); }
    QString orderNumber() const { return m_orderNumber ? m_orderNumber() : QString(); }

    void setOrderSaver(OrderSaver saver) { m_saver = std::move(saver); }
    bool saveOrder() { return m_saver && m_saver(); }

    // Without a chooser a material cell keeps its text.
    void setMaterialChooser(MaterialChooser chooser) { m_chooser = std::move(chooser); }
    QString chooseMaterial(TEditInfoMake *target, const QString &start);

    // The decimal separator of the numbers on the sheet (the locale's).
    QString decimalPoint() const { return m_decimalPoint; }
    void setDecimalPoint(const QString &point) { m_decimalPoint = point; }

    QList<TEditInfoMake *> ProductPanels;
    // The row edit last pressed, telling the row popup which row to act on.
    QPointer<QLineEdit> CurrentRowEdit;
    // The product header edit last pressed with the right button.
    QPointer<QLineEdit> CurrentHeaderEdit;
    // Set while an order is read from the database: new panels start
    // without a row.
    bool Loading = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void scrollToBottom();

    lamira::Database &m_database;
    QScrollArea *m_scrollBox;
    QPointer<QWidget> m_sheetArea; // the scroll box's content widget
    QVBoxLayout *m_productArea;
    OrderNumber m_orderNumber;
    OrderSaver m_saver;
    MaterialChooser m_chooser;
    QString m_decimalPoint;
};
