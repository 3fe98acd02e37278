#include "order_edit/sheetnumbers.h"

#include <cmath>
#include <limits>

namespace SheetNumbers {

namespace {

// Adds one to a string of decimal digits.
QString incremented(QString digits)
{
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] != QLatin1Char('9')) {
            digits[i] = QChar(digits[i].unicode() + 1);
            return digits;
        }
        digits[i] = QLatin1Char('0');
    }
    return QLatin1Char('1') + digits;
}

// Rounds the decimal intPart.fracPart to `decimals` places, ties to even,
// and writes it in the general format.
QString formatDecimal(bool negative, QString intPart, QString fracPart, int decimals,
                      const QString &decimalPoint)
{
    if (fracPart.size() > decimals) {
        const QString rest = fracPart.mid(decimals);
        fracPart.truncate(decimals);
        bool up = false;
        if (rest[0] > QLatin1Char('5')) {
            up = true;
        } else if (rest[0] == QLatin1Char('5')) {
            bool exactHalf = true;
            for (qsizetype i = 1; i < rest.size(); ++i) {
                if (rest[i] != QLatin1Char('0')) {
                    exactHalf = false;
                    break;
                }
            }
            const QString kept = intPart + fracPart;
            const bool lastOdd = (kept.back().unicode() - '0') % 2 == 1;
            up = !exactHalf || lastOdd;
        }
        if (up) {
            const QString all = incremented(intPart + fracPart);
            intPart = all.left(all.size() - decimals);
            fracPart = all.right(decimals);
        }
    }
    while (!fracPart.isEmpty() && fracPart.back() == QLatin1Char('0'))
        fracPart.chop(1);
    qsizetype lead = 0;
    while (lead < intPart.size() - 1 && intPart[lead] == QLatin1Char('0'))
        ++lead;
    intPart = intPart.mid(lead);
    if (intPart.isEmpty())
        intPart = QStringLiteral("0");
    const bool zero = intPart == QLatin1String("0") && fracPart.isEmpty();
    QString text = (negative && !zero) ? QStringLiteral("-") : QString();
    text += intPart;
    if (!fracPart.isEmpty())
        text += decimalPoint + fracPart;
    return text;
}

} // namespace

std::optional<int> wholeNumber(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

std::optional<double> realNumber(const QString &text, const QString &decimalPoint)
{
    QString s = text.trimmed();
    if (decimalPoint != QLatin1String("."))
        s.replace(decimalPoint, QLatin1String("."));
    // Areas written under a comma locale read the same anywhere.
    s.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = s.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString roundedText(double value, int decimals, const QString &decimalPoint)
{
    if (!std::isfinite(value))
        return QString::number(value);
    // 15 significant digits, as d.dddddddddddddde±x.
    const QString e = QString::number(std::fabs(value), 'e', 14);
    const qsizetype ePos = e.indexOf(QLatin1Char('e'));
    const QString digits = e.left(1) + e.mid(2, ePos - 2);
    const int exponent = e.mid(ePos + 1).toInt();
    const int pointPos = exponent + 1; // digits before the decimal point
    QString intPart, fracPart;
    if (pointPos <= 0) {
        intPart = QStringLiteral("0");
        fracPart = QString(-pointPos, QLatin1Char('0')) + digits;
    } else if (pointPos >= digits.size()) {
        intPart = digits + QString(pointPos - digits.size(), QLatin1Char('0'));
    } else {
        intPart = digits.left(pointPos);
        fracPart = digits.mid(pointPos);
    }
    return formatDecimal(value < 0, intPart, fracPart, decimals, decimalPoint);
}

QString areaOfWholeNumbers(qint64 length, qint64 width, qint64 quantity,
                           const QString &decimalPoint)
{
    qint64 product = 0;
    if (__builtin_mul_overflow(length, width, &product) ||
        __builtin_mul_overflow(product, quantity, &product) ||
        product == std::numeric_limits<qint64>::min()) {
        return roundedText(double(length) * double(width) * double(quantity) * 1e-6, 6,
                           decimalPoint);
    }
    // Square millimetres to square metres: six places, exact.
    QString digits = QString::number(product < 0 ? -product : product);
    if (digits.size() < 7)
        digits = QString(7 - digits.size(), QLatin1Char('0')) + digits;
    return formatDecimal(product < 0, digits.left(digits.size() - 6), digits.right(6), 6,
                         decimalPoint);
}

std::optional<QString> bankLineArea(const QString &length, const QString &width,
                                    const QString &decimalPoint)
{
    const auto l = wholeNumber(length);
    const auto w = wholeNumber(width);
    if (!l || !w)
        return std::nullopt;
    return areaOfWholeNumbers(*l, *w, 1, decimalPoint);
}

QString areaOfReals(double length, double width, double quantity, const QString &decimalPoint)
{
    return roundedText(length * width * quantity * 0.000001, 3, decimalPoint);
}

QString totalArea(const QStringList &areas, const QString &decimalPoint)
{
    double sum = 0;
    for (const QString &area : areas) {
        if (const auto value = realNumber(area, decimalPoint))
            sum += *value;
    }
    return roundedText(sum, 3, decimalPoint);
}

qint64 totalQuantity(const QStringList &quantities)
{
    qint64 sum = 0;
    for (const QString &quantity : quantities) {
        if (const auto value = wholeNumber(quantity))
            sum += *value;
    }
    return sum;
}

} // namespace SheetNumbers
