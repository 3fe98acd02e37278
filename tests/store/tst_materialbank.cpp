#include "store/database.h"
#include "store/materialbank.h"
#include "testdatabase.h"

#include <QTest>

#include <memory>

using lamira::Database;
using lamira::test::TestDatabase;
namespace MaterialBank = lamira::MaterialBank;

namespace {

// Names with apostrophes, which ended the quoted literals of the old
// statements.
const QString Chipboard = "ЛДСП 'Эгер'";
const QString Beech = "Бук 'Натур'";

QString column(Database &db, const QString &material, const QString &name)
{
    return db
        .select(QStringLiteral("Select %1 From Tree Where NameMaterial=?").arg(name), {material})
        .text(name);
}

QStringList names(const QList<MaterialBank::Group> &groups)
{
    QStringList out;
    for (const MaterialBank::Group &g : groups)
        out << g.name + ": " + g.materials.join(", ");
    return out;
}

} // namespace

class MaterialBankTest final : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_fixture = std::make_unique<TestDatabase>(); }
    void cleanup() { m_fixture.reset(); }

    void emptyBank();
    void groupsAscendingMaterialsInTableOrder();
    void addedMaterialHasNoSizesAndNoSaw();
    void existingMaterialIsNotAddedTwice();
    void namesDifferingInCaseAreTwoMaterials();
    void toggleRoundTrip_data();
    void toggleRoundTrip();
    void sawWidth_data();
    void sawWidth();
    void minQuantity_data();
    void minQuantity();
    void renameMaterial();
    void renameGroup();
    void deleteGroupRemovesEveryRow();

private:
    Database &db() { return m_fixture->db(); }
    std::unique_ptr<TestDatabase> m_fixture;
};

void MaterialBankTest::emptyBank()
{
    QVERIFY(MaterialBank::groups(db()).isEmpty());
    QVERIFY(!MaterialBank::material(db(), Beech));
    QVERIFY(!MaterialBank::groupExists(db(), Chipboard));
    QVERIFY(!MaterialBank::materialExists(db(), Beech));
    QVERIFY(!MaterialBank::toggleSize(db(), Beech, 1000));
}

void MaterialBankTest::groupsAscendingMaterialsInTableOrder()
{
    QVERIFY(MaterialBank::addMaterial(db(), "МДФ", "Белый"));
    QVERIFY(MaterialBank::addMaterial(db(), Chipboard, Beech));
    QVERIFY(MaterialBank::addMaterial(db(), "ДВП", "Серый"));
    QVERIFY(MaterialBank::addMaterial(db(), Chipboard, "Акация"));
    QVERIFY(MaterialBank::addMaterial(db(), "МДФ", "Антрацит"));

    QCOMPARE(
        names(MaterialBank::groups(db())),
        (QStringList{"ДВП: Серый", Chipboard + ": " + Beech + ", Акация", "МДФ: Белый, Антрацит"}));
    QVERIFY(MaterialBank::groupExists(db(), Chipboard));
    QVERIFY(MaterialBank::materialExists(db(), Beech));
    QVERIFY(!MaterialBank::groupExists(db(), Beech));
}

void MaterialBankTest::addedMaterialHasNoSizesAndNoSaw()
{
    QVERIFY(MaterialBank::addMaterial(db(), Chipboard, Beech));
    const auto m = MaterialBank::material(db(), Beech);
    QVERIFY(m);
    QCOMPARE(m->group, Chipboard);
    QCOMPARE(m->name, Beech);
    for (int height : MaterialBank::SheetHeights)
        QVERIFY(!m->allows(height));
    QCOMPARE(m->sawHeight, 0);
    QCOMPARE(m->minQuantity, 0.0);
    QCOMPARE(db().select("Select * From Tree").rowCount(), 1);
}

