#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QPlainTextEdit;

namespace lamira {
class CutRun;
}

// The maps of the last cut run as a plain list on the tab "Карты раскроя":
// the material filter ComboBox1 (one entry per material that produced
// maps, then "Все") and one line per map with its information text. It
// holds the place of the map viewer.
class MapListView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MapListView)

public:
    explicit MapListView(QWidget *parent = nullptr);

    // Shows the run's maps with "Все" chosen; the run must outlive the view
    // or be shown again.
    void showRun(const lamira::CutRun &run);

    QComboBox *ComboBox1;
    QLabel *StaticText6; // the fill percentage of the last material
    QPlainTextEdit *MapList;

private:
    void showMaterial(int slot);

    const lamira::CutRun *m_run = nullptr;
};
