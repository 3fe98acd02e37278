#pragma once

#include <QDialog>

#include <optional>

// The layout chooser of the maps tab: six miniature maps in three columns
// and two rows; the part of the grid up to the pointer lights up, and
// releasing the mouse picks the layout of that column and row (1x1, 2x1,
// 3x1 in the first row, 1x2, 2x2, 3x2 in the second). It closes on release
// and on a press outside; a release outside the grid picks nothing.
class TCountForm final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TCountForm)

public:
    explicit TCountForm(QWidget *parent = nullptr);

    // The ViewMode (1 to 6) a release at (x, y) of the form picks, or 0 for
    // a release outside the grid.
    static int modeAt(int x, int y);

    // The pointer moved to (x, y): the grid up to it lights up.
    void FormMouseMove(int x, int y);
    // The mouse was released at (x, y): picks a layout, then closes.
    void FormMouseUp(int x, int y);

signals:
    void modeChosen(int viewMode);

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    std::optional<QPoint> m_pointer; // since the form was shown
};
