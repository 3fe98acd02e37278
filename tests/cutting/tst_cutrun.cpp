#include "cutting/cutrun.h"

#include "recordingprogress.h"

#include <QTest>

#include <map>

using lamira::CTree;
using lamira::CutJob;
using lamira::CutOutcome;
using lamira::CutRun;
using lamira::Detail;

Q_DECLARE_METATYPE(std::vector<int>)

namespace {

CutJob::Material bank(const std::string &name, int saw, const std::vector<int> &sizes)
{
    CutJob::Material m;
    m.Name = name;
    m.Saw = saw;
    for (int s : sizes) {
        m.Allow1000 |= s == 1000;
        m.Allow1250 |= s == 1250;
        m.Allow1500 |= s == 1500;
        m.Allow2000 |= s == 2000;
    }
    return m;
}

CutJob::Row row(const std::string &material, int width, int height, int quantity = 1,
                bool texture = false, const std::string &name = "Деталь",
                CutJob::Source source = CutJob::Source::Order, int productQuantity = 1)
{
    CutJob::Row r;
    r.From = source;
    r.Name = name;
    r.Width = width;
    r.Height = height;
    r.Quantity = quantity;
    r.ProductQuantity = productQuantity;
    r.Material = material;
    r.Texture = texture;
    return r;
}

CutOutcome cut(CutRun &run, const CutJob &job, std::vector<std::string> *shown = nullptr)
{
    lamira::NullProgress progress;
    return run.Run(job, progress, [shown](const std::string &text) {
        if (shown)
            shown->push_back(text);
    });
}

const char NothingToCut[] = "Нечего кроить";
const char NoBatch[] = "Программе не удается получить группу из 15 листов";

} // namespace

class TestCutRun : public QObject
{
    Q_OBJECT

private slots:
    void preparation_data();
    void preparation();
    void copiesAndRowNumbers();
    void materialsInOrderAndMissingOnes();
    void missingMaterialAfterACutOne();
    void nothingToCut();
    void threeDetailGroupOnOneSheet();
    void lengthsTried_data();
    void lengthsTried();
    void firstLengthOnOneSheetWins();
    void cancelInTheSecondGroup();
    void runReplacesTheLastRun();
};

void TestCutRun::preparation_data()
{
    QTest::addColumn<std::vector<int>>("sizes");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("texture");
    QTest::addColumn<bool>("textureAll");
    QTest::addColumn<bool>("uncut");
    QTest::addColumn<int>("cutWidth"); // the record after preparation
    QTest::addColumn<int>("cutHeight");
    QTest::addColumn<int>("sheetHeight");

    const std::vector<int> all{1000, 1250, 1500, 2000};
    QTest::newRow("turned into the only class")
        << std::vector<int>{1000} << 900 << 1800 << false << false << false << 1800 << 900 << 1000;
    QTest::newRow("with texture it cannot be turned")
        << std::vector<int>{1000} << 900 << 1800 << true << false << true << 900 << 1800 << 0;
    QTest::newRow("texture for every detail")
        << std::vector<int>{1000} << 900 << 1800 << false << true << true << 900 << 1800 << 0;
    QTest::newRow("long side along the sheet") << std::vector<int>{1250} << 1100 << 2100 << false
                                               << false << false << 2100 << 1100 << 1250;
    QTest::newRow("too large both ways")
        << all << 2100 << 2100 << false << false << true << 2100 << 2100 << 0;
    // (1000 - 990) x 1200 < (1250 - 1200) x 990: turning wastes more.
    QTest::newRow("kept when turning wastes more")
        << all << 1200 << 990 << false << false << false << 1200 << 990 << 1000;
    // (1000 - 600) x 800 >= (1000 - 800) x 600: it stands across the sheet.
    QTest::newRow("turned when it wastes less")
        << all << 800 << 600 << false << false << false << 600 << 800 << 1000;
    QTest::newRow("texture keeps it as it is")
        << all << 800 << 600 << true << false << false << 800 << 600 << 1000;
    QTest::newRow("smallest allowed class") << std::vector<int>{1500, 2000} << 2500 << 900 << true
                                            << false << false << 2500 << 900 << 1500;
}

