#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The arithmetic of the order sheet's rows and totals, on the cells' texts.
// Numbers are shown in the general format: no exponent, no trailing zeros,
// at most 15 significant digits, with the decimal separator given (the
// system locale's on the sheet). Rounding to n decimals takes the nearest
// value with ties to even, decided on the number's 15-digit decimal form so
// that 0.0015 rounds like the decimal it stands for.
namespace SheetNumbers {

// A length, width or quantity cell: a whole 32-bit number, blanks around it
// allowed. Empty or anything else gives nothing.
std::optional<int> wholeNumber(const QString &text);

// A real number with the given decimal separator; a point or a comma is
// accepted too, for areas stored under another locale.
std::optional<double> realNumber(const QString &text, const QString &decimalPoint);

// value rounded to `decimals` places (ties to even), as text.
QString roundedText(double value, int decimals, const QString &decimalPoint);

// The area of a row in m² from whole millimetres, as the length and width
// cells compute it: length × width × quantity × 10^-6, exact, 6 decimals.
QString areaOfWholeNumbers(qint64 length, qint64 width, qint64 quantity,
                           const QString &decimalPoint);

// The area of a products-bank line from the texts of its length and width
// (the quantity is not included): length × width × 10^-6 to 6 places, as
// the order rows compute it. Nothing while either text is empty or not a
// whole number.
std::optional<QString> bankLineArea(const QString &length, const QString &width,
                                    const QString &decimalPoint);

// The area as the quantity cell computes it, from real factors, rounded to
// 3 decimals.
QString areaOfReals(double length, double width, double quantity, const QString &decimalPoint);

// The panel's total area: the sum of the area cells that hold a number,
// rounded to 3 decimals.
QString totalArea(const QStringList &areas, const QString &decimalPoint);

// The panel's total quantity: the sum of the cells that hold a whole number.
qint64 totalQuantity(const QStringList &quantities);

} // namespace SheetNumbers
