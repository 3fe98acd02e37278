#include "cutting/stripselect.h"

#include <memory>

namespace lamira {

namespace {

// The enumeration exactly as written: every combination of the size is
// copied into its own array in one store, and the store is evaluated after.
class ReferenceEnumeration
{
public:
    ReferenceEnumeration(const std::vector<std::int32_t> &candidates, int e, std::uint64_t bound)
        : m_p(int(candidates.size())), m_e(e), m_bound(bound), m_candidates(candidates),
          m_k(size_t(e), 0)
    {
    }

    void run() { combine(0, 0); }
    const std::vector<std::unique_ptr<std::int32_t[]>> &store() const { return m_store; }

private:
    // True when the procedure that stored must return at once.
    bool put()
    {
        auto copy = std::make_unique<std::int32_t[]>(size_t(m_e));
        for (int k = 0; k < m_e; ++k)
            copy[k] = m_k[k];
        m_store.push_back(std::move(copy));
        return m_store.size() > m_bound;
    }

    void combine(int d, int s)
    {
        if (d >= m_e)
            return;
        const int last = m_p - m_e - d;
        for (int i = s; i <= last; ++i) {
            for (int k = d; k < m_e; ++k)
                m_k[k] = m_candidates[k + i + d];
            if (put())
                return;
            if (i == last)
                return;
            combineTail(d + 1, i);
            combine(d + 1, i);
        }
    }

    void combineTail(int d, int s)
    {
        if (d + 1 >= m_e)
            return;
        const int last = m_p - m_e - d;
        for (int i = s; i <= last; ++i) {
            for (int k = d + 1; k < m_e; ++k)
                m_k[k] = m_candidates[k + i + d];
            if (put())
                return;
            combineTail(d + 1, i);
        }
    }

    int m_p;
    int m_e;
    std::uint64_t m_bound;
    const std::vector<std::int32_t> &m_candidates;
    std::vector<std::int32_t> m_k;
    std::vector<std::unique_ptr<std::int32_t[]>> m_store;
};

void mark(std::vector<char> &flags, const std::vector<std::int32_t> &values,
          const std::int32_t *combination, int e)
{
    std::fill(flags.begin() + 1, flags.end(), 0);
    for (int k = 0; k < e; ++k) {
        for (size_t j = 1; j < flags.size(); ++j) {
            if (!flags[j] && values[j] == combination[k]) {
                flags[j] = 1;
                break;
            }
        }
    }
}

} // namespace

std::vector<char> SelectStripReference(const std::vector<Detail *> &list, int sheetLength, int saw,
                                       std::uint64_t bound)
{
    const int n = int(list.size());
    std::vector<char> flags(list.size(), 0);
    if (n == 0)
        return flags;
    flags[0] = 1;

    std::vector<std::int32_t> values(list.size(), 0);
    for (int j = 1; j < n; ++j)
        values[j] = list[j]->Width + saw;
    const std::int64_t cap = std::int64_t(sheetLength) - list[0]->Width - 10;

    std::int64_t running = 0;
    bool allFit = true;
    for (int j = 1; j < n && allFit; ++j) {
        running += values[j];
        allFit = running <= cap;
    }
    if (allFit) {
        std::fill(flags.begin(), flags.end(), 1);
        return flags;
    }

    std::int64_t best = 0;
    for (int e = 1;; ++e) {
        std::vector<std::int32_t> candidates;
        int j = n - 1;
        std::int64_t fixedSum = 0;
        for (; j >= 1 && int(candidates.size()) < e - 1; --j) {
            candidates.push_back(values[j]);
            fixedSum += values[j];
        }
        for (; j >= 1 && fixedSum + values[j] <= cap; --j)
            candidates.push_back(values[j]);
        if (int(candidates.size()) < e)
            break;

        ReferenceEnumeration enumeration(candidates, e, bound);
        enumeration.run();
        for (const auto &combination : enumeration.store()) {
            std::int64_t total = 0;
            for (int k = 0; k < e; ++k)
                total += combination[k];
            if (total == cap) {
                mark(flags, values, combination.get(), e);
                return flags;
            }
            if (total < cap && total > best) {
                best = total;
                mark(flags, values, combination.get(), e);
            }
        }
    }
    return flags;
}

} // namespace lamira
