#include "store/database.h"

#include "store/dialect.h"
#include "store/schema.h"
#include "store/storeerror.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>
#include <QUrlQuery>

#include <atomic>

namespace lamira {

namespace {

// Long enough to outwait another workstation's save, short enough that a
// stuck lock ends in a message rather than a frozen window.
constexpr int SqliteBusyTimeoutMs = 10000;

QString nextConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("lamira-%1").arg(++counter);
}

QString serverDisplayName(const QUrl &url)
{
    QUrl shown = url;
    shown.setPassword(QString());
    shown.setQuery(QString());
    return shown.toString();
}

} // namespace

bool Database::isServerLocation(const QString &location)
{
    return location.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive) ||
           location.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
}

QString Database::defaultLocation()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Orders.mdb"));
}

Database::Database(const QString &location) : m_connectionName(nextConnectionName())
{
    QSqlDatabase db;
    if (isServerLocation(location)) {
        m_engine = Engine::PostgreSQL;
        const QUrl url(location);
        m_displayName = serverDisplayName(url);
        if (!url.isValid() || url.host().isEmpty())
            throw StoreError(QStringLiteral("Неверный адрес базы данных %1").arg(m_displayName));
        db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_connectionName);
        db.setHostName(url.host());
        db.setPort(url.port(5432));
        db.setUserName(url.userName());
        db.setPassword(url.password());
        QString name = url.path(QUrl::FullyDecoded);
        if (name.startsWith(QLatin1Char('/')))
            name.remove(0, 1);
        db.setDatabaseName(name);
        QStringList options;
        const auto items = QUrlQuery(url).queryItems(QUrl::FullyDecoded);
        for (const auto &item : items)
            options << item.first + QLatin1Char('=') + item.second;
        db.setConnectOptions(options.join(QLatin1Char(';')));
    } else {
        m_engine = Engine::SQLite;
        m_displayName = QDir::toNativeSeparators(QFileInfo(location).absoluteFilePath());
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        db.setDatabaseName(location);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(SqliteBusyTimeoutMs));
    }
    if (!db.isValid()) {
        const QString driverText = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
        throw StoreError(QStringLiteral("Нет драйвера базы данных для %1").arg(m_displayName),
                         driverText);
    }

    try {
        if (!db.open())
            throw StoreError(QString(), db.lastError().text());
        if (m_engine == Engine::SQLite) {
            // WAL lets other processes read while one writes; it is stored in
            // the file, so setting it again on every open is harmless.
            runPlain(QStringLiteral("PRAGMA journal_mode=WAL"));
        }
        Schema::prepare(*this);
    } catch (const StoreError &e) {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
        const QString what = m_engine == Engine::SQLite
                                 ? QStringLiteral("Не удалось открыть базу данных %1")
                                 : QStringLiteral("Не удалось подключиться к базе данных %1");
        QString driverText = e.driverText();
        if (!e.message().isEmpty())
            driverText =
                e.message() + (driverText.isEmpty() ? QString() : QLatin1String(": ")) + driverText;
        throw StoreError(what.arg(m_displayName), driverText, e.statement());
    }
}

Database::~Database()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        if (m_transactionDepth > 0 && db.isOpen()) {
            QSqlQuery q(db);
            q.exec(QStringLiteral("ROLLBACK"));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
}

int Database::schemaVersion()
{
    return Schema::version(*this);
}

QSqlQuery Database::run(const QString &sql, const QVariantList &values)
{
    QSqlQuery q(QSqlDatabase::database(m_connectionName, false));
    q.setForwardOnly(true);
    const QString text = translateStatement(sql);
    bool ok;
    if (values.isEmpty()) {
        ok = q.exec(text);
    } else {
        ok = q.prepare(text);
        if (ok) {
            for (const QVariant &v : values)
                q.addBindValue(v);
            ok = q.exec();
        }
    }
    if (!ok)
        throw StoreError(QStringLiteral("Ошибка базы данных %1").arg(m_displayName),
                         q.lastError().text(), sql);
    return q;
}

void Database::runPlain(const QString &sql)
{
    QSqlQuery q(QSqlDatabase::database(m_connectionName, false));
    if (!q.exec(sql))
        throw StoreError(QStringLiteral("Ошибка базы данных %1").arg(m_displayName),
                         q.lastError().text(), sql);
}

Cursor Database::select(const QString &sql, const QVariantList &values)
{
    QSqlQuery q = run(sql, values);
    const QSqlRecord record = q.record();
    QStringList columns;
    columns.reserve(record.count());
    for (int i = 0; i < record.count(); ++i)
        columns << record.fieldName(i);
    QList<QVariantList> rows;
    while (q.next()) {
        QVariantList row;
        row.reserve(columns.size());
        for (int i = 0; i < columns.size(); ++i)
            row << q.value(i);
        rows << row;
    }
    q.finish();
    return Cursor(std::move(columns), std::move(rows));
}

int Database::execute(const QString &sql, const QVariantList &values)
{
    QSqlQuery q = run(sql, values);
    const int affected = q.numRowsAffected();
    q.finish();
    return affected;
}

qint64 Database::insert(const QString &sql, const QVariantList &values)
{
    // Both engines hand the new key back with the statement itself, so a
    // row inserted meanwhile by another workstation cannot be mistaken for it.
    QSqlQuery q = run(sql + QLatin1String(" RETURNING ID"), values);
    if (!q.next())
        throw StoreError(QStringLiteral("Ошибка базы данных %1").arg(m_displayName),
                         QStringLiteral("no key returned"), sql);
    const qint64 id = q.value(0).toLongLong();
    q.finish();
    return id;
}

void Database::begin()
{
    if (m_transactionDepth == 0) {
        // IMMEDIATE takes SQLite's write lock at once: a transaction that
        // reads first and writes later could otherwise fail with "database
        // is locked" when another process wrote in between.
        runPlain(m_engine == Engine::SQLite ? QStringLiteral("BEGIN IMMEDIATE")
                                            : QStringLiteral("BEGIN"));
        m_rollbackOnly = false;
    }
    ++m_transactionDepth;
}

void Database::commit()
{
    if (m_transactionDepth == 0)
        return;
    if (m_transactionDepth > 1) {
        --m_transactionDepth;
        return;
    }
    if (m_rollbackOnly) {
        rollback();
        throw StoreError(QStringLiteral("Изменения в базе данных %1 отменены: вложенная "
                                        "операция завершилась ошибкой")
                             .arg(m_displayName));
    }
    try {
        runPlain(QStringLiteral("COMMIT"));
    } catch (...) {
        rollback();
        throw;
    }
    m_transactionDepth = 0;
}

void Database::rollback() noexcept
{
    if (m_transactionDepth == 0)
        return;
    if (m_transactionDepth > 1) {
        // An inner guard cannot undo only its own part: the whole transaction
        // must not be committed any more.
        m_rollbackOnly = true;
        --m_transactionDepth;
        return;
    }
    m_transactionDepth = 0;
    m_rollbackOnly = false;
    QSqlQuery q(QSqlDatabase::database(m_connectionName, false));
    q.exec(QStringLiteral("ROLLBACK"));
}

} // namespace lamira
