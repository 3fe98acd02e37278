#include "modal.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace lamira::test {

void whenModal(std::function<void(QWidget *modal)> action)
{
    // The modal window seen when the call was made is not the one awaited.
    QWidget *before = QApplication::activeModalWidget();
    auto *timer = new QTimer(qApp);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, before, action] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == before || !modal->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        action(modal);
    });
    timer->start();
}

} // namespace lamira::test
