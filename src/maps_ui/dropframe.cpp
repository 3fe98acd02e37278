#include "maps_ui/dropframe.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>

namespace lamira {

DropFrame::DropFrame(QWidget *parent) : QFrame(parent)
{
    setAcceptDrops(true);
}

void DropFrame::dragEnterEvent(QDragEnterEvent *event)
{
    event->acceptProposedAction();
}

void DropFrame::dragMoveEvent(QDragMoveEvent *event)
{
    event->acceptProposedAction();
}

void DropFrame::dropEvent(QDropEvent *event)
{
    event->acceptProposedAction();
    if (OnDrop)
        OnDrop(*event);
}

} // namespace lamira
