#include "maps_ui/mapedit.h"
#include "runfixture.h"

#include <QTest>

using lamira::CTree;
using lamira::Detail;
using lamira::MapEdit;
using lamira::OwnedMaps;
using lamira::test::RunFixture;

namespace {

struct DetailState
{
    int width;
    int height;
    bool placed;
    bool operator==(const DetailState &) const = default;
};

std::vector<DetailState> states(const std::vector<Detail *> &details)
{
    std::vector<DetailState> out;
    for (const Detail *d : details)
        out.push_back({d->Width, d->Height, d->IsPlaced});
    return out;
}

} // namespace

class MapEditTest final : public QObject
{
    Q_OBJECT

private slots:
    void onePerPhysicalSheet();
    void applyingUnchangedMergesBack();
    void emptiedCopyIsDropped();
    void fits_data();
    void fits();
    void dropOnAnAreaOfItsSize();
    void dropOnTheSheetOfAnEmptyCopy();
    void dropFromTheOtherWorkArea();
    void uncutDetailsOfTheMaterial();
    void cancelRestoresRecordsAndLists();
    void mergingStaysWithinTheMaterial();
    void scales();
};

void MapEditTest::onePerPhysicalSheet()
{
    RunFixture f;
    Detail &a = f.detail("А", 1000, 500);
    Detail &b = f.detail("Б", 700, 500);
    OwnedMaps maps;
    maps.push_back(RunFixture::sheet(2800, 2070, 4, {&a}, 3));
    maps.push_back(RunFixture::sheet(2800, 2070, 4, {&b}));
    f.file("ЛДСП", std::move(maps));
    f.fileMaps("МДФ", 1);
    QCOMPARE(int(f.run.Maps.size()), 3);

    MapEdit edit(f.run, 0);
    QCOMPARE(edit.material(), std::string("ЛДСП"));
    QCOMPARE(int(edit.EditorMaps.size()), 4);
    for (int i = 0; i < 4; ++i) {
        const CTree &copy = *edit.EditorMaps[size_t(i)];
        QCOMPARE(copy.Count, 1);
        QVERIFY(copy.Edited);
        QCOMPARE(copy.Piece->Item, i < 3 ? &a : &b);
        QCOMPARE(copy.Hint,
                 std::string(i < 3 ? "1 из 3 , материал : ЛДСП" : "2 из 3 , материал : ЛДСП"));
    }
    // The run's maps keep their counts until the edit is applied.
    QCOMPARE(f.run.Maps[0]->Count, 3);
    QVERIFY(f.run.Maps[2]->Hint.empty());
}

void MapEditTest::applyingUnchangedMergesBack()
{
    RunFixture f;
    Detail &a = f.detail("А", 1000, 500);
    OwnedMaps maps;
    maps.push_back(RunFixture::sheet(2800, 2070, 4, {&a}, 3));
    f.file("ЛДСП", std::move(maps));

    MapEdit edit(f.run, 0);
    QCOMPARE(int(edit.EditorMaps.size()), 3);
    edit.Apply({});
    edit.Finish();
    const OwnedMaps &result = f.run.MapStore.Slot(0).Maps;
    QCOMPARE(int(result.size()), 1);
    QCOMPARE(result[0]->Count, 3);
    QCOMPARE(f.run.Maps, f.run.MapStore.View(0));
}

void MapEditTest::emptiedCopyIsDropped()
{
    RunFixture f;
    Detail &a = f.detail("А", 1000, 500);
    OwnedMaps maps;
    maps.push_back(RunFixture::sheet(2800, 2070, 4, {&a}, 2));
    f.file("ЛДСП", std::move(maps));

    MapEdit edit(f.run, 0);
    edit.UpperMap = std::move(edit.EditorMaps.front());
    edit.EditorMaps.erase(edit.EditorMaps.begin());
    MapEdit::TakeOff(a, *edit.UpperMap, nullptr);
    QVERIFY(edit.UpperMap->IsLeaf());
    QVERIFY(edit.UpperMap->Free);
    QVERIFY(!a.IsPlaced);

    edit.Apply({&a});
    edit.Finish();
    const OwnedMaps &result = f.run.MapStore.Slot(0).Maps;
    QCOMPARE(int(result.size()), 1);
    QCOMPARE(result[0]->Count, 1);
    QVERIFY(!result[0]->IsEmpty());
    // The detail of the list area is uncut again, and one of the run's.
    QCOMPARE(f.run.UncutDetails, std::vector<Detail *>{&a});
    QCOMPARE(f.run.RunDetails, std::vector<Detail *>{&a});
}

void MapEditTest::fits_data()
{
    QTest::addColumn<int>("areaWidth");
    QTest::addColumn<int>("areaHeight");
    QTest::addColumn<bool>("root");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("fits");
    QTest::newRow("exact free area") << 600 << 400 << false << 600 << 400 << true;
    QTest::newRow("too wide") << 600 << 400 << false << 601 << 400 << false;
    QTest::newRow("too high") << 600 << 400 << false << 600 << 401 << false;
    QTest::newRow("fits only turned") << 400 << 600 << false << 600 << 400 << false;
    QTest::newRow("sheet as high as the detail") << 2000 << 1000 << true << 500 << 1000 << false;
    QTest::newRow("sheet with room for the saw") << 2000 << 1000 << true << 500 << 996 << true;
    QTest::newRow("sheet as long as the detail") << 2000 << 1000 << true << 2000 << 996 << true;
}

