#include "order_edit/ordersheet.h"

#include "cutting/progress.h"
#include "order_edit/editinfomake.h"
#include "order_edit/sheetnumbers.h"

#include <QEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

TOrderSheet::TOrderSheet(lamira::Database &database, QScrollArea *scrollBox,
                         QVBoxLayout *productArea, QObject *parent)
    : QObject(parent), m_database(database), m_scrollBox(scrollBox), m_productArea(productArea),
      m_decimalPoint(QLocale().decimalPoint())
{
    setObjectName(QStringLiteral("OrderSheet"));
    m_sheetArea = m_scrollBox->widget();
    m_sheetArea->installEventFilter(this);
}

TEditInfoMake *TOrderSheet::AddProductPanel()
{
    auto *panel = new TEditInfoMake(*this, m_productArea->parentWidget());
    // Above the stretch that keeps the panels at the top.
    m_productArea->insertWidget(int(ProductPanels.size()), panel);
    ProductPanels.append(panel);
    panel->NumberEdit->setText(QString::number(ProductPanels.size()));
    panel->show();
    panel->FormShow();
    scrollToBottom();
    return panel;
}

void TOrderSheet::ClearProductPanels()
{
    CurrentRowEdit = nullptr;
    CurrentHeaderEdit = nullptr;
    const QList<TEditInfoMake *> panels = std::exchange(ProductPanels, {});
    for (TEditInfoMake *panel : panels) {
        m_productArea->removeWidget(panel);
        delete panel;
    }
}

void TOrderSheet::removeProductPanel(TEditInfoMake *panel)
{
    if (!ProductPanels.removeOne(panel))
        return;
    CurrentRowEdit = nullptr;
    CurrentHeaderEdit = nullptr;
    m_productArea->removeWidget(panel);
    panel->hide();
    // The panel's own menu action called this.
    panel->deleteLater();
    // Products are saved by position; the numbers shown follow it, as the
    // row numbers do, so that a product added next does not repeat one.
    for (int i = 0; i < ProductPanels.size(); ++i)
        ProductPanels.at(i)->NumberEdit->setText(QString::number(i + 1));
}

void TOrderSheet::ComponentsButtonClick()
{
    for (TEditInfoMake *panel : std::as_const(ProductPanels))
        panel->SpeedButton1Click();
}

void TOrderSheet::ScrollBox1DblClick()
{
    chooseMaterial(nullptr, QString());
}

QString TOrderSheet::chooseMaterial(TEditInfoMake *target, const QString &start)
{
    return m_chooser ? m_chooser(target, start) : start;
}

QList<lamira::OrderProduct> TOrderSheet::products() const
{
    QList<lamira::OrderProduct> products;
    for (const TEditInfoMake *panel : ProductPanels) {
        lamira::OrderProduct product{panel->NumberEdit->text(),
                                     panel->NameEdit->text(),
                                     panel->DateEdit1->text(),
                                     panel->CommentEdit->text(),
                                     {}};
        for (int r = 0; r < panel->RowCount - 1; ++r) {
            const auto text = [panel, r](int c) { return panel->cell(r, c)->text(); };
            product.lines.append(
                {text(0), text(1), text(2), text(3), text(4), text(5), text(6), text(7), text(8)});
        }
        products.append(product);
    }
    return products;
}

void TOrderSheet::fillProducts(const QList<lamira::OrderProduct> &products,
                               lamira::Progress &progress)
{
    for (const lamira::OrderProduct &product : products) {
        TEditInfoMake *panel = AddProductPanel();
        panel->hide();
        panel->NumberEdit->setText(product.number);
        panel->NameEdit->setText(product.name);
        panel->DateEdit1->setText(product.quantity);
        panel->CommentEdit->setText(product.comment);
        progress.Max2 = int(product.lines.size());
        progress.Pos2 = 0;
        double areaSum = 0;
        for (int k = 0; k < product.lines.size(); ++k) {
            const lamira::OrderLine &line = product.lines.at(k);
            panel->AddDetailRow();
            // In column order: the handlers of the name, length, width and
            // quantity run as they would for typing, and the stored area,
            // written last, is what the cell keeps.
            const QString cells[] = {line.number,  line.name,     line.length,
                                     line.width,   line.quantity, line.material,
                                     line.texture, line.area,     line.cut};
            for (int c = 0; c < TEditInfoMake::ColumnCount; ++c)
                panel->cell(k, c)->setText(cells[c]);
            areaSum += SheetNumbers::realNumber(line.area, m_decimalPoint).value_or(0);
            ++progress.Pos1;
            ++progress.Pos2;
            progress.Refresh(lamira::Progress::Update);
        }
        if (product.lines.isEmpty())
            panel->AddDetailRow();
        panel->Edit2->setText(SheetNumbers::roundedText(areaSum, 3, m_decimalPoint));
        progress.Refresh(lamira::Progress::Update);
    }
    for (TEditInfoMake *panel : std::as_const(ProductPanels))
        panel->show();
}

void TOrderSheet::scrollToBottom()
{
    // The scroll range follows the new panel once the layout has run.
    QTimer::singleShot(0, m_scrollBox, [box = m_scrollBox] {
        box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
    });
}

bool TOrderSheet::eventFilter(QObject *watched, QEvent *event)
{
    // Compare with the watched object itself: while the main window is torn
    // down the scroll box may already be half destroyed when its content
    // widget still receives events.
    if (event->type() == QEvent::MouseButtonDblClick && watched->isWidgetType()
        && static_cast<QWidget *>(watched) == m_sheetArea) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        // Only the empty part: a double click on a panel arrives here too.
        if (!m_sheetArea->childAt(mouse->position().toPoint())) {
            ScrollBox1DblClick();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