void TestCutRun::preparation()
{
    QFETCH(std::vector<int>, sizes);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, texture);
    QFETCH(bool, textureAll);
    QFETCH(bool, uncut);
    QFETCH(int, cutWidth);
    QFETCH(int, cutHeight);
    QFETCH(int, sheetHeight);

    CutJob job;
    job.TextureAll = textureAll;
    job.Materials = {bank("M", 4, sizes)};
    job.Rows = {row("M", width, height, 1, texture)};
    CutRun run;
    cut(run, job);

    QCOMPARE(int(run.UncutDetails.size()), uncut ? 1 : 0);
    QCOMPARE(int(run.RunDetails.size()), 1); // the uncut ones are appended at the end
    const Detail &d = *run.RunDetails.front();
    QCOMPARE(d.Width, cutWidth);
    QCOMPARE(d.Height, cutHeight);
    QCOMPARE(d.SheetHeight, sheetHeight);
    QCOMPARE(d.Texture, texture || textureAll);
    if (!uncut) {
        QCOMPARE(run.MaterialCount(), 1);
        QCOMPARE(run.Maps.front()->Height, sheetHeight);
        QVERIFY(d.IsPlaced);
    } else {
        QCOMPARE(run.MaterialCount(), 0);
    }
}

void TestCutRun::copiesAndRowNumbers()
{
    CutJob job;
    job.Materials = {bank("M", 4, {1000, 1250, 1500, 2000})};
    using S = CutJob::Source;
    job.Rows = {
        row("M", 700, 400, 3, false, "Бок", S::Order, 2),     // 6 copies, row 1
        row("M", 500, 300, 0, false, "Нет", S::Order, 5),     // no copies, row 2
        row("M", 600, 350, 1, false, "Банк", S::Bank, 1),     // bank rows come last: row 4
        row("X", 600, 350, 1, false, "Чужая", S::Order, 1),   // another material
        row("M", 400, 200, 2, false, "Полка", S::Order, 1),   // row 3
        row("M", 300, 300, -2, false, "Минус", S::Order, -3), // nonsense quantities: none
        row("M", 450, 250, 1, false, "Банк2", S::Bank, 2),    // row 6
    };
    CutRun run;
    cut(run, job);

    std::map<std::string, std::vector<const Detail *>> byName;
    for (const Detail *d : run.RunDetails) {
        if (d->Material == "M")
            byName[d->Name].push_back(d);
    }
    QCOMPARE(int(byName["Бок"].size()), 6);
    for (const Detail *d : byName["Бок"]) {
        QCOMPARE(d->RowNo, 1);
        QCOMPARE(d->Quantity, 6);
        QCOMPARE(d->AreaM2, 0);
        QVERIFY(d->Allow1250 && d->Allow2000);
    }
    QVERIFY(byName["Нет"].empty());
    QVERIFY(byName["Минус"].empty());
    QCOMPARE(byName["Полка"].front()->RowNo, 3);
    QCOMPARE(byName["Полка"].front()->Quantity, 2);
    QCOMPARE(byName["Банк"].front()->RowNo, 5);
    QCOMPARE(byName["Банк2"].front()->RowNo, 6);
    QCOMPARE(int(byName["Банк2"].size()), 2);
}

