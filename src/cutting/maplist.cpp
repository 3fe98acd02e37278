#include "cutting/maplist.h"

#include <algorithm>

namespace lamira {

namespace {

CTree &rootOf(CTree *map)
{
    return *map;
}

CTree &rootOf(const std::unique_ptr<CTree> &map)
{
    return *map;
}

template <class List> void sortMaps(List &maps)
{
    // Two exchange sorts of neighbours, by Height and then by Width within
    // equal Heights: together a stable sort on (Height, Width) descending.
    std::stable_sort(maps.begin(), maps.end(), [](const auto &a, const auto &b) {
        const CTree &x = rootOf(a);
        const CTree &y = rootOf(b);
        if (x.Height != y.Height)
            return x.Height > y.Height;
        return x.Width > y.Width;
    });
}

template <class List> void shortenSheets(List &maps)
{
    // Below this length a sheet is never shortened.
    constexpr int MinimumLength = 1250;
    std::vector<CTree *> run;
    bool repeat = true;
    while (repeat) {
        repeat = false;
        sortMaps(maps);
        for (size_t start = 0; start < maps.size();) {
            const int width = rootOf(maps[start]).Width;
            const int height = rootOf(maps[start]).Height;
            run.clear();
            size_t end = start;
            for (; end < maps.size() && rootOf(maps[end]).Width == width &&
                   rootOf(maps[end]).Height == height;
                 ++end)
                run.push_back(&rootOf(maps[end]));
            start = end;

            // The run is ordered on its own; the list keeps its order until
            // the next sort.
            std::stable_sort(run.begin(), run.end(), [](const CTree *a, const CTree *b) {
                return a->LastRightFree() > b->LastRightFree();
            });
            if (run.size() < 30) {
                const int tail = run.back()->LastRightFree();
                if (tail > 0 && width - tail > MinimumLength) {
                    for (CTree *map : run)
                        map->ShrinkRight(*map, tail);
                }
            } else {
                // A long run gives up 15 sheets to a shorter size of their own.
                const int tail = run[14]->LastRightFree();
                if (tail > 0 && width - tail > MinimumLength) {
                    for (size_t k = 0; k < 15; ++k)
                        run[k]->ShrinkRight(*run[k], tail);
                    repeat = true;
                }
            }
        }
    }
    sortMaps(maps);
}

template <class List> double seriesArea(const List &maps)
{
    double area = 0;
    for (size_t i = 1; i < maps.size(); ++i)
        area += double(rootOf(maps[i]).Width) * rootOf(maps[i]).Height;
    return area;
}

} // namespace

void SortMaps(std::vector<CTree *> &maps)
{
    sortMaps(maps);
}

void SortMaps(OwnedMaps &maps)
{
    sortMaps(maps);
}

void ShortenSheets(std::vector<CTree *> &maps)
{
    shortenSheets(maps);
}

void ShortenSheets(OwnedMaps &maps)
{
    shortenSheets(maps);
}

void MergeMaps(OwnedMaps &maps)
{
    for (size_t i = 0; i < maps.size(); ++i) {
        for (size_t j = i + 1; j < maps.size();) {
            if (SameLayout(*maps[i], *maps[j])) {
                ++maps[i]->Count;
                maps.erase(maps.begin() + std::ptrdiff_t(j));
            } else {
                ++j;
            }
        }
    }
}

double SeriesArea(const std::vector<CTree *> &maps)
{
    return seriesArea(maps);
}

double SeriesArea(const OwnedMaps &maps)
{
    return seriesArea(maps);
}

std::vector<CTree *> MapView(const OwnedMaps &maps)
{
    std::vector<CTree *> view;
    view.reserve(maps.size());
    for (const auto &map : maps)
        view.push_back(map.get());
    return view;
}

} // namespace lamira
