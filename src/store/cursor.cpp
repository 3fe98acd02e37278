#include "store/cursor.h"

#include "store/storeerror.h"

namespace lamira {

Cursor::Cursor(QStringList columns, QList<QVariantList> rows)
    : m_columns(std::move(columns)), m_rows(std::move(rows))
{
    for (int i = 0; i < m_columns.size(); ++i)
        m_index.insert(m_columns.at(i).toLower(), i);
}

void Cursor::next()
{
    if (!eof())
        ++m_row;
}

bool Cursor::seek(int row)
{
    if (row < 0 || row >= m_rows.size()) {
        m_row = int(m_rows.size());
        return false;
    }
    m_row = row;
    return true;
}

int Cursor::columnIndex(const QString &column) const
{
    const auto it = m_index.constFind(column.toLower());
    if (it == m_index.constEnd())
        throw StoreError(QStringLiteral("В результате запроса нет поля %1").arg(column));
    return *it;
}

QVariant Cursor::value(const QString &column) const
{
    const int index = columnIndex(column);
    if (eof())
        return {};
    return m_rows.at(m_row).at(index);
}

QVariant Cursor::value(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_columns.size())
        return {};
    return m_rows.at(row).at(column);
}

bool Cursor::isNull(const QString &column) const
{
    return value(column).isNull();
}

QString Cursor::text(const QString &column) const
{
    const QVariant v = value(column);
    return v.isNull() ? QString() : v.toString();
}

double Cursor::real(const QString &column) const
{
    const QVariant v = value(column);
    if (v.isNull())
        return 0;
    if (v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QByteArray) {
        QString s = v.toString().trimmed();
        s.replace(QLatin1Char(','), QLatin1Char('.'));
        bool ok = false;
        const double d = s.toDouble(&ok);
        return ok ? d : 0;
    }
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok ? d : 0;
}

int Cursor::integer(const QString &column) const
{
    const QVariant v = value(column);
    if (v.isNull())
        return 0;
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float)
        return int(v.toDouble()); // truncates like a whole-millimetre conversion
    bool ok = false;
    const qlonglong n = v.toString().trimmed().toLongLong(&ok);
    if (ok)
        return int(n);
    return int(real(column));
}

} // namespace lamira
