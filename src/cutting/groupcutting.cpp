#include "cutting/cutrun.h"

#include <algorithm>

namespace lamira {

namespace {

struct LongerFirst
{
    bool operator()(const Detail *a, const Detail *b) const { return a->Width > b->Width; }
};

// A stable sort by Width, longest first. The working lists are nearly always
// sorted already or two sorted runs (selected block and rest), so those cases
// are checked and merged before falling back to a full sort.
void sortLongerFirst(std::vector<Detail *> &list, std::vector<Detail *> &buffer)
{
    const LongerFirst longer;
    const auto mid = std::is_sorted_until(list.begin(), list.end(), longer);
    if (mid == list.end())
        return;
    if (std::is_sorted(mid, list.end(), longer)) {
        buffer.resize(list.size());
        // Equal Widths of the first run stay before those of the second.
        std::merge(list.begin(), mid, mid, list.end(), buffer.begin(), longer);
        list.swap(buffer);
        return;
    }
    std::stable_sort(list.begin(), list.end(), longer);
}

// The exchange sort of the sheet-group moves: every pair (i, j) is visited
// and exchanged when the one at j is shorter. It sorts by Width, longest
// first, but does not keep the order of equal Widths, and that order decides
// which copies share a sheet; so it is done exactly so.
void exchangeSort(std::vector<Detail *> &list)
{
    const size_t n = list.size();
    for (size_t i = 0; i < n; ++i) {
        for (size_t j = 0; j < n; ++j) {
            if (list[j]->Width < list[i]->Width)
                std::swap(list[i], list[j]);
        }
    }
}

const char *groupCaption(int number)
{
    switch (number) {
    case 1:
        return "Обработка первой группы деталей";
    case 2:
        return "Обработка второй группы деталей";
    case 3:
        return "Обработка третей группы деталей";
    default:
        // Four height classes give four groups at most.
        return "Обработка четвертой группы деталей";
    }
}

} // namespace

void CutRun::selectStrip(const std::vector<Detail *> &work)
{
    if (Search == StripSearch::Reference)
        m_flags = SelectStripReference(work, RunSheetWidth, SawWidth);
    else
        m_selector.Select(work, RunSheetWidth, SawWidth, m_flags);
}

bool CutRun::buildMaps(std::vector<Detail *> &work, OwnedMaps &out, Resort resort,
                       const AfterMap &afterMap)
{
    while (!work.empty()) {
        if (work.size() >= 3) {
            sortLongerFirst(work, m_merge);
            selectStrip(work);
            // Each selected detail in turn goes to the very front, so the
            // selected block stands in reverse list order before it is sorted
            // again; equal lengths therefore swap places.
            m_scratch.clear();
            for (size_t j = work.size(); j-- > 0;) {
                if (m_flags[j])
                    m_scratch.push_back(work[j]);
            }
            const auto selected = std::ptrdiff_t(m_scratch.size());
            for (size_t j = 0; j < work.size(); ++j) {
                if (!m_flags[j])
                    m_scratch.push_back(work[j]);
            }
            work.swap(m_scratch);
            std::stable_sort(work.begin(), work.begin() + selected, LongerFirst());
            std::stable_sort(work.begin() + selected, work.end(), LongerFirst());
        }

        auto root =
            CTree::NewSheet(RunSheetWidth, RunSheetHeight, SawWidth, work.front()->Material);
        root->Fill(work);
        if (root->IsLeaf()) {
            // Every detail of a group fits the sheets it is cut on, so this
            // cannot happen; stopping keeps a broken invariant from looping.
            return true;
        }
        out.push_back(std::move(root));

        work.erase(
            std::remove_if(work.begin(), work.end(), [](const Detail *d) { return d->IsPlaced; }),
            work.end());
        if (resort == Resort::Exchange)
            exchangeSort(work);
        else
            sortLongerFirst(work, m_merge);

        if (afterMap && !afterMap(work.size()))
            return false;
    }
    return true;
}

bool CutRun::cutGroup(int number, OwnedMaps &maps, Progress &progress)
{
    // Sheets start 10 mm beyond the longest detail and are at least 1250 mm.
    const int first = std::max(GroupDetails.front()->Width + 10, 1250);
    RunSheetWidth = first;
    int lengths = first + 2000 <= 6000 ? 40 : (6000 - first) / 50;
    if (lengths <= 0)
        lengths = 1; // a detail this long is cut on sheets of its own length only

    progress.Caption = groupCaption(number);
    progress.Text1.clear();
    progress.Text2.clear();
    progress.Name1 = "Перебор размеров листов";
    progress.Name2 = "Раскрой группы деталей";
    progress.Pos1 = 0;
    progress.Pos2 = 0;
    progress.Max1 = lengths;
    progress.Refresh(Progress::Start);
    progress.SetParts(Progress::FirstBar | Progress::SecondBar | Progress::CancelButton);

    return cutLengths(lengths, 50, Advance::AfterEach, maps, progress);
}

bool CutRun::cutLengths(int lengths, int step, Advance advance, OwnedMaps &maps,
                        Progress &progress)
{
    std::vector<OwnedMaps> series(static_cast<size_t>(lengths));
    std::vector<Detail *> work;
    auto afterMap = [&progress](size_t left) {
        progress.Pos2 = progress.Max2 - int(left);
        if (progress.Cancelled())
            return false;
        progress.Refresh(Progress::Update);
        return true;
    };
    for (int k = 0; k < lengths; ++k) {
        if (advance == Advance::BeforeEach)
            RunSheetWidth += step;
        work = GroupDetails;
        for (Detail *d : work)
            d->IsPlaced = false;
        progress.Max2 = int(work.size());
        if (!buildMaps(work, series[size_t(k)], Resort::Stable, afterMap)) {
            progress.Refresh(Progress::Finish);
            return false;
        }
        progress.Pos1 = k;
        if (progress.Cancelled()) {
            progress.Refresh(Progress::Finish);
            return false;
        }
        progress.Refresh(Progress::Update);
        if (advance == Advance::AfterEach)
            RunSheetWidth += step;
    }
    progress.Refresh(Progress::Finish);

    // The least sheet area beyond the first sheet wins and ties go to the
    // shorter length; no series below the 3e10 start leaves the first one.
    double bestArea = 3e10;
    size_t best = 0;
    for (size_t k = 0; k < series.size(); ++k) {
        const double area = SeriesArea(series[k]);
        if (area < bestArea) {
            bestArea = area;
            best = k;
        }
    }
    for (auto &map : series[best])
        maps.push_back(std::move(map));
    return true;
}

bool CutRun::CutGroups(OwnedMaps &maps, Progress &progress)
{
    int number = 0;
    for (size_t start = 0; start < RunDetails.size();) {
        const int height = RunDetails[start]->SheetHeight;
        size_t end = start;
        while (end < RunDetails.size() && RunDetails[end]->SheetHeight == height)
            ++end;
        if (height != 0) {
            // Details reported as fitting no sheet belong to no group.
            GroupDetails.assign(RunDetails.begin() + std::ptrdiff_t(start),
                                RunDetails.begin() + std::ptrdiff_t(end));
            RunSheetHeight = height;
            if (!cutGroup(++number, maps, progress))
                return false;
        }
        start = end;
    }
    return true;
}

} // namespace lamira