void TestCutRun::materialsInOrderAndMissingOnes()
{
    CutJob job;
    job.Materials = {bank("Z", 4, {1000}), bank("X", 3, {2000})};
    using S = CutJob::Source;
    job.Rows = {
        row("X", 1000, 1000, 1, true, "x", S::Bank), row("Y", 500, 500, 2, false, "y", S::Order),
        row("Z", 800, 600, 1, true, "z", S::Order),
        row("y", 500, 500, 1, false, "lower case", S::Order), // names are case-sensitive
    };
    CutRun run;
    std::vector<std::string> shown;
    QCOMPARE(cut(run, job, &shown), CutOutcome::Done);

    // Order rows before bank rows, each material once.
    QCOMPARE(run.RunMaterials, (std::vector<std::string>{"Y", "Z", "y", "X"}));
    // In the order they arise, material after material.
    const std::vector<std::string> expected{
        "Материала 'Y' нет в банке материалов,детали с данным материалом будут нераскроены",
        NoBatch,
        "Материала 'y' нет в банке материалов,детали с данным материалом будут нераскроены",
        NoBatch};
    QCOMPARE(run.Messages, expected);
    QCOMPARE(shown, expected);

    QCOMPARE(int(run.UncutDetails.size()), 3);
    for (const Detail *d : run.UncutDetails) {
        QCOMPARE(d->RowNo, 0);
        QVERIFY(!d->Allow1000 && !d->Allow1250 && !d->Allow1500 && !d->Allow2000);
        QVERIFY(!d->IsPlaced);
    }
    QCOMPARE(run.UncutDetails.back()->Name, std::string("lower case"));

    QCOMPARE(run.MaterialCount(), 2);
    QCOMPARE(run.MapStore.Slot(0).Material, std::string("Z"));
    QCOMPARE(run.MapStore.Slot(1).Material, std::string("X"));
    QCOMPARE(run.Maps, run.MapStore.View());
    QCOMPARE(run.Maps.front()->Material, std::string("Z"));
    QCOMPARE(run.Maps.back()->Material, std::string("X"));
    QCOMPARE(run.Maps.back()->Saw, 3);
    // The view values are those of the last material filed.
    QCOMPARE(run.MaxSheetHeight, 2000);
    QCOMPARE(run.MaxSheetHeight, run.MapStore.Slot(1).MaxSheetHeight);
    QCOMPARE(run.MaxSheetWidth, run.MapStore.Slot(1).MaxSheetWidth);
    // The last material cut, then every uncut detail.
    QCOMPARE(int(run.RunDetails.size()), 4);
    QCOMPARE(run.RunDetails.front()->Name, std::string("x"));
    QCOMPARE(run.SawWidth, 3);
}

void TestCutRun::missingMaterialAfterACutOne()
{
    CutJob job;
    job.Materials = {bank("Z", 4, {1000})};
    job.Rows = {row("Z", 800, 600, 1, true, "z"), row("Y", 500, 500, 1, false, "y")};
    CutRun run;
    cut(run, job);
    QCOMPARE(run.MaterialCount(), 1);
    QCOMPARE(int(run.RunDetails.size()), 2);
    QCOMPARE(run.RunDetails[0]->Name, std::string("z"));
    QVERIFY(run.RunDetails[0]->IsPlaced);
    QCOMPARE(run.RunDetails[1]->Name, std::string("y"));
    QCOMPARE(run.SawWidth, 4);
}

void TestCutRun::nothingToCut()
{
    CutRun run;
    std::vector<std::string> shown;
    QCOMPARE(cut(run, CutJob{}, &shown), CutOutcome::NothingToCut);
    QCOMPARE(shown, std::vector<std::string>{NothingToCut});
    QVERIFY(run.Maps.empty());
    QVERIFY(run.RunMaterials.empty());

    // Every detail too large: no slot, the details are uncut.
    CutJob job;
    job.Materials = {bank("M", 4, {1000, 1250})};
    job.Rows = {row("M", 1300, 1400, 2), row("M", 900, 1400, 1, true)};
    QCOMPARE(cut(run, job), CutOutcome::NothingToCut);
    QCOMPARE(run.Messages, std::vector<std::string>{NothingToCut});
    QCOMPARE(run.MaterialCount(), 0);
    QCOMPARE(int(run.UncutDetails.size()), 3);
}

