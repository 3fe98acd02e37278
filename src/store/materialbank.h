#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace lamira {

class Database;

// The materials bank, table Tree: one row per material with its group, the
// sheet heights it is sold in and the saw width. A group has no row of its
// own; it exists as the NameGroup of its materials.
//
// Names are compared as exact, case-sensitive text on both engines ("ДСП"
// and "дсп" are two materials). Every value is bound, so names with
// apostrophes work everywhere. Failures throw StoreError.
namespace MaterialBank {

// The sheet height classes of a material, one Tree column each.
inline constexpr int SheetHeights[] = {1000, 1250, 1500, 2000};

struct Material
{
    QString group;
    QString name;
    // Allowed sheet heights: the columns 1000mm ... 2000mm holding 'V'.
    bool allow1000 = false;
    bool allow1250 = false;
    bool allow1500 = false;
    bool allow2000 = false;
    int sawHeight = 0; // saw width, mm; a value never set reads 0
    double minQuantity = 0;

    bool allows(int sheetHeight) const;
};

struct Group
{
    QString name;
    QStringList materials;
};

// The tree of the bank form: groups in ascending order of name (code-point
// order, the same on every engine and server collation), each with its
// materials in the order the database returns them.
QList<Group> groups(Database &db);

// The material's row; nothing when there is none.
std::optional<Material> material(Database &db, const QString &name);

bool groupExists(Database &db, const QString &group);
bool materialExists(Database &db, const QString &name);

// "Добавить материал": stores the material in the group with no sheet height
// allowed and saw width 0. False, and nothing written, when a material of
// that name exists in any group ("Такой материал уже существует").
bool addMaterial(Database &db, const QString &group, const QString &name);

// Renames the material. False when a material of the new name exists, its
// own name included ("Материал с таким именем уже существует"). Order and
// bank rows naming the old name keep it: the next cut run reports it as
// missing from the bank.
bool renameMaterial(Database &db, const QString &oldName, const QString &newName);

// Renames the group of every material in it. False when a group of the new
// name has materials, its own name included ("Группа с таким именем уже
// существует"). A group without materials changes no row.
bool renameGroup(Database &db, const QString &oldName, const QString &newName);

// Deletes the material; deleting a group deletes all its materials.
// Both return the number of rows deleted.
int deleteMaterial(Database &db, const QString &name);
int deleteGroup(Database &db, const QString &group);

// Double click on a size box: turns the stored flag of that height ('V' <->
// ' ') and returns the new state, or nothing when the material has no row.
// sheetHeight must be one of SheetHeights.
std::optional<bool> toggleSize(Database &db, const QString &name, int sheetHeight);

// The saw width typed into SawHeight. Stored only when the text is a whole
// number of millimetres from 0 to MaxJobSaw; other text (a half-typed "4a",
// a negative width that would make details overlap) leaves the stored
// value. True when it was stored.
bool setSawWidth(Database &db, const QString &name, const QString &text);

// The minimum quantity typed into `min`: a real number, with a point or a
// comma. False, and nothing stored, when the text is no number ("Неправильный
// ввод числа").
bool setMinQuantity(Database &db, const QString &name, const QString &text);

} // namespace MaterialBank

} // namespace lamira
