#include "order_edit/sheetnumbers.h"

#include <QTest>

#include <limits>

class SheetNumbersTest final : public QObject
{
    Q_OBJECT

private slots:
    void wholeNumber_data();
    void wholeNumber();
    void realNumber_data();
    void realNumber();
    void roundedText_data();
    void roundedText();
    void areaOfWholeNumbers_data();
    void areaOfWholeNumbers();
    void areaOfReals_data();
    void areaOfReals();
    void bankLineArea_data();
    void bankLineArea();
    void totals_data();
    void totals();
};

void SheetNumbersTest::wholeNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");

    QTest::newRow("plain") << "600" << true << 600;
    QTest::newRow("blanks around") << " 42 " << true << 42;
    QTest::newRow("negative") << "-5" << true << -5;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("letter") << "6a" << false << 0;
    QTest::newRow("decimal") << "1.5" << false << 0;
    QTest::newRow("beyond 32 bits") << "99999999999" << false << 0;
}

void SheetNumbersTest::wholeNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, value);
    const auto n = SheetNumbers::wholeNumber(text);
    QCOMPARE(n.has_value(), valid);
    if (valid)
        QCOMPARE(*n, value);
}

void SheetNumbersTest::realNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("point");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("value");

    QTest::newRow("point locale") << "0.5"
                                  << "." << true << 0.5;
    QTest::newRow("comma locale") << "0,5"
                                  << "," << true << 0.5;
    QTest::newRow("point under comma locale") << "0.72"
                                              << "," << true << 0.72;
    QTest::newRow("comma under point locale") << "0,72"
                                              << "." << true << 0.72;
    QTest::newRow("whole") << "3"
                           << "." << true << 3.0;
    QTest::newRow("empty") << ""
                           << "." << false << 0.0;
    QTest::newRow("text") << "abc"
                          << "." << false << 0.0;
    QTest::newRow("infinity") << "inf"
                              << "." << false << 0.0;
}

void SheetNumbersTest::realNumber()
{
    QFETCH(QString, text);
    QFETCH(QString, point);
    QFETCH(bool, valid);
    QFETCH(double, value);
    const auto n = SheetNumbers::realNumber(text, point);
    QCOMPARE(n.has_value(), valid);
    if (valid)
        QCOMPARE(*n, value);
}

void SheetNumbersTest::roundedText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("point");
    QTest::addColumn<QString>("text");

    QTest::newRow("no trailing zeros") << 0.24 << 6 << "."
                                       << "0.24";
    QTest::newRow("to thousandths") << 0.332667 << 3 << "."
                                    << "0.333";
    QTest::newRow("down") << 0.3324 << 3 << "."
                          << "0.332";
    // Ties go to the even neighbour, judged on the decimal the double
    // stands for (0.0015 is slightly below it in binary).
    QTest::newRow("tie to even up") << 0.0015 << 3 << "."
                                    << "0.002";
    QTest::newRow("tie to even down") << 0.0025 << 3 << "."
                                      << "0.002";
    QTest::newRow("tie to zero") << 0.0005 << 3 << "."
                                 << "0";
    QTest::newRow("tie whole down") << 2.5 << 0 << "."
                                    << "2";
    QTest::newRow("tie whole up") << 3.5 << 0 << "."
                                  << "4";
    QTest::newRow("carry into the whole part") << 0.9995 << 3 << "."
                                               << "1";
    QTest::newRow("binary noise") << 0.1 + 0.2 << 3 << "."
                                  << "0.3";
    QTest::newRow("comma locale") << 1.22 << 3 << ","
                                  << "1,22";
    QTest::newRow("whole number") << 12.0 << 3 << "."
                                  << "12";
    QTest::newRow("zero") << 0.0 << 3 << "."
                          << "0";
    QTest::newRow("tiny negative is zero") << -0.0004 << 3 << "."
                                           << "0";
    QTest::newRow("negative") << -1.25 << 1 << "."
                              << "-1.2";
    QTest::newRow("small without exponent") << 0.000001 << 6 << "."
                                            << "0.000001";
    QTest::newRow("large") << 123456789.123456 << 3 << "."
                           << "123456789.123";
}

void SheetNumbersTest::roundedText()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, point);
    QFETCH(QString, text);
    QCOMPARE(SheetNumbers::roundedText(value, decimals, point), text);
}

