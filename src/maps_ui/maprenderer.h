#pragma once

#include <QColor>
#include <QRectF>
#include <QString>

class QPainter;

namespace lamira {

class CTree;
struct MapColours;

// What a node of a map is shown as. Inner nodes of the tree are not shown.
enum class NodeKind
{
    Sheet,    // the root
    FreeArea, // a free leaf below the root
    Detail    // a leaf holding a detail
};

NodeKind nodeKind(const CTree &node);
// The node is drawn: the root and every leaf.
bool isDrawn(const CTree &node);
QColor kindColour(NodeKind kind, const MapColours &colours);

// The caption a node carries on a map: a detail its size ("720 x 560"), a
// free area the word "Остаток" when oddVisible, a sheet nothing.
QString nodeCaption(const CTree &node, bool oddVisible);

// Draws one node's rectangle: filled with its colour, outlined in a darker
// shade of it (or in `frame` when given), the caption centred when it fits
// inside (turned upwards in a rectangle too narrow for it but high enough). A lowered rectangle (a
// selected free area in the editor) gets a sunken edge.
void drawNode(QPainter &painter, const QRectF &rect, const QColor &fill, const QString &caption,
              bool lowered = false, const QColor &frame = QColor());

struct MapDrawOptions
{
    bool OddVisible = false; // free areas carry "Остаток"
    bool DetailSizes = true; // details carry their size
    QColor Frame;            // outline of every rectangle; invalid: a darker fill
};

// Draws a whole map into `target`, to scale and keeping its proportions,
// with the sheet's top-left corner at the target's: the sheet first, then
// its leaves in pre-order (Piece, Right, Below), so the saw cuts between the
// leaves show the sheet's colour. The viewer's panels paint with drawNode
// the same way; reports call this with a printer's painter.
void drawMap(QPainter &painter, const QRectF &target, const CTree &root, const MapColours &colours,
             const MapDrawOptions &options = {});

} // namespace lamira
