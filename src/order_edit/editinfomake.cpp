#include "order_edit/editinfomake.h"

#include "order_edit/ordersheet.h"
#include "order_edit/sheetnumbers.h"
#include "shell/messages.h"
#include "store/orders.h"
#include "store/productbank.h"

#include <QAction>
#include <QEvent>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QToolButton>

namespace {

struct ColumnLayout
{
    const char *caption;
    int left;
    int width;
    bool editable;
    bool currentRow; // pressing it makes its row the popup's row
    bool rowPopup;
    bool number; // shown in the fixed-width font
};

// Neighbouring cells overlap by one pixel, so their borders form one grid
// line.
constexpr ColumnLayout Columns[TEditInfoMake::ColumnCount] = {
    {"№", 400, 41, false, true, true, true},
    {"Наименование", 440, 113, true, true, true, false},
    {"Длина", 552, 49, true, true, true, true},
    {"Ширина", 600, 49, true, true, true, true},
    {"Кол-во", 648, 49, true, true, true, true},
    {"Материал", 696, 113, false, true, false, false},
    {"Текстура", 808, 65, false, true, true, false},
    {"Площадь", 872, 57, false, true, true, true},
    {"В раскрой?", 928, 65, false, false, false, false},
};

constexpr int CellHeight = TEditInfoMake::RowPitch + 1;
constexpr int CaptionTop = 8;
constexpr int HeaderTop = 26;
// The totals line lies this far below the top of the row after the last.
constexpr int TotalsGap = 4;

const QString Yes = QStringLiteral("да");
const QString No = QStringLiteral("нет");

QFont numberFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(12);
    return font;
}

// The column widths are the original's; a smaller, slightly narrowed face
// lets "В раскрой?" fit its 65 pixels.
QFont captionFont()
{
    QFont font;
    font.setPixelSize(11);
    font.setStretch(92);
    return font;
}

QLabel *captionBox(QWidget *parent, const QString &text, int left, int width)
{
    auto *label = new QLabel(text, parent);
    label->setProperty("caption", true);
    label->setFont(captionFont());
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(left, CaptionTop, width, CellHeight);
    return label;
}

QLineEdit *flatEdit(QWidget *parent, const char *name, int left, int top, int width)
{
    auto *edit = new QLineEdit(parent);
    if (name)
        edit->setObjectName(QLatin1String(name));
    edit->setGeometry(left, top, width, CellHeight);
    return edit;
}

void toggle(QLineEdit *edit)
{
    edit->setText(edit->text() == Yes ? No : Yes);
}

} // namespace

int TEditInfoMake::columnLeft(int column)
{
    return Columns[column].left;
}

int TEditInfoMake::columnWidth(int column)
{
    return Columns[column].width;
}

TEditInfoMake::TEditInfoMake(TOrderSheet &sheet, QWidget *parent) : QFrame(parent), m_sheet(sheet)
{
    setObjectName(QStringLiteral("EditInfoMake"));
    setFrameStyle(QFrame::NoFrame);
    setMinimumWidth(Columns[CutColumn].left + Columns[CutColumn].width + 8);
    setStyleSheet(QStringLiteral(
        "TEditInfoMake { border-bottom: 1px solid #9a9a9a; background: #f4f4f4; }"
        "QLineEdit { border: 1px solid #8c8c8c; padding: 0px 2px; background: white; }"
        "QLineEdit[readOnly=\"true\"] { background: #ececec; }"
        "QLineEdit[wrong=\"true\"] { background: #ff9d9d; }"
        "QLabel[caption=\"true\"] { border: 1px solid #8c8c8c; background: #dcdcdc; }"));
    setAttribute(Qt::WA_StyledBackground);

    buildHeader();
    for (int c = 0; c < ColumnCount; ++c)
        RowCaptions << captionBox(this, QString::fromUtf8(Columns[c].caption), Columns[c].left,
                                  Columns[c].width);
    buildTotals();

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    N1 = PopupMenu1->addAction(QStringLiteral("Поменять местами"));
    N1->setObjectName(QStringLiteral("N1"));
    N3 = PopupMenu1->addAction(QStringLiteral("Удалить"));
    N3->setObjectName(QStringLiteral("N3"));
    connect(N1, &QAction::triggered, this, &TEditInfoMake::N1Click);
    connect(N3, &QAction::triggered, this, &TEditInfoMake::N3Click);
    connect(PopupMenu1, &QMenu::aboutToShow, this, &TEditInfoMake::PopupMenu1Popup);

    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    N2 = PopupMenu2->addAction(QStringLiteral("Экспортировать изделие в банк"));
    N2->setObjectName(QStringLiteral("N2"));
    connect(N2, &QAction::triggered, this, &TEditInfoMake::N2Click);
    N4 = PopupMenu2->addAction(QStringLiteral("Удалить"));
    N4->setObjectName(QStringLiteral("N4"));
    connect(N4, &QAction::triggered, this, &TEditInfoMake::N4Click);

    setPanelHeight(EmptyHeight);
}

