#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

namespace lamira {

class CTree;

// Pixel geometry of map panels. Every value is truncated towards zero.

// Maps tab: a node of a map drawn at the offset (dx, dy) in millimetres,
// at mapScale millimetres per pixel and the zoom factor.
QRect viewerRect(const CTree &node, int dx, int dy, float mapScale, float mapZoom);
// Editor work areas and loose pieces: scale in pixels per millimetre.
QRect workRect(const CTree &node, float scale);
// Editor strip: scale in pixels per millimetre and a horizontal offset in
// pixels.
QRect stripRect(const CTree &node, float scale, int offset);

// One place of a layout of the maps tab: the map `step` places after the
// current one, drawn at (dx, dy) millimetres.
struct LayoutPlace
{
    int step;
    int dx;
    int dy;
};
// The places of ViewMode 1 to 6 for sheets up to width x height: the current
// map at (0, 0), further maps 100 mm apart in rows of one to three.
std::vector<LayoutPlace> layoutPlaces(int viewMode, int width, int height);
// "1x1", "2x1", "3x1", "1x2", "2x2", "3x2".
QString viewModeCaption(int viewMode);

// The smallest drawing extent the scale formula divides by: an area of 400
// pixels or less is treated as 400 wide (or high).
inline constexpr int MinimumDrawingExtent = 100;
// Millimetres per pixel for sheets up to maxWidth x maxHeight in a drawing
// area of that size: the larger of the two integer quotients of the sheet
// size and the area less 300 pixels; at least 1, so a large area never gives
// a scale of 0.
float mapScaleFor(int maxWidth, int maxHeight, QSize area);

// The size a drawing area needs to hold every rectangle, from its origin.
QSize layoutExtent(const std::vector<QRect> &rects);

} // namespace lamira
