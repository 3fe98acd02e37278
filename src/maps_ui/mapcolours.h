#pragma once

#include <QColor>

namespace lamira {

class CutRun;

// The settings keep colours as Windows colour values: 0x00BBGGRR for a
// plain colour, 0x80000000 + index for one of the system's colours. These
// two functions are the only place where such values meet QColor.
QColor colourFromSetting(int value);
int settingFromColour(const QColor &colour);

// The colours a map is drawn in.
struct MapColours
{
    QColor Sheet;      // ListColor
    QColor Detail;     // DetailColor
    QColor Rest;       // RestColor: free areas
    QColor Editor;     // EditorColor: pieces carried in the editor
    QColor Background; // FonColor: behind the maps on screen

    // The run's parameters, as the settings row gave them to the run.
    static MapColours fromRun(const CutRun &run);
};

} // namespace lamira