void MaterialBankTest::existingMaterialIsNotAddedTwice()
{
    QVERIFY(MaterialBank::addMaterial(db(), Chipboard, Beech));
    // In any group.
    QVERIFY(!MaterialBank::addMaterial(db(), "МДФ", Beech));
    QVERIFY(!MaterialBank::addMaterial(db(), Chipboard, Beech));
    QCOMPARE(db().select("Select * From Tree").rowCount(), 1);
    QCOMPARE(MaterialBank::material(db(), Beech)->group, Chipboard);
}

void MaterialBankTest::namesDifferingInCaseAreTwoMaterials()
{
    QVERIFY(MaterialBank::addMaterial(db(), "Плиты", "ДСП"));
    QVERIFY(MaterialBank::addMaterial(db(), "плиты", "дсп"));
    QVERIFY(MaterialBank::setSawWidth(db(), "дсп", "5"));
    QCOMPARE(MaterialBank::material(db(), "ДСП")->sawHeight, 0);
    QCOMPARE(MaterialBank::material(db(), "дсп")->sawHeight, 5);
    QCOMPARE(MaterialBank::material(db(), "дсп")->group, QString("плиты"));
    QCOMPARE(MaterialBank::groups(db()).size(), 2);
    QVERIFY(!MaterialBank::materialExists(db(), "Дсп"));
}

void MaterialBankTest::toggleRoundTrip_data()
{
    QTest::addColumn<int>("height");
    for (int height : MaterialBank::SheetHeights)
        QTest::addRow("%d", height) << height;
}

void MaterialBankTest::toggleRoundTrip()
{
    QFETCH(int, height);
    const QString name = QStringLiteral("%1mm").arg(height);
    QVERIFY(MaterialBank::addMaterial(db(), Chipboard, Beech));
    QVERIFY(MaterialBank::addMaterial(db(), Chipboard, "Другой"));

    QCOMPARE(MaterialBank::toggleSize(db(), Beech, height), std::optional<bool>(true));
    QCOMPARE(column(db(), Beech, name), QString("V"));
    QVERIFY(MaterialBank::material(db(), Beech)->allows(height));
    for (int other : MaterialBank::SheetHeights) {
        if (other != height)
            QVERIFY(!MaterialBank::material(db(), Beech)->allows(other));
    }
    QCOMPARE(column(db(), "Другой", name), QString());

    QCOMPARE(MaterialBank::toggleSize(db(), Beech, height), std::optional<bool>(false));
    QCOMPARE(column(db(), Beech, name), QString(" "));
    QVERIFY(!MaterialBank::material(db(), Beech)->allows(height));
    QCOMPARE(MaterialBank::toggleSize(db(), Beech, height), std::optional<bool>(true));
    QCOMPARE(column(db(), Beech, name), QString("V"));
}

void MaterialBankTest::sawWidth_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("stored");
    QTest::addColumn<int>("width");

    QTest::newRow("4") << "4" << true << 4;
    QTest::newRow("blanks around") << " 6 " << true << 6;
    QTest::newRow("0") << "0" << true << 0;
    QTest::newRow("4a") << "4a" << false << 3;
    QTest::newRow("empty") << "" << false << 3;
    QTest::newRow("decimal") << "4.5" << false << 3;
    QTest::newRow("negative") << "-4" << false << 3;
    QTest::newRow("beyond a saw") << "1001" << false << 3;
}

void MaterialBankTest::sawWidth()
{
    QFETCH(QString, text);
    QFETCH(bool, stored);
    QFETCH(int, width);
    QVERIFY(MaterialBank::addMaterial(db(), Chipboard, Beech));
    QVERIFY(MaterialBank::setSawWidth(db(), Beech, "3"));
    QCOMPARE(MaterialBank::setSawWidth(db(), Beech, text), stored);
    QCOMPARE(MaterialBank::material(db(), Beech)->sawHeight, width);
}

