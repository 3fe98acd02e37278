#include "cutting/stripselect.h"

#include <QTest>

#include <algorithm>
#include <random>

using lamira::Detail;

namespace {

// Details of the given lengths, sorted longest first as the callers do.
class Strip
{
public:
    explicit Strip(const std::vector<int> &widths)
    {
        m_records.resize(widths.size());
        for (size_t i = 0; i < widths.size(); ++i) {
            m_records[i].Width = widths[i];
            m_records[i].Height = 100;
            list.push_back(&m_records[i]);
        }
        std::stable_sort(list.begin(), list.end(),
                         [](const Detail *a, const Detail *b) { return a->Width > b->Width; });
    }
    std::vector<Detail *> list;

private:
    std::vector<Detail> m_records;
};

std::vector<int> randomWidths(std::mt19937 &rng, int count, int low, int high, bool even)
{
    std::vector<int> widths;
    for (int i = 0; i < count; ++i) {
        int w = std::uniform_int_distribution<int>(low, high)(rng);
        widths.push_back(even ? w & ~1 : w);
    }
    return widths;
}

} // namespace

class TestStripSelect : public QObject
{
    Q_OBJECT

private slots:
    void examples_data();
    void examples();
    void fastMatchesReference_data();
    void fastMatchesReference();
    void boundDecidesTheChoice_data();
    void boundDecidesTheChoice();
};

void TestStripSelect::examples_data()
{
    QTest::addColumn<std::vector<int>>("widths");
    QTest::addColumn<int>("sheet");
    QTest::addColumn<int>("saw");
    QTest::addColumn<std::vector<char>>("flags");

    // Capacity 2000 - 1000 - 10 = 990 in the first three rows.
    QTest::newRow("pair hits the capacity")
        << std::vector<int>{1000, 600, 491, 491} << 2000 << 4 << std::vector<char>{1, 0, 1, 1};
    QTest::newRow("no pair fits, best single")
        << std::vector<int>{1000, 496, 490} << 2000 << 4 << std::vector<char>{1, 1, 0};
    QTest::newRow("everything fits without a search")
        << std::vector<int>{1000, 491, 491} << 2000 << 4 << std::vector<char>{1, 1, 1};
    QTest::newRow("sheet shorter than the opening detail")
        << std::vector<int>{1000, 300, 200} << 1005 << 4 << std::vector<char>{1, 0, 0};
    QTest::newRow("one detail") << std::vector<int>{1000} << 2000 << 4 << std::vector<char>{1};
    QTest::newRow("equal lengths: the earliest are chosen")
        << std::vector<int>{1000, 400, 400, 400} << 1814 << 0 << std::vector<char>{1, 1, 1, 0};
    // Capacity 946. Of four the best is 320 + 210 + 190 + 190 = 910, but the
    // enumeration never visits that set (candidate positions 1, 2, 3, 5 of
    // six); it settles for 320 + 250 + 210 + 120 = 900.
    QTest::newRow("sets of four the enumeration skips")
        << std::vector<int>{360, 320, 250, 210, 190, 190, 120} << 1316 << 0
        << std::vector<char>{1, 1, 1, 1, 0, 0, 1};
}

void TestStripSelect::examples()
{
    QFETCH(std::vector<int>, widths);
    QFETCH(int, sheet);
    QFETCH(int, saw);
    QFETCH(std::vector<char>, flags);
    Strip strip(widths);
    QCOMPARE(lamira::SelectStrip(strip.list, sheet, saw), flags);
    QCOMPARE(lamira::SelectStripReference(strip.list, sheet, saw), flags);
}

void TestStripSelect::fastMatchesReference_data()
{
    QTest::addColumn<unsigned>("seed");
    QTest::addColumn<int>("lists");
    QTest::addColumn<int>("maxCount");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::addColumn<bool>("even"); // even lengths and saw, odd capacity: no exact fit
    QTest::addColumn<unsigned>("bound");

    const unsigned full = unsigned(lamira::StripCombinationBound);
    QTest::newRow("short lists") << 1u << 3000 << 12 << 50 << 1500 << false << full;
    QTest::newRow("furniture lengths") << 2u << 300 << 30 << 100 << 2400 << false << full;
    QTest::newRow("short parts, long sheets") << 3u << 80 << 30 << 60 << 400 << false << full;
    QTest::newRow("few distinct lengths") << 4u << 80 << 40 << 300 << 320 << false << full;
    QTest::newRow("no exact fit") << 5u << 60 << 36 << 80 << 600 << true << full;
    // With a lowered bound short lists reach it at every depth of the
    // enumeration, so every way of stopping at the bound is compared.
    QTest::newRow("bound 1") << 6u << 2000 << 16 << 60 << 400 << true << 1u;
    QTest::newRow("bound 7") << 7u << 3000 << 18 << 60 << 400 << true << 7u;
    QTest::newRow("bound 40") << 8u << 3000 << 20 << 60 << 400 << true << 40u;
    QTest::newRow("bound 40, exact fits") << 9u << 3000 << 20 << 60 << 400 << false << 40u;
    QTest::newRow("bound 300") << 10u << 2000 << 24 << 60 << 400 << true << 300u;
    QTest::newRow("bound 5000") << 11u << 500 << 30 << 60 << 400 << true << 5000u;
}

