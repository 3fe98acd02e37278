#pragma once

#include "cutting/detail.h"

#include <cstdint>
#include <vector>

namespace lamira {

// Which details open a new sheet's first strip: the longest detail (position
// 0) always, plus the set of other details whose lengths, each with one saw
// cut, fill the rest of the sheet length (less the 10 mm edge allowance) as
// exactly as possible. A one-dimensional subset-sum search over combination
// sizes 1, 2, 3, ... whose visiting order, tie rules and bound of 2,000,000
// combinations per size decide the result.
//
// The list must be sorted by Width, longest first (every caller sorts it).
// The result has one flag per list position, 1 = selected.

// More than this many combinations of one size end that size's enumeration.
inline constexpr std::uint64_t StripCombinationBound = 2000000;

// The fast search. It visits the combinations in exactly the order the
// enumeration stores them, counts them exactly against the bound, and skips
// whole groups of combinations only where no total in the group can beat the
// best total found or hit the capacity exactly. Keeps its scratch buffers
// between calls, so one selector per cut run does not allocate per sheet.
class StripSelector
{
public:
    // The bound is only ever lowered by tests, to reach it with short lists.
    explicit StripSelector(std::uint64_t bound = StripCombinationBound) : m_bound(bound) {}

    void Select(const std::vector<Detail *> &list, int sheetLength, int saw,
                std::vector<char> &flags);

private:
    bool combine(int d, int s, std::int64_t pre);
    bool tail(int d, int s, std::int64_t pre);
    bool leaf(int s, int last, std::int64_t pre, int base);
    void record(int fixedCount, int start);
    std::uint64_t tailCount(int r, int m) const;
    std::uint64_t combineCount(int r, int m) const;
    void growCounts(int rows, int cols);
    std::int64_t windowSum(int from, int to) const { return m_prefix[to] - m_prefix[from]; }

    // Candidate values from the back of the list (non-decreasing) and their
    // prefix sums.
    std::vector<std::int64_t> m_values;
    std::vector<std::int64_t> m_prefix;
    // Combinations stored by the enumeration's two procedures, by remaining
    // depth r and number of loop steps m: the same for every call.
    std::vector<std::uint64_t> m_tailCounts;
    std::vector<std::uint64_t> m_combineCounts;
    int m_countRows = 0;
    int m_countCols = 0;

    std::vector<int> m_fixed;               // value indices fixed by the enclosing levels
    std::vector<std::int64_t> m_bestValues; // values of the best combination, in stored order
    int m_e = 0;
    int m_p = 0;
    std::int64_t m_cap = 0;
    std::int64_t m_best = 0;
    std::uint64_t m_count = 0;
    std::uint64_t m_bound;
};

// Convenience form of StripSelector::Select.
std::vector<char> SelectStrip(const std::vector<Detail *> &list, int sheetLength, int saw);

// The straightforward search that materialises every combination of a size
// in a store before evaluating them, as the procedure is written down. Slow;
// it is the yardstick the fast search is tested and measured against.
std::vector<char> SelectStripReference(const std::vector<Detail *> &list, int sheetLength, int saw,
                                       std::uint64_t bound = StripCombinationBound);

} // namespace lamira
