#pragma once

#include <QString>

class QWidget;

namespace lamira {
class Database;
}

// A plain list of the materials bank to pick a row's material from. Returns
// the chosen name, or `start` when the user cancels or the bank is empty.
QString chooseMaterialFromBank(QWidget *parent, lamira::Database &database, const QString &start);