void MapEditTest::fits()
{
    QFETCH(int, areaWidth);
    QFETCH(int, areaHeight);
    QFETCH(bool, root);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, fits);
    CTree sheet;
    sheet.Width = 3000;
    sheet.Height = 3000;
    CTree area;
    area.Width = areaWidth;
    area.Height = areaHeight;
    area.Saw = 4;
    if (!root)
        area.Parent = &sheet;
    Detail d;
    d.Width = width;
    d.Height = height;
    QCOMPARE(MapEdit::Fits(area, d), fits);
}

void MapEditTest::dropOnAnAreaOfItsSize()
{
    // 1004 x 400, saw 4, a detail 400 x 400: the free area right of it is
    // exactly 600 x 400.
    RunFixture f;
    Detail &a = f.detail("А", 400, 400);
    Detail &loose = f.detail("Полка", 600, 400);
    Detail &big = f.detail("Бок", 601, 400);
    OwnedMaps maps;
    maps.push_back(RunFixture::sheet(1004, 400, 4, {&a}));
    f.file("ЛДСП", std::move(maps));
    MapEdit edit(f.run, 0);
    CTree &area = *edit.EditorMaps[0]->Right;
    QCOMPARE(area.Width, 600);
    QCOMPARE(area.Height, 400);

    QVERIFY(!edit.Drop(area, big, nullptr));
    QVERIFY(area.IsLeaf());
    QVERIFY(!big.IsPlaced);

    QVERIFY(edit.Drop(area, loose, nullptr));
    QVERIFY(loose.IsPlaced);
    QVERIFY(area.Piece);
    QCOMPARE(area.Piece->Item, &loose);
    QCOMPARE(area.Piece->Width, 600);
    QCOMPARE(area.Piece->Height, 400);
    QCOMPARE(area.Piece->Left, area.Left);
    QVERIFY(!area.Right && !area.Below);
    // The area is no longer free to take another one.
    QVERIFY(!edit.Drop(area, big, nullptr));
}

void MapEditTest::dropOnTheSheetOfAnEmptyCopy()
{
    RunFixture f;
    Detail &a = f.detail("А", 400, 400);
    Detail &high = f.detail("Бок", 500, 1000);
    Detail &lower = f.detail("Бок", 500, 996);
    OwnedMaps maps;
    maps.push_back(RunFixture::sheet(2000, 1000, 4, {&a}));
    f.file("ЛДСП", std::move(maps));
    MapEdit edit(f.run, 0);
    CTree &copy = *edit.EditorMaps[0];
    MapEdit::TakeOff(a, copy, nullptr);
    QVERIFY(copy.IsLeaf());

    QVERIFY(!edit.Drop(copy, high, nullptr));
    QVERIFY(copy.IsLeaf());
    QVERIFY(edit.Drop(copy, lower, nullptr));
    QCOMPARE(copy.Piece->Item, &lower);
    QCOMPARE(copy.Piece->Left, 10);
    QCOMPARE(copy.Piece->Height, 996);
}

void MapEditTest::dropFromTheOtherWorkArea()
{
    RunFixture f;
    Detail &a = f.detail("А", 1000, 500);
    Detail &b = f.detail("Б", 700, 500);
    OwnedMaps maps;
    maps.push_back(RunFixture::sheet(2800, 2070, 4, {&a}));
    maps.push_back(RunFixture::sheet(2800, 2070, 4, {&b}));
    f.file("ЛДСП", std::move(maps));
    MapEdit edit(f.run, 0);
    edit.UpperMap = std::move(edit.EditorMaps[0]);
    edit.LowerMap = std::move(edit.EditorMaps[1]);
    edit.EditorMaps.clear();
    CTree &source = *edit.UpperMap->Piece;
    QCOMPARE(edit.WorkCopyOf(source), edit.UpperMap.get());
    QCOMPARE(edit.WorkCopyOf(*edit.LowerMap->Right), edit.LowerMap.get());

    QVERIFY(edit.Drop(*edit.LowerMap->Right, a, edit.WorkCopyOf(source)));
    QVERIFY(source.Free);
    QVERIFY(!source.Item);
    QVERIFY(edit.UpperMap->IsEmpty());
    QCOMPARE(edit.LowerMap->Right->Piece->Item, &a);
    QVERIFY(a.IsPlaced);
}

