#include "cutting/cutrun.h"
#include "cutting/maplist.h"

#include "recordingprogress.h"

#include <QTest>

#include <deque>

using lamira::CTree;
using lamira::CutRun;
using lamira::Detail;
using lamira::OwnedMaps;

Q_DECLARE_METATYPE(std::vector<int>)

namespace {

// A material's details and maps built by hand, and a run to pass them to.
class Material
{
public:
    explicit Material(int saw = 4) { run.SawWidth = saw; }

    Detail *detail(int width, int height, int sheetHeight, const char *name = "D",
                   bool allow2000 = true)
    {
        Detail &d = m_records.emplace_back();
        d.Name = name;
        d.Width = width;
        d.Height = height;
        d.Material = "M";
        d.SheetHeight = sheetHeight;
        d.Allow1000 = d.Allow1250 = d.Allow1500 = true;
        d.Allow2000 = allow2000;
        run.RunDetails.push_back(&d);
        return &d;
    }

    // A sheet holding the given details, filled in that order.
    CTree *sheet(int width, int height, const std::vector<Detail *> &details)
    {
        auto root = CTree::NewSheet(width, height, run.SawWidth, "M");
        root->Fill(details);
        maps.push_back(std::move(root));
        return maps.back().get();
    }

    // A sheet with one full-height detail and a free end `tail` mm long.
    CTree *withTail(int width, int height, int tail)
    {
        const int length = tail > 0 ? width - tail - run.SawWidth : width;
        return sheet(width, height, {detail(length, height, height)});
    }

    std::vector<std::pair<int, int>> sizes() const
    {
        std::vector<std::pair<int, int>> s;
        for (const auto &map : maps)
            s.emplace_back(map->Width, map->Height);
        return s;
    }

    int count(int width, int height) const
    {
        int n = 0;
        for (const auto &map : maps)
            n += map->Width == width && map->Height == height;
        return n;
    }

    CutRun run;
    OwnedMaps maps;

private:
    std::deque<Detail> m_records;
};

} // namespace

class TestPasses : public QObject
{
    Q_OBJECT

private slots:
    void sortMaps();
    void shortenSheets_data();
    void shortenSheets();
    void shortenLongRun();
    void mergeMaps();
    void storeViewsAndReplace();
    void optimizeMapsThreshold();
    void optimizeMapsLengths_data();
    void optimizeMapsLengths();
    void optimizeMapsCommonHeight();
    void optimizeMapsNoLengthLeft();
    void optimizeMapsCancel();
    void sheetGroupsOneSize_data();
    void sheetGroupsOneSize();
    void sheetGroupsMoveUp();
    void sheetGroupsHigherClassNeedsAllow_data();
    void sheetGroupsHigherClassNeedsAllow();
    void sheetGroupsTieGoesToFirstCandidate();
    void sheetGroupsMoveOnto();
    void statisticsAndFiling_data();
    void statisticsAndFiling();
};

void TestPasses::sortMaps()
{
    Material m;
    CTree *a = m.withTail(2000, 1000, 0);
    CTree *b = m.withTail(3000, 2000, 0);
    CTree *c = m.withTail(2500, 2000, 0);
    CTree *d = m.withTail(2000, 1000, 100);
    CTree *e = m.withTail(3000, 1000, 0);
    std::vector<CTree *> view = lamira::MapView(m.maps);
    lamira::SortMaps(view);
    QCOMPARE(view, (std::vector<CTree *>{b, c, e, a, d}));
    lamira::SortMaps(m.maps);
    QCOMPARE(lamira::MapView(m.maps), view);
}

void TestPasses::shortenSheets_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<std::vector<int>>("tails");
    QTest::addColumn<int>("shortenedTo");

    QTest::newRow("three sheets lose the shortest tail")
        << 2800 << 2000 << std::vector<int>{300, 450, 600} << 2500;
    QTest::newRow("not to 1250 or less") << 1400 << 1000 << std::vector<int>{200, 500} << 1400;
    QTest::newRow("a sheet ending in a detail keeps the run's length")
        << 2800 << 2000 << std::vector<int>{600, 0, 450} << 2800;
    QTest::newRow("just above 1250") << 1500 << 1000 << std::vector<int>{249, 300} << 1251;
}

