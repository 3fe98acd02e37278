#pragma once

#include "store/ordercontent.h"

#include <QList>
#include <QString>

#include <optional>

namespace lamira {

class Database;

// The orders in the database: Orders, their products in Make and the
// products' detail lines in Detail. Every function that writes more than one
// statement runs them in one transaction, so a failure (StoreError) leaves
// the database as it was.
//
// Products and lines are bound to the sheet by position: the product at
// index i is the order's Make row with № i + 1, the line at index r of a
// product its Detail row with № r + 1.
namespace OrderStore {

// All orders in table order (the newest last).
QList<OrderListEntry> list(Database &db);

// The order with this ID, its products and lines in the order of their
// numbers. Products and lines marked for deletion are left out: the next
// save removes them. An ID that is gone gives an empty content.
OrderContent load(Database &db, qint64 orderId);

// The ID of the order with this number (the oldest, should several share
// it), of the order with this number and name.
std::optional<qint64> findByNumber(Database &db, const QString &number);
std::optional<qint64> find(Database &db, const QString &number, const QString &name);

// Saves the sheet into the stored order with the sheet's number: removes
// the records marked for deletion (of every order), writes the header, then
// each product and each complete line at its position, and removes the
// order's products and lines beyond those shown. A line with an empty cell
// is neither written nor removed. An empty note leaves the stored note.
// False when no order has that number; only the purge is done then.
// Throws StoreError for a length, width or quantity that is not a whole
// number, before anything is written.
bool save(Database &db, const OrderContent &order);

// Stores the sheet as a new order named `name` with the next free number
// and returns that number. The header is taken as it is.
int insertCopy(Database &db, const OrderContent &order, const QString &name);

// Removes the order, its products and their lines.
void remove(Database &db, qint64 orderId);

// Replaces the order's note.
void changeNote(Database &db, qint64 orderId, const QString &note);

// Removes every product and line marked for deletion, with the lines of
// removed products, and closes the gaps they leave in the numbering, as the
// sheet closed them when the rows and panels were taken off.
void purgePendingDeletions(Database &db);
// Clears every mark: the removals that were not saved are undone.
void cancelPendingDeletions(Database &db);

// Marks for deletion the lines named lineName of the first product named
// productName of the order with this number; nothing when there is none.
void markLineForDeletion(Database &db, const QString &orderNumber, const QString &productName,
                         const QString &lineName);
// Marks the order's products named productName and the lines of the first
// of them.
void markProductForDeletion(Database &db, const QString &orderNumber, const QString &productName);

} // namespace OrderStore

} // namespace lamira
