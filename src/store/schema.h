#pragma once

namespace lamira {

class Database;

// The tables of the program's database and their upgrades.
//
// The version lives in the database itself (SQLite's user_version; on
// PostgreSQL the comment of the Settings table), so a file written by an
// older program keeps opening: prepare() walks a flat ladder of upgrade
// steps from the stored version to the current one in one transaction.
namespace Schema {

constexpr int CurrentVersion = 1;

// Creates the tables and the Settings row of a new database, or upgrades an
// existing one. Throws StoreError for a database that is not this program's.
void prepare(Database &db);

// The stored version; 0 for a database without one.
int version(Database &db);

} // namespace Schema

} // namespace lamira
