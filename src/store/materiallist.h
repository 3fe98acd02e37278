#pragma once

#include <QList>
#include <QString>

namespace lamira {

class Database;

// One material of the materials bank (table Tree) with its group.
struct MaterialEntry
{
    QString group;
    QString name;
};

// The materials bank in the order the database returns it, for choosers.
QList<MaterialEntry> listMaterials(Database &db);

} // namespace lamira
