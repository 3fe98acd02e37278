#pragma once

#include <QWidget>

// A small round gauge: the done share of maximum as a pie slice, no text.
class PieGauge final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PieGauge)

public:
    explicit PieGauge(QWidget *parent = nullptr);

    int maximum() const { return m_maximum; }
    int value() const { return m_value; }
    void setMaximum(int maximum);
    void setValue(int value);
    void setForeground(const QColor &color);

    // Done share in [0, 1]; 0 while the maximum is not known (0 or less).
    double fraction() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_maximum = 100;
    int m_value = 0;
    QColor m_foreground = Qt::gray;
};