void TEditInfoMake::buildHeader()
{
    struct HeaderField
    {
        const char *name;
        const char *caption;
        int left;
        int width;
    };
    const HeaderField header[] = {{"NumberEdit", "№", 8, 41},
                                  {"NameEdit", "Наименование", 48, 105},
                                  {"DateEdit1", "Кол-во", 152, 57},
                                  {"CommentEdit", "Примечание", 208, 121}};
    QLineEdit *edits[4];
    for (int i = 0; i < 4; ++i) {
        captionBox(this, QString::fromUtf8(header[i].caption), header[i].left, header[i].width);
        edits[i] = flatEdit(this, header[i].name, header[i].left, HeaderTop, header[i].width);
        edits[i]->installEventFilter(this);
        edits[i]->setContextMenuPolicy(Qt::CustomContextMenu);
        QLineEdit *edit = edits[i];
        connect(edit, &QLineEdit::customContextMenuRequested, this, [this, edit](const QPoint &at) {
            m_sheet.CurrentHeaderEdit = edit;
            PopupMenu2->popup(edit->mapToGlobal(at));
        });
    }
    NumberEdit = edits[0];
    NameEdit = edits[1];
    DateEdit1 = edits[2];
    CommentEdit = edits[3];
    NumberEdit->setReadOnly(true);
    NumberEdit->setFocusPolicy(Qt::ClickFocus);
    NumberEdit->setFont(numberFont());
    DateEdit1->setFont(numberFont());
    connect(DateEdit1, &QLineEdit::textChanged, this, [this] { markWrong(DateEdit1); });

    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QStringLiteral(">>"));
    SpeedButton1->setGeometry(356, 16, 33, 25);
    SpeedButton1->setAutoRaise(true);
    connect(SpeedButton1, &QToolButton::clicked, this, &TEditInfoMake::SpeedButton1Click);
}

