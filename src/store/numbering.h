#pragma once

namespace lamira {

class Database;

// The numbers new rows take: the newest row's № (highest ID) plus 1, or 1
// when the table is empty.
int nextOrderNumber(Database &db);       // Orders
int nextBankProductNumber(Database &db); // MakeBank
int nextBankLineNumber(Database &db);    // DetailBank, over the whole table

} // namespace lamira
