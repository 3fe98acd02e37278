#include "store/materialbank.h"

#include "cutting/cutjob.h"
#include "store/database.h"
#include "store/storeerror.h"
#include "store/transaction.h"

#include <algorithm>
#include <cmath>

namespace lamira::MaterialBank {

namespace {

const QString Allowed = QStringLiteral("V");
const QString NotAllowed = QStringLiteral(" ");

// The Tree column of a sheet height; the names are ours, never user text.
QString sizeColumn(int sheetHeight)
{
    switch (sheetHeight) {
    case 1000:
    case 1250:
    case 1500:
    case 2000:
        return QStringLiteral("%1mm").arg(sheetHeight);
    }
    throw StoreError(QStringLiteral("Нет листов высотой %1 мм").arg(sheetHeight));
}

Material materialOf(const Cursor &c)
{
    Material m;
    m.group = c.text(QStringLiteral("NameGroup"));
    m.name = c.text(QStringLiteral("NameMaterial"));
    m.allow1000 = c.text(QStringLiteral("1000mm")) == Allowed;
    m.allow1250 = c.text(QStringLiteral("1250mm")) == Allowed;
    m.allow1500 = c.text(QStringLiteral("1500mm")) == Allowed;
    m.allow2000 = c.text(QStringLiteral("2000mm")) == Allowed;
    m.sawHeight = c.integer(QStringLiteral("SawHeight"));
    m.minQuantity = c.real(QStringLiteral("MinQuantity"));
    return m;
}

bool exists(Database &db, const QString &sql, const QString &value)
{
    return !db.select(sql, {value}).isEmpty();
}

} // namespace

bool Material::allows(int sheetHeight) const
{
    switch (sheetHeight) {
    case 1000:
        return allow1000;
    case 1250:
        return allow1250;
    case 1500:
        return allow1500;
    case 2000:
        return allow2000;
    }
    return false;
}

QList<Group> groups(Database &db)
{
    QList<Group> tree;
    for (Cursor c = db.select(QStringLiteral("Select * From Tree")); !c.eof(); c.next()) {
        const QString group = c.text(QStringLiteral("NameGroup"));
        const QString name = c.text(QStringLiteral("NameMaterial"));
        auto it = std::find_if(tree.begin(), tree.end(),
                               [&group](const Group &g) { return g.name == group; });
        if (it == tree.end())
            tree.append({group, {name}});
        else
            it->materials << name;
    }
    // Sorted here rather than by the statement: a PostgreSQL server orders
    // text by its own collation, which would give another tree than SQLite.
    std::stable_sort(tree.begin(), tree.end(),
                     [](const Group &a, const Group &b) { return a.name < b.name; });
    return tree;
}

std::optional<Material> material(Database &db, const QString &name)
{
    const Cursor c = db.select(QStringLiteral("Select * From Tree Where (NameMaterial=?)"), {name});
    if (c.isEmpty())
        return std::nullopt;
    return materialOf(c);
}

bool groupExists(Database &db, const QString &group)
{
    return exists(db, QStringLiteral("Select * From Tree Where NameGroup=?"), group);
}

bool materialExists(Database &db, const QString &name)
{
    return exists(db, QStringLiteral("Select * From Tree Where NameMaterial=?"), name);
}

bool addMaterial(Database &db, const QString &group, const QString &name)
{
    Transaction transaction(db);
    if (materialExists(db, name)) {
        transaction.commit();
        return false;
    }
    db.execute(QStringLiteral("Insert Into Tree (NameGroup,NameMaterial) Values (?,?)"),
               {group, name});
    transaction.commit();
    return true;
}

bool renameMaterial(Database &db, const QString &oldName, const QString &newName)
{
    Transaction transaction(db);
    if (materialExists(db, newName)) {
        transaction.commit();
        return false;
    }
    db.execute(QStringLiteral("Update Tree Set NameMaterial=? Where NameMaterial=?"),
               {newName, oldName});
    transaction.commit();
    return true;
}

bool renameGroup(Database &db, const QString &oldName, const QString &newName)
{
    Transaction transaction(db);
    if (groupExists(db, newName)) {
        transaction.commit();
        return false;
    }
    db.execute(QStringLiteral("Update Tree Set NameGroup=? Where NameGroup=?"), {newName, oldName});
    transaction.commit();
    return true;
}

int deleteMaterial(Database &db, const QString &name)
{
    return db.execute(QStringLiteral("Delete * From Tree Where NameMaterial=?"), {name});
}

int deleteGroup(Database &db, const QString &group)
{
    return db.execute(QStringLiteral("Delete * From Tree Where NameGroup=?"), {group});
}

std::optional<bool> toggleSize(Database &db, const QString &name, int sheetHeight)
{
    const QString column = sizeColumn(sheetHeight);
    Transaction transaction(db);
    const Cursor c =
        db.select(QStringLiteral("Select %1 From Tree Where (NameMaterial=?)").arg(column), {name});
    if (c.isEmpty()) {
        transaction.commit();
        return std::nullopt;
    }
    const bool allowed = c.text(column) != Allowed;
    db.execute(QStringLiteral("Update Tree Set %1=? Where (NameMaterial=?)").arg(column),
               {allowed ? Allowed : NotAllowed, name});
    transaction.commit();
    return allowed;
}

bool setSawWidth(Database &db, const QString &name, const QString &text)
{
    bool ok = false;
    const int width = text.trimmed().toInt(&ok);
    if (!ok || width < 0 || width > MaxJobSaw)
        return false;
    db.execute(QStringLiteral("Update Tree Set SawHeight=? Where NameMaterial=?"), {width, name});
    return true;
}

bool setMinQuantity(Database &db, const QString &name, const QString &text)
{
    QString number = text.trimmed();
    number.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double quantity = number.toDouble(&ok);
    if (!ok || !std::isfinite(quantity))
        return false;
    db.execute(QStringLiteral("Update Tree Set MinQuantity=? Where (NameMaterial=?)"),
               {quantity, name});
    return true;
}

} // namespace lamira::MaterialBank