void MapEditTest::uncutDetailsOfTheMaterial()
{
    RunFixture f;
    f.fileMaps("ЛДСП", 1);
    Detail &x = f.detail("x", 3000, 3000, "ЛДСП");
    Detail &y = f.detail("y", 3100, 3000, "ЛДСП");
    Detail &other = f.detail("z", 3000, 3000, "МДФ");
    Detail &last = f.detail("w", 3200, 3000, "ЛДСП");
    f.run.UncutDetails = {&x, &y, &other, &last};
    f.run.RunDetails.push_back(&x); // as the run leaves them: x is there already

    MapEdit edit(f.run, 0);
    // Neighbours in the list are both taken.
    QCOMPARE(edit.TakeUncutDetails(), (std::vector<Detail *>{&x, &y, &last}));
    QCOMPARE(f.run.UncutDetails, std::vector<Detail *>{&other});
    QCOMPARE(std::count(f.run.RunDetails.begin(), f.run.RunDetails.end(), &x), 1);
    QCOMPARE(std::count(f.run.RunDetails.begin(), f.run.RunDetails.end(), &y), 1);
    QCOMPARE(std::count(f.run.RunDetails.begin(), f.run.RunDetails.end(), &last), 1);
}

void MapEditTest::cancelRestoresRecordsAndLists()
{
    RunFixture f;
    Detail &a = f.detail("А", 1000, 500);
    Detail &b = f.detail("Б", 700, 500);
    Detail &uncut = f.detail("Большая", 3000, 2500);
    OwnedMaps maps;
    maps.push_back(RunFixture::sheet(2800, 2070, 4, {&a}));
    maps.push_back(RunFixture::sheet(2800, 2070, 4, {&b}));
    f.file("ЛДСП", std::move(maps));
    f.run.RunDetails = {&a, &b};
    f.run.UncutDetails = {&uncut};
    const std::vector<Detail *> all{&a, &b, &uncut};
    const auto before = states(all);

    MapEdit edit(f.run, 0);
    edit.UpperMap = std::move(edit.EditorMaps[0]);
    edit.EditorMaps.erase(edit.EditorMaps.begin());
    const std::vector<Detail *> loose = edit.TakeUncutDetails();
    QCOMPARE(loose, std::vector<Detail *>{&uncut});
    std::swap(uncut.Width, uncut.Height); // turned in the list area
    MapEdit::TakeOff(a, *edit.UpperMap, nullptr);
    std::swap(a.Width, a.Height);
    QVERIFY(edit.Drop(*edit.EditorMaps[0]->Right, a, nullptr));
    QVERIFY(states(all) != before);

    edit.Cancel();
    edit.Finish();
    QCOMPARE(states(all), before);
    QCOMPARE(f.run.RunDetails, (std::vector<Detail *>{&a, &b}));
    QCOMPARE(f.run.UncutDetails, std::vector<Detail *>{&uncut});
    // The run's maps were never touched.
    const OwnedMaps &result = f.run.MapStore.Slot(0).Maps;
    QCOMPARE(int(result.size()), 2);
    QCOMPARE(result[0]->Piece->Item, &a);
    QVERIFY(result[0]->Right->IsLeaf());
}

void MapEditTest::mergingStaysWithinTheMaterial()
{
    // Two materials whose maps have the same layout; the filter shows "Все".
    RunFixture f;
    Detail &a = f.detail("А", 1000, 500, "ЛДСП");
    Detail &b = f.detail("Б", 1000, 500, "МДФ");
    OwnedMaps first;
    first.push_back(RunFixture::sheet(2800, 2070, 4, {&a}));
    f.file("ЛДСП", std::move(first));
    OwnedMaps second;
    second.push_back(RunFixture::sheet(2800, 2070, 4, {&b}));
    CTree *other = second[0].get();
    f.file("МДФ", std::move(second));
    QVERIFY(lamira::SameLayout(*f.run.Maps[0], *f.run.Maps[1]));

    MapEdit edit(f.run, 0);
    edit.Apply({});
    edit.Finish();
    QCOMPARE(f.run.MapStore.Slot(0).Maps.size(), size_t(1));
    QCOMPARE(f.run.MapStore.Slot(0).Maps[0]->Count, 1);
    QCOMPARE(f.run.MapStore.Slot(0).Maps[0]->Material, std::string("ЛДСП"));
    // The other material's map is the same object, unchanged.
    QCOMPARE(f.run.MapStore.Slot(1).Maps.size(), size_t(1));
    QCOMPARE(f.run.MapStore.Slot(1).Maps[0].get(), other);
    QCOMPARE(other->Count, 1);
    QCOMPARE(other->Piece->Item, &b);
}

void MapEditTest::scales()
{
    RunFixture f;
    f.fileMaps("ЛДСП", 2, 2800, 2070);
    f.fileMaps("МДФ", 1, 1500, 1000);
    MapEdit edit(f.run, 0);
    // The material's own sheets, not the last material's.
    QCOMPARE(edit.StripScale(112), 87.0f / 2070.0f);
    QCOMPARE(edit.EditorScale(560, 250), 245.0f / 2070.0f);
    MapEdit small(f.run, 1);
    QCOMPARE(small.EditorScale(560, 250), 245.0f / 1000.0f);
    QCOMPARE(small.EditorScale(5000, 5000), 1.0f);
}

QTEST_APPLESS_MAIN(MapEditTest)
#include "tst_mapedit.moc"
