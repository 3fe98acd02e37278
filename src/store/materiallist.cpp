#include "store/materiallist.h"

#include "store/database.h"

namespace lamira {

QList<MaterialEntry> listMaterials(Database &db)
{
    QList<MaterialEntry> materials;
    for (Cursor c = db.select(QStringLiteral("Select * From Tree")); !c.eof(); c.next())
        materials.append(
            {c.text(QStringLiteral("NameGroup")), c.text(QStringLiteral("NameMaterial"))});
    return materials;
}

} // namespace lamira
