#include "store/transaction.h"

#include "store/database.h"

namespace lamira {

Transaction::Transaction(Database &db) : m_db(db)
{
    m_db.begin();
}

Transaction::~Transaction()
{
    if (!m_done)
        m_db.rollback();
}

void Transaction::commit()
{
    if (m_done)
        return;
    m_done = true;
    m_db.commit();
}

} // namespace lamira
