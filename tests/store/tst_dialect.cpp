#include "store/dialect.h"

#include <QTest>

using lamira::translateStatement;

// The statements later forms write in the program's dialect, and what the
// engines get.
class DialectTest final : public QObject
{
    Q_OBJECT

private slots:
    void translate_data();
    void translate();
};

void DialectTest::translate_data()
{
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("sent");

    QTest::newRow("numero sign") << "Update Orders Set Comment=? Where №=?"
                                 << "Update Orders Set Comment=? Where \"№\"=?";
    QTest::newRow("numero in a column list")
        << "Insert Into Make (№,IDName,Name,Quantity,Del) Values (?,?,?,?,0)"
        << "Insert Into Make (\"№\",IDName,Name,Quantity,Del) Values (?,?,?,?,0)";
    QTest::newRow("order by numero") << "Select * From DetailBank Where IDName=? Order By №"
                                     << "Select * From DetailBank Where IDName=? Order By \"№\"";
    QTest::newRow("size column") << "Update Tree Set 1000mm=' ' Where (NameMaterial=?)"
                                 << "Update Tree Set \"1000mm\"=' ' Where (NameMaterial=?)";
    QTest::newRow("all size columns")
        << "Select 1000mm,1250mm, 1500mm ,2000mm From Tree"
        << "Select \"1000mm\",\"1250mm\", \"1500mm\" ,\"2000mm\" From Tree";
    QTest::newRow("literals untouched")
        << "Select * From Tree Where NameMaterial='1000mm № ''x'' Delete * From'"
        << "Select * From Tree Where NameMaterial='1000mm № ''x'' Delete * From'";
    QTest::newRow("russian literal") << "Update Detail Set Texture='нет' Where V='V'"
                                     << "Update Detail Set Texture='нет' Where V='V'";
    QTest::newRow("already quoted") << "Select \"№\" From Orders"
                                    << "Select \"№\" From Orders";
    QTest::newRow("brackets") << "Select [№], [1250mm] From Tree"
                              << "Select \"№\", \"1250mm\" From Tree";
    QTest::newRow("numbers stay numbers") << "Update Make Set Del=0 Where ID=10 And Quantity>2e3"
                                          << "Update Make Set Del=0 Where ID=10 And Quantity>2e3";
    QTest::newRow("delete star") << "Delete * From Detail Where Del=1"
                                 << "Delete From Detail Where Del=1";
    QTest::newRow("delete star, other spacing and case") << "delete  *from   Temp"
                                                         << "Delete From   Temp";
    QTest::newRow("plain delete") << "Delete From Temp"
                                  << "Delete From Temp";
    QTest::newRow("comment") << "Select 1 -- № '"
                             << "Select 1 -- № '";
    QTest::newRow("unterminated literal") << "Select '№"
                                          << "Select '№";
}

void DialectTest::translate()
{
    QFETCH(QString, written);
    QFETCH(QString, sent);
    QCOMPARE(translateStatement(written), sent);
}

QTEST_APPLESS_MAIN(DialectTest)
#include "tst_dialect.moc"
