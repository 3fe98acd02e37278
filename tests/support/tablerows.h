#pragma once

#include "store/database.h"

#include <QStringList>

namespace lamira::test {

// Every row of Orders, Make and Detail as "table|value|value|...", in ID
// order: a change to any stored value of an order shows up in the list.
QStringList everything(Database &db);

// The names of the rows of `table` marked for cutting (V = 'V'), in ID order.
QStringList marked(Database &db, const QString &table);

} // namespace lamira::test
