#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

namespace lamira {

// An order as the order sheet shows it: plain texts, exactly as typed or as
// read from the database. The sheet fills these to save and is filled from
// them when an order is opened.

// One detail row, its nine cells in column order.
struct OrderLine
{
    QString number;
    QString name;
    QString length; // stored in Detail.Width
    QString width;  // stored in Detail.Height
    QString quantity;
    QString material;
    QString texture; // "да" / "нет"
    QString area;    // m², as shown
    QString cut;     // "В раскрой?": "да" / "нет"

    // Only rows whose nine cells all hold text are written.
    bool isComplete() const;
};

struct OrderProduct
{
    QString number;
    QString name;
    QString quantity;
    QString comment;
    // The rows shown, without the panel's empty input row.
    QList<OrderLine> lines;
};

struct OrderHeader
{
    QString number;
    QString name;
    QString date1; // creation date, short date text
    QString date2; // delivery date
    QString customer;
    QString comment;

    // Name, both dates and customer filled; the note may be empty.
    bool isComplete() const;
};

struct OrderContent
{
    OrderHeader header;
    QList<OrderProduct> products;
};

// One row of the order list.
struct OrderListEntry
{
    qint64 id = 0;
    OrderHeader header;
};

} // namespace lamira