void TestPasses::shortenSheets()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(std::vector<int>, tails);
    QFETCH(int, shortenedTo);
    Material m;
    for (int tail : tails)
        m.withTail(width, height, tail);
    std::vector<CTree *> before = lamira::MapView(m.maps);
    lamira::ShortenSheets(m.maps);

    const int cut = width - shortenedTo;
    for (size_t i = 0; i < before.size(); ++i) {
        const CTree *map = before[i];
        QCOMPARE(map->Width, shortenedTo);
        const int tail = cut > 0 ? tails[i] - cut : tails[i];
        QCOMPARE(map->LastRightFree(), tail);
        if (cut > 0 && tail == 0)
            QVERIFY(!map->Right); // the free end is gone, not 0 wide
    }
}

void TestPasses::shortenLongRun()
{
    // 31 sheets 3000 long with tails 10, 20, ..., 310. The 15 with the
    // longest tails lose the 15th tail (170) and become a size of their own;
    // on the repeat the other 16 lose their shortest tail (10), while the
    // new size has a sheet without a free end and stays.
    Material m;
    for (int tail = 10; tail <= 310; tail += 10)
        m.withTail(3000, 2000, tail);
    lamira::ShortenSheets(m.maps);
    QCOMPARE(m.count(2990, 2000), 16);
    QCOMPARE(m.count(2830, 2000), 15);
    QCOMPARE(m.maps.front()->Width, 2990); // sorted again at the end
}

void TestPasses::mergeMaps()
{
    Material m;
    m.sheet(2000, 1000, {m.detail(1000, 500, 1000, "a"), m.detail(700, 300, 1000, "b")});
    m.sheet(2000, 1000, {m.detail(1000, 500, 1000, "c"), m.detail(700, 300, 1000, "d")});
    m.sheet(2000, 1000, {m.detail(1000, 500, 1000, "e")});
    m.sheet(2000, 1000, {m.detail(1000, 500, 1000, "f"), m.detail(700, 300, 1000, "g")});
    CTree *first = m.maps[0].get();
    CTree *other = m.maps[2].get();
    lamira::MergeMaps(m.maps);
    QCOMPARE(lamira::MapView(m.maps), (std::vector<CTree *>{first, other}));
    QCOMPARE(first->Count, 3);
    QCOMPARE(other->Count, 1);
    QCOMPARE(first->Piece->Item->Name, std::string("a"));
}

void TestPasses::storeViewsAndReplace()
{
    lamira::MaterialMapStore store;
    lamira::MaterialSlot a;
    a.Material = "A";
    a.Maps.push_back(CTree::NewSheet(2000, 1000, 4, "A"));
    a.Maps.push_back(CTree::NewSheet(1800, 1000, 4, "A"));
    lamira::MaterialSlot b;
    b.Material = "B";
    b.Maps.push_back(CTree::NewSheet(2500, 2000, 4, "B"));
    store.File(std::move(a));
    store.File(std::move(b));
    QCOMPARE(store.MaterialCount(), 2);
    QCOMPARE(store.Find("B"), 1);
    QCOMPARE(store.Find("b"), -1);
    const std::vector<CTree *> all = store.View();
    QCOMPARE(int(all.size()), 3);
    QCOMPARE(all[2]->Material, std::string("B"));
    QCOMPARE(store.View(0), (std::vector<CTree *>{all[0], all[1]}));

    OwnedMaps edited;
    edited.push_back(CTree::NewSheet(1900, 1000, 4, "A"));
    CTree *replacement = edited.front().get();
    store.ReplaceMaps(0, std::move(edited));
    QCOMPARE(store.View(), (std::vector<CTree *>{replacement, all[2]}));

    // The run's Maps follow the material filter.
    CutRun run;
    run.MapStore = std::move(store);
    run.RebuildMaps(1);
    QCOMPARE(run.Maps, std::vector<CTree *>{all[2]});
    run.RebuildMaps();
    QCOMPARE(run.Maps, (std::vector<CTree *>{replacement, all[2]}));
}

