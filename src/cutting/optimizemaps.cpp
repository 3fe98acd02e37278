#include "cutting/cutrun.h"

#include <algorithm>

namespace lamira {

namespace {

// Marks the details of a map placed again (the inverse of ReleaseDetails).
void holdDetails(CTree &map)
{
    std::vector<Detail *> items;
    map.CollectDetails(items);
    for (Detail *d : items)
        d->IsPlaced = true;
}

} // namespace

bool CutRun::OptimizeMaps(OwnedMaps &maps, Progress &progress)
{
    // Use threshold, on the rounded percentage: 50.00 stays, 49.99 goes.
    constexpr double Threshold = 50.0;
    constexpr int Step = 20;
    constexpr int Limit = 6000;

    std::vector<CTree *> poor;
    for (const auto &map : maps) {
        if (map->UsePercent() < Threshold)
            poor.push_back(map.get());
    }
    if (poor.empty())
        return true;

    for (CTree *map : poor)
        map->ReleaseDetails();
    std::vector<Detail *> pool;
    int longest = 0;
    int height = 0;
    for (Detail *d : RunDetails) {
        if (!d->IsPlaced) {
            pool.push_back(d);
            longest = std::max(longest, d->Width);
            height = std::max(height, d->SheetHeight);
        }
    }
    const int start = std::max(longest + SawWidth, 1250);
    const int lengths = (Limit - start) / Step;
    if (lengths <= 0) {
        // No length above the longest pooled detail is left to try: the poor
        // maps stay as they are rather than being lost.
        for (CTree *map : poor)
            holdDetails(*map);
        return true;
    }

    maps.erase(std::remove_if(maps.begin(), maps.end(),
                              [&poor](const auto &map) {
                                  return std::find(poor.begin(), poor.end(), map.get()) !=
                                         poor.end();
                              }),
               maps.end());

    GroupDetails = std::move(pool);
    std::stable_sort(GroupDetails.begin(), GroupDetails.end(),
                     [](const Detail *a, const Detail *b) { return a->Width > b->Width; });
    RunSheetHeight = height;
    RunSheetWidth = start;

    progress.Caption = "Оптимизация карт раскроя";
    progress.Name1 = "Общий прогресс оптимизации";
    progress.Name2 = "Прогресс группы";
    progress.Text1.clear();
    progress.Text2.clear();
    progress.Max1 = lengths;
    progress.Pos1 = 0;
    progress.Pos2 = 0;
    progress.SetParts(Progress::FirstBar | Progress::SecondBar | Progress::CancelButton);
    progress.Refresh(Progress::Start);

    // The start length itself is never tried.
    return cutLengths(lengths, Step, Advance::BeforeEach, maps, progress);
}

} // namespace lamira
