#include "maps_ui/mapcolours.h"

#include "cutting/cutrun.h"

#include <QApplication>
#include <QPalette>

namespace lamira {

namespace {

// System colour indices of the classic colour scheme that a colour box may
// have kept (clBtnFace, clWindow, clInfoBk, ...), mapped to what this
// platform's palette shows for the same purpose.
QColor systemColour(int index)
{
    const QPalette palette = QApplication::palette();
    switch (index) {
    case 5: // window
        return palette.color(QPalette::Base);
    case 6:  // window frame
    case 8:  // window text
    case 18: // button text
        return palette.color(QPalette::WindowText);
    case 13: // highlight
        return palette.color(QPalette::Highlight);
    case 14: // highlighted text
        return palette.color(QPalette::HighlightedText);
    case 16: // shadow
        return palette.color(QPalette::Dark);
    case 20: // highlight (3D)
        return palette.color(QPalette::Light);
    case 23: // info text
        return palette.color(QPalette::ToolTipText);
    case 24: // info background
        return palette.color(QPalette::ToolTipBase);
    default: // button face and the rest
        return palette.color(QPalette::Button);
    }
}

} // namespace

QColor colourFromSetting(int value)
{
    const auto v = static_cast<unsigned>(value);
    if ((v & 0xFF000000u) == 0x80000000u)
        return systemColour(int(v & 0xFFu));
    return QColor(int(v & 0xFFu), int((v >> 8) & 0xFFu), int((v >> 16) & 0xFFu));
}

int settingFromColour(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16);
}

MapColours MapColours::fromRun(const CutRun &run)
{
    return {colourFromSetting(run.ListColor), colourFromSetting(run.DetailColor),
            colourFromSetting(run.RestColor), colourFromSetting(run.EditorColor),
            colourFromSetting(run.FonColor)};
}

} // namespace lamira
