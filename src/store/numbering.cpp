#include "store/numbering.h"

#include "store/database.h"

namespace lamira {

namespace {

int nextNumber(Database &db, const QString &table)
{
    // The table name is one of ours, never user text.
    const Cursor newest =
        db.select(QStringLiteral("Select № From %1 Order By ID Desc Limit 1").arg(table));
    return newest.isEmpty() ? 1 : newest.integer(QStringLiteral("№")) + 1;
}

} // namespace

int nextOrderNumber(Database &db)
{
    return nextNumber(db, QStringLiteral("Orders"));
}

int nextBankProductNumber(Database &db)
{
    return nextNumber(db, QStringLiteral("MakeBank"));
}

int nextBankLineNumber(Database &db)
{
    return nextNumber(db, QStringLiteral("DetailBank"));
}

} // namespace lamira
