#include "store/schema.h"

#include "store/database.h"
#include "store/storeerror.h"
#include "store/transaction.h"

#include <QStringList>

namespace lamira {

namespace {

const QStringList &tableNames()
{
    static const QStringList names{QStringLiteral("Orders"),     QStringLiteral("Make"),
                                   QStringLiteral("Detail"),     QStringLiteral("MakeBank"),
                                   QStringLiteral("DetailBank"), QStringLiteral("Tree"),
                                   QStringLiteral("Temp"),       QStringLiteral("Settings")};
    return names;
}

// Colours are kept as the Windows colour value 0x00BBGGRR, which the
// settings form shows in its colour boxes.
constexpr int vclColor(int red, int green, int blue)
{
    return red | (green << 8) | (blue << 16);
}

QStringList presentTables(Database &db)
{
    Cursor c =
        db.engine() == Database::Engine::SQLite
            ? db.select(QStringLiteral("Select name From sqlite_master Where type='table' And "
                                       "name Not Like 'sqlite%'"))
            : db.select(QStringLiteral("Select table_name As name From "
                                       "information_schema.tables Where "
                                       "table_schema = current_schema()"));
    QStringList names;
    for (; !c.eof(); c.next())
        names << c.text(QStringLiteral("name")).toLower();
    return names;
}

void createTables(Database &db)
{
    const bool sqlite = db.engine() == Database::Engine::SQLite;
    const QString key = sqlite ? QStringLiteral("Integer Primary Key Autoincrement")
                               : QStringLiteral("Integer Generated Always As Identity Primary Key");
    const QString real = sqlite ? QStringLiteral("Real") : QStringLiteral("Double Precision");
    const QStringList tables{
        QStringLiteral("Create Table Orders (ID @KEY, № Integer, Name Text, Date1 Text, "
                       "Date2 Text, Customer Text, Comment Text)"),
        QStringLiteral("Create Table Make (ID @KEY, № Integer, IDName Integer, Name Text, "
                       "Quantity Integer, Comment Text, Del Integer Default 0)"),
        QStringLiteral("Create Table Detail (ID @KEY, № Integer, IDName Integer, Name Text, "
                       "Width Integer, Height Integer, Quantity Integer, Material Text, "
                       "Texture Text, Area Text, Cut Text, Del Integer Default 0, V Text)"),
        QStringLiteral("Create Table MakeBank (ID @KEY, № Integer, IDName Integer, Name Text, "
                       "Quantity Integer, Comment Text)"),
        QStringLiteral("Create Table DetailBank (ID @KEY, № Integer, IDName Integer, Name Text, "
                       "Width Integer, Height Integer, Quantity Integer, Material Text, "
                       "Texture Text, Area Text, Cut Text, V Text)"),
        QStringLiteral("Create Table Tree (NameGroup Text, NameMaterial Text Unique, "
                       "1000mm Text, 1250mm Text, 1500mm Text, 2000mm Text, "
                       "SawHeight Integer, MinQuantity @REAL Default 0)"),
        QStringLiteral("Create Table Temp (ID @KEY, Type Text, Name Text, Cut Text)"),
        QStringLiteral("Create Table Settings (Indent Integer, ListColor Integer, "
                       "DetailColor Integer, RestColor Integer, EditorColor Integer, "
                       "FonColor Integer, OddVisible Integer, MinList Integer, "
                       "OddSize Integer, Texture Text, Logo Text, City Text, Address Text, "
                       "SalonName Text, Telephone Text)"),
    };
    for (const QString &sql : tables)
        db.execute(
            QString(sql).replace(QLatin1String("@KEY"), key).replace(QLatin1String("@REAL"), real));
    // Mirrored in README.md ("Initial settings").
    db.execute(QStringLiteral("Insert Into Settings (Indent, ListColor, DetailColor, RestColor, "
                              "EditorColor, FonColor, OddVisible, MinList, OddSize, Texture, "
                              "Logo, City, Address, SalonName, Telephone) "
                              "Values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
               {10, vclColor(250, 240, 215), vclColor(110, 170, 230), vclColor(150, 220, 150),
                vclColor(255, 200, 80), vclColor(128, 128, 128), 1, 0, 10, QStringLiteral("нет"),
                QString(""), QString(""), QString(""), QString(""), QString("")});
}

void writeVersion(Database &db, int version)
{
    // Neither statement takes bound values; the number is ours, not the user's.
    if (db.engine() == Database::Engine::SQLite)
        db.execute(QStringLiteral("PRAGMA user_version = %1").arg(version));
    else
        db.execute(QStringLiteral("Comment On Table Settings Is 'lamira-schema %1'").arg(version));
}

} // namespace

int Schema::version(Database &db)
{
    if (db.engine() == Database::Engine::SQLite)
        return db.select(QStringLiteral("PRAGMA user_version"))
            .integer(QStringLiteral("user_version"));
    const QString comment =
        db.select(QStringLiteral("Select obj_description(to_regclass('settings'), 'pg_class') "
                                 "As v"))
            .text(QStringLiteral("v"));
    static const QString prefix = QStringLiteral("lamira-schema ");
    return comment.startsWith(prefix) ? comment.mid(prefix.size()).toInt() : 0;
}

namespace {

// Where the database stands: -1 for someone else's database, else the
// stored version (0 for one without the tables). Throws for a partial set.
int inspect(Database &db)
{
    const QStringList present = presentTables(db);
    QStringList missing;
    for (const QString &name : tableNames()) {
        if (!present.contains(name.toLower()))
            missing << name;
    }
    if (missing.size() == tableNames().size()) {
        // A file full of someone else's tables is not a new database.
        return db.engine() == Database::Engine::SQLite && !present.isEmpty() ? -1 : 0;
    }
    if (!missing.isEmpty())
        throw StoreError(QStringLiteral("В базе данных нет таблиц %1").arg(missing.join(", ")));
    // Tables made by other means (a converted Orders.mdb) carry no version:
    // they are the first layout.
    return qMax(Schema::version(db), 1);
}

} // namespace

void Schema::prepare(Database &db)
{
    // The usual case, a database that is up to date, needs no lock, so a
    // program starting while another one saves does not wait.
    if (inspect(db) == Schema::CurrentVersion)
        return;

    // On SQLite the transaction takes the write lock at once and on
    // PostgreSQL the advisory lock serialises the check, so two programs
    // starting together on a new database create the tables only once.
    Transaction transaction(db);
    if (db.engine() == Database::Engine::PostgreSQL)
        db.select(QStringLiteral("Select pg_advisory_xact_lock(7446522) As locked"));

    const int from = inspect(db);
    if (from < 0)
        throw StoreError(QStringLiteral("Это не база данных Lamira: в ней нет таблиц Orders, "
                                        "Make, Detail и других"));
    if (from > Schema::CurrentVersion)
        throw StoreError(QStringLiteral("База данных создана более новой версией программы "
                                        "(версия %1)")
                             .arg(from));

    if (from <= 0)
        createTables(db);
    // Later layouts add their steps here: if (from <= 1) { ... }

    if (from < Schema::CurrentVersion)
        writeVersion(db, Schema::CurrentVersion);
    transaction.commit();
}

} // namespace lamira
