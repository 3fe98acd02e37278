#include "store/productbank.h"

#include "store/database.h"
#include "store/orders.h"
#include "store/storeerror.h"
#include "store/transaction.h"

#include <optional>

namespace lamira::ProductBank {

namespace {

std::optional<int> wholeNumber(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// The integer columns get integers: SQLite would keep any text in them and
// PostgreSQL would refuse the statement with a driver message.
int requireWhole(const QString &text, const QString &caption)
{
    const auto value = wholeNumber(text);
    if (!value)
        throw StoreError(QStringLiteral("В поле «%1» «%2» не целое число. Ничего не записано.")
                             .arg(caption, text));
    return *value;
}

QString byNumber(Ordering ordering)
{
    return ordering == Ordering::ByNumber ? QStringLiteral(" Order By №, ID") : QString();
}

OrderLine cellsOf(const Cursor &c)
{
    return {c.text(QStringLiteral("№")),        c.text(QStringLiteral("Name")),
            c.text(QStringLiteral("Width")),    c.text(QStringLiteral("Height")),
            c.text(QStringLiteral("Quantity")), c.text(QStringLiteral("Material")),
            c.text(QStringLiteral("Texture")),  c.text(QStringLiteral("Area")),
            c.text(QStringLiteral("Cut"))};
}

QList<Line> linesOf(Cursor c)
{
    QList<Line> out;
    for (; !c.eof(); c.next())
        out.append({c.value(QStringLiteral("ID")).toLongLong(),
                    c.value(QStringLiteral("IDName")).toLongLong(), cellsOf(c)});
    return out;
}

} // namespace

QList<Product> products(Database &db, Ordering ordering)
{
    QList<Product> out;
    for (Cursor c = db.select(QStringLiteral("Select * From MakeBank") + byNumber(ordering));
         !c.eof(); c.next())
        out.append({c.value(QStringLiteral("ID")).toLongLong(), c.text(QStringLiteral("№")),
                    c.text(QStringLiteral("Name")), c.text(QStringLiteral("Quantity")),
                    c.text(QStringLiteral("Comment"))});
    return out;
}

QList<Line> lines(Database &db, qint64 productId, Ordering ordering)
{
    return linesOf(
        db.select(QStringLiteral("Select * From DetailBank Where IDName=?") + byNumber(ordering),
                  {productId}));
}

QList<Line> allLines(Database &db)
{
    return linesOf(db.select(QStringLiteral("Select * From DetailBank")));
}

qint64 createProduct(Database &db, const Product &product)
{
    const int number = requireWhole(product.number, QStringLiteral("№"));
    const int quantity = requireWhole(product.quantity, QStringLiteral("Кол-во"));
    if (product.comment.isEmpty())
        return db.insert(QStringLiteral("Insert Into MakeBank (№,Name,Quantity) Values (?,?,?)"),
                         {number, product.name, quantity});
    return db.insert(
        QStringLiteral("Insert Into MakeBank (№,Name,Quantity,Comment) Values (?,?,?,?)"),
        {number, product.name, quantity, product.comment});
}

void deleteProduct(Database &db, qint64 productId)
{
    Transaction transaction(db);
    db.execute(QStringLiteral("Delete * From DetailBank Where IDName=?"), {productId});
    db.execute(QStringLiteral("Delete * From MakeBank Where ID=?"), {productId});
    transaction.commit();
}

qint64 createLine(Database &db, qint64 productId, const OrderLine &line)
{
    const QVariantList values{requireWhole(line.number, QStringLiteral("№")),
                              line.name,
                              requireWhole(line.length, QStringLiteral("Длина")),
                              requireWhole(line.width, QStringLiteral("Ширина")),
                              requireWhole(line.quantity, QStringLiteral("Кол-во")),
                              line.material,
                              line.texture,
                              line.area,
                              line.cut,
                              productId};
    Transaction transaction(db);
    // Another workstation may have deleted the product meanwhile; its line
    // would belong to nothing.
    if (db.select(QStringLiteral("Select ID From MakeBank Where ID=?"), {productId}).isEmpty())
        throw StoreError(QStringLiteral("Этого изделия больше нет в банке изделий"));
    const qint64 id =
        db.insert(QStringLiteral("Insert Into DetailBank (№,Name,Width,Height,Quantity,Material,"
                                 "Texture,Area,Cut,IDName) Values (?,?,?,?,?,?,?,?,?,?)"),
                  values);
    transaction.commit();
    return id;
}

void deleteLine(Database &db, qint64 lineId)
{
    db.execute(QStringLiteral("Delete * From DetailBank Where ID=?"), {lineId});
}

OrderProduct productForOrder(Database &db, qint64 productId)
{
    const Cursor c = db.select(QStringLiteral("Select * From MakeBank Where ID=?"), {productId});
    if (c.isEmpty())
        return {};
    OrderProduct product{c.text(QStringLiteral("№")),
                         c.text(QStringLiteral("Name")),
                         c.text(QStringLiteral("Quantity")),
                         c.text(QStringLiteral("Comment")),
                         {}};
    for (const Line &line : lines(db, productId))
        product.lines.append(line.cells);
    return product;
}

ExportResult exportOrderProduct(Database &db, const QString &orderNumber,
                                const QString &productName)
{
    Transaction transaction(db);
    // Ends a look-up that found nothing to copy; the guard is committed so
    // that a caller's enclosing transaction is not spoiled.
    const auto stop = [&transaction](ExportResult result) {
        transaction.commit();
        return result;
    };
    const auto orderId = OrderStore::findByNumber(db, orderNumber);
    if (!orderId)
        return stop(ExportResult::NoSuchProduct);
    const Cursor make = db.select(
        QStringLiteral("Select * From Make Where (IDName=?) And (Name=?) Order By ID Limit 1"),
        {*orderId, productName});
    if (make.isEmpty())
        return stop(ExportResult::NoSuchProduct);
    if (!db.select(QStringLiteral("Select * From MakeBank Where Name=?"), {productName}).isEmpty())
        return stop(ExportResult::AlreadyInBank);

    const QVariant makeId = make.value(QStringLiteral("ID"));
    const qint64 bankId =
        db.insert(QStringLiteral("Insert Into MakeBank (№,IDName,Name,Quantity) Values (?,?,?,?)"),
                  {make.value(QStringLiteral("№")), makeId, make.value(QStringLiteral("Name")),
                   make.value(QStringLiteral("Quantity"))});
    for (Cursor d = db.select(QStringLiteral("Select * From Detail Where IDName=?"), {makeId});
         !d.eof(); d.next()) {
        QVariantList values{d.value(QStringLiteral("№")), bankId};
        for (const char *column :
             {"Name", "Width", "Height", "Quantity", "Material", "Texture", "Area", "Cut"})
            values << d.value(QLatin1String(column));
        db.execute(QStringLiteral("Insert Into DetailBank (№,IDName,Name,Width,Height,Quantity,"
                                  "Material,Texture,Area,Cut) Values (?,?,?,?,?,?,?,?,?,?)"),
                   values);
    }
    transaction.commit();
    return ExportResult::Exported;
}

} // namespace lamira::ProductBank
