#include "store/orders.h"

#include "store/database.h"
#include "store/numbering.h"
#include "store/storeerror.h"
#include "store/transaction.h"

#include <QMap>
#include <QSet>

#include <algorithm>

namespace lamira::OrderStore {

namespace {

std::optional<int> wholeNumber(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

QVariant nullInteger()
{
    return QVariant(QMetaType::fromType<int>());
}

// Product quantities may be left empty (stored as NULL, shown empty again);
// anything else must be a whole number.
QVariant productQuantity(const OrderProduct &product)
{
    const auto quantity = wholeNumber(product.quantity);
    return quantity ? QVariant(*quantity) : nullInteger();
}

// The integer columns get integers. Checked before the first write so that a
// typing error cannot leave half an order behind; the sheet shows such
// cells in red.
void checkNumbers(const OrderContent &order)
{
    for (int i = 0; i < order.products.size(); ++i) {
        const OrderProduct &product = order.products.at(i);
        if (!product.quantity.trimmed().isEmpty() && !wholeNumber(product.quantity)) {
            throw StoreError(QStringLiteral("Изделие %1 «%2»: количество «%3» не целое число. "
                                            "Заказ не сохранён.")
                                 .arg(i + 1)
                                 .arg(product.name, product.quantity));
        }
        for (int r = 0; r < product.lines.size(); ++r) {
            const OrderLine &line = product.lines.at(r);
            if (!line.isComplete())
                continue;
            const std::pair<const char *, const QString *> cells[] = {
                {"Длина", &line.length}, {"Ширина", &line.width}, {"Кол-во", &line.quantity}};
            for (const auto &[caption, text] : cells) {
                if (!wholeNumber(*text)) {
                    throw StoreError(QStringLiteral("Изделие %1 «%2», строка %3: в поле «%4» "
                                                    "«%5» не целое число. Заказ не сохранён.")
                                         .arg(i + 1)
                                         .arg(product.name)
                                         .arg(r + 1)
                                         .arg(QString::fromUtf8(caption), *text));
                }
            }
        }
    }
}

QVariantList lineValues(const OrderLine &line)
{
    return {QVariant(line.name),
            QVariant(*wholeNumber(line.length)),
            QVariant(*wholeNumber(line.width)),
            QVariant(*wholeNumber(line.quantity)),
            QVariant(line.material),
            QVariant(line.texture),
            QVariant(line.area),
            QVariant(line.cut)};
}

void insertLine(Database &db, qint64 productId, int number, const OrderLine &line)
{
    QVariantList values{number, productId};
    values << lineValues(line);
    db.execute(QStringLiteral("Insert Into Detail (№,IDName,Name,Width,Height,Quantity,Material,"
                              "Texture,Area,Cut) Values (?,?,?,?,?,?,?,?,?,?)"),
               values);
}

qint64 insertProduct(Database &db, qint64 orderId, int number, const OrderProduct &product)
{
    if (product.comment.isEmpty()) {
        return db.insert(QStringLiteral("Insert Into Make (№,IDName,Name,Quantity,Del) "
                                        "Values (?,?,?,?,0)"),
                         {number, orderId, product.name, productQuantity(product)});
    }
    return db.insert(QStringLiteral("Insert Into Make (№,IDName,Name,Quantity,Comment,Del) "
                                    "Values (?,?,?,?,?,0)"),
                     {number, orderId, product.name, productQuantity(product), product.comment});
}

void insertNewLines(Database &db, qint64 productId, const QList<OrderLine> &lines)
{
    // Numbers are positions, gaps for incomplete rows included, so that the
    // next save finds each row's line where the row stands.
    for (int r = 0; r < lines.size(); ++r) {
        if (lines.at(r).isComplete())
            insertLine(db, productId, r + 1, lines.at(r));
    }
}

// Writes the rows of a stored product by position and removes its lines
// beyond the rows shown. A row with an empty cell leaves its line as it is.
void writeLines(Database &db, qint64 productId, const QList<OrderLine> &lines)
{
    for (int r = 0; r < lines.size(); ++r) {
        const OrderLine &line = lines.at(r);
        if (!line.isComplete())
            continue;
        Cursor stored = db.select(
            QStringLiteral("Select ID From Detail Where (IDName=?) And (№=?) Order By ID"),
            {productId, r + 1});
        if (stored.isEmpty()) {
            insertLine(db, productId, r + 1, line);
            continue;
        }
        QVariantList values = lineValues(line);
        values << stored.value(QStringLiteral("ID"));
        db.execute(QStringLiteral("Update Detail Set Name=?,Width=?,Height=?,Quantity=?,"
                                  "Material=?,Texture=?,Area=?,Cut=? Where ID=?"),
                   values);
        // Two lines at one number come from older saves; one row shows them.
        for (stored.next(); !stored.eof(); stored.next())
            db.execute(QStringLiteral("Delete From Detail Where ID=?"),
                       {stored.value(QStringLiteral("ID"))});
    }
    db.execute(QStringLiteral("Delete From Detail Where (IDName=?) And "
                              "((№ Is Null) Or (№<1) Or (№>?))"),
               {productId, int(lines.size())});
}

void deleteProducts(Database &db, const QString &condition, const QVariantList &values)
{
    db.execute(QStringLiteral("Delete From Detail Where IDName In (Select ID From Make Where %1)")
                   .arg(condition),
               values);
    db.execute(QStringLiteral("Delete From Make Where %1").arg(condition), values);
}

// After records were removed from a numbered list (an order's products, a
// product's lines) the remaining ones close up, as the panels and rows on
// the sheet did. A number that another record still holds is no gap.
void closeGaps(Database &db, const QString &table, qint64 owner, const QSet<int> &removed)
{
    Cursor rows = db.select(
        QStringLiteral("Select ID, № From %1 Where IDName=? Order By №, ID").arg(table), {owner});
    QSet<int> held;
    for (; !rows.eof(); rows.next())
        held.insert(rows.integer(QStringLiteral("№")));
    QList<int> gaps;
    for (int n : removed) {
        if (!held.contains(n))
            gaps << n;
    }
    std::sort(gaps.begin(), gaps.end());
    if (gaps.isEmpty())
        return;
    for (rows.first(); !rows.eof(); rows.next()) {
        if (rows.isNull(QStringLiteral("№")))
            continue;
        const int number = rows.integer(QStringLiteral("№"));
        const auto shift = std::lower_bound(gaps.cbegin(), gaps.cend(), number) - gaps.cbegin();
        if (shift > 0)
            db.execute(QStringLiteral("Update %1 Set №=? Where ID=?").arg(table),
                       {number - int(shift), rows.value(QStringLiteral("ID"))});
    }
}

void purge(Database &db)
{
    QMap<qint64, QSet<int>> productGaps; // order ID -> numbers of removed products
    QSet<qint64> removedProducts;
    for (Cursor c = db.select(QStringLiteral("Select ID, IDName, № From Make Where Del=1"));
         !c.eof(); c.next()) {
        removedProducts.insert(c.value(QStringLiteral("ID")).toLongLong());
        if (c.integer(QStringLiteral("№")) >= 1)
            productGaps[c.value(QStringLiteral("IDName")).toLongLong()].insert(
                c.integer(QStringLiteral("№")));
    }
    QMap<qint64, QSet<int>> lineGaps; // product ID -> numbers of removed lines
    for (Cursor c = db.select(QStringLiteral("Select IDName, № From Detail Where Del=1")); !c.eof();
         c.next()) {
        const qint64 product = c.value(QStringLiteral("IDName")).toLongLong();
        if (!removedProducts.contains(product) && c.integer(QStringLiteral("№")) >= 1)
            lineGaps[product].insert(c.integer(QStringLiteral("№")));
    }

    // The lines of a removed product go with it, marked or not: left behind
    // they would belong to nothing.
    db.execute(QStringLiteral("Delete From Detail Where (Del=1) Or "
                              "(IDName In (Select ID From Make Where Del=1))"));
    db.execute(QStringLiteral("Delete From Make Where Del=1"));
    for (auto it = productGaps.cbegin(); it != productGaps.cend(); ++it)
        closeGaps(db, QStringLiteral("Make"), it.key(), it.value());
    for (auto it = lineGaps.cbegin(); it != lineGaps.cend(); ++it)
        closeGaps(db, QStringLiteral("Detail"), it.key(), it.value());
}

OrderHeader headerOf(const Cursor &c)
{
    return {c.text(QStringLiteral("№")),        c.text(QStringLiteral("Name")),
            c.text(QStringLiteral("Date1")),    c.text(QStringLiteral("Date2")),
            c.text(QStringLiteral("Customer")), c.text(QStringLiteral("Comment"))};
}

} // namespace

QList<OrderListEntry> list(Database &db)
{
    QList<OrderListEntry> entries;
    for (Cursor c = db.select(QStringLiteral("Select * From Orders")); !c.eof(); c.next())
        entries.append({c.value(QStringLiteral("ID")).toLongLong(), headerOf(c)});
    return entries;
}

OrderContent load(Database &db, qint64 orderId)
{
    OrderContent order;
    const Cursor header = db.select(QStringLiteral("Select * From Orders Where ID=?"), {orderId});
    if (header.isEmpty())
        return order;
    order.header = headerOf(header);
    for (Cursor p = db.select(QStringLiteral("Select * From Make Where (IDName=?) And "
                                             "((Del Is Null) Or (Del=0)) Order By №, ID"),
                              {orderId});
         !p.eof(); p.next()) {
        OrderProduct product{p.text(QStringLiteral("№")),
                             p.text(QStringLiteral("Name")),
                             p.text(QStringLiteral("Quantity")),
                             p.text(QStringLiteral("Comment")),
                             {}};
        for (Cursor d = db.select(QStringLiteral("Select * From Detail Where (IDName=?) And "
                                                 "((Del Is Null) Or (Del=0)) Order By №, ID"),
                                  {p.value(QStringLiteral("ID"))});
             !d.eof(); d.next()) {
            product.lines.append({d.text(QStringLiteral("№")), d.text(QStringLiteral("Name")),
                                  d.text(QStringLiteral("Width")), d.text(QStringLiteral("Height")),
                                  d.text(QStringLiteral("Quantity")),
                                  d.text(QStringLiteral("Material")),
                                  d.text(QStringLiteral("Texture")), d.text(QStringLiteral("Area")),
                                  d.text(QStringLiteral("Cut"))});
        }
        order.products.append(product);
    }
    return order;
}

std::optional<qint64> findByNumber(Database &db, const QString &number)
{
    const auto n = wholeNumber(number);
    if (!n)
        return std::nullopt;
    const Cursor c =
        db.select(QStringLiteral("Select ID From Orders Where №=? Order By ID Limit 1"), {*n});
    if (c.isEmpty())
        return std::nullopt;
    return c.value(QStringLiteral("ID")).toLongLong();
}

std::optional<qint64> find(Database &db, const QString &number, const QString &name)
{
    const auto n = wholeNumber(number);
    if (!n)
        return std::nullopt;
    const Cursor c = db.select(
        QStringLiteral("Select ID From Orders Where (№=?) And (Name=?) Order By ID Limit 1"),
        {*n, name});
    if (c.isEmpty())
        return std::nullopt;
    return c.value(QStringLiteral("ID")).toLongLong();
}

bool save(Database &db, const OrderContent &order)
{
    checkNumbers(order);
    Transaction transaction(db);
    purge(db);
    const auto orderId = findByNumber(db, order.header.number);
    if (!orderId) {
        transaction.commit();
        return false;
    }
    const OrderHeader &h = order.header;
    // Without a note the statement leaves the column alone: clearing the note
    // on the sheet does not clear the stored one.
    if (h.comment.isEmpty()) {
        db.execute(QStringLiteral("Update Orders Set Name=?, Date1=?, Date2=?, Customer=? "
                                  "Where ID=?"),
                   {h.name, h.date1, h.date2, h.customer, *orderId});
    } else {
        db.execute(QStringLiteral("Update Orders Set Name=?, Date1=?, Date2=?, Customer=?, "
                                  "Comment=? Where ID=?"),
                   {h.name, h.date1, h.date2, h.customer, h.comment, *orderId});
    }

    for (int i = 0; i < order.products.size(); ++i) {
        const OrderProduct &product = order.products.at(i);
        const int number = i + 1;
        Cursor stored = db.select(QStringLiteral("Select ID From Make Where (IDName=?) And (№=?) "
                                                 "And ((Del Is Null) Or (Del=0)) Order By ID"),
                                  {*orderId, number});
        if (stored.isEmpty()) {
            insertNewLines(db, insertProduct(db, *orderId, number, product), product.lines);
            continue;
        }
        const qint64 productId = stored.value(QStringLiteral("ID")).toLongLong();
        if (product.comment.isEmpty()) {
            db.execute(QStringLiteral("Update Make Set №=?,Name=?,Quantity=? Where ID=?"),
                       {number, product.name, productQuantity(product), productId});
        } else {
            db.execute(
                QStringLiteral("Update Make Set №=?,Name=?,Quantity=?,Comment=? "
                               "Where ID=?"),
                {number, product.name, productQuantity(product), product.comment, productId});
        }
        for (stored.next(); !stored.eof(); stored.next())
            deleteProducts(db, QStringLiteral("ID=?"), {stored.value(QStringLiteral("ID"))});
        writeLines(db, productId, product.lines);
    }
    deleteProducts(db, QStringLiteral("(IDName=?) And ((№ Is Null) Or (№<1) Or (№>?))"),
                   {*orderId, int(order.products.size())});
    transaction.commit();
    return true;
}

int insertCopy(Database &db, const OrderContent &order, const QString &name)
{
    checkNumbers(order);
    Transaction transaction(db);
    const int number = nextOrderNumber(db);
    const OrderHeader &h = order.header;
    const qint64 orderId =
        h.comment.isEmpty()
            ? db.insert(QStringLiteral("Insert Into Orders (№,Name,Date1,Date2,Customer) "
                                       "Values (?,?,?,?,?)"),
                        {number, name, h.date1, h.date2, h.customer})
            : db.insert(QStringLiteral("Insert Into Orders (№,Name,Date1,Date2,Customer,Comment) "
                                       "Values (?,?,?,?,?,?)"),
                        {number, name, h.date1, h.date2, h.customer, h.comment});
    for (int i = 0; i < order.products.size(); ++i) {
        const OrderProduct &product = order.products.at(i);
        insertNewLines(db, insertProduct(db, orderId, i + 1, product), product.lines);
    }
    transaction.commit();
    return number;
}

void remove(Database &db, qint64 orderId)
{
    Transaction transaction(db);
    deleteProducts(db, QStringLiteral("IDName=?"), {orderId});
    db.execute(QStringLiteral("Delete From Orders Where ID=?"), {orderId});
    transaction.commit();
}

void changeNote(Database &db, qint64 orderId, const QString &note)
{
    db.execute(QStringLiteral("Update Orders Set Comment=? Where ID=?"), {note, orderId});
}

void purgePendingDeletions(Database &db)
{
    Transaction transaction(db);
    purge(db);
    transaction.commit();
}

void cancelPendingDeletions(Database &db)
{
    Transaction transaction(db);
    db.execute(QStringLiteral("Update Detail Set Del=0"));
    db.execute(QStringLiteral("Update Make Set Del=0"));
    transaction.commit();
}

void markLineForDeletion(Database &db, const QString &orderNumber, const QString &productName,
                         const QString &lineName)
{
    const auto orderId = findByNumber(db, orderNumber);
    if (!orderId)
        return;
    const Cursor product = db.select(
        QStringLiteral("Select ID From Make Where (IDName=?) And (Name=?) Order By ID Limit 1"),
        {*orderId, productName});
    if (product.isEmpty())
        return;
    db.execute(QStringLiteral("Update Detail Set Del=1 Where (Name=?) And (IDName=?)"),
               {lineName, product.value(QStringLiteral("ID"))});
}

void markProductForDeletion(Database &db, const QString &orderNumber, const QString &productName)
{
    const auto orderId = findByNumber(db, orderNumber);
    if (!orderId)
        return;
    Transaction transaction(db);
    db.execute(QStringLiteral("Update Make Set Del=1 Where (Name=?) And (IDName=?)"),
               {productName, *orderId});
    const Cursor product = db.select(
        QStringLiteral("Select ID From Make Where (IDName=?) And (Name=?) Order By ID Limit 1"),
        {*orderId, productName});
    if (!product.isEmpty())
        db.execute(QStringLiteral("Update Detail Set Del=1 Where IDName=?"),
                   {product.value(QStringLiteral("ID"))});
    transaction.commit();
}

} // namespace lamira::OrderStore
