#include "cutting/stripselect.h"

#include <algorithm>

namespace lamira {

namespace {

constexpr std::uint64_t Saturated = std::uint64_t(1) << 62;

std::uint64_t satAdd(std::uint64_t a, std::uint64_t b)
{
    return a + b >= Saturated ? Saturated : a + b;
}

} // namespace

// The enumeration of one combination size e over p candidate values P (the
// values from the back of the list, so non-decreasing) is a pair of mutually
// recursive procedures. Combine(d, s) loops i = s .. p - e - d, writes
// K[k] = P[k + i + d] for k = d .. e-1, stores K, returns at the last i, and
// else calls CombineTail(d + 1, i) and Combine(d + 1, i). CombineTail(d, s)
// does the same for k = d + 1 .. e-1 and only calls CombineTail(d + 1, i).
// Each stored K is therefore a prefix fixed by the enclosing levels plus a
// window of consecutive values, so its total is a prefix sum difference.
//
// Within one loop every index of K only grows with i, so the totals of an
// iteration's subtree lie between its own stored total and the total with
// the largest values in the free places; both bounds are monotone in i. A
// subtree whose totals all lie at or below the best total or above the
// capacity can change nothing and is skipped, with the number of
// combinations it would have stored added to the count, which depends only
// on the depth left and the loop length. The count stays exact wherever the
// 2,000,000 bound can be reached; after the bound every procedure stores at
// most one more combination, as the enumeration does.

void StripSelector::growCounts(int rows, int cols)
{
    if (rows <= m_countRows && cols <= m_countCols)
        return;
    m_countRows = std::max(rows, m_countRows);
    m_countCols = std::max(cols, m_countCols);
    const int R = m_countRows;
    const int M = m_countCols;
    m_tailCounts.assign(size_t(R) * M, 0);
    m_combineCounts.assign(size_t(R) * M, 0);
    auto T = [&](int r, int m) -> std::uint64_t & { return m_tailCounts[size_t(r) * M + m]; };
    auto C = [&](int r, int m) -> std::uint64_t & { return m_combineCounts[size_t(r) * M + m]; };
    for (int r = 1; r < R; ++r) {
        for (int m = 1; m < M; ++m) {
            // CombineTail: each step stores one and recurses one level deeper
            // with one step less to go.
            T(r, m) = satAdd(satAdd(T(r, m - 1), 1), T(r - 1, m - 1));
            // Combine: the last step only stores; every other step also runs
            // a CombineTail two levels shorter and a Combine one level
            // shorter.
            if (m == 1)
                C(r, m) = 1;
            else
                C(r, m) = satAdd(satAdd(satAdd(C(r, m - 1), 1), r >= 2 ? T(r - 2, m - 1) : 0),
                                 C(r - 1, m - 1));
        }
    }
}

std::uint64_t StripSelector::tailCount(int r, int m) const
{
    if (r <= 0 || m <= 0)
        return 0;
    return m_tailCounts[size_t(r) * m_countCols + m];
}

std::uint64_t StripSelector::combineCount(int r, int m) const
{
    if (r <= 0 || m <= 0)
        return 0;
    return m_combineCounts[size_t(r) * m_countCols + m];
}

void StripSelector::record(int fixedCount, int start)
{
    m_bestValues.resize(m_e);
    for (int k = 0; k < fixedCount; ++k)
        m_bestValues[k] = m_values[m_fixed[k]];
    for (int k = fixedCount; k < m_e; ++k)
        m_bestValues[k] = m_values[start + k - fixedCount];
}

// A loop whose steps have no children: step i stores the fixed prefix plus
// the single value P[base + i], so its totals are non-decreasing in i and the
// outcome follows from two binary searches.
bool StripSelector::leaf(int s, int last, std::int64_t pre, int base)
{
    const std::int64_t *v = m_values.data() + base;
    int i0 = s;
    int end = s; // after the bound, a procedure stores one combination only
    if (m_count <= m_bound) {
        i0 = int(std::upper_bound(v + s, v + last + 1, m_best - pre) - v);
        const std::uint64_t skipped = std::uint64_t(i0 - s);
        m_count += skipped;
        if (m_count > m_bound)
            return false; // the bound falls among totals that cannot count
        if (i0 > last)
            return false;
        const std::uint64_t room = m_bound - m_count; // stores before the bound's
        end = int(std::min<std::uint64_t>(std::uint64_t(last), std::uint64_t(i0) + room));
    }
    const int j = int(std::lower_bound(v + i0, v + end + 1, m_cap - pre) - v);
    if (j <= end && pre + v[j] == m_cap) {
        record(m_e - 1, base + j);
        return true;
    }
    if (j > i0) {
        // Each larger total below the capacity replaced the best in turn; the
        // last replacement is the largest total, at its first occurrence.
        const std::int64_t top = pre + v[j - 1];
        if (top > m_best) {
            const int f = int(std::lower_bound(v + i0, v + j, top - pre) - v);
            m_best = top;
            record(m_e - 1, base + f);
        }
    }
    m_count += std::uint64_t(end - i0 + 1);
    return false;
}

bool StripSelector::combine(int d, int s, std::int64_t pre)
{
    const int e = m_e;
    const int p = m_p;
    if (d >= e)
        return false;
    const int last = p - e - d;
    if (s > last)
        return false;
    if (d == e - 1)
        return leaf(s, last, pre, 2 * d);

    const std::int64_t *B = m_values.data();
    const std::int64_t *Q = m_prefix.data();
    const int r = e - d;
    const std::int64_t topRest = Q[p] - Q[p - e + d + 1];
    auto stored = [&](int i) { return pre + Q[e + i + d] - Q[2 * d + i]; };
    auto iterMax = [&](int i) { return i < last ? pre + B[2 * d + i] + topRest : stored(i); };

    int i = s;
    if (m_count <= m_bound) {
        int lo = s;
        int hi = last + 1;
        while (lo < hi) {
            const int mid = lo + (hi - lo) / 2;
            if (iterMax(mid) > m_best)
                hi = mid;
            else
                lo = mid + 1;
        }
        const int i1 = lo;
        if (i1 > s) {
            const std::uint64_t fromS = combineCount(r, last - s + 1);
            if (fromS < Saturated) {
                const std::uint64_t skipped = fromS - combineCount(r, last - i1 + 1);
                if (m_count + skipped <= m_bound) {
                    m_count += skipped;
                    i = i1;
                }
            }
            // The bound may fall inside these steps: walk them one by one so
            // that the enumeration stops exactly where it would.
            for (; i < i1; ++i) {
                ++m_count;
                if (m_count > m_bound || i == last)
                    return false;
                m_count = satAdd(m_count, tailCount(r - 2, last - i));
                m_count = satAdd(m_count, combineCount(r - 1, last - i));
            }
        }
    }

    for (; i <= last; ++i) {
        const std::int64_t total = stored(i);
        if (total > m_cap) {
            // Every later total of this loop is at least as large.
            m_count = satAdd(m_count, combineCount(r, last - i + 1));
            return false;
        }
        ++m_count;
        if (total > m_best) {
            if (total == m_cap) {
                record(d, 2 * d + i);
                return true;
            }
            m_best = total;
            record(d, 2 * d + i);
        }
        if (m_count > m_bound || i == last)
            return false;

        const std::int64_t pre1 = pre + B[2 * d + i];
        if (d + 2 < e) {
            const std::int64_t pre2 = pre1 + B[2 * d + i + 1];
            const std::int64_t lowest = pre2 + Q[e + i + d + 1] - Q[2 * d + 3 + i];
            const std::int64_t highest = pre2 + Q[p] - Q[p - e + d + 2];
            if (highest <= m_best || lowest > m_cap) {
                m_count = satAdd(m_count, tailCount(r - 2, last - i));
            } else {
                m_fixed[d] = 2 * d + i;
                m_fixed[d + 1] = 2 * d + i + 1;
                if (tail(d + 1, i, pre2))
                    return true;
            }
        }
        const std::int64_t lowest = pre1 + Q[e + i + d + 1] - Q[2 * d + 2 + i];
        const std::int64_t highest = pre1 + topRest;
        if (highest <= m_best || lowest > m_cap) {
            m_count = satAdd(m_count, combineCount(r - 1, last - i));
        } else {
            m_fixed[d] = 2 * d + i;
            if (combine(d + 1, i, pre1))
                return true;
        }
    }
    return false;
}

bool StripSelector::tail(int d, int s, std::int64_t pre)
{
    const int e = m_e;
    const int p = m_p;
    if (d + 1 >= e)
        return false;
    const int last = p - e - d;
    if (s > last)
        return false;
    if (d == e - 2)
        return leaf(s, last, pre, 2 * d + 1);

    const std::int64_t *B = m_values.data();
    const std::int64_t *Q = m_prefix.data();
    const int r = e - d - 1;
    const std::int64_t topRest = Q[p] - Q[p - e + d + 2];
    auto stored = [&](int i) { return pre + Q[e + i + d] - Q[2 * d + 1 + i]; };
    auto iterMax = [&](int i) { return i < last ? pre + B[2 * d + 1 + i] + topRest : stored(i); };

    int i = s;
    if (m_count <= m_bound) {
        int lo = s;
        int hi = last + 1;
        while (lo < hi) {
            const int mid = lo + (hi - lo) / 2;
            if (iterMax(mid) > m_best)
                hi = mid;
            else
                lo = mid + 1;
        }
        const int i1 = lo;
        if (i1 > s) {
            const std::uint64_t fromS = tailCount(r, last - s + 1);
            if (fromS < Saturated) {
                const std::uint64_t skipped = fromS - tailCount(r, last - i1 + 1);
                if (m_count + skipped <= m_bound) {
                    m_count += skipped;
                    i = i1;
                }
            }
            for (; i < i1; ++i) {
                ++m_count;
                if (m_count > m_bound)
                    return false;
                m_count = satAdd(m_count, tailCount(r - 1, last - i));
            }
        }
    }

    for (; i <= last; ++i) {
        const std::int64_t total = stored(i);
        if (total > m_cap) {
            m_count = satAdd(m_count, tailCount(r, last - i + 1));
            return false;
        }
        ++m_count;
        if (total > m_best) {
            if (total == m_cap) {
                record(d + 1, 2 * d + 1 + i);
                return true;
            }
            m_best = total;
            record(d + 1, 2 * d + 1 + i);
        }
        if (m_count > m_bound)
            return false;
        if (i == last)
            continue; // the deeper loop would have no steps

        const std::int64_t pre1 = pre + B[2 * d + 1 + i];
        const std::int64_t lowest = pre1 + Q[e + i + d + 1] - Q[2 * d + 3 + i];
        const std::int64_t highest = pre1 + topRest;
        if (highest <= m_best || lowest > m_cap) {
            m_count = satAdd(m_count, tailCount(r - 1, last - i));
        } else {
            m_fixed[d + 1] = 2 * d + 1 + i;
            if (tail(d + 1, i, pre1))
                return true;
        }
    }
    return false;
}

void StripSelector::Select(const std::vector<Detail *> &list, int sheetLength, int saw,
                           std::vector<char> &flags)
{
    const int n = int(list.size());
    flags.assign(list.size(), 0);
    if (n == 0)
        return;
    flags[0] = 1;
    const std::int64_t cap = std::int64_t(sheetLength) - list[0]->Width - 10;

    // Everything fits when the running sum in list order never exceeds cap.
    std::int64_t running = 0;
    bool allFit = true;
    for (int j = 1; j < n; ++j) {
        running += std::int64_t(list[j]->Width) + saw;
        if (running > cap) {
            allFit = false;
            break;
        }
    }
    if (allFit) {
        std::fill(flags.begin(), flags.end(), 1);
        return;
    }

    const int nv = n - 1;
    m_values.resize(nv);
    m_prefix.resize(nv + 1);
    m_prefix[0] = 0;
    bool ascending = true;
    for (int t = 0; t < nv; ++t) {
        m_values[t] = std::int64_t(list[n - 1 - t]->Width) + saw;
        m_prefix[t + 1] = m_prefix[t] + m_values[t];
        if (t > 0 && m_values[t] < m_values[t - 1])
            ascending = false;
    }
    if (!ascending) {
        // The skipping relies on the sorted order; an unsorted list still
        // gets the exact answer, slowly.
        flags = SelectStripReference(list, sheetLength, saw, m_bound);
        return;
    }

    m_cap = cap;
    m_best = 0;
    m_bestValues.clear();
    for (int e = 1;; ++e) {
        if (e - 1 > nv)
            break;
        // Candidates: the e - 1 shortest values unconditionally, then the
        // following ones while each fits beside those e - 1 (the first that
        // does not fit ends the walk; the values only grow from there).
        const std::int64_t base = m_prefix[e - 1];
        const int p = int(std::upper_bound(m_values.begin() + (e - 1), m_values.end(), cap - base) -
                          m_values.begin());
        if (p < e)
            break;
        // No combination of this size can beat the best total (nor hit the
        // capacity, which lies above it): the size changes nothing.
        if (m_prefix[p] - m_prefix[p - e] <= m_best)
            continue;
        m_e = e;
        m_p = p;
        m_count = 0;
        m_fixed.assign(e, 0);
        growCounts(e + 1, p - e + 2);
        if (combine(0, 0, 0))
            break;
    }
    if (m_bestValues.empty())
        return;

    // Mark by value: each value takes the earliest unselected position of
    // that length, so equal lengths are chosen from the front of the list.
    std::fill(flags.begin() + 1, flags.end(), 0);
    for (const std::int64_t value : m_bestValues) {
        for (int j = 1; j < n; ++j) {
            if (!flags[j] && std::int64_t(list[j]->Width) + saw == value) {
                flags[j] = 1;
                break;
            }
        }
    }
}

std::vector<char> SelectStrip(const std::vector<Detail *> &list, int sheetLength, int saw)
{
    thread_local StripSelector selector;
    std::vector<char> flags;
    selector.Select(list, sheetLength, saw, flags);
    return flags;
}

} // namespace lamira
