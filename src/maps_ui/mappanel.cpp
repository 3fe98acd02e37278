#include "maps_ui/mappanel.h"

#include "maps_ui/maprenderer.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace lamira {

namespace {

const QString PanelMimeType = QStringLiteral("application/x-lamira-map-panel");

} // namespace

MapPanel::MapPanel(CTree *node, QWidget *parent) : QWidget(parent), m_node(node)
{
    // Moves are wanted without a button held: the editor's carried piece
    // follows the pointer over the panels.
    setMouseTracking(true);
}

void MapPanel::setColour(const QColor &colour)
{
    if (m_colour == colour)
        return;
    m_colour = colour;
    update();
}

void MapPanel::setCaption(const QString &caption)
{
    if (m_caption == caption)
        return;
    m_caption = caption;
    update();
}

void MapPanel::setLowered(bool lowered)
{
    if (m_lowered == lowered)
        return;
    m_lowered = lowered;
    update();
}

quintptr MapPanel::draggedPanel(const QMimeData *data)
{
    if (!data || !data->hasFormat(PanelMimeType))
        return 0;
    bool ok = false;
    const quintptr address = data->data(PanelMimeType).toULongLong(&ok);
    return ok ? address : 0;
}

QMimeData *MapPanel::dragData(const MapPanel *panel)
{
    auto *data = new QMimeData;
    data->setData(PanelMimeType, QByteArray::number(qulonglong(quintptr(panel))));
    return data;
}

void MapPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawNode(painter, QRectF(rect()), m_colour, m_caption, m_lowered);
}

void MapPanel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_leftPressed = true;
        m_pressPos = event->position().toPoint();
    }
    // A copy: the handler may replace the panel's handlers.
    if (MouseHandler handler = OnMouseDown)
        handler(*this, *event);
}

void MapPanel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = event->button() == Qt::LeftButton && m_leftPressed &&
                       rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        m_leftPressed = false;
    QPointer<MapPanel> self(this);
    if (click) {
        if (MouseHandler handler = OnClick)
            handler(*this, *event);
    }
    if (!self)
        return;
    if (MouseHandler handler = OnMouseUp)
        handler(*this, *event);
}

void MapPanel::mouseMoveEvent(QMouseEvent *event)
{
    if (m_startsDrag && m_leftPressed && (event->buttons() & Qt::LeftButton) &&
        (event->position().toPoint() - m_pressPos).manhattanLength() >=
            QApplication::startDragDistance()) {
        m_leftPressed = false;
        // The drag belongs to the panel's parent: the drop may replace this
        // panel while the drag is still running.
        auto *drag = new QDrag(parentWidget() ? static_cast<QObject *>(parentWidget()) : this);
        drag->setMimeData(dragData(this));
        drag->exec(Qt::MoveAction);
        return;
    }
    if (MouseHandler handler = OnMouseMove)
        handler(*this, *event);
}

} // namespace lamira
