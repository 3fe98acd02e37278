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
        // The start length itself is never tried.
        RunSheetWidth += Step;
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
    }
    progress.Refresh(Progress::Finish);

    double bestArea = 3e10;
    size_t best = 0;
    for (size_t k = 0; k < series.size(); ++k) {
        double area = 0;
        for (size_t i = 1; i < series[k].size(); ++i)
            area += double(series[k][i]->Width) * series[k][i]->Height;
        if (area < bestArea) {
            bestArea = area;
            best = k;
        }
    }
    for (auto &map : series[best])
        maps.push_back(std::move(map));
    return true;
}

} // namespace lamira