void TestStripSelect::fastMatchesReference()
{
    QFETCH(unsigned, seed);
    QFETCH(int, lists);
    QFETCH(int, maxCount);
    QFETCH(int, low);
    QFETCH(int, high);
    QFETCH(bool, even);
    QFETCH(unsigned, bound);
    std::mt19937 rng(seed);
    lamira::StripSelector selector(bound); // one selector across calls, as in a run
    std::vector<char> fast;
    for (int i = 0; i < lists; ++i) {
        const int count = std::uniform_int_distribution<int>(1, maxCount)(rng);
        Strip strip(randomWidths(rng, count, low, high, even));
        int saw = std::uniform_int_distribution<int>(0, 6)(rng);
        int sheet = strip.list[0]->Width + 10 + std::uniform_int_distribution<int>(-50, 3000)(rng);
        if (even) {
            saw &= ~1;
            sheet |= 1;
        }
        selector.Select(strip.list, sheet, saw, fast);
        const std::vector<char> reference =
            lamira::SelectStripReference(strip.list, sheet, saw, bound);
        if (fast != reference) {
            QString widths;
            for (const Detail *d : strip.list)
                widths += QString::number(d->Width) + ' ';
            QFAIL(qPrintable(QStringLiteral("list %1: widths %2sheet %3 saw %4")
                                 .arg(i)
                                 .arg(widths)
                                 .arg(sheet)
                                 .arg(saw)));
        }
    }
}

void TestStripSelect::boundDecidesTheChoice_data()
{
    QTest::addColumn<unsigned>("seed");
    QTest::addColumn<int>("count"); // 0: every length from low to high once
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::addColumn<int>("jumpAt"); // from this many shortest lengths on...
    QTest::addColumn<int>("jump");   // ...the lengths are this much longer
    QTest::addColumn<int>("size");   // the largest combination size that fits
    QTest::addColumn<int>("cap");

    // Even lengths and an odd capacity, so no combination hits it and the
    // search runs to the end of every size. Only sets holding none of the
    // shortest lengths come close to the capacity, and the enumeration
    // reaches those late; one more length never fits.
    QTest::newRow("fours of 120 lengths") << 11u << 120 << 200 << 250 << 0 << 0 << 4 << 981;
    QTest::newRow("fives of 70 lengths") << 12u << 70 << 150 << 170 << 0 << 0 << 5 << 837;
    QTest::newRow("fours of 160 lengths") << 13u << 160 << 190 << 240 << 0 << 0 << 4 << 931;
    QTest::newRow("triples of distinct lengths") << 0u << 0 << 1000 << 1239 << 0 << 0 << 3 << 3999;
    // Every pair fits, no triple. The step makes the pairs of the 1532nd
    // shortest length the first to beat the best so far over a long stretch,
    // and the bound falls in the middle of that stretch: the search must
    // stop there although the rest of the loop would do better.
    QTest::newRow("bound inside an improving loop")
        << 0u << 0 << 4300 << 6371 << 1531 << 40 << 2 << 12823;
}

void TestStripSelect::boundDecidesTheChoice()
{
    QFETCH(unsigned, seed);
    QFETCH(int, count);
    QFETCH(int, low);
    QFETCH(int, high);
    QFETCH(int, jumpAt);
    QFETCH(int, jump);
    QFETCH(int, size);
    QFETCH(int, cap);
    std::mt19937 rng(seed);
    std::vector<int> widths;
    if (count > 0) {
        widths = randomWidths(rng, count, low, high, true);
    } else {
        for (int w = low; w <= high; ++w)
            widths.push_back(w - low >= jumpAt ? w + jump : w);
    }
    const int opening = *std::max_element(widths.begin(), widths.end()) + 2;
    widths.push_back(opening);
    const int sheet = opening + 10 + cap;
    Strip strip(widths);

    const std::vector<char> fast = lamira::SelectStrip(strip.list, sheet, 0);
    QCOMPARE(fast, lamira::SelectStripReference(strip.list, sheet, 0));

    // Without the bound a better set of `size` lengths exists: the bound of
    // 2,000,000 stored combinations cut the search short, and both searches
    // stopped at the same place.
    long long chosen = 0;
    for (size_t j = 1; j < fast.size(); ++j)
        chosen += fast[j] ? strip.list[j]->Width : 0;
    std::vector<int> values;
    for (size_t j = 1; j < strip.list.size(); ++j)
        values.push_back(strip.list[j]->Width);
    std::sort(values.begin(), values.end());
    long long best = 0;
    // Every set of `size` positions, by a simple odometer.
    std::vector<size_t> at(static_cast<size_t>(size));
    for (int k = 0; k < size; ++k)
        at[size_t(k)] = size_t(k);
    const size_t n = values.size();
    for (;;) {
        long long total = 0;
        for (size_t k : at)
            total += values[k];
        if (total <= cap && total > best)
            best = total;
        int k = size - 1;
        while (k >= 0 && at[size_t(k)] == n - size_t(size) + size_t(k))
            --k;
        if (k < 0)
            break;
        ++at[size_t(k)];
        for (int m = k + 1; m < size; ++m)
            at[size_t(m)] = at[size_t(m - 1)] + 1;
    }
    QVERIFY2(chosen < best, qPrintable(QStringLiteral("chosen %1, best %2").arg(chosen).arg(best)));
}

QTEST_APPLESS_MAIN(TestStripSelect)
#include "tst_stripselect.moc"
