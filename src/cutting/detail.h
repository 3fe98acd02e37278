#pragma once

#include <string>

namespace lamira {

// One physical copy of a detail to cut. The cut run creates the records and
// owns them; maps only point to them. Turning a detail swaps Width and Height
// in the record itself, so a turn is seen by every later use of the record.
struct Detail
{
    std::string Name;
    int Width = 0;  // mm, along the sheet's length
    int Height = 0; // mm, across the sheet
    std::string Material;
    bool Texture = false; // must keep its orientation
    int AreaM2 = 0;       // whole square metres, truncated
    int RowNo = 0;        // source row within the material
    bool IsPlaced = false;
    int SheetHeight = 0;       // height class of the detail's group, 0 = none
    int Quantity = 0;          // copies made of the source row
    void *DragPanel = nullptr; // the editor's loose or carried piece
    bool Allow1000 = false;
    bool Allow1250 = false;
    bool Allow1500 = false;
    bool Allow2000 = false;
};

// Whether the flags admit sheets of the given height class.
inline bool allowsHeight(const Detail &d, int sheetHeight)
{
    switch (sheetHeight) {
    case 1000:
        return d.Allow1000;
    case 1250:
        return d.Allow1250;
    case 1500:
        return d.Allow1500;
    case 2000:
        return d.Allow2000;
    default:
        return false;
    }
}

} // namespace lamira
