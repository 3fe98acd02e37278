#pragma once

#include "store/productbank.h"

#include <QList>

class QTableWidget;
class QWidget;

// The read-only grids of the products bank: products (№, name, quantity,
// note) and lines (№, name, length, width, quantity, material, texture,
// area, "В раскрой?"). They select whole rows and never edit.
namespace BankGrids {

QTableWidget *productGrid(QWidget *parent, const char *name);
QTableWidget *lineGrid(QWidget *parent, const char *name);

// Shows the rows; the current row becomes `current` (clamped; none for an
// empty list).
void showProducts(QTableWidget *grid, const QList<lamira::ProductBank::Product> &products,
                  int current = 0);
void showLines(QTableWidget *grid, const QList<lamira::ProductBank::Line> &lines, int current = 0);

// The current row, or -1 when the grid has none.
int currentRow(const QTableWidget *grid);

} // namespace BankGrids
