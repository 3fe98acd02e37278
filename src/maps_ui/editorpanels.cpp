// The panels of the editor's map copies and loose pieces, and what the mouse
// does with them: pick up, carry, drop, cancel, turn and select.

#include "maps_ui/editorform.h"

#include "cutting/cutrun.h"
#include "maps_ui/mapcolours.h"
#include "maps_ui/mapedit.h"
#include "maps_ui/mapgeometry.h"
#include "maps_ui/mappanel.h"
#include "maps_ui/maprenderer.h"
#include "maps_ui/treewalk.h"
#include "shell/messages.h"

#include <QLabel>
#include <QMouseEvent>

#include <algorithm>
#include <utility>

using lamira::CTree;
using lamira::Detail;
using lamira::MapPanel;

namespace {

QString fromUtf8(const std::string &text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QPoint globalPoint(const QMouseEvent &event)
{
    return event.globalPosition().toPoint();
}

} // namespace

QString TEditorForm::infoText(const Detail &detail)
{
    return QStringLiteral("Имя : ") + fromUtf8(detail.Name) + QStringLiteral("  Длина :") +
           QString::number(detail.Width) + QStringLiteral("  Ширина :") +
           QString::number(detail.Height);
}

QString TEditorForm::sizeCaption(int width, int height)
{
    return QString::number(width) + QLatin1Char('X') + QString::number(height);
}

MapPanel *TEditorForm::panelOf(const CTree &node) const
{
    auto *panel = static_cast<MapPanel *>(node.Panel);
    if (!panel || !m_panels.contains(panel) || panel->node() != &node)
        return nullptr;
    return panel;
}

CTree *TEditorForm::stripCopyOf(const MapPanel *panel) const
{
    if (!m_edit || !panel)
        return nullptr;
    for (const auto &copy : m_edit->EditorMaps) {
        if (copy->HasPanel(panel))
            return copy.get();
    }
    return nullptr;
}

int TEditorForm::nextStripOffset() const
{
    if (!m_edit || m_edit->EditorMaps.empty())
        return 3;
    const MapPanel *root = panelOf(*m_edit->EditorMaps.back());
    return root ? root->x() + root->width() + 20 : 3;
}

// ---- building ----

MapPanel *TEditorForm::newPanel(CTree *node, QWidget *parent, const QRect &geometry)
{
    auto *panel = new MapPanel(node, parent);
    panel->setGeometry(geometry);
    panel->show();
    m_panels.insert(panel);
    if (node)
        node->Panel = panel;
    return panel;
}

void TEditorForm::releasePanel(MapPanel *panel)
{
    m_panels.remove(panel);
    if (SelectedPanel == panel)
        SelectedPanel = nullptr;
    if (DragSource == panel)
        DragSource = nullptr;
    panel->hide();
    // Later: the panel may be the one whose mouse event is being handled.
    panel->deleteLater();
}

void TEditorForm::setFreeAreaPanel(MapPanel &panel, const CTree &node)
{
    panel.setColour(lamira::MapColours::fromRun(m_edit->run()).Rest);
    panel.setCaption(sizeCaption(node.Width, node.Height));
    panel.setLowered(false);
    panel.OnClick = nullptr;
    panel.OnMouseDown = [this](MapPanel &p, QMouseEvent &e) { FreeAreaMouseDown(p, e); };
}

void TEditorForm::BuildWorkPanels(CTree &copy, QWidget *area, float scale)
{
    if (!m_edit)
        return;
    const lamira::MapColours colours = lamira::MapColours::fromRun(m_edit->run());
    const bool empty = copy.IsEmpty();
    const QString hint = fromUtf8(copy.Hint);
    lamira::forEachNode(copy, [&](CTree &node) {
        if (!lamira::isDrawn(node))
            return;
        MapPanel *panel = newPanel(&node, area, lamira::workRect(node, scale));
        panel->OnMouseMove = [this](MapPanel &, QMouseEvent &e) {
            CarriedPieceMouseMove(globalPoint(e));
        };
        if (!node.Parent) {
            // An empty copy is one free sheet that takes a detail.
            if (empty)
                setFreeAreaPanel(*panel, node);
            else
                panel->setColour(colours.Sheet);
            return;
        }
        panel->setToolTip(hint);
        if (node.Free) {
            setFreeAreaPanel(*panel, node);
            return;
        }
        panel->setColour(colours.Detail);
        panel->setCaption(sizeCaption(node.Width, node.Height));
        panel->OnClick = [this](MapPanel &p, QMouseEvent &e) { PlacedDetailClick(p, e); };
        panel->OnMouseDown = [this](MapPanel &p, QMouseEvent &e) { PlacedDetailMouseDown(p, e); };
    });
}

void TEditorForm::BuildStripPanels(CTree &copy, int offset, float scale)
{
    if (!m_edit)
        return;
    const lamira::MapColours colours = lamira::MapColours::fromRun(m_edit->run());
    const QString hint = fromUtf8(copy.Hint);
    lamira::forEachNode(copy, [&](CTree &node) {
        if (!lamira::isDrawn(node))
            return;
        MapPanel *panel = newPanel(&node, m_strip, lamira::stripRect(node, scale, offset));
        panel->setColour(lamira::kindColour(lamira::nodeKind(node), colours));
        panel->setStartsDrag(true);
        panel->setToolTip(hint);
        panel->setCursor(Qt::OpenHandCursor);
    });
}

void TEditorForm::ShiftPanels(CTree &copy, int dx)
{
    lamira::forEachNode(copy, [&](CTree &node) {
        if (MapPanel *panel = panelOf(node))
            panel->move(std::max(panel->x() - dx, 0), panel->y());
    });
}

void TEditorForm::DeletePanels(CTree &copy)
{
    lamira::forEachNode(copy, [this](CTree &node) {
        if (MapPanel *panel = panelOf(node))
            releasePanel(panel);
        node.Panel = nullptr;
    });
}

void TEditorForm::Unselect(CTree *copy)
{
    if (copy && m_edit) {
        const QColor rest = lamira::MapColours::fromRun(m_edit->run()).Rest;
        lamira::forEachNode(*copy, [&](CTree &node) {
            MapPanel *panel = panelOf(node);
            if (panel && panel->isLowered()) {
                panel->setLowered(false);
                panel->setColour(rest);
            }
        });
    }
    SelectedPanel = nullptr;
}

void TEditorForm::DestroyPanel(CTree &node)
{
    if (MapPanel *panel = panelOf(node))
        releasePanel(panel);
}

void TEditorForm::MakeFreePanel(CTree &node)
{
    if (MapPanel *panel = panelOf(node))
        setFreeAreaPanel(*panel, node);
}

// ---- loose pieces ----

MapPanel *TEditorForm::newLoosePiece(Detail &detail, QPoint at)
{
    auto *piece = new MapPanel(nullptr, m_list);
    piece->resize(int(detail.Width * double(EditorScale)),
                  int(detail.Height * double(EditorScale)));
    makeLoose(*piece, detail, at);
    return piece;
}

void TEditorForm::makeLoose(MapPanel &piece, Detail &detail, QPoint at)
{
    piece.setParent(m_list);
    piece.setAttribute(Qt::WA_TransparentForMouseEvents, false);
    piece.move(at);
    piece.setColour(lamira::MapColours::fromRun(m_edit->run()).Editor);
    piece.setCaption(sizeCaption(detail.Width, detail.Height));
    piece.setToolTip(fromUtf8(detail.Name));
    piece.OnClick = nullptr;
    piece.OnMouseDown = [this](MapPanel &p, QMouseEvent &e) { LoosePieceMouseDown(p, e); };
    piece.OnMouseMove = [this](MapPanel &, QMouseEvent &e) {
        CarriedPieceMouseMove(globalPoint(e));
    };
    piece.show();
    detail.DragPanel = &piece;
    fitList();
}

void TEditorForm::liftToPointer(MapPanel &piece, QPoint globalPos)
{
    piece.setParent(this);
    // The piece rides at the pointer, so the clicks that drop it must reach
    // what lies under it.
    piece.setAttribute(Qt::WA_TransparentForMouseEvents, true);
    piece.show();
    piece.raise();
    piece.move(mapFromGlobal(globalPos) - QPoint(0, 10));
}

void TEditorForm::LoosePieceMouseDown(MapPanel &piece, QMouseEvent &event)
{
    if (!m_edit)
        return;
    const auto found = std::find_if(m_loose.begin(), m_loose.end(),
                                    [&piece](const Detail *d) { return d->DragPanel == &piece; });
    if (found == m_loose.end())
        return;
    Detail &detail = **found;
    if (event.button() == Qt::RightButton) {
        if (detail.Texture)
            lamira::showInformation(QStringLiteral("Деталь имеет текстуру"), this);
        // Turned all the same: the user has been warned.
        std::swap(detail.Width, detail.Height);
        piece.resize(piece.height(), piece.width());
        piece.setCaption(sizeCaption(detail.Width, detail.Height));
        fitList();
        return;
    }
    if (event.button() != Qt::LeftButton)
        return;
    Unselect(m_edit->UpperMap.get());
    Unselect(m_edit->LowerMap.get());
    if (DraggedPanel)
        cancelMove();
    PieceHome = piece.pos();
    DraggedPanel = &piece;
    DragSource = nullptr;
    m_sourceNode = nullptr;
    m_carried = &detail;
    liftToPointer(piece, globalPoint(event));
    Info->setText(infoText(detail));
}

void TEditorForm::CarriedPieceMouseMove(QPoint globalPos)
{
    if (!DraggedPanel)
        return;
    DraggedPanel->move(mapFromGlobal(globalPos) - QPoint(0, 10));
    DraggedPanel->raise();
}

void TEditorForm::cancelMove()
{
    if (MapPanel *piece = DraggedPanel) {
        if (m_sourceNode) {
            delete piece;
            if (m_carried)
                m_carried->DragPanel = nullptr;
            if (MapPanel *source = panelOf(*m_sourceNode))
                source->setColour(lamira::MapColours::fromRun(m_edit->run()).Detail);
        } else if (m_carried) {
            makeLoose(*piece, *m_carried, PieceHome);
        }
    }
    DraggedPanel = nullptr;
    DragSource = nullptr;
    m_sourceNode = nullptr;
    m_carried = nullptr;
}

void TEditorForm::Panel3MouseDown(QMouseEvent &event)
{
    if (event.button() == Qt::RightButton && DraggedPanel)
        cancelMove();
}

void TEditorForm::Panel4MouseDown(QMouseEvent &event, QPoint at)
{
    Info->clear();
    if (!m_edit || event.button() != Qt::LeftButton || !DraggedPanel || !m_carried)
        return;
    Unselect(m_edit->UpperMap.get());
    Unselect(m_edit->LowerMap.get());
    MapPanel *piece = DraggedPanel;
    Detail &detail = *m_carried;
    if (m_sourceNode) {
        CTree *copy = m_edit->WorkCopyOf(*m_sourceNode);
        if (!copy) {
            cancelMove();
            return;
        }
        lamira::MapEdit::TakeOff(detail, *copy, this);
        if (std::find(m_loose.begin(), m_loose.end(), &detail) == m_loose.end())
            m_loose.push_back(&detail);
    }
    DraggedPanel = nullptr;
    DragSource = nullptr;
    m_sourceNode = nullptr;
    m_carried = nullptr;
    makeLoose(*piece, detail, at);
}

// ---- map copies ----

void TEditorForm::PlacedDetailClick(MapPanel &panel, QMouseEvent &event)
{
    if (!m_edit)
        return;
    Unselect(m_edit->UpperMap.get());
    Unselect(m_edit->LowerMap.get());
    CTree *node = panel.node();
    if (!node || !node->Item)
        return;
    Info->setText(infoText(*node->Item));
    if (DraggedPanel)
        cancelMove();
    const QColor editor = lamira::MapColours::fromRun(m_edit->run()).Editor;
    DragSource = &panel;
    m_sourceNode = node;
    m_carried = node->Item;
    auto *piece = new MapPanel(nullptr, this);
    piece->resize(panel.size());
    piece->setColour(editor);
    liftToPointer(*piece, globalPoint(event));
    DraggedPanel = piece;
    panel.setColour(editor);
    node->Item->DragPanel = piece;
}

void TEditorForm::PlacedDetailMouseDown(MapPanel &, QMouseEvent &event)
{
    if (event.button() == Qt::RightButton && DraggedPanel)
        cancelMove();
}

void TEditorForm::FreeAreaMouseDown(MapPanel &panel, QMouseEvent &event)
{
    if (!m_edit)
        return;
    if (event.button() == Qt::RightButton) {
        if (DraggedPanel)
            cancelMove();
        return;
    }
    if (event.button() != Qt::LeftButton || !panel.node())
        return;
    CTree &area = *panel.node();
    if (DraggedPanel) {
        Detail *detail = m_carried;
        if (!detail)
            return;
        if (!lamira::MapEdit::Fits(area, *detail)) {
            lamira::showInformation(QStringLiteral("Не умещается"), this);
            return;
        }
        CTree *from = nullptr;
        if (m_sourceNode) {
            from = m_edit->WorkCopyOf(*m_sourceNode);
            if (!from) {
                cancelMove();
                return;
            }
        }
        if (!m_edit->Drop(area, *detail, from))
            return;
        if (!m_sourceNode)
            m_loose.erase(std::remove(m_loose.begin(), m_loose.end(), detail), m_loose.end());
        delete DraggedPanel.data();
        detail->DragPanel = nullptr;
        DraggedPanel = nullptr;
        DragSource = nullptr;
        m_sourceNode = nullptr;
        m_carried = nullptr;
        rebuildWorkAreas(true);
        fitList();
        return;
    }
    // Selecting: a second click on the selected area leaves nothing selected.
    const bool wasSelected = panel.isLowered();
    Unselect(m_edit->UpperMap.get());
    Unselect(m_edit->LowerMap.get());
    if (!wasSelected) {
        panel.setLowered(true);
        panel.setColour(Qt::yellow);
        SelectedPanel = &panel;
    }
}
