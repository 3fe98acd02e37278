#include "cutting/cutrun.h"

#include <algorithm>

namespace lamira {

bool CutRun::Consolidate(OwnedMaps &maps, Progress &progress)
{
    auto sortAndShorten = [&maps] {
        SortMaps(maps);
        ShortenSheets(maps);
        SortMaps(maps);
    };
    sortAndShorten();
    if (!OptimizeMaps(maps, progress))
        return false;
    sortAndShorten();
    OptimizeSheetGroups(maps);
    sortAndShorten();
    if (maps.empty())
        return true;

    MaterialSlot slot;
    for (const auto &map : maps) {
        const double sheet = double(map->Width) * map->Height;
        slot.SheetArea += sheet;
        slot.KerfArea += sheet - map->SumLeafArea();
    }
    for (const Detail *d : RunDetails)
        slot.DetailArea += double(d->Width) * d->Height;
    const double leafArea = slot.SheetArea - slot.KerfArea;
    slot.FillPercent = leafArea > 0 ? slot.DetailArea / leafArea * 100 : 0;
    if (slot.FillPercent > 100)
        slot.FillPercent = 99.99;

    // Counted once per map above; identical layouts become one map now.
    MergeMaps(maps);
    for (const auto &map : maps) {
        slot.MaxSheetWidth = std::max(slot.MaxSheetWidth, map->Width);
        slot.MaxSheetHeight = std::max(slot.MaxSheetHeight, map->Height);
    }
    MaxSheetWidth = slot.MaxSheetWidth;
    MaxSheetHeight = slot.MaxSheetHeight;
    slot.Material = maps.front()->Material;
    slot.Maps = std::move(maps);
    maps.clear();
    MapStore.File(std::move(slot));
    return true;
}

} // namespace lamira
