#include "store/storeerror.h"

namespace lamira {

namespace {

QString joined(const QString &message, const QString &driverText, const QString &statement)
{
    QString text = message;
    if (!driverText.trimmed().isEmpty())
        text += QLatin1Char('\n') + driverText.trimmed();
    if (!statement.isEmpty())
        text += QLatin1Char('\n') + statement;
    return text;
}

} // namespace

StoreError::StoreError(const QString &message, const QString &driverText, const QString &statement)
    : std::runtime_error(joined(message, driverText, statement).toStdString()), m_message(message),
      m_driverText(driverText), m_statement(statement)
{
}

} // namespace lamira
