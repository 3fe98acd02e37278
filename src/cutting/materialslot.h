#pragma once

#include "cutting/maplist.h"

#include <string>

namespace lamira {

// The maps of one material that produced maps in a cut run, with the
// statistics worked out when they were filed.
struct MaterialSlot
{
    std::string Material; // material of the first map's root
    OwnedMaps Maps;       // as filed: sorted, merged (Count > 1 for duplicates)

    double SheetArea = 0;   // mm², every map counted once, before merging
    double KerfArea = 0;    // mm² lost in saw cuts
    double DetailArea = 0;  // mm² of the material's fitting details
    double FillPercent = 0; // DetailArea over the leaf area, 99.99 at most
    int MaxSheetWidth = 0;  // largest root Width among the maps
    int MaxSheetHeight = 0; // largest root Height among the maps
};

} // namespace lamira
