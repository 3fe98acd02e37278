#include "maps_ui/countform.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

// clInfoBk of the classic colour scheme, silver (12632256) and yellow.
const QColor InfoBackground(0xFF, 0xFF, 0xE1);
const QColor Silver(0xC0, 0xC0, 0xC0);
const QColor Lit(0xFF, 0xFF, 0x00);

QWidget *block(QWidget *parent, const char *name, const QRect &geometry, const QColor &colour)
{
    auto *w = new QWidget(parent);
    w->setObjectName(QLatin1String(name));
    w->setGeometry(geometry);
    w->setAutoFillBackground(true);
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    w->setPalette(p);
    // The form handles the mouse everywhere, on the miniatures too.
    w->setAttribute(Qt::WA_TransparentForMouseEvents);
    return w;
}

} // namespace

TCountForm::TCountForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CountForm"));
    // A popup: no border, and a press elsewhere closes it without a choice.
    setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
    setFixedSize(255, 140);
    setMouseTracking(true);

    const int lefts[] = {13, 93, 173};
    const int tops[] = {16, 80};
    int n = 0;
    for (int top : tops) {
        for (int left : lefts) {
            ++n;
            const QByteArray name = "Miniature" + QByteArray::number(n);
            QWidget *sheet = block(this, name.constData(), QRect(left, top, 65, 45), Qt::white);
            block(sheet, "Piece", QRect(1, 1, 41, 25), QColor(0x80, 0x80, 0x80));
            block(sheet, "RightStrip", QRect(45, 1, 17, 25), QColor(0x00, 0xC0, 0x00));
            block(sheet, "BelowStrip", QRect(1, 27, 62, 17), QColor(0x00, 0xC0, 0x00));
        }
    }
}

int TCountForm::modeAt(int x, int y)
{
    // Left of or above the form is outside as well.
    if (x < 0 || y < 0)
        return 0;
    const int column = x <= 92 ? 1 : x <= 172 ? 2 : x <= 262 ? 3 : 0;
    const int row = y < 80 ? 1 : y <= 166 ? 2 : 0;
    if (!column || !row)
        return 0;
    return (row - 1) * 3 + column;
}

void TCountForm::FormMouseMove(int x, int y)
{
    m_pointer = QPoint(x, y);
    update();
}

void TCountForm::FormMouseUp(int x, int y)
{
    if (const int mode = modeAt(x, y))
        emit modeChosen(mode);
    close();
}

void TCountForm::showEvent(QShowEvent *event)
{
    m_pointer.reset();
    QDialog::showEvent(event);
}

void TCountForm::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_pointer) {
        painter.fillRect(rect(), InfoBackground);
        return;
    }
    painter.fillRect(QRect(0, 0, 263, 167), Silver);
    painter.fillRect(QRect(0, 0, m_pointer->x(), m_pointer->y()), Lit);
}

void TCountForm::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    FormMouseMove(p.x(), p.y());
}

void TCountForm::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    FormMouseUp(p.x(), p.y());
}
