#include "store/forms/bankgrids.h"

#include <QHeaderView>
#include <QStringList>
#include <QTableWidget>

#include <algorithm>

namespace BankGrids {

namespace {

QTableWidget *grid(QWidget *parent, const char *name, const QStringList &captions)
{
    auto *g = new QTableWidget(0, int(captions.size()), parent);
    g->setObjectName(QLatin1String(name));
    g->setHorizontalHeaderLabels(captions);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->verticalHeader()->hide();
    g->horizontalHeader()->setStretchLastSection(true);
    return g;
}

void fill(QTableWidget *grid, const QList<QStringList> &rows, int current)
{
    grid->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows.at(r).size(); ++c)
            grid->setItem(r, c, new QTableWidgetItem(rows.at(r).at(c)));
    }
    if (rows.isEmpty()) {
        grid->setCurrentCell(-1, -1);
        return;
    }
    const int row = std::clamp(current, 0, int(rows.size()) - 1);
    grid->setCurrentCell(row, 0);
    grid->selectRow(row);
}

} // namespace

QTableWidget *productGrid(QWidget *parent, const char *name)
{
    QTableWidget *g = grid(parent, name,
                           {QStringLiteral("№"), QStringLiteral("Наименование"),
                            QStringLiteral("Кол-во"), QStringLiteral("Примечание")});
    g->setColumnWidth(0, 50);
    g->setColumnWidth(1, 220);
    g->setColumnWidth(2, 60);
    return g;
}

QTableWidget *lineGrid(QWidget *parent, const char *name)
{
    QTableWidget *g =
        grid(parent, name,
             {QStringLiteral("№"), QStringLiteral("Наименование"), QStringLiteral("Длина"),
              QStringLiteral("Ширина"), QStringLiteral("Кол-во"), QStringLiteral("Материал"),
              QStringLiteral("Текстура"), QStringLiteral("Площадь"), QStringLiteral("В раскрой?")});
    const int widths[] = {50, 160, 60, 60, 60, 140, 70, 70};
    for (int c = 0; c < 8; ++c)
        g->setColumnWidth(c, widths[c]);
    return g;
}

void showProducts(QTableWidget *grid, const QList<lamira::ProductBank::Product> &products,
                  int current)
{
    QList<QStringList> rows;
    for (const auto &p : products)
        rows.append({p.number, p.name, p.quantity, p.comment});
    fill(grid, rows, current);
}

void showLines(QTableWidget *grid, const QList<lamira::ProductBank::Line> &lines, int current)
{
    QList<QStringList> rows;
    for (const auto &l : lines) {
        const lamira::OrderLine &c = l.cells;
        rows.append({c.number, c.name, c.length, c.width, c.quantity, c.material, c.texture, c.area,
                     c.cut});
    }
    fill(grid, rows, current);
}

int currentRow(const QTableWidget *grid)
{
    const int row = grid->currentRow();
    return row >= 0 && row < grid->rowCount() ? row : -1;
}

} // namespace BankGrids