void SheetNumbersTest::areaOfWholeNumbers_data()
{
    QTest::addColumn<qint64>("length");
    QTest::addColumn<qint64>("width");
    QTest::addColumn<qint64>("quantity");
    QTest::addColumn<QString>("area");

    QTest::newRow("600 x 400") << qint64(600) << qint64(400) << qint64(1) << "0.24";
    QTest::newRow("600 x 400 x 2") << qint64(600) << qint64(400) << qint64(2) << "0.48";
    QTest::newRow("333 x 333 x 3, six places")
        << qint64(333) << qint64(333) << qint64(3) << "0.332667";
    QTest::newRow("one square millimetre") << qint64(1) << qint64(1) << qint64(1) << "0.000001";
    QTest::newRow("a stack of sheets") << qint64(2800) << qint64(2070) << qint64(100) << "579.6";
    QTest::newRow("zero length") << qint64(0) << qint64(400) << qint64(2) << "0";
}

void SheetNumbersTest::areaOfWholeNumbers()
{
    QFETCH(qint64, length);
    QFETCH(qint64, width);
    QFETCH(qint64, quantity);
    QFETCH(QString, area);
    QCOMPARE(SheetNumbers::areaOfWholeNumbers(length, width, quantity, "."), area);
}

void SheetNumbersTest::areaOfReals_data()
{
    QTest::addColumn<double>("length");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("quantity");
    QTest::addColumn<QString>("area");

    QTest::newRow("333 x 333 x 3, three places") << 333.0 << 333.0 << 3.0 << "0.333";
    QTest::newRow("600 x 400 x 2") << 600.0 << 400.0 << 2.0 << "0.48";
    QTest::newRow("tie up to even") << 10.0 << 10.0 << 15.0 << "0.002";
    QTest::newRow("tie down to even") << 10.0 << 10.0 << 25.0 << "0.002";
}

void SheetNumbersTest::areaOfReals()
{
    QFETCH(double, length);
    QFETCH(double, width);
    QFETCH(double, quantity);
    QFETCH(QString, area);
    QCOMPARE(SheetNumbers::areaOfReals(length, width, quantity, "."), area);
}

void SheetNumbersTest::totals_data()
{
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<QString>("area");
    QTest::addColumn<qint64>("quantity");

    QTest::newRow("two rows") << QStringList{"0.5", "0.72"} << "1.22" << qint64(0);
    QTest::newRow("six places summed to three")
        << QStringList{"0.332667", "0.24", ""} << "0.573" << qint64(0);
    QTest::newRow("empty cells count as nothing") << QStringList{"", "2", ""} << "2" << qint64(2);
    QTest::newRow("no number, no harm") << QStringList{"abc", "3"} << "3" << qint64(3);
    QTest::newRow("none") << QStringList{} << "0" << qint64(0);
    QTest::newRow("quantities") << QStringList{"2", "3", "10"} << "15" << qint64(15);
}

void SheetNumbersTest::totals()
{
    QFETCH(QStringList, cells);
    QFETCH(QString, area);
    QFETCH(qint64, quantity);
    QCOMPARE(SheetNumbers::totalArea(cells, "."), area);
    QCOMPARE(SheetNumbers::totalQuantity(cells), quantity);
}

void SheetNumbersTest::bankLineArea_data()
{
    QTest::addColumn<QString>("length");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("point");
    QTest::addColumn<QString>("area"); // empty: no area

    QTest::newRow("600 x 400") << "600"
                               << "400"
                               << "."
                               << "0.24";
    QTest::newRow("comma locale") << "600"
                                  << "400"
                                  << ","
                                  << "0,24";
    QTest::newRow("six places") << "333"
                                << "333"
                                << "."
                                << "0.110889";
    QTest::newRow("blanks around") << " 1 "
                                   << "1"
                                   << "."
                                   << "0.000001";
    QTest::newRow("width missing") << "600"
                                   << ""
                                   << "."
                                   << "";
    QTest::newRow("not a whole number") << "600"
                                        << "40,5"
                                        << "."
                                        << "";
}

void SheetNumbersTest::bankLineArea()
{
    QFETCH(QString, length);
    QFETCH(QString, width);
    QFETCH(QString, point);
    QFETCH(QString, area);
    QCOMPARE(SheetNumbers::bankLineArea(length, width, point).value_or(QString()), area);
}

QTEST_APPLESS_MAIN(SheetNumbersTest)
#include "tst_sheetnumbers.moc"
