#include "maps_ui/mapgeometry.h"

#include "cutting/ctree.h"

#include <algorithm>

namespace lamira {

namespace {

int truncated(double value)
{
    return static_cast<int>(value);
}

} // namespace

QRect viewerRect(const CTree &node, int dx, int dy, float mapScale, float mapZoom)
{
    const double scale = mapScale;
    const double zoom = mapZoom;
    return QRect(truncated((dx + node.Left) / scale * zoom),
                 truncated((dy + node.Top) / scale * zoom), truncated(node.Width / scale * zoom),
                 truncated(node.Height / scale * zoom));
}

QRect workRect(const CTree &node, float scale)
{
    const double s = scale;
    return QRect(truncated(s * node.Left), truncated(s * node.Top), truncated(s * node.Width),
                 truncated(s * node.Height));
}

QRect stripRect(const CTree &node, float scale, int offset)
{
    const double s = scale;
    return QRect(truncated(s * node.Left + offset), truncated(s * node.Top),
                 truncated(s * node.Width), truncated(s * node.Height));
}

std::vector<LayoutPlace> layoutPlaces(int viewMode, int width, int height)
{
    const int column2 = width + 100;
    const int column3 = 2 * width + 200;
    const int row2 = height + 100;
    switch (viewMode) {
    case 2:
        return {{0, 0, 0}, {1, column2, 0}};
    case 3:
        return {{0, 0, 0}, {1, column2, 0}, {2, column3, 0}};
    case 4:
        return {{0, 0, 0}, {1, 0, row2}};
    case 5:
        return {{0, 0, 0}, {1, column2, 0}, {2, 0, row2}, {3, column2, row2}};
    case 6:
        return {{0, 0, 0},    {1, column2, 0},    {2, column3, 0},
                {3, 0, row2}, {4, column2, row2}, {5, column3, row2}};
    default:
        return {{0, 0, 0}};
    }
}

QString viewModeCaption(int viewMode)
{
    switch (viewMode) {
    case 2:
        return QStringLiteral("2x1");
    case 3:
        return QStringLiteral("3x1");
    case 4:
        return QStringLiteral("1x2");
    case 5:
        return QStringLiteral("2x2");
    case 6:
        return QStringLiteral("3x2");
    default:
        return QStringLiteral("1x1");
    }
}

float mapScaleFor(int maxWidth, int maxHeight, QSize area)
{
    const int across = std::max(area.width() - 300, MinimumDrawingExtent);
    const int down = std::max(area.height() - 300, MinimumDrawingExtent);
    return static_cast<float>(std::max({maxWidth / across, maxHeight / down, 1}));
}

QSize layoutExtent(const std::vector<QRect> &rects)
{
    int right = 0;
    int bottom = 0;
    for (const QRect &r : rects) {
        right = std::max(right, r.x() + r.width());
        bottom = std::max(bottom, r.y() + r.height());
    }
    return {right, bottom};
}

} // namespace lamira
