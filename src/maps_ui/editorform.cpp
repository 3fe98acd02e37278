#include "maps_ui/editorform.h"

#include "cutting/cutrun.h"
#include "maps_ui/dropframe.h"
#include "maps_ui/mapcolours.h"
#include "maps_ui/mapedit.h"
#include "maps_ui/mappanel.h"

#include <QDropEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

using lamira::CTree;
using lamira::Detail;
using lamira::MapPanel;

namespace {

QPushButton *button(QWidget *parent, const char *name, const QString &caption,
                    const QRect &geometry)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(geometry);
    b->setAutoDefault(false);
    // The captions are long for the buttons' design size.
    QFont f = b->font();
    f.setPixelSize(11);
    b->setFont(f);
    b->setStyleSheet(QStringLiteral("QPushButton { padding: 0px 4px; }"));
    // Wider than designed where this platform's font needs it, never narrower.
    b->resize(std::max(geometry.width(), b->sizeHint().width()), geometry.height());
    return b;
}

} // namespace

TEditorForm::TEditorForm(QWidget *parent) : QDialog(parent)
{
    buildForm();
}

TEditorForm::~TEditorForm() = default;

void TEditorForm::buildForm()
{
    setObjectName(QStringLiteral("EditorForm"));
    setWindowTitle(QStringLiteral("Редактор карт раскроя"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    resize(1032, 720);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setFixedHeight(81);
    OKButton = button(Panel1, "OKButton", QStringLiteral("Применить изменения и выйти"),
                      QRect(64, 16, 177, 25));
    CancelButton = button(Panel1, "CancelButton", QStringLiteral("Отменить изменения и выйти"),
                          QRect(64, 40, 177, 25));
    HorizontalButton =
        button(Panel1, "HorizontalButton", QStringLiteral("Соединить остатки по горизонтали"),
               QRect(376, 16, 185, 25));
    VertikalButton =
        button(Panel1, "VertikalButton", QStringLiteral("Соединить остатки по вертикали"),
               QRect(376, 40, 185, 25));
    GroupBox1 = new QGroupBox(QStringLiteral("Параметры детали"), Panel1);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(688, 8, 305, 57);
    Info = new QLabel(GroupBox1);
    Info->setObjectName(QStringLiteral("Info"));
    Info->setGeometry(10, 24, 290, 20);
    layout->addWidget(Panel1);

    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    layout->addWidget(Panel2, 1);

    DrawPanel = new QScrollArea(Panel2);
    DrawPanel->setObjectName(QStringLiteral("DrawPanel"));
    DrawPanel->setGeometry(0, 0, 1032, 112);
    DrawPanel->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_strip = new QWidget;
    m_strip->setObjectName(QStringLiteral("DrawPanelContents"));
    m_strip->resize(1, 1);
    DrawPanel->setWidget(m_strip);

    Panel3 = new lamira::DropFrame(Panel2);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setFrameStyle(QFrame::Box | QFrame::Plain);
    Panel3->setGeometry(1, 121, 560, 250);
    Panel3->OnDrop = [this](QDropEvent &e) { Panel3DragDrop(e); };
    Panel7 = new lamira::DropFrame(Panel2);
    Panel7->setObjectName(QStringLiteral("Panel7"));
    Panel7->setFrameStyle(QFrame::Box | QFrame::Plain);
    Panel7->setGeometry(1, 376, 560, 250);
    Panel7->OnDrop = [this](QDropEvent &e) { Panel7DragDrop(e); };

    Panel4 = new QScrollArea(Panel2);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    Panel4->setGeometry(568, 120, 449, 505);
    m_list = new QWidget;
    m_list->setObjectName(QStringLiteral("Panel4Contents"));
    m_list->resize(1, 1);
    Panel4->setWidget(m_list);

    // The carried piece follows the pointer over every part of the form.
    for (QWidget *w : {static_cast<QWidget *>(Panel2), static_cast<QWidget *>(Panel3),
                       static_cast<QWidget *>(Panel7), Panel4->viewport(), m_list,
                       DrawPanel->viewport(), m_strip}) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
    setMouseTracking(true);

    connect(OKButton, &QPushButton::clicked, this, &TEditorForm::OKButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TEditorForm::CancelButtonClick);
    connect(HorizontalButton, &QPushButton::clicked, this, &TEditorForm::HorizontalButtonClick);
    connect(VertikalButton, &QPushButton::clicked, this, &TEditorForm::VertikalButtonClick);
}

// ---- opening and closing ----

void TEditorForm::prepare(lamira::CutRun &run, int slot)
{
    releaseEverything();
    m_edit.reset();
    m_shown = false;
    try {
        m_edit = std::make_unique<lamira::MapEdit>(run, slot);
        StripScale = m_edit->StripScale(DrawPanel->height());
        int offset = 3;
        for (const auto &copy : m_edit->EditorMaps) {
            BuildStripPanels(*copy, offset, StripScale);
            if (const MapPanel *root = panelOf(*copy))
                offset = root->x() + root->width() + 20;
        }
        for (Detail *d : run.RunDetails)
            d->DragPanel = nullptr;
    } catch (const std::exception &) {
        // The editor opens with whatever was prepared and stays usable.
    }
    fitStrip();
    Info->clear();
    setWindowState(windowState() | Qt::WindowMaximized);
}

void TEditorForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TEditorForm::FormShow()
{
    if (!m_edit)
        return;
    EditorScale = m_edit->EditorScale(Panel3->width(), Panel3->height());
    DraggedPanel = nullptr;
    DragSource = nullptr;
    SelectedPanel = nullptr;
    m_carried = nullptr;
    m_sourceNode = nullptr;
    double top = 10;
    for (Detail *d : m_edit->TakeUncutDetails()) {
        newLoosePiece(*d, QPoint(10, int(top)));
        m_loose.push_back(d);
        top += d->Height * double(EditorScale) + 10;
    }
    fitList();
}

void TEditorForm::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TEditorForm::FormClose()
{
    if (!m_edit)
        return;
    releaseEverything();
    if (!m_edit->applied())
        m_edit->Cancel();
    m_edit->Finish();
    m_edit.reset();
    Info->clear();
}

void TEditorForm::releaseEverything()
{
    if (MapPanel *piece = DraggedPanel) {
        // A piece from the list area is one of the loose pieces below.
        if (m_sourceNode)
            delete piece;
    }
    DraggedPanel = nullptr;
    DragSource = nullptr;
    SelectedPanel = nullptr;
    m_carried = nullptr;
    m_sourceNode = nullptr;
    if (m_edit) {
        for (const auto &copy : m_edit->EditorMaps)
            DeletePanels(*copy);
        for (CTree *copy : {m_edit->UpperMap.get(), m_edit->LowerMap.get()}) {
            if (copy)
                DeletePanels(*copy);
        }
    }
    for (MapPanel *panel : std::as_const(m_panels)) {
        panel->hide();
        panel->deleteLater();
    }
    m_panels.clear();
    for (Detail *d : m_loose) {
        delete static_cast<MapPanel *>(d->DragPanel);
        d->DragPanel = nullptr;
    }
    m_loose.clear();
    fitStrip();
    fitList();
}

void TEditorForm::OKButtonClick()
{
    if (!m_edit) {
        accept();
        return;
    }
    // A piece still carried goes back first, so that a loose one is counted
    // among the list area's details and none is lost.
    cancelMove();
    const std::vector<Detail *> loose = m_loose;
    // The copies become the material's maps: their panels go now.
    for (const auto &copy : m_edit->EditorMaps)
        DeletePanels(*copy);
    for (CTree *copy : {m_edit->UpperMap.get(), m_edit->LowerMap.get()}) {
        if (copy)
            DeletePanels(*copy);
    }
    for (Detail *d : loose) {
        delete static_cast<MapPanel *>(d->DragPanel);
        d->DragPanel = nullptr;
    }
    m_loose.clear();
    m_edit->Apply(loose);
    accept();
}

void TEditorForm::CancelButtonClick()
{
    reject();
}

void TEditorForm::HorizontalButtonClick()
{
    joinFree(CTree::ToRight);
}

void TEditorForm::VertikalButtonClick()
{
    joinFree(CTree::ToBelow);
}

void TEditorForm::joinFree(int direction)
{
    if (!m_edit || !SelectedPanel)
        return;
    // Only compared with the nodes' panels: the join destroys it.
    const void *selected = SelectedPanel.data();
    for (CTree *copy : {m_edit->UpperMap.get(), m_edit->LowerMap.get()}) {
        if (copy)
            copy->JoinFree(direction, selected, this);
    }
    rebuildWorkAreas(false);
}

// ---- work areas ----

void TEditorForm::Panel3DragDrop(QDropEvent &event)
{
    putIntoWorkArea(0, MapPanel::draggedPanel(event.mimeData()));
}

void TEditorForm::Panel7DragDrop(QDropEvent &event)
{
    putIntoWorkArea(1, MapPanel::draggedPanel(event.mimeData()));
}

void TEditorForm::putIntoWorkArea(int area, quintptr draggedPanel)
{
    if (!m_edit)
        return;
    std::unique_ptr<CTree> &work = area == 0 ? m_edit->UpperMap : m_edit->LowerMap;
    QWidget *frame = area == 0 ? static_cast<QWidget *>(Panel3) : static_cast<QWidget *>(Panel7);
    lamira::OwnedMaps &strip = m_edit->EditorMaps;
    try {
        if (work) {
            // A detail carried from this copy could no longer be taken off
            // it once the copy is back in the strip: the move ends here.
            if (m_sourceNode && m_edit->WorkCopyOf(*m_sourceNode) == work.get())
                cancelMove();
            DeletePanels(*work);
            BuildStripPanels(*work, nextStripOffset(), StripScale);
            strip.push_back(std::move(work));
        }
        size_t found = strip.size();
        if (draggedPanel) {
            const auto *dragged = reinterpret_cast<const void *>(draggedPanel);
            for (size_t i = 0; i < strip.size(); ++i) {
                Unselect(m_edit->UpperMap.get());
                Unselect(m_edit->LowerMap.get());
                if (strip[i]->HasPanel(dragged)) {
                    found = i;
                    break;
                }
            }
        }
        if (found < strip.size()) {
            const MapPanel *root = panelOf(*strip[found]);
            const int removed = root ? root->width() : 0;
            DeletePanels(*strip[found]);
            work = std::move(strip[found]);
            strip.erase(strip.begin() + std::ptrdiff_t(found));
            BuildWorkPanels(*work, frame, EditorScale);
            for (size_t j = found; j < strip.size(); ++j)
                ShiftPanels(*strip[j], removed + 20);
        }
    } catch (const std::exception &) {
        // The step stops; the editor stays usable.
    }
    fitStrip();
}

void TEditorForm::rebuildWorkAreas(bool collapse)
{
    const std::pair<CTree *, QWidget *> areas[] = {{m_edit->UpperMap.get(), Panel3},
                                                   {m_edit->LowerMap.get(), Panel7}};
    for (const auto &[copy, frame] : areas) {
        if (!copy)
            continue;
        DeletePanels(*copy);
        BuildWorkPanels(*copy, frame, EditorScale);
        if (collapse)
            copy->Collapse(this);
    }
    SelectedPanel = nullptr;
    if (m_sourceNode) {
        DragSource = panelOf(*m_sourceNode);
        if (DragSource)
            DragSource->setColour(lamira::MapColours::fromRun(m_edit->run()).Editor);
    }
}

// ---- helpers ----

void TEditorForm::fitStrip()
{
    int right = 1;
    for (const MapPanel *panel : std::as_const(m_panels)) {
        if (panel->parentWidget() == m_strip)
            right = std::max(right, panel->x() + panel->width() + 3);
    }
    const int height = std::max(DrawPanel->viewport()->height(), 1);
    m_strip->resize(right, height);
}

void TEditorForm::fitList()
{
    int right = 1;
    int bottom = 1;
    for (const MapPanel *piece : m_list->findChildren<MapPanel *>(Qt::FindDirectChildrenOnly)) {
        if (piece->isHidden())
            continue;
        right = std::max(right, piece->x() + piece->width() + 10);
        bottom = std::max(bottom, piece->y() + piece->height() + 10);
    }
    m_list->resize(std::max(right, Panel4->viewport()->width()),
                   std::max(bottom, Panel4->viewport()->height()));
}

bool TEditorForm::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Resize:
        if (watched == Panel2)
            DrawPanel->setGeometry(0, 0, Panel2->width(), 112);
        break;
    case QEvent::MouseMove:
        CarriedPieceMouseMove(static_cast<QMouseEvent *>(event)->globalPosition().toPoint());
        break;
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (watched == Panel2 || watched == Panel3 || watched == Panel7) {
            Panel3MouseDown(*mouse);
        } else if (watched == Panel4->viewport() || watched == m_list) {
            Panel4MouseDown(*mouse, m_list->mapFromGlobal(mouse->globalPosition().toPoint()));
        }
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}