void TestPasses::optimizeMapsThreshold()
{
    // 2500 of 5000 leaf millimetres is 50.00 % and stays; 2499 of 4999 is
    // 49.99 % and is cut again, alone on a sheet from 2499 + 4 + 20 mm on.
    Material m;
    CTree *half = m.sheet(5004, 1000, {m.detail(2500, 1000, 1000)});
    m.sheet(5003, 1000, {m.detail(2499, 1000, 1000)});
    QCOMPARE(half->UsePercent(), 50.0);
    QCOMPARE(m.maps[1]->UsePercent(), 49.99);
    RecordingProgress progress;
    QVERIFY(m.run.OptimizeMaps(m.maps, progress));

    QCOMPARE(int(m.maps.size()), 2);
    QCOMPARE(m.maps[0].get(), half);
    QCOMPARE(m.maps[1]->Width, 2523);
    QCOMPARE(m.maps[1]->Piece->Item, m.run.RunDetails[1]);
    QVERIFY(m.run.RunDetails[1]->IsPlaced);
    QCOMPARE(m.run.GroupDetails, std::vector<Detail *>{m.run.RunDetails[1]});
    QCOMPARE(int(progress.starts.size()), 1);
    QCOMPARE(progress.starts[0].max1, (6000 - 2503) / 20);
    QCOMPARE(progress.finishes, 1);
    QCOMPARE(m.run.RunSheetWidth, 2503 + 20 * ((6000 - 2503) / 20));
}

void TestPasses::optimizeMapsLengths_data()
{
    QTest::addColumn<int>("longest");
    QTest::addColumn<int>("lengths");
    QTest::addColumn<int>("firstLength");
    QTest::addColumn<int>("lastLength");

    QTest::newRow("800: raised to 1250") << 800 << 237 << 1270 << 5990;
    QTest::newRow("2996: from 3000") << 2996 << 150 << 3020 << 6000;
}

void TestPasses::optimizeMapsLengths()
{
    QFETCH(int, longest);
    QFETCH(int, lengths);
    QFETCH(int, firstLength);
    QFETCH(int, lastLength);
    Material m;
    m.sheet(4000, 2000, {m.detail(longest, 300, 1000), m.detail(400, 300, 1000)});
    RecordingProgress progress;
    QVERIFY(m.run.OptimizeMaps(m.maps, progress));
    QCOMPARE(progress.starts.at(0).max1, lengths);
    QCOMPARE(m.run.RunSheetWidth, lastLength);
    QCOMPARE(m.run.RunSheetHeight, 1000);
    // Both fit on one sheet of the first length tried, which therefore wins.
    QCOMPARE(int(m.maps.size()), 1);
    QCOMPARE(m.maps[0]->Width, firstLength);
    QCOMPARE(m.maps[0]->Height, 1000);
}

void TestPasses::optimizeMapsCommonHeight()
{
    // Poor maps of the 1250 and the 2000 class: the pool is cut on 2000.
    Material m;
    CTree *good = m.sheet(1300, 1000, {m.detail(1296, 1000, 1000)});
    m.sheet(3000, 1250, {m.detail(900, 1200, 1250)});
    m.sheet(3000, 2000, {m.detail(1000, 1900, 2000)});
    RecordingProgress progress;
    QVERIFY(m.run.OptimizeMaps(m.maps, progress));
    QCOMPARE(m.maps.front().get(), good);
    QVERIFY(m.maps.size() >= 2);
    for (size_t i = 1; i < m.maps.size(); ++i)
        QCOMPARE(m.maps[i]->Height, 2000);
    QCOMPARE(m.run.RunSheetHeight, 2000);
    for (const Detail *d : m.run.RunDetails)
        QVERIFY(d->IsPlaced);
}

