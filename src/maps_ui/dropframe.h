#pragma once

#include <QFrame>

#include <functional>

class QDropEvent;

namespace lamira {

// A framed area that accepts every drag and hands a drop to its owner (the
// work areas of the map editor).
class DropFrame final : public QFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DropFrame)

public:
    explicit DropFrame(QWidget *parent = nullptr);

    std::function<void(QDropEvent &)> OnDrop;

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
};

} // namespace lamira
