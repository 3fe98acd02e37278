#include "store/cuttingjob.h"

#include "store/database.h"
#include "store/orders.h"
#include "store/transaction.h"

namespace lamira::CuttingJob {

namespace {

const QString Yes = QStringLiteral("да");

void addEntry(Database &db, const QString &type, const QString &name)
{
    db.execute(QStringLiteral("Insert Into Temp (Type,Name,Cut) Values (?,?,?)"),
               {type, name, Yes});
}

// Marks (V='V') or clears (V=' ') the detail rows of every product of the
// order.
void setOrderMarks(Database &db, const QVariant &orderId, const QString &mark)
{
    db.execute(QStringLiteral("Update Detail Set V=? Where IDName In "
                              "(Select ID From Make Where IDName=?)"),
               {mark, orderId});
}

// The first row (in table order) of a select by name, or an empty cursor.
Cursor firstByName(Database &db, const QString &table, const QString &name)
{
    // The table name is one of ours, never user text.
    return db.select(
        QStringLiteral("Select ID From %1 Where Name=? Order By ID Limit 1").arg(table), {name});
}

bool finish(Transaction &transaction, bool result)
{
    transaction.commit();
    return result;
}

} // namespace

QList<Entry> entries(Database &db)
{
    QList<Entry> out;
    for (Cursor c = db.select(QStringLiteral("Select * From Temp")); !c.eof(); c.next())
        out.append({c.value(QStringLiteral("ID")).toLongLong(), c.text(QStringLiteral("Type")),
                    c.text(QStringLiteral("Name")), c.text(QStringLiteral("Cut"))});
    return out;
}

bool startFromOrder(Database &db, const QString &orderNumber, const QString &orderName)
{
    Transaction transaction(db);
    // Looked up first: a job is not thrown away for an order that is not
    // there to replace it.
    const auto orderId = OrderStore::find(db, orderNumber, orderName);
    if (!orderId)
        return finish(transaction, false);
    const Cursor order =
        db.select(QStringLiteral("Select Name From Orders Where ID=?"), {*orderId});
    db.execute(QStringLiteral("Update Detail Set V=' '"));
    db.execute(QStringLiteral("Update DetailBank Set V=' '"));
    db.execute(QStringLiteral("Delete * From Temp"));
    addEntry(db, OrderEntry, order.text(QStringLiteral("Name")));
    setOrderMarks(db, *orderId, QStringLiteral("V"));
    return finish(transaction, true);
}

bool addOrder(Database &db, qint64 orderId)
{
    Transaction transaction(db);
    const Cursor order = db.select(QStringLiteral("Select Name From Orders Where ID=?"), {orderId});
    if (order.isEmpty())
        return finish(transaction, false);
    addEntry(db, OrderEntry, order.text(QStringLiteral("Name")));
    setOrderMarks(db, orderId, QStringLiteral("V"));
    return finish(transaction, true);
}

bool addBankProduct(Database &db, qint64 productId)
{
    Transaction transaction(db);
    const Cursor product =
        db.select(QStringLiteral("Select Name From MakeBank Where ID=?"), {productId});
    if (product.isEmpty())
        return finish(transaction, false);
    addEntry(db, ProductEntry, product.text(QStringLiteral("Name")));
    db.execute(QStringLiteral("Update DetailBank Set V='V' Where IDName=?"), {productId});
    return finish(transaction, true);
}

bool addBankDetail(Database &db, qint64 lineId)
{
    Transaction transaction(db);
    const Cursor line =
        db.select(QStringLiteral("Select Name From DetailBank Where ID=?"), {lineId});
    if (line.isEmpty())
        return finish(transaction, false);
    addEntry(db, DetailEntry, line.text(QStringLiteral("Name")));
    db.execute(QStringLiteral("Update DetailBank Set V='V' Where ID=?"), {lineId});
    return finish(transaction, true);
}

void removeEntry(Database &db, qint64 entryId)
{
    Transaction transaction(db);
    const Cursor entry = db.select(QStringLiteral("Select * From Temp Where ID=?"), {entryId});
    if (entry.isEmpty()) {
        transaction.commit();
        return;
    }
    const QString type = entry.text(QStringLiteral("Type"));
    const QString name = entry.text(QStringLiteral("Name"));
    if (type == OrderEntry) {
        const Cursor order = firstByName(db, QStringLiteral("Orders"), name);
        if (!order.isEmpty())
            setOrderMarks(db, order.value(QStringLiteral("ID")), QStringLiteral(" "));
    } else if (type == DetailEntry) {
        // By name in both tables: a detail of the same name that an order or
        // a bank product brought in leaves the job too.
        db.execute(QStringLiteral("Update Detail Set V=' ' Where (V = V) And (Name=?)"), {name});
        db.execute(QStringLiteral("Update DetailBank Set V=' ' Where (V = V) And (Name=?)"),
                   {name});
    } else if (type == ProductEntry) {
        const Cursor product = firstByName(db, QStringLiteral("MakeBank"), name);
        if (!product.isEmpty())
            db.execute(QStringLiteral("Update DetailBank Set V=' ' Where IDName=?"),
                       {product.value(QStringLiteral("ID"))});
    }
    db.execute(QStringLiteral("Delete * From Temp Where ID=?"), {entryId});
    transaction.commit();
}

} // namespace lamira::CuttingJob
