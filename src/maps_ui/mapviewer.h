#pragma once

#include <QPointer>
#include <QSet>
#include <QWidget>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMouseEvent;
class QScrollArea;
class QSlider;
class QToolButton;
class TCountForm;
class TEditorForm;

namespace lamira {
class CTree;
class CutRun;
class MapPanel;
} // namespace lamira

// The maps tab ("Карты раскроя"): the tool bar with navigation, layout,
// editor, material filter and zoom, and the drawing area where every map
// shown is a set of panels, one for the sheet and one for each free area and
// placed detail, to scale in the run's colours.
//
// The viewer reads and changes the run's results and view values held by a
// CutRun (Maps, the material map store, ViewMode, MapScale, MapZoom); it
// keeps no copy of them. Until a run is shown, every button does nothing.
class MapViewer final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MapViewer)

public:
    explicit MapViewer(QWidget *parent = nullptr);
    ~MapViewer() override;

    // After a successful cut run: the material filter lists the run's
    // materials and "Все" (chosen), map 1 in layout 1x1 at zoom 1.0, the
    // scale worked out from the drawing area's size, the fill percentage of
    // the last material, and the tab is asked to show itself.
    void showRun(lamira::CutRun &run);
    // Before a new cut run replaces the maps: every panel goes (without
    // touching the old maps) and the viewer shows nothing until showRun.
    void forgetRun();
    lamira::CutRun *run() const { return m_run; }

    // The windows the tool bar opens; created once by the program.
    void setCountForm(TCountForm *form);
    void setEditorForm(TEditorForm *form);

    // Redraws the current map and the further maps of the layout.
    void ShowMaps();
    // Panels of one map at the offset (dx, dy) in millimetres.
    void CreatePanels(lamira::CTree &map, int dx, int dy);
    // Moves and resizes the map's existing panels for the current zoom.
    void LayoutPanels(lamira::CTree &map, int dx, int dy);
    void DeletePanels(lamira::CTree &map);
    // Gives every panel of the map its kind's colour again.
    void Recolour(lamira::CTree &map);
    // After the run's colours changed: the drawing area's background and
    // every map shown.
    void applyColours();

    // The panel showing the node, if this viewer made it.
    lamira::MapPanel *panelOf(const lamira::CTree &node) const;
    // Number of the current map (Edit2), 1-based; 0 when none.
    int currentMap() const;

    // Tool bar.
    void FirstButtonClick();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void LastButtonClick();
    void ScaleBarChange();
    void CountButtonClick();
    void ComboBox1Change();
    void EditorButtonClick();
    // The layout chooser picked a layout.
    void chooseViewMode(int viewMode);
    // After the editor closed: map 1 at zoom 1.0, the tab shown.
    void showFirstMap();

    // Viewer panels: the note while a button is held.
    void MapPanelMouseDown(lamira::MapPanel &panel, QMouseEvent &event);
    void MapPanelMouseUp(lamira::MapPanel &panel, QMouseEvent &event);
    // The note's text for a panel: "Бок 720 x 560", "Остаток 600 x 400",
    // nothing for a sheet.
    static QString noteText(const lamira::CTree &node);

    QFrame *Panel3;
    QFrame *Panel6;
    QToolButton *FirstButton;
    QToolButton *SpeedButton3;
    QLineEdit *Edit2;
    QToolButton *SpeedButton4;
    QToolButton *LastButton;
    QToolButton *CountButton;
    QToolButton *EditorButton;
    QLabel *Label3;
    QComboBox *ComboBox1;
    QLabel *Label2;
    QSlider *ScaleBar;
    QLabel *StaticText6;
    QLabel *Label1;
    QScrollArea *DrawPanel;
    QPointer<QLabel> NotePanel;

signals:
    // The maps tab should become visible and active.
    void showTabRequested();

private:
    void buildToolBar();
    void gotoMap(int number);
    void deleteAllPanels(); // without reading any node
    void deletePanelsOfStore();
    void setZoomToOne();
    void setInfoOfMap(int number);
    void fitDrawingArea();
    // Spacing of the layouts: MaxSheetWidth/Height, widened to the largest
    // sheet shown so that maps of several materials never overlap.
    QSize layoutSheet() const;

    lamira::CutRun *m_run = nullptr;
    QWidget *m_drawing = nullptr; // DrawPanel's content: parent of the panels
    QSet<lamira::MapPanel *> m_panels;
    TCountForm *m_countForm = nullptr;
    TEditorForm *m_editorForm = nullptr;
};
