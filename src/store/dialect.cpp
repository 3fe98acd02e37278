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

} // namespace

QString translateStatement(const QString &sql)
{
    static const QRegularExpression deleteStar(QStringLiteral("Delete\\s*\\*\\s*From\\b"),
                                               QRegularExpression::CaseInsensitiveOption);
    QString out;
    out.reserve(sql.size() + 16);
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype end = endOfQuoted(sql, i, c);
            out += QStringView(sql).mid(i, end - i);
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
            i = end < n ? end + 1 : n;
        } else if (isWordChar(c)) {
            const auto m = deleteStar.match(QStringView(sql), i, QRegularExpression::NormalMatch,
                                            QRegularExpression::AnchorAtOffsetMatchOption);
            if (m.hasMatch()) {
                out += QLatin1String("Delete From");
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
            i = end;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

} // namespace lamira
