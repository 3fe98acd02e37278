#pragma once

#include "store/ordercontent.h"

#include <QList>
#include <QString>
#include <QtGlobal>

namespace lamira {

class Database;

// The products bank: reusable products in MakeBank, their detail lines in
// DetailBank (IDName = the product's ID). Values are plain texts as the
// bank's grids show them. Functions that write more than one statement run
// them in one transaction; failures throw StoreError.
namespace ProductBank {

struct Product
{
    qint64 id = 0;
    QString number;
    QString name;
    QString quantity;
    QString comment;
};

struct Line
{
    qint64 id = 0;
    qint64 productId = 0;
    // The nine cells of a detail row: №, name, length (Width), width
    // (Height), quantity, material, texture, area, "В раскрой?" (Cut).
    OrderLine cells;
};

// How a grid reads its rows: in table order (when the form opens, when the
// product grid is clicked) or by number (after a deletion and after a new
// line, as the form reopens its grids).
enum class Ordering
{
    TableOrder,
    ByNumber
};

QList<Product> products(Database &db, Ordering ordering = Ordering::TableOrder);
QList<Line> lines(Database &db, qint64 productId, Ordering ordering = Ordering::TableOrder);
// Every line of the bank in table order, for picking one for the cutting job.
QList<Line> allLines(Database &db);

// A new product with the number, name, quantity and note given (the note
// may be empty); returns its ID. The number shown in the form is
// nextBankProductNumber(). Throws StoreError, writing nothing, when the
// number or the quantity is not a whole number.
qint64 createProduct(Database &db, const Product &product);

// Deletes the product and its lines.
void deleteProduct(Database &db, qint64 productId);

// A new line of the product (its number from nextBankLineNumber(), which
// counts over the whole table); returns its ID. Throws StoreError, writing
// nothing, when №, length, width or quantity is not a whole number or the
// product is gone.
qint64 createLine(Database &db, qint64 productId, const OrderLine &line);

void deleteLine(Database &db, qint64 lineId);

// The product with its lines in table order, as the order sheet takes it
// into a new product panel. Empty when the product is gone.
OrderProduct productForOrder(Database &db, qint64 productId);

enum class ExportResult
{
    Exported,
    NoSuchProduct, // the open order has no stored product of that name
    AlreadyInBank, // a bank product of that name exists: nothing is done
};

// "Экспортировать изделие в банк": copies the first stored product named
// productName of the order with this number, with its lines, into the bank.
// The bank product keeps the order product's №, Quantity and ID (in IDName)
// but not its note; the lines keep their №, sizes, material, texture, area
// and "В раскрой?", without the cutting-job mark. The caller saves the order
// first.
ExportResult exportOrderProduct(Database &db, const QString &orderNumber,
                                const QString &productName);

} // namespace ProductBank

} // namespace lamira
