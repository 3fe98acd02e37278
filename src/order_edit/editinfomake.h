#pragma once

#include <QFrame>
#include <QList>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;
class TOrderSheet;

// One product panel of the order sheet: the product's header (number, name,
// quantity, note), its detail rows of nine edits each, and the totals line.
// The last row is the empty input row: typing a name into it adds the next.
//
// Geometry is fixed: row r (from 0) lies at top 18 × r + 26, the columns at
// the lefts of columnLeft(); the panel is 78 pixels high without rows and
// grows by 18 with each. RowEdits holds the row edits row by row, column c
// of row r at index 9 × r + c.
class TEditInfoMake final : public QFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TEditInfoMake)

public:
    enum Column
    {
        NumberColumn,
        NameColumn,
        LengthColumn,
        WidthColumn,
        QuantityColumn,
        MaterialColumn,
        TextureColumn,
        AreaColumn,
        CutColumn,
        ColumnCount
    };
    static constexpr int RowPitch = 18;
    static constexpr int FirstRowTop = 26;
    static constexpr int EmptyHeight = 78;
    static constexpr int CollapsedHeight = 51;

    static int columnLeft(int column);
    static int columnWidth(int column);

    explicit TEditInfoMake(TOrderSheet &sheet, QWidget *parent = nullptr);

    TOrderSheet &sheet() const { return m_sheet; }

    // Column c of row r.
    QLineEdit *cell(int row, int column) const;
    // The row an edit of RowEdits belongs to, or -1.
    int rowOf(const QLineEdit *edit) const;
    // A length, width or quantity cell that does not hold a whole number.
    static bool isWrong(const QLineEdit *edit);

    // RowCount := 0 and, unless the sheet is loading, the first empty row.
    void FormShow();
    // Appends one row below the last.
    void AddDetailRow();
    // Hides the rows and totals (">>"), or shows them again ("<<").
    void SpeedButton1Click();

    // Row popup.
    void PopupMenu1Popup();
    void N1Click(); // "Поменять местами": length and width
    void N3Click(); // "Удалить": the row
    // Panel popup.
    // "Экспортировать изделие в банк": saves the order, then copies the
    // stored product of this panel's name with its lines into the products
    // bank, unless the bank has a product of that name (silently).
    void N2Click();
    void N4Click(); // "Удалить": the product

    // Cell handlers; `edit` is the cell that changed or was clicked.
    void RowNameChange(QLineEdit *edit);
    void RowLengthChange(QLineEdit *edit);
    void RowWidthChange(QLineEdit *edit);
    void RowQuantityChange(QLineEdit *edit);
    void RowMaterialClick(QLineEdit *edit);
    void RowTextureClick(QLineEdit *edit);
    void RowCutClick(QLineEdit *edit);

    // Product header.
    QLineEdit *NumberEdit;
    QLineEdit *NameEdit;
    QLineEdit *DateEdit1; // the product's quantity
    QLineEdit *CommentEdit;
    QToolButton *SpeedButton1;

    QList<QLabel *> RowCaptions;
    QList<QLineEdit *> RowEdits;
    int RowCount = 0;
    int ExpandedHeight = 0;

    // Totals line.
    QLabel *Label1;
    QLineEdit *Edit1; // total quantity
    QLineEdit *Edit2; // total area

    QMenu *PopupMenu1;
    QAction *N1;
    QAction *N3;
    QMenu *PopupMenu2;
    QAction *N2;
    QAction *N4;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildHeader();
    void buildTotals();
    QLineEdit *makeCell(int column, int top);
    void placeTotals();
    void setPanelHeight(int height);
    bool isCollapsed() const;
    // Length, width and quantity as whole numbers: the area to 6 decimals.
    void areaFromWholeNumbers(int row);
    void refreshTotalArea();
    void refreshTotalQuantity();
    void markWrong(QLineEdit *edit);

    TOrderSheet &m_sheet;
};
