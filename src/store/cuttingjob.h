#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

namespace lamira {

class Database;

// The cutting job: what the next cut run cuts. It is kept twice in the
// database: the list Temp, one entry per order, bank product or bank detail
// sent to cutting, which the user sees and removes entries from; and the
// mark V='V' on every detail row (Detail, DetailBank) in the job, which is
// all the cut run reads. Entries name their source by name only.
//
// Each function is one user action and runs in one transaction; failures
// throw StoreError and leave the job as it was.
namespace CuttingJob {

// Temp.Type of the three kinds of entry.
inline const QString OrderEntry = QStringLiteral("Заказ");
inline const QString ProductEntry = QStringLiteral("Изделие");
inline const QString DetailEntry = QStringLiteral("Деталь");

struct Entry
{
    qint64 id = 0;
    QString type; // "Заказ", "Изделие" or "Деталь"
    QString name;
    QString cut; // "В раскрой?": always "да"
};

// The job list as the grid shows it ("Select * From Temp", table order).
QList<Entry> entries(Database &db);

// "Раскрой": drops the whole job (every mark, every entry) and starts it
// anew with the stored order of this number and name: one "Заказ" entry and
// the marks on all its detail rows. False, and the old job left as it was,
// when no such order is stored.
bool startFromOrder(Database &db, const QString &orderNumber, const QString &orderName);

// Adds an order (the order list's "OK" in its adding mode), a bank product
// or one bank line to the job: an entry with the name stored now, and the
// marks of its rows. Adding never clears a mark, so adding twice gives two
// entries and the same marks. False, and nothing changed, when the order,
// product or line is gone.
bool addOrder(Database &db, qint64 orderId);
bool addBankProduct(Database &db, qint64 productId);
bool addBankDetail(Database &db, qint64 lineId);

// "Удалить из списка": removes the entry and clears marks by its name:
//  - "Деталь": every order and bank row of that name, in both tables, also
//    rows marked through another entry that stays in the list;
//  - "Изделие": the rows of the first bank product of that name;
//  - "Заказ": the rows of the first order of that name.
// A source that no longer exists clears nothing; the entry goes all the
// same. An ID not in the list changes nothing.
void removeEntry(Database &db, qint64 entryId);

} // namespace CuttingJob

} // namespace lamira
