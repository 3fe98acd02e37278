#include "maps_ui/maprenderer.h"

#include "cutting/ctree.h"
#include "maps_ui/mapcolours.h"
#include "maps_ui/treewalk.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace lamira {

namespace {

// Black or white, whichever reads better on the fill.
QColor textColour(const QColor &fill)
{
    const QColor c = fill.toRgb();
    const double luminance = 0.299 * c.red() + 0.587 * c.green() + 0.114 * c.blue();
    return luminance < 110 ? Qt::white : Qt::black;
}

} // namespace

NodeKind nodeKind(const CTree &node)
{
    if (!node.Parent)
        return NodeKind::Sheet;
    return node.Free ? NodeKind::FreeArea : NodeKind::Detail;
}

bool isDrawn(const CTree &node)
{
    return !node.Parent || node.IsLeaf();
}

QColor kindColour(NodeKind kind, const MapColours &colours)
{
    switch (kind) {
    case NodeKind::Sheet:
        return colours.Sheet;
    case NodeKind::FreeArea:
        return colours.Rest;
    case NodeKind::Detail:
        break;
    }
    return colours.Detail;
}

QString nodeCaption(const CTree &node, bool oddVisible)
{
    switch (nodeKind(node)) {
    case NodeKind::Sheet:
        return {};
    case NodeKind::FreeArea:
        return oddVisible ? QStringLiteral("Остаток") : QString();
    case NodeKind::Detail:
        break;
    }
    return QStringLiteral("%1 x %2").arg(node.Width).arg(node.Height);
}

void drawNode(QPainter &painter, const QRectF &rect, const QColor &fill, const QString &caption,
              bool lowered, const QColor &frame)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    painter.save();
    painter.fillRect(rect, fill);
    if (rect.width() >= 3 && rect.height() >= 3) {
        // A one-pixel line inside the rectangle, so that neighbours separated
        // by a thin saw cut stay apart.
        const QRectF inner = rect.adjusted(0.5, 0.5, -0.5, -0.5);
        QPen pen(frame.isValid() ? frame : fill.darker(160));
        pen.setCosmetic(true);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(inner);
        if (lowered) {
            // A sunken edge: dark above and left, light below and right.
            QPen dark(fill.darker(250));
            dark.setCosmetic(true);
            dark.setWidth(2);
            painter.setPen(dark);
            painter.drawLine(inner.topLeft(), inner.topRight());
            painter.drawLine(inner.topLeft(), inner.bottomLeft());
            QPen light(fill.lighter(160));
            light.setCosmetic(true);
            painter.setPen(light);
            painter.drawLine(inner.bottomLeft(), inner.bottomRight());
            painter.drawLine(inner.topRight(), inner.bottomRight());
        }
    }
    if (!caption.isEmpty()) {
        const QFontMetricsF metrics(painter.font());
        const QRectF text = metrics.boundingRect(caption);
        painter.setPen(textColour(fill));
        if (text.width() <= rect.width() - 4 && metrics.height() <= rect.height() - 2) {
            painter.drawText(rect, Qt::AlignCenter, caption);
        } else if (text.width() <= rect.height() - 4 && metrics.height() <= rect.width() - 2) {
            // A tall, narrow rectangle reads its caption upwards.
            painter.translate(rect.center());
            painter.rotate(-90);
            const QRectF turned(-rect.height() / 2, -rect.width() / 2, rect.height(), rect.width());
            painter.drawText(turned, Qt::AlignCenter, caption);
        }
    }
    painter.restore();
}

void drawMap(QPainter &painter, const QRectF &target, const CTree &root, const MapColours &colours,
             const MapDrawOptions &options)
{
    if (root.Width <= 0 || root.Height <= 0 || target.isEmpty())
        return;
    const double scale = std::min(target.width() / root.Width, target.height() / root.Height);
    forEachNode(root, [&](const CTree &n) {
        if (!isDrawn(n))
            return;
        const QRectF rect(target.left() + (n.Left - root.Left) * scale,
                          target.top() + (n.Top - root.Top) * scale, n.Width * scale,
                          n.Height * scale);
        const NodeKind kind = nodeKind(n);
        QString caption;
        if (kind == NodeKind::FreeArea || options.DetailSizes)
            caption = nodeCaption(n, options.OddVisible);
        drawNode(painter, rect, kindColour(kind, colours), caption, false, options.Frame);
    });
}

} // namespace lamira