void TestCutRun::threeDetailGroupOnOneSheet()
{
    // 600 x 500, 600 x 500 and 500 x 400 in the 1000 class, saw 4 (texture
    // keeps them as given). At 1250 mm the strip selection (cap 640, values
    // 604 and 504) picks the second 600 detail, which then stands first; the
    // two 600 details lie along the sheet and the 500 one under the second
    // of them: one sheet, so the first length wins.
    CutJob job;
    job.Materials = {bank("M", 4, {1000})};
    job.Rows = {row("M", 600, 500, 2, true, "a"), row("M", 500, 400, 1, true, "b")};
    CutRun run;
    QCOMPARE(cut(run, job), CutOutcome::Done);

    QCOMPARE(int(run.Maps.size()), 1);
    const CTree &map = *run.Maps.front();
    QCOMPARE(map.Width, 1250);
    QCOMPARE(map.Height, 1000);
    QCOMPARE(map.Count, 1);
    const Detail *first = run.RunDetails[0];
    const Detail *second = run.RunDetails[1];
    QCOMPARE(first->Name, std::string("a"));
    QCOMPARE(second->Name, std::string("a"));
    QCOMPARE(map.Piece->Item, second);
    QCOMPARE(map.Right->Piece->Item, first);
    QCOMPARE(map.Right->Below->Piece->Item, run.RunDetails[2]);
    QCOMPARE(map.Right->Below->Piece->Left, 614);
    QCOMPARE(map.Right->Below->Piece->Top, 514);
    // One sheet size with fewer than 15 sheets.
    QCOMPARE(run.Messages, std::vector<std::string>{NoBatch});
}

void TestCutRun::lengthsTried_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("lengths");    // tried for the group
    QTest::addColumn<int>("mapWidth");   // of the result
    QTest::addColumn<bool>("optimised"); // the map was cut again below 50 %

    // 1250 is the shortest sheet; the poorly used sheet is cut again from
    // 1250 + 20 on and the first length wins.
    QTest::newRow("800 long: 1250 ... 3200") << 800 << 500 << 40 << 1270 << true;
    // 29 lengths from 4510; the 6 mm free end is cut off afterwards.
    QTest::newRow("4500 long: 4510 ... 5910") << 4500 << 900 << 29 << 4504 << false;
    // Longer than 5940: cut at its own length only.
    QTest::newRow("6000 long: one length") << 6000 << 600 << 1 << 6004 << false;
    // Under 50 % but no length is left above 5980: the map stays.
    QTest::newRow("6000 long, poorly used") << 6000 << 400 << 1 << 6004 << false;
}

void TestCutRun::lengthsTried()
{
    QFETCH(int, length);
    QFETCH(int, height);
    QFETCH(int, lengths);
    QFETCH(int, mapWidth);
    QFETCH(bool, optimised);

    CutJob job;
    job.Materials = {bank("M", 4, {1000})};
    job.Rows = {row("M", length, height, 1, true)};
    CutRun run;
    RecordingProgress progress;
    QCOMPARE(run.Run(job, progress), CutOutcome::Done);

    QVERIFY(!progress.starts.empty());
    const RecordingProgress::Started &group = progress.starts.front();
    QCOMPARE(group.caption, std::string("Обработка первой группы деталей"));
    QCOMPARE(group.name1, std::string("Перебор размеров листов"));
    QCOMPARE(group.name2, std::string("Раскрой группы деталей"));
    QVERIFY(group.text1.empty() && group.text2.empty());
    QCOMPARE(group.max1, lengths);
    QCOMPARE(group.parts, 7);
    QCOMPARE(int(progress.starts.size()), optimised ? 2 : 1);
    if (optimised) {
        const RecordingProgress::Started &pass = progress.starts.back();
        QCOMPARE(pass.caption, std::string("Оптимизация карт раскроя"));
        QCOMPARE(pass.name1, std::string("Общий прогресс оптимизации"));
        QCOMPARE(pass.name2, std::string("Прогресс группы"));
        QCOMPARE(pass.max1, (6000 - 1250) / 20);
        QCOMPARE(pass.parts, 7);
    }
    QCOMPARE(progress.finishes, int(progress.starts.size()));
    QCOMPARE(progress.modes.back(), int(lamira::Progress::Finish));

    QCOMPARE(int(run.Maps.size()), 1);
    QCOMPARE(run.Maps.front()->Width, mapWidth);
    QCOMPARE(run.Maps.front()->Piece->Item, run.RunDetails.front());
}

