#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace lamira {

// The rows of one select, read completely when the statement ran, so that no
// statement stays open on the connection. Used like the forms' query
// components: first(), next(), last(), eof(), and fields by column name.
//
// Column names match case-insensitively (PostgreSQL folds bare names to lower
// case). Reading a field of an empty result, past the end, or a NULL value
// gives empty text and 0; naming a column the select does not have throws
// StoreError, since that is a fault in the statement or the caller.
class Cursor
{
public:
    Cursor() = default;
    Cursor(QStringList columns, QList<QVariantList> rows);

    int rowCount() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.isEmpty(); }

    // Navigation; the cursor starts on the first row (at the end when empty).
    void first() { m_row = 0; }
    void next();
    void last() { m_row = m_rows.isEmpty() ? 0 : int(m_rows.size()) - 1; }
    // Moves to a row by index (0-based); false and at the end when out of range.
    bool seek(int row);
    int row() const { return m_row; }
    bool eof() const { return m_row >= m_rows.size(); }
    bool atEnd() const { return eof(); }

    // Fields of the current row.
    QString text(const QString &column) const;
    int integer(const QString &column) const;
    // Reads decimal text with either '.' or ',' as separator (areas are stored
    // as the locale shows them).
    double real(const QString &column) const;
    QVariant value(const QString &column) const;
    bool isNull(const QString &column) const;

    // For grids that show every row.
    QStringList columns() const { return m_columns; }
    QVariant value(int row, int column) const;

private:
    int columnIndex(const QString &column) const;

    QStringList m_columns;
    QHash<QString, int> m_index; // lower-cased name -> column
    QList<QVariantList> m_rows;
    int m_row = 0;
};

} // namespace lamira
