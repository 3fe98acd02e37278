#pragma once

#include <QColor>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <functional>

class QMimeData;

namespace lamira {

class CTree;

// The panel of one node of a map (a sheet, a free area, a placed detail), or
// a loose piece of the map editor. It paints itself as the renderer draws
// the node's kind and passes the mouse to the handlers its owner set; the
// owner decides what a press means.
class MapPanel final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MapPanel)

public:
    using MouseHandler = std::function<void(MapPanel &, QMouseEvent &)>;

    // node: the node shown (none for a loose piece); it must outlive the
    // panel, which never reads it after the owner deleted the panel.
    MapPanel(CTree *node, QWidget *parent);

    CTree *node() const { return m_node; }

    QColor colour() const { return m_colour; }
    void setColour(const QColor &colour);
    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    // A selected free area of the editor is shown lowered.
    bool isLowered() const { return m_lowered; }
    void setLowered(bool lowered);

    // Pressing the panel and moving the mouse starts a drag whose data name
    // this panel (the editor's strip pictures).
    void setStartsDrag(bool starts) { m_startsDrag = starts; }
    bool startsDrag() const { return m_startsDrag; }
    // The panel a drag started from, as an address to compare with (never
    // to dereference: the panel may be gone); 0 if the data are no panel's.
    static quintptr draggedPanel(const QMimeData *data);
    static QMimeData *dragData(const MapPanel *panel);

    MouseHandler OnMouseDown;
    MouseHandler OnMouseUp;
    MouseHandler OnMouseMove;
    // Left button pressed and released on the panel.
    MouseHandler OnClick;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    CTree *m_node;
    QColor m_colour;
    QString m_caption;
    bool m_lowered = false;
    bool m_startsDrag = false;
    bool m_leftPressed = false;
    QPoint m_pressPos;
};

} // namespace lamira