void TestCutRun::firstLengthOnOneSheetWins()
{
    // Three full-height 600 mm details need 1808 mm in a row: every length
    // from 1250 to 1800 takes two sheets, 1850 is the first to take one, and
    // a series of one sheet scores 0. The free end beyond the last cut
    // (1850 - 3 x 604 = 38 mm) is cut off afterwards.
    CutJob job;
    job.Materials = {bank("M", 4, {1000})};
    job.Rows = {row("M", 600, 1000, 3, true)};
    CutRun run;
    QCOMPARE(cut(run, job), CutOutcome::Done);
    QCOMPARE(int(run.Maps.size()), 1);
    QCOMPARE(run.Maps.front()->Width, 1812);
    std::vector<Detail *> items;
    run.Maps.front()->CollectDetails(items);
    QCOMPARE(int(items.size()), 3);
}

void TestCutRun::cancelInTheSecondGroup()
{
    CutJob job;
    job.Materials = {bank("M", 4, {1000, 2000}), bank("N", 4, {1000})};
    job.Rows = {row("M", 1500, 1800, 6, true, "high"), row("M", 700, 600, 8, true, "low"),
                row("N", 700, 600, 3, true, "other")};
    CutRun run;
    RecordingProgress progress;
    progress.cancelWhen = [](const RecordingProgress &p) {
        return p.starts.size() == 2 && p.modes.back() == lamira::Progress::Update;
    };
    std::vector<std::string> shown;
    const CutOutcome outcome =
        run.Run(job, progress, [&shown](const std::string &text) { shown.push_back(text); });

    QCOMPARE(outcome, CutOutcome::Cancelled);
    QCOMPARE(progress.starts.back().caption, std::string("Обработка второй группы деталей"));
    QCOMPARE(progress.modes.back(), int(lamira::Progress::Finish));
    QVERIFY(shown.empty());
    QVERIFY(run.Messages.empty());
    // The first group's maps, nothing of the second, nothing filed.
    QVERIFY(!run.Maps.empty());
    for (const CTree *map : run.Maps) {
        QCOMPARE(map->Height, 2000);
        QCOMPARE(map->Piece->Item->Name, std::string("high"));
    }
    QCOMPARE(run.MaterialCount(), 0);
    QCOMPARE(run.RunMaterials, (std::vector<std::string>{"M", "N"}));
}

void TestCutRun::runReplacesTheLastRun()
{
    CutJob job;
    job.Materials = {bank("M", 4, {1000})};
    job.Rows = {row("M", 700, 600, 3, true)};
    CutRun run;
    cut(run, job);
    QCOMPARE(run.MaterialCount(), 1);
    job.Rows = {row("M", 900, 600, 2, true, "new")};
    cut(run, job);
    QCOMPARE(run.MaterialCount(), 1);
    QCOMPARE(int(run.RunDetails.size()), 2);
    QCOMPARE(run.Maps.front()->Piece->Item->Name, std::string("new"));
    QCOMPARE(run.Messages, std::vector<std::string>{NoBatch});
}

QTEST_APPLESS_MAIN(TestCutRun)
#include "tst_cutrun.moc"