void TestPasses::optimizeMapsNoLengthLeft()
{
    // 5990 + 4 leaves no length up to 6000: the poor map stays as it was.
    Material m;
    CTree *poor = m.sheet(7000, 1000, {m.detail(5990, 300, 1000)});
    CTree *other = m.sheet(1300, 1000, {m.detail(1296, 1000, 1000)});
    RecordingProgress progress;
    QVERIFY(m.run.OptimizeMaps(m.maps, progress));
    QCOMPARE(lamira::MapView(m.maps), (std::vector<CTree *>{poor, other}));
    QVERIFY(m.run.RunDetails[0]->IsPlaced);
    QVERIFY(progress.starts.empty());
}

void TestPasses::optimizeMapsCancel()
{
    Material m;
    CTree *good = m.sheet(1300, 1000, {m.detail(1296, 1000, 1000)});
    m.sheet(3000, 1000, {m.detail(900, 500, 1000)});
    RecordingProgress progress;
    progress.cancelWhen = [](const RecordingProgress &p) {
        return p.modes.back() == lamira::Progress::Update;
    };
    QVERIFY(!m.run.OptimizeMaps(m.maps, progress));
    // The poor map is gone and none of the new ones is there.
    QCOMPARE(lamira::MapView(m.maps), std::vector<CTree *>{good});
    QCOMPARE(progress.modes.back(), int(lamira::Progress::Finish));
}

void TestPasses::sheetGroupsOneSize_data()
{
    QTest::addColumn<int>("maps");
    QTest::addColumn<bool>("message");
    QTest::newRow("fewer than 15: told once") << 3 << true;
    QTest::newRow("15 or more: nothing to do") << 15 << false;
}

void TestPasses::sheetGroupsOneSize()
{
    QFETCH(int, maps);
    QFETCH(bool, message);
    Material m;
    for (int i = 0; i < maps; ++i)
        m.sheet(2800, 2000, {m.detail(2000, 1500, 2000)});
    const std::vector<CTree *> before = lamira::MapView(m.maps);
    m.run.OptimizeSheetGroups(m.maps);
    QCOMPARE(lamira::MapView(m.maps), before);
    QCOMPARE(m.run.Messages.size(), size_t(message ? 1 : 0));
    if (message)
        QCOMPARE(m.run.Messages[0],
                 std::string("Программе не удается получить группу из 15 листов"));
}

void TestPasses::sheetGroupsMoveUp()
{
    // 3000 x 2000 (20 maps) comes first and is not small; 2500 x 2000
    // (3 maps) moves onto the wider size, and then nothing is small.
    Material m;
    for (int i = 0; i < 20; ++i)
        m.sheet(3000, 2000, {m.detail(2900, 1900, 2000)});
    for (int i = 0; i < 3; ++i)
        m.sheet(2500, 2000, {m.detail(2400, 1900, 2000, "moved")});
    m.run.OptimizeSheetGroups(m.maps);
    QCOMPARE(m.count(3000, 2000), 23);
    QCOMPARE(int(m.maps.size()), 23);
    QVERIFY(m.run.Messages.empty());
    for (const Detail *d : m.run.RunDetails)
        QVERIFY(d->IsPlaced);
}

void TestPasses::sheetGroupsHigherClassNeedsAllow_data()
{
    QTest::addColumn<bool>("allow2000");
    QTest::newRow("2000 not allowed: no move") << false;
    QTest::newRow("2000 allowed: moved up") << true;
}

void TestPasses::sheetGroupsHigherClassNeedsAllow()
{
    QFETCH(bool, allow2000);
    Material m;
    for (int i = 0; i < 20; ++i)
        m.sheet(3000, 2000, {m.detail(2900, 1900, 2000, "D", allow2000)});
    for (int i = 0; i < 2; ++i)
        m.sheet(2500, 1250, {m.detail(2400, 1200, 1250, "D", allow2000)});
    m.run.OptimizeSheetGroups(m.maps);
    QCOMPARE(m.count(2500, 1250), allow2000 ? 0 : 2);
    QCOMPARE(m.count(3000, 2000), allow2000 ? 22 : 20);
}

