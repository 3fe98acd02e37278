#include "shell/piegauge.h"

#include <QPainter>

#include <algorithm>

PieGauge::PieGauge(QWidget *parent) : QWidget(parent) {}

void PieGauge::setMaximum(int maximum)
{
    if (maximum != m_maximum) {
        m_maximum = maximum;
        update();
    }
}

void PieGauge::setValue(int value)
{
    if (value != m_value) {
        m_value = value;
        update();
    }
}

void PieGauge::setForeground(const QColor &color)
{
    m_foreground = color;
    update();
}

double PieGauge::fraction() const
{
    if (m_maximum <= 0)
        return 0;
    return std::clamp(double(m_value) / m_maximum, 0.0, 1.0);
}

void PieGauge::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int side = std::min(width(), height()) - 1;
    const QRectF circle((width() - side) / 2.0, (height() - side) / 2.0, side, side);
    p.setPen(QPen(m_foreground.darker(150), 1));
    p.setBrush(Qt::white);
    p.drawEllipse(circle);
    const int span = int(-fraction() * 360 * 16); // clockwise from twelve o'clock
    if (span != 0) {
        p.setBrush(m_foreground);
        p.drawPie(circle, 90 * 16, span);
    }
}
