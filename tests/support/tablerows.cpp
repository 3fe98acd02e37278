#include "tablerows.h"

namespace lamira::test {

QStringList everything(Database &db)
{
    QStringList out;
    for (const char *table : {"Orders", "Make", "Detail"}) {
        Cursor c = db.select(QStringLiteral("Select * From %1 Order By ID").arg(table));
        for (; !c.eof(); c.next()) {
            QStringList row{table};
            for (int i = 0; i < c.columns().size(); ++i)
                row << c.value(c.row(), i).toString();
            out << row.join('|');
        }
    }
    return out;
}

QStringList marked(Database &db, const QString &table)
{
    QStringList out;
    for (Cursor c =
             db.select(QStringLiteral("Select Name From %1 Where V='V' Order By ID").arg(table));
         !c.eof(); c.next())
        out << c.text("Name");
    return out;
}

} // namespace lamira::test
