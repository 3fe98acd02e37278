#pragma once

#include "cutting/panelhook.h"

#include <QDialog>
#include <QPoint>
#include <QPointer>
#include <QSet>

#include <memory>
#include <vector>

class QDropEvent;
class QFrame;
class QGroupBox;
class QLabel;
class QMouseEvent;
class QPushButton;
class QScrollArea;

namespace lamira {
class CTree;
class CutRun;
class DropFrame;
class MapEdit;
class MapPanel;
struct Detail;
} // namespace lamira

// The map editor ("Редактор карт раскроя"): the maps of one material as one
// copy per physical sheet in a strip; two work areas that take copies
// dragged from the strip; a list area with the material's uncut details as
// loose pieces. Placed details are picked up with a click and carried to a
// free area of a work area (if they fit) or to the list area; loose pieces
// are picked up with the left button and turned with the right one; the
// right button over the work areas cancels a move; a selected free area is
// joined with its right or lower neighbour. "Применить изменения и выйти"
// puts the copies in place of the material's maps; every other way out
// drops the edit and leaves the run's results as they were.
class TEditorForm final : public QDialog, private lamira::PanelHook
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TEditorForm)

public:
    explicit TEditorForm(QWidget *parent = nullptr);
    ~TEditorForm() override;

    // Opens an edit of the material of the store's slot: the copies in the
    // strip. The maps tab's own panels must be gone. Show the form next
    // (exec); FormShow then fills the list area.
    void prepare(lamira::CutRun &run, int slot);
    // The session while the form is open.
    lamira::MapEdit *edit() const { return m_edit.get(); }

    // Form.
    void FormShow();
    void FormClose();
    void OKButtonClick();
    void CancelButtonClick();
    void HorizontalButtonClick();
    void VertikalButtonClick();
    // A drop on a work area; the data name the strip picture dragged.
    void Panel3DragDrop(QDropEvent &event);
    void Panel7DragDrop(QDropEvent &event);
    // area 0 is Panel3 (upper), 1 is Panel7 (lower).
    void putIntoWorkArea(int area, quintptr draggedPanel);
    // Right button on the background or a work area: cancel the move.
    void Panel3MouseDown(QMouseEvent &event);
    // A press in the list area at `at` (its own coordinates).
    void Panel4MouseDown(QMouseEvent &event, QPoint at);
    void LoosePieceMouseDown(lamira::MapPanel &piece, QMouseEvent &event);
    // The carried piece follows the pointer (screen position).
    void CarriedPieceMouseMove(QPoint globalPos);

    // Panels of the copies.
    void BuildWorkPanels(lamira::CTree &copy, QWidget *area, float scale);
    void BuildStripPanels(lamira::CTree &copy, int offset, float scale);
    void ShiftPanels(lamira::CTree &copy, int dx);
    void DeletePanels(lamira::CTree &copy);
    void Unselect(lamira::CTree *copy);
    void PlacedDetailClick(lamira::MapPanel &panel, QMouseEvent &event);
    void PlacedDetailMouseDown(lamira::MapPanel &panel, QMouseEvent &event);
    void FreeAreaMouseDown(lamira::MapPanel &panel, QMouseEvent &event);

    // The panel showing the node, if this form made it.
    lamira::MapPanel *panelOf(const lamira::CTree &node) const;
    // The loose pieces in the list area (a piece carried from there counts).
    const std::vector<lamira::Detail *> &looseDetails() const { return m_loose; }
    // The detail being carried, if any.
    lamira::Detail *carriedDetail() const { return m_carried; }
    // The copy standing for a strip picture's panel.
    lamira::CTree *stripCopyOf(const lamira::MapPanel *panel) const;
    // Where the next strip picture goes: right of the last one, or 3.
    int nextStripOffset() const;
    // The "Параметры детали" text of a detail.
    static QString infoText(const lamira::Detail &detail);
    static QString sizeCaption(int width, int height);

    QFrame *Panel1;
    QPushButton *OKButton;
    QPushButton *CancelButton;
    QPushButton *HorizontalButton;
    QPushButton *VertikalButton;
    QGroupBox *GroupBox1;
    QLabel *Info;
    QFrame *Panel2;
    QScrollArea *DrawPanel;
    lamira::DropFrame *Panel3;
    lamira::DropFrame *Panel7;
    QScrollArea *Panel4;

    float StripScale = 0;
    float EditorScale = 1;
    QPoint PieceHome;
    QPointer<lamira::MapPanel> DraggedPanel;
    QPointer<lamira::MapPanel> DragSource;
    QPointer<lamira::MapPanel> SelectedPanel;

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // PanelHook: the tree drops a node or frees a detail's place.
    void DestroyPanel(lamira::CTree &node) override;
    void MakeFreePanel(lamira::CTree &node) override;

    void buildForm();
    lamira::MapPanel *newPanel(lamira::CTree *node, QWidget *parent, const QRect &geometry);
    void releasePanel(lamira::MapPanel *panel);
    void setFreeAreaPanel(lamira::MapPanel &panel, const lamira::CTree &node);
    lamira::MapPanel *newLoosePiece(lamira::Detail &detail, QPoint at);
    void makeLoose(lamira::MapPanel &piece, lamira::Detail &detail, QPoint at);
    // The carried piece goes back: a piece from a map is discarded and its
    // source shows the detail again; a loose piece returns to PieceHome.
    void cancelMove();
    void liftToPointer(lamira::MapPanel &piece, QPoint globalPos);
    void rebuildWorkAreas(bool collapse);
    void joinFree(int direction);
    void fitStrip();
    void fitList();
    void releaseEverything();

    std::unique_ptr<lamira::MapEdit> m_edit;
    bool m_shown = false;
    QWidget *m_strip = nullptr;        // DrawPanel's content: the strip pictures
    QWidget *m_list = nullptr;         // Panel4's content: the loose pieces
    QSet<lamira::MapPanel *> m_panels; // strip and work-area panels
    std::vector<lamira::Detail *> m_loose;
    lamira::Detail *m_carried = nullptr;
    // The node the carried piece came from: DragSource is found again
    // through it when the work areas get new panels.
    lamira::CTree *m_sourceNode = nullptr;
};