void TestPasses::sheetGroupsTieGoesToFirstCandidate()
{
    // The small group's three details fit on one sheet of either larger
    // size: both candidates count only the unchanged groups, and the one
    // built first (the 3000 target, first in group order) wins.
    Material m;
    for (int i = 0; i < 20; ++i)
        m.sheet(3000, 2000, {m.detail(2900, 1900, 2000)});
    for (int i = 0; i < 20; ++i)
        m.sheet(2800, 2000, {m.detail(2700, 1900, 2000)});
    for (int i = 0; i < 3; ++i)
        m.sheet(2500, 2000, {m.detail(800, 600, 2000, "small")});
    m.run.OptimizeSheetGroups(m.maps);
    QCOMPARE(m.count(3000, 2000), 21);
    QCOMPARE(m.count(2800, 2000), 20);
    QCOMPARE(m.count(2500, 2000), 0);
    // The last candidate built set the run's sheet size.
    QCOMPARE(m.run.RunSheetWidth, 2800);
}

void TestPasses::sheetGroupsMoveOnto()
{
    // The small group is the widest: nothing is wider to move to, so the
    // narrower group of the same height is cut again onto its size.
    Material m;
    for (int i = 0; i < 3; ++i)
        m.sheet(3000, 2000, {m.detail(2900, 1900, 2000)});
    for (int i = 0; i < 20; ++i)
        m.sheet(2500, 2000, {m.detail(1400, 900, 2000, "narrow")});
    m.run.OptimizeSheetGroups(m.maps);
    QCOMPARE(m.count(2500, 2000), 0);
    QCOMPARE(m.count(3000, 2000), int(m.maps.size()));
    QVERIFY(m.maps.size() < 23); // two narrow details share a 3000 sheet
}

void TestPasses::statisticsAndFiling_data()
{
    QTest::addColumn<bool>("extraDetail");
    QTest::addColumn<double>("fillPercent");
    QTest::newRow("full sheets: 100") << false << 100.0;
    // A detail counted in the material but on no map pushes the figure over
    // 100; it is shown as 99.99.
    QTest::newRow("above 100: 99.99") << true << 99.99;
}

void TestPasses::statisticsAndFiling()
{
    QFETCH(bool, extraDetail);
    QFETCH(double, fillPercent);
    // Two identical sheets, each filled by one 1996 x 1000 detail.
    Material m;
    m.sheet(2000, 1000, {m.detail(1996, 1000, 1000, "a")});
    m.sheet(2000, 1000, {m.detail(1996, 1000, 1000, "b")});
    if (extraDetail)
        m.detail(1000, 1000, 1000)->IsPlaced = true;
    RecordingProgress progress;
    QVERIFY(m.run.Consolidate(m.maps, progress));

    QVERIFY(m.maps.empty());
    QCOMPARE(m.run.MaterialCount(), 1);
    const lamira::MaterialSlot &slot = m.run.MapStore.Slot(0);
    QCOMPARE(slot.Material, std::string("M"));
    // Counted per map before the two are merged into one map of Count 2.
    QCOMPARE(slot.SheetArea, 4e6);
    QCOMPARE(slot.KerfArea, 8000.0);
    QCOMPARE(slot.DetailArea, extraDetail ? 4.992e6 : 3.992e6);
    QCOMPARE(slot.FillPercent, fillPercent);
    QCOMPARE(int(slot.Maps.size()), 1);
    QCOMPARE(slot.Maps[0]->Count, 2);
    QCOMPARE(slot.MaxSheetWidth, 2000);
    QCOMPARE(slot.MaxSheetHeight, 1000);
}

QTEST_APPLESS_MAIN(TestPasses)
#include "tst_passes.moc"