void MaterialBankTest::minQuantity_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("stored");
    QTest::addColumn<double>("quantity");

    QTest::newRow("whole") << "3" << true << 3.0;
    QTest::newRow("point") << "2.5" << true << 2.5;
    QTest::newRow("comma") << "2,5" << true << 2.5;
    QTest::newRow("letters") << "много" << false << 1.0;
    QTest::newRow("empty") << "" << false << 1.0;
}

void MaterialBankTest::minQuantity()
{
    QFETCH(QString, text);
    QFETCH(bool, stored);
    QFETCH(double, quantity);
    QVERIFY(MaterialBank::addMaterial(db(), Chipboard, Beech));
    QVERIFY(MaterialBank::setMinQuantity(db(), Beech, "1"));
    QCOMPARE(MaterialBank::setMinQuantity(db(), Beech, text), stored);
    QCOMPARE(MaterialBank::material(db(), Beech)->minQuantity, quantity);
}

void MaterialBankTest::renameMaterial()
{
    QVERIFY(MaterialBank::addMaterial(db(), Chipboard, Beech));
    QVERIFY(MaterialBank::addMaterial(db(), Chipboard, "Орех"));
    QVERIFY(MaterialBank::toggleSize(db(), Beech, 2000));
    db().execute("Insert Into Detail (Name, Material) Values (?, ?)", {"Бок", Beech});

    QVERIFY(!MaterialBank::renameMaterial(db(), Beech, Beech));
    QVERIFY(!MaterialBank::renameMaterial(db(), Beech, "Орех"));
    QVERIFY(MaterialBank::material(db(), Beech));

    QVERIFY(MaterialBank::renameMaterial(db(), Beech, "Бук 'Светлый'"));
    QVERIFY(!MaterialBank::material(db(), Beech));
    const auto renamed = MaterialBank::material(db(), "Бук 'Светлый'");
    QVERIFY(renamed);
    QVERIFY(renamed->allow2000);
    QCOMPARE(renamed->group, Chipboard);
    // Order rows keep the old name.
    QCOMPARE(db().select("Select * From Detail").text("Material"), Beech);
}

void MaterialBankTest::renameGroup()
{
    QVERIFY(MaterialBank::addMaterial(db(), Chipboard, Beech));
    QVERIFY(MaterialBank::addMaterial(db(), Chipboard, "Орех"));
    QVERIFY(MaterialBank::addMaterial(db(), "МДФ", "Белый"));

    QVERIFY(!MaterialBank::renameGroup(db(), Chipboard, Chipboard));
    QVERIFY(!MaterialBank::renameGroup(db(), Chipboard, "МДФ"));
    QVERIFY(MaterialBank::renameGroup(db(), Chipboard, "Плиты 'Эгер'"));
    QCOMPARE(names(MaterialBank::groups(db())),
             (QStringList{"МДФ: Белый", "Плиты 'Эгер': " + Beech + ", Орех"}));
    // A group that has no materials yet changes no row.
    QVERIFY(MaterialBank::renameGroup(db(), "Пустая", "Другая"));
    QCOMPARE(db().select("Select * From Tree").rowCount(), 3);
}

void MaterialBankTest::deleteGroupRemovesEveryRow()
{
    QVERIFY(MaterialBank::addMaterial(db(), Chipboard, Beech));
    QVERIFY(MaterialBank::addMaterial(db(), "МДФ", "Белый"));
    QVERIFY(MaterialBank::addMaterial(db(), Chipboard, "Орех"));
    QCOMPARE(MaterialBank::deleteGroup(db(), Chipboard), 2);
    QCOMPARE(names(MaterialBank::groups(db())), QStringList{"МДФ: Белый"});
    QCOMPARE(MaterialBank::deleteMaterial(db(), "Белый"), 1);
    QVERIFY(MaterialBank::groups(db()).isEmpty());
}

QTEST_GUILESS_MAIN(MaterialBankTest)
#include "tst_materialbank.moc"
