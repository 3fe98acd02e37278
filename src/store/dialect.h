#pragma once

#include <QString>

namespace lamira {

// Turns a statement written in the program's own dialect (the Jet form of
// the original system) into one that SQLite and PostgreSQL both accept:
//  - identifiers that begin with a digit or hold a non-ASCII character
//    (`№`, `1000mm`) are put in double quotes, and so are [bracketed] ones;
//  - "Delete * From X" becomes "Delete From X";
//  - "Select * From X [Where ...]" on a table with an ID key gets
//    "Order By ID", so that both engines return table order (the last row
//    is the newest), as the program's statements expect.
// String literals, quoted identifiers and comments are left untouched; other
// names stay bare so that PostgreSQL folds them like the table definitions.
QString translateStatement(const QString &sql);

} // namespace lamira