void TEditInfoMake::buildTotals()
{
    Label1 = new QLabel(QStringLiteral("Итоговая информация :"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Edit1 = flatEdit(this, "Edit1", Columns[QuantityColumn].left, 0, Columns[QuantityColumn].width);
    Edit2 = flatEdit(this, "Edit2", Columns[AreaColumn].left, 0, Columns[AreaColumn].width);
    for (QLineEdit *total : {Edit1, Edit2}) {
        total->setReadOnly(true);
        total->setFocusPolicy(Qt::NoFocus);
        total->setFont(numberFont());
        total->setText(QStringLiteral("0"));
    }
    placeTotals();
}

void TEditInfoMake::placeTotals()
{
    const int top = FirstRowTop + RowPitch * RowCount + TotalsGap;
    const int labelRight = Columns[QuantityColumn].left - 6;
    Label1->setGeometry(labelRight - 200, top, 200, CellHeight);
    Edit1->move(Columns[QuantityColumn].left, top);
    Edit2->move(Columns[AreaColumn].left, top);
}

void TEditInfoMake::setPanelHeight(int height)
{
    setFixedHeight(height);
}

bool TEditInfoMake::isCollapsed() const
{
    return SpeedButton1->text() == QLatin1String("<<");
}

QLineEdit *TEditInfoMake::cell(int row, int column) const
{
    return RowEdits.value(ColumnCount * row + column);
}

int TEditInfoMake::rowOf(const QLineEdit *edit) const
{
    const qsizetype index = RowEdits.indexOf(const_cast<QLineEdit *>(edit));
    return index < 0 ? -1 : int(index / ColumnCount);
}

bool TEditInfoMake::isWrong(const QLineEdit *edit)
{
    return edit->property("wrong").toBool();
}

void TEditInfoMake::markWrong(QLineEdit *edit)
{
    const bool wrong = !edit->text().isEmpty() && !SheetNumbers::wholeNumber(edit->text());
    if (wrong == isWrong(edit))
        return;
    edit->setProperty("wrong", wrong);
    edit->setToolTip(wrong ? QStringLiteral("Здесь должно быть целое число") : QString());
    // The style sheet reads the property only when the edit is polished.
    edit->style()->unpolish(edit);
    edit->style()->polish(edit);
}

void TEditInfoMake::FormShow()
{
    RowCount = 0;
    if (!m_sheet.Loading)
        AddDetailRow();
}

QLineEdit *TEditInfoMake::makeCell(int column, int top)
{
    const ColumnLayout &layout = Columns[column];
    QLineEdit *edit = flatEdit(this, nullptr, layout.left, top, layout.width);
    edit->setReadOnly(!layout.editable);
    if (layout.number)
        edit->setFont(numberFont());
    edit->installEventFilter(this);
    if (layout.rowPopup) {
        edit->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(edit, &QLineEdit::customContextMenuRequested, this, [this, edit](const QPoint &at) {
            m_sheet.CurrentRowEdit = edit;
            PopupMenu1->popup(edit->mapToGlobal(at));
        });
    } else {
        edit->setContextMenuPolicy(Qt::NoContextMenu);
    }
    switch (column) {
    case NameColumn:
        connect(edit, &QLineEdit::textChanged, this, [this, edit] { RowNameChange(edit); });
        break;
    case LengthColumn:
        connect(edit, &QLineEdit::textChanged, this, [this, edit] {
            markWrong(edit);
            RowLengthChange(edit);
        });
        break;
    case WidthColumn:
        connect(edit, &QLineEdit::textChanged, this, [this, edit] {
            markWrong(edit);
            RowWidthChange(edit);
        });
        break;
    case QuantityColumn:
        connect(edit, &QLineEdit::textChanged, this, [this, edit] {
            markWrong(edit);
            RowQuantityChange(edit);
        });
        break;
    case TextureColumn:
        edit->setText(No);
        break;
    case CutColumn:
        edit->setText(Yes);
        break;
    default:
        break;
    }
    return edit;
}

void TEditInfoMake::AddDetailRow()
{
    const int r = RowCount;
    const int top = FirstRowTop + RowPitch * r;
    const bool collapsed = isCollapsed();
    for (int c = 0; c < ColumnCount; ++c) {
        QLineEdit *edit = makeCell(c, top);
        if (c == NumberColumn)
            edit->setText(QString::number(r + 1));
        edit->setVisible(!collapsed);
        RowEdits.append(edit);
    }
    // A collapsed panel keeps its height; the rows count when it opens.
    if (collapsed)
        ExpandedHeight += RowPitch;
    else
        setPanelHeight(height() + RowPitch);
    ++RowCount;
    placeTotals();
}

void TEditInfoMake::SpeedButton1Click()
{
    const bool collapse = !isCollapsed();
    for (QLabel *caption : std::as_const(RowCaptions))
        caption->setVisible(!collapse);
    for (QWidget *w : std::initializer_list<QWidget *>{Label1, Edit1, Edit2})
        w->setVisible(!collapse);
    for (QLineEdit *edit : std::as_const(RowEdits))
        edit->setVisible(!collapse);
    if (collapse) {
        SpeedButton1->setText(QStringLiteral("<<"));
        ExpandedHeight = height();
        setPanelHeight(CollapsedHeight);
    } else {
        setPanelHeight(ExpandedHeight);
        SpeedButton1->setText(QStringLiteral(">>"));
    }
}

void TEditInfoMake::RowNameChange(QLineEdit *edit)
{
    if (rowOf(edit) == RowCount - 1)
        AddDetailRow();
}

void TEditInfoMake::RowLengthChange(QLineEdit *edit)
{
    const int r = rowOf(edit);
    if (r >= 0 && !cell(r, WidthColumn)->text().isEmpty())
        areaFromWholeNumbers(r);
}

void TEditInfoMake::RowWidthChange(QLineEdit *edit)
{
    const int r = rowOf(edit);
    if (r >= 0 && !cell(r, LengthColumn)->text().isEmpty())
        areaFromWholeNumbers(r);
}

void TEditInfoMake::areaFromWholeNumbers(int r)
{
    const auto length = SheetNumbers::wholeNumber(cell(r, LengthColumn)->text());
    const auto width = SheetNumbers::wholeNumber(cell(r, WidthColumn)->text());
    const QString quantityText = cell(r, QuantityColumn)->text();
    const auto quantity =
        quantityText.isEmpty() ? std::optional<int>(1) : SheetNumbers::wholeNumber(quantityText);
    // A cell that is no whole number leaves the area as it was; the cell
    // itself is shown red.
    if (!length || !width || !quantity)
        return;
    cell(r, AreaColumn)
        ->setText(
            SheetNumbers::areaOfWholeNumbers(*length, *width, *quantity, m_sheet.decimalPoint()));
    refreshTotalArea();
}

void TEditInfoMake::RowQuantityChange(QLineEdit *edit)
{
    const int r = rowOf(edit);
    if (r < 0)
        return;
    refreshTotalQuantity();
    const QString lengthText = cell(r, LengthColumn)->text();
    const QString widthText = cell(r, WidthColumn)->text();
    const QString quantityText = cell(r, QuantityColumn)->text();
    if (!lengthText.isEmpty() && !widthText.isEmpty() && !quantityText.isEmpty()) {
        const QString point = m_sheet.decimalPoint();
        const auto length = SheetNumbers::realNumber(lengthText, point);
        const auto width = SheetNumbers::realNumber(widthText, point);
        const auto quantity = SheetNumbers::realNumber(quantityText, point);
        if (length && width && quantity)
            cell(r, AreaColumn)
                ->setText(SheetNumbers::areaOfReals(*length, *width, *quantity, point));
    }
    refreshTotalArea();
}

void TEditInfoMake::refreshTotalQuantity()
{
    QStringList quantities;
    for (int r = 0; r < RowCount; ++r)
        quantities << cell(r, QuantityColumn)->text();
    Edit1->setText(QString::number(SheetNumbers::totalQuantity(quantities)));
}

void TEditInfoMake::refreshTotalArea()
{
    QStringList areas;
    for (int r = 0; r < RowCount; ++r)
        areas << cell(r, AreaColumn)->text();
    Edit2->setText(SheetNumbers::totalArea(areas, m_sheet.decimalPoint()));
}

void TEditInfoMake::RowMaterialClick(QLineEdit *edit)
{
    edit->setText(m_sheet.chooseMaterial(this, edit->text()));
}

void TEditInfoMake::RowTextureClick(QLineEdit *edit)
{
    toggle(edit);
}

void TEditInfoMake::RowCutClick(QLineEdit *edit)
{
    toggle(edit);
}

void TEditInfoMake::PopupMenu1Popup()
{
    for (QLineEdit *edit : std::as_const(RowEdits))
        edit->deselect();
    // The input row stays: without it the panel would have no row to type
    // into and its last filled row would no longer be saved.
    const int r = rowOf(m_sheet.CurrentRowEdit);
    N3->setEnabled(r >= 0 && r < RowCount - 1);
    N1->setEnabled(r >= 0);
}

void TEditInfoMake::N1Click()
{
    const int r = rowOf(m_sheet.CurrentRowEdit);
    if (r < 0)
        return;
    QLineEdit *length = cell(r, LengthColumn);
    QLineEdit *width = cell(r, WidthColumn);
    const QString oldLength = length->text();
    length->setText(width->text());
    width->setText(oldLength);
}

void TEditInfoMake::N3Click()
{
    const int r = rowOf(m_sheet.CurrentRowEdit);
    if (r < 0 || r >= RowCount - 1)
        return;
    try {
        lamira::OrderStore::markLineForDeletion(m_sheet.database(), m_sheet.orderNumber(),
                                                NameEdit->text(), cell(r, NameColumn)->text());
    } catch (const std::exception &e) {
        lamira::showError(QString::fromUtf8(e.what()), window());
        return;
    }

    m_sheet.CurrentRowEdit = nullptr;
    const qsizetype first = qsizetype(ColumnCount) * r;
    for (int c = 0; c < ColumnCount; ++c) {
        QLineEdit *edit = RowEdits.takeAt(first);
        edit->hide();
        // Later: the popup that asked for this may still be delivering an
        // event to one of them.
        edit->deleteLater();
    }
    for (qsizetype i = first; i < RowEdits.size(); ++i)
        RowEdits.at(i)->move(RowEdits.at(i)->x(), RowEdits.at(i)->y() - RowPitch);
    if (isCollapsed())
        ExpandedHeight -= RowPitch;
    else
        setPanelHeight(height() - RowPitch);
    --RowCount;
    placeTotals();

    for (int row = 0; row < RowCount; ++row)
        cell(row, NumberColumn)->setText(QString::number(row + 1));
    QStringList quantities, areas;
    for (int row = 0; row < RowCount - 1; ++row) {
        quantities << cell(row, QuantityColumn)->text();
        areas << cell(row, AreaColumn)->text();
    }
    Edit1->setText(QString::number(SheetNumbers::totalQuantity(quantities)));
    Edit2->setText(SheetNumbers::totalArea(areas, m_sheet.decimalPoint()));
}

void TEditInfoMake::N2Click()
{
    if (m_sheet.CurrentHeaderEdit)
        m_sheet.CurrentHeaderEdit->deselect();
    // What is exported is what the database holds; an order that could not
    // be saved would give the bank an older product than the one shown.
    if (!m_sheet.saveOrder())
        return;
    try {
        lamira::ProductBank::exportOrderProduct(m_sheet.database(), m_sheet.orderNumber(),
                                                NameEdit->text());
    } catch (const std::exception &e) {
        lamira::showError(QString::fromUtf8(e.what()), window());
    }
}

void TEditInfoMake::N4Click()
{
    try {
        lamira::OrderStore::markProductForDeletion(m_sheet.database(), m_sheet.orderNumber(),
                                                   NameEdit->text());
    } catch (const std::exception &e) {
        lamira::showError(QString::fromUtf8(e.what()), window());
        return;
    }
    m_sheet.removeProductPanel(this);
}

bool TEditInfoMake::eventFilter(QObject *watched, QEvent *event)
{
    auto *edit = qobject_cast<QLineEdit *>(watched);
    if (!edit ||
        (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease))
        return QFrame::eventFilter(watched, event);
    const auto *mouse = static_cast<QMouseEvent *>(event);
    const qsizetype index = RowEdits.indexOf(edit);
    if (index < 0) {
        // A product header edit (NameEditMouseDown).
        if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::RightButton)
            m_sheet.CurrentHeaderEdit = edit;
        return QFrame::eventFilter(watched, event);
    }
    const int column = int(index % ColumnCount);
    if (event->type() == QEvent::MouseButtonPress) {
        // RowMouseDown: any button.
        if (Columns[column].currentRow)
            m_sheet.CurrentRowEdit = edit;
        return QFrame::eventFilter(watched, event);
    }
    if (mouse->button() == Qt::LeftButton && edit->rect().contains(mouse->position().toPoint())) {
        switch (column) {
        case MaterialColumn:
            RowMaterialClick(edit);
            return true;
        case TextureColumn:
            RowTextureClick(edit);
            return true;
        case CutColumn:
            RowCutClick(edit);
            return true;
        default:
            break;
        }
    }
    return QFrame::eventFilter(watched, event);
}
