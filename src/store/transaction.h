#pragma once

#include <QtGlobal>

namespace lamira {

class Database;

// Runs a multi-statement change as one: begins in the constructor, commit()
// makes it permanent, and leaving the scope without commit() (an exception)
// rolls it back. A guard made while another is active on the same database
// joins it: only the outermost commit writes, and an inner guard that ends
// without commit() makes the outer commit() roll back and throw.
class Transaction
{
    Q_DISABLE_COPY_MOVE(Transaction)

public:
    explicit Transaction(Database &db);
    ~Transaction();

    // Throws StoreError when the database refuses (the change is then undone).
    void commit();

private:
    Database &m_db;
    bool m_done = false;
};

} // namespace lamira
