#include "store/dialect.h"

#include <QRegularExpression>

namespace lamira {

namespace {

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c.unicode() >= 0x80;
}

bool needsQuotes(QStringView word)
{
    for (QChar c : word) {
        if (c.unicode() >= 0x80)
            return true;
    }
    if (!word.front().isDigit())
        return false;
    // A number such as 10 or 2e5 stays a number; 1000mm is a column.
    static const QRegularExpression number(QStringLiteral("^[0-9]+([eE][0-9]*)?$"));
    return !number.match(word).hasMatch();
}

QString quoted(QStringView name)
{
    QString s = name.toString();
    s.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

// Index just past a literal that starts at i with the given quote; a doubled
// quote inside stands for one quote character.
qsizetype endOfQuoted(const QString &sql, qsizetype i, QChar quote)
{
    const qsizetype n = sql.size();
    ++i;
    while (i < n) {
        if (sql.at(i) == quote) {
            if (i + 1 < n && sql.at(i + 1) == quote) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return n;
}

// "Select * From T" and "Select * From T Where ...", on one table with an ID
// key and without an order of its own. The forms take such a result in
// table order: its last row is the newest, and products and lines appear
// as they were entered. SQLite returns that order by itself; PostgreSQL
// returns rows as they lie, and an updated row moves to the end.
bool inTableOrder(const QString &shape)
{
    static const QRegularExpression plainSelect(
        QStringLiteral("^\\s*Select\\s+\\*\\s+From\\s+(Orders|Make|Detail|MakeBank|DetailBank|Temp)"
                       "(\\s+Where\\b.*)?\\s*$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression ordering(QStringLiteral("\\b(Order|Group|Limit|Union)\\b"),
                                             QRegularExpression::CaseInsensitiveOption);
    return plainSelect.match(shape).hasMatch() && !ordering.match(shape).hasMatch();
}

} // namespace

QString translateStatement(const QString &sql)
{
    static const QRegularExpression deleteStar(QStringLiteral("Delete\\s*\\*\\s*From\\b"),
                                               QRegularExpression::CaseInsensitiveOption);
    QString out;
    out.reserve(sql.size() + 16);
    // The statement without its literals and comments, to recognise its shape.
    QString shape;
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype end = endOfQuoted(sql, i, c);
            out += QStringView(sql).mid(i, end - i);
            shape += c == QLatin1Char('"') ? QStringLiteral("\"x\"") : QStringLiteral("''");
            i = end;
        } else if (c == QLatin1Char('-') && i + 1 < n && sql.at(i + 1) == QLatin1Char('-')) {
            qsizetype end = sql.indexOf(QLatin1Char('\n'), i);
            end = end < 0 ? n : end;
            out += QStringView(sql).mid(i, end - i);
            i = end;
        } else if (c == QLatin1Char('[')) {
            qsizetype end = sql.indexOf(QLatin1Char(']'), i);
            end = end < 0 ? n : end;
            out += quoted(QStringView(sql).mid(i + 1, end - i - 1));
            shape += QStringLiteral("\"x\"");
            i = end < n ? end + 1 : n;
        } else if (isWordChar(c)) {
            const auto m = deleteStar.match(QStringView(sql), i, QRegularExpression::NormalMatch,
                                            QRegularExpression::AnchorAtOffsetMatchOption);
            if (m.hasMatch()) {
                out += QLatin1String("Delete From");
                shape += QLatin1String("Delete From");
                i = m.capturedEnd();
                continue;
            }
            qsizetype end = i + 1;
            while (end < n && isWordChar(sql.at(end)))
                ++end;
            const QStringView word = QStringView(sql).mid(i, end - i);
            if (needsQuotes(word))
                out += quoted(word);
            else
                out += word;
            shape += word;
            i = end;
        } else {
            out += c;
            shape += c;
            ++i;
        }
    }
    if (inTableOrder(shape))
        out += QLatin1String(" Order By ID");
    return out;
}

} // namespace lamira
