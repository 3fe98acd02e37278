#pragma once

#include <QString>

#include <stdexcept>

namespace lamira {

// A failure of the database: it could not be opened or created, or it
// rejected a statement. what() gives the whole text for a message box.
class StoreError : public std::runtime_error
{
public:
    // message: what the program was doing, in the user's words;
    // driverText: the driver's lastError().text(); statement: the SQL, if any.
    StoreError(const QString &message, const QString &driverText = {},
               const QString &statement = {});

    QString message() const { return m_message; }
    QString driverText() const { return m_driverText; }
    QString statement() const { return m_statement; }

private:
    QString m_message;
    QString m_driverText;
    QString m_statement;
};

} // namespace lamira
