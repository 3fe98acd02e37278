#include "maps_ui/mapviewer.h"

#include "cutting/cutrun.h"
#include "cutting/rounding.h"
#include "maps_ui/countform.h"
#include "maps_ui/editorform.h"
#include "maps_ui/mapcolours.h"
#include "maps_ui/mapgeometry.h"
#include "maps_ui/mappanel.h"
#include "maps_ui/maprenderer.h"
#include "maps_ui/treewalk.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>

using lamira::CTree;
using lamira::MapPanel;

namespace {

const QString AllMaterials = QStringLiteral("Все");

QString fromUtf8(const std::string &text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// A number in the general form with up to 15 significant digits (87.35, 90).
QString generalNumber(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", value);
    return QString::fromLatin1(text);
}

void setBackground(QWidget *widget, const QColor &colour)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, colour);
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

} // namespace

MapViewer::MapViewer(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("MapViewer"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildToolBar();
    layout->addWidget(Panel3);

    DrawPanel = new QScrollArea(this);
    DrawPanel->setObjectName(QStringLiteral("DrawPanel"));
    DrawPanel->setFrameStyle(QFrame::NoFrame);
    m_drawing = new QWidget;
    m_drawing->setObjectName(QStringLiteral("DrawPanelContents"));
    m_drawing->resize(1, 1);
    DrawPanel->setWidget(m_drawing);
    const QColor grey(128, 128, 128); // until a run brings its FonColor
    setBackground(DrawPanel->viewport(), grey);
    setBackground(m_drawing, grey);
    layout->addWidget(DrawPanel, 1);
}

MapViewer::~MapViewer() = default;

void MapViewer::buildToolBar()
{
    Panel3 = new QFrame(this);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setFrameStyle(QFrame::Box | QFrame::Plain);
    Panel3->setFixedHeight(100);

    Panel6 = new QFrame(Panel3);
    Panel6->setObjectName(QStringLiteral("Panel6"));
    Panel6->setFrameStyle(QFrame::Box | QFrame::Plain);
    Panel6->setGeometry(24, 8, 255, 57);

    QFont arrows = font();
    arrows.setBold(true);
    arrows.setPixelSize(16);
    const auto button = [&arrows](QWidget *parent, const char *name, const QString &caption,
                                  const QString &hint, const QRect &geometry) {
        auto *b = new QToolButton(parent);
        b->setObjectName(QLatin1String(name));
        b->setText(caption);
        b->setToolTip(hint);
        b->setGeometry(geometry);
        b->setAutoRaise(false);
        b->setFont(arrows);
        return b;
    };
    FirstButton = button(Panel6, "FirstButton", QStringLiteral("<<"),
                         QStringLiteral("Первая карта раскроя"), QRect(4, 4, 46, 49));
    SpeedButton3 = button(Panel6, "SpeedButton3", QStringLiteral("<"),
                          QStringLiteral("Предыдущая карта раскроя"), QRect(52, 4, 46, 49));
    Edit2 = new QLineEdit(Panel6);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setReadOnly(true);
    Edit2->setAlignment(Qt::AlignCenter);
    Edit2->setGeometry(102, 16, 50, 25);
    QPalette face = Edit2->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    Edit2->setPalette(face);
    SpeedButton4 = button(Panel6, "SpeedButton4", QStringLiteral(">"),
                          QStringLiteral("Следущая карта раскроя"), QRect(156, 4, 46, 49));
    LastButton = button(Panel6, "LastButton", QStringLiteral(">>"),
                        QStringLiteral("Последняя карта раскроя"), QRect(204, 4, 46, 49));

    CountButton =
        button(Panel3, "CountButton", QStringLiteral("1x1"),
               QStringLiteral("Варианты отбражения карт раскроя"), QRect(288, 8, 105, 57));
    EditorButton =
        button(Panel3, "EditorButton", QStringLiteral("Редактор"),
               QStringLiteral("Запустить редактор карт раскроя"), QRect(400, 8, 105, 57));
    QFont plain = font();
    plain.setPixelSize(13);
    EditorButton->setFont(plain);

    QFont small = font();
    small.setPixelSize(12);
    Label3 = new QLabel(QStringLiteral("Выбор материала"), Panel3);
    Label3->setObjectName(QStringLiteral("Label3"));
    QFont smaller = small;
    smaller.setPixelSize(11);
    Label3->setFont(smaller);
    Label3->setGeometry(520, 6, 108, 16);
    ComboBox1 = new QComboBox(Panel3);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    // A pure selection list: typed text never has to be matched to a list.
    ComboBox1->setEditable(false);
    ComboBox1->setGeometry(520, 24, 97, 24);

    Label2 = new QLabel(QStringLiteral("Масштаб"), Panel3);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(small);
    Label2->setGeometry(632, 6, 120, 16);
    ScaleBar = new QSlider(Qt::Horizontal, Panel3);
    ScaleBar->setObjectName(QStringLiteral("ScaleBar"));
    ScaleBar->setRange(0, 20);
    ScaleBar->setValue(10);
    ScaleBar->setTickInterval(1);
    ScaleBar->setTickPosition(QSlider::TicksBelow);
    ScaleBar->setSingleStep(1);
    ScaleBar->setPageStep(2);
    ScaleBar->setToolTip(QStringLiteral("Изменение масштаба карт раскроя"));
    ScaleBar->setGeometry(632, 22, 374, 32);

    // The fill percentage under the scale; the information line of the map
    // below everything, as long as the tool bar is wide.
    StaticText6 = new QLabel(Panel3);
    StaticText6->setObjectName(QStringLiteral("StaticText6"));
    StaticText6->setFont(small);
    StaticText6->setGeometry(632, 55, 374, 16);
    Label1 = new QLabel(Panel3);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(small);
    Label1->setGeometry(8, 72, 998, 20);

    connect(FirstButton, &QToolButton::clicked, this, &MapViewer::FirstButtonClick);
    connect(SpeedButton3, &QToolButton::clicked, this, &MapViewer::SpeedButton3Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &MapViewer::SpeedButton4Click);
    connect(LastButton, &QToolButton::clicked, this, &MapViewer::LastButtonClick);
    connect(CountButton, &QToolButton::clicked, this, &MapViewer::CountButtonClick);
    connect(EditorButton, &QToolButton::clicked, this, &MapViewer::EditorButtonClick);
    connect(ScaleBar, &QSlider::valueChanged, this, &MapViewer::ScaleBarChange);
    // Only the user's choice filters; filling the list does not.
    connect(ComboBox1, &QComboBox::activated, this, &MapViewer::ComboBox1Change);
}

void MapViewer::setCountForm(TCountForm *form)
{
    if (m_countForm)
        disconnect(m_countForm, nullptr, this, nullptr);
    m_countForm = form;
    if (m_countForm)
        connect(m_countForm, &TCountForm::modeChosen, this, &MapViewer::chooseViewMode);
}

void MapViewer::setEditorForm(TEditorForm *form)
{
    if (m_editorForm)
        disconnect(m_editorForm, nullptr, this, nullptr);
    m_editorForm = form;
    if (m_editorForm)
        connect(m_editorForm, &QDialog::finished, this, &MapViewer::showFirstMap);
}

// ---- the run ----

void MapViewer::showRun(lamira::CutRun &run)
{
    // The maps that the panels showed may be gone: the panels go without
    // reading their nodes.
    deleteAllPanels();
    m_run = &run;
    {
        const QSignalBlocker blocker(ComboBox1);
        ComboBox1->clear();
        for (const lamira::MaterialSlot &slot : run.MapStore.Slots())
            ComboBox1->addItem(fromUtf8(slot.Material));
        ComboBox1->addItem(AllMaterials);
        ComboBox1->setCurrentIndex(ComboBox1->count() - 1);
        ComboBox1->view()->setMinimumWidth(ComboBox1->view()->sizeHintForColumn(0) + 24);
    }
    if (run.MaterialCount() > 0) {
        const double fill = run.MapStore.Slot(run.MaterialCount() - 1).FillPercent;
        StaticText6->setText(QStringLiteral("Общий процент заполнения листов : ") +
                             generalNumber(lamira::RoundTo(fill, -2)) + QStringLiteral(" %"));
    } else {
        StaticText6->clear();
    }
    Edit2->setText(QStringLiteral("1"));
    setZoomToOne();
    run.ViewMode = 1;
    applyColours();

    emit showTabRequested();
    // The tab may just have become visible: let the layouts give the
    // drawing area its size before the scale is taken from it.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    run.MapScale = lamira::mapScaleFor(run.MaxSheetWidth, run.MaxSheetHeight, DrawPanel->size());

    setInfoOfMap(1);
    ShowMaps();
}

void MapViewer::forgetRun()
{
    deleteAllPanels();
    delete NotePanel;
    m_run = nullptr;
    const QSignalBlocker blocker(ComboBox1);
    ComboBox1->clear();
    Edit2->clear();
    Label1->clear();
    StaticText6->clear();
    CountButton->setText(lamira::viewModeCaption(1));
    m_drawing->resize(1, 1);
}

// ---- panels ----

MapPanel *MapViewer::panelOf(const CTree &node) const
{
    auto *panel = static_cast<MapPanel *>(node.Panel);
    // The address is only compared until it is known to be one of ours.
    if (!panel || !m_panels.contains(panel) || panel->node() != &node)
        return nullptr;
    return panel;
}

int MapViewer::currentMap() const
{
    return Edit2->text().toInt();
}

QSize MapViewer::layoutSheet() const
{
    int width = m_run->MaxSheetWidth;
    int height = m_run->MaxSheetHeight;
    for (const CTree *map : m_run->Maps) {
        width = std::max(width, map->Width);
        height = std::max(height, map->Height);
    }
    return {width, height};
}

void MapViewer::ShowMaps()
{
    if (!m_run)
        return;
    for (CTree *map : m_run->Maps)
        DeletePanels(*map);
    CountButton->setText(lamira::viewModeCaption(1));
    const int n = int(m_run->Maps.size());
    const int c = currentMap();
    if (c >= 1 && c <= n) {
        const QSize sheet = layoutSheet();
        for (const lamira::LayoutPlace &place :
             lamira::layoutPlaces(m_run->ViewMode, sheet.width(), sheet.height())) {
            const int k = c + place.step;
            if (k <= n)
                CreatePanels(*m_run->Maps[size_t(k - 1)], place.dx, place.dy);
        }
    }
    CountButton->setText(lamira::viewModeCaption(m_run->ViewMode));
    fitDrawingArea();
}

void MapViewer::CreatePanels(CTree &map, int dx, int dy)
{
    if (!m_run)
        return;
    const lamira::MapColours colours = lamira::MapColours::fromRun(*m_run);
    lamira::forEachNode(map, [&](CTree &node) {
        if (!lamira::isDrawn(node))
            return;
        auto *panel = new MapPanel(&node, m_drawing);
        panel->setGeometry(lamira::viewerRect(node, dx, dy, m_run->MapScale, m_run->MapZoom));
        panel->setColour(lamira::kindColour(lamira::nodeKind(node), colours));
        panel->setCaption(lamira::nodeCaption(node, m_run->OddVisible));
        panel->OnMouseDown = [this](MapPanel &p, QMouseEvent &e) { MapPanelMouseDown(p, e); };
        panel->OnMouseUp = [this](MapPanel &p, QMouseEvent &e) { MapPanelMouseUp(p, e); };
        panel->show();
        m_panels.insert(panel);
        node.Panel = panel;
    });
}

void MapViewer::LayoutPanels(CTree &map, int dx, int dy)
{
    if (!m_run)
        return;
    lamira::forEachNode(map, [&](CTree &node) {
        if (MapPanel *panel = panelOf(node))
            panel->setGeometry(lamira::viewerRect(node, dx, dy, m_run->MapScale, m_run->MapZoom));
    });
}

void MapViewer::DeletePanels(CTree &map)
{
    lamira::forEachNode(map, [this](CTree &node) {
        if (MapPanel *panel = panelOf(node)) {
            m_panels.remove(panel);
            panel->hide();
            // Later: the panel may be the one whose event is being handled.
            panel->deleteLater();
        }
        node.Panel = nullptr;
    });
}

void MapViewer::deleteAllPanels()
{
    for (MapPanel *panel : std::as_const(m_panels)) {
        panel->hide();
        panel->deleteLater();
    }
    m_panels.clear();
}

void MapViewer::deletePanelsOfStore()
{
    for (const lamira::MaterialSlot &slot : m_run->MapStore.Slots()) {
        for (const auto &map : slot.Maps)
            DeletePanels(*map);
    }
}

void MapViewer::Recolour(CTree &map)
{
    if (!m_run)
        return;
    const lamira::MapColours colours = lamira::MapColours::fromRun(*m_run);
    lamira::forEachNode(map, [&](CTree &node) {
        MapPanel *panel = panelOf(node);
        if (!panel)
            return;
        if (!node.Parent)
            panel->setColour(colours.Sheet);
        else if (node.Free)
            panel->setColour(colours.Rest);
        else
            panel->setColour(colours.Detail);
    });
}

void MapViewer::applyColours()
{
    if (!m_run)
        return;
    const QColor background = lamira::colourFromSetting(m_run->FonColor);
    setBackground(DrawPanel->viewport(), background);
    setBackground(m_drawing, background);
    for (CTree *map : m_run->Maps)
        Recolour(*map);
}

void MapViewer::fitDrawingArea()
{
    std::vector<QRect> rects;
    rects.reserve(size_t(m_panels.size()));
    for (const MapPanel *panel : std::as_const(m_panels))
        rects.push_back(panel->geometry());
    const QSize extent = lamira::layoutExtent(rects);
    // A margin as wide as the sheet's own offset on the far sides.
    m_drawing->resize(std::max(extent.width() + 10, 1), std::max(extent.height() + 10, 1));
}

// ---- tool bar ----

void MapViewer::setZoomToOne()
{
    if (m_run)
        m_run->MapZoom = 1.0f;
    const QSignalBlocker blocker(ScaleBar);
    ScaleBar->setValue(10);
}

void MapViewer::setInfoOfMap(int number)
{
    const bool exists = m_run && number >= 1 && number <= int(m_run->Maps.size());
    Label1->setText(exists ? fromUtf8(m_run->Maps[size_t(number - 1)]->InfoText()) : QString());
    Label1->setToolTip(Label1->text());
}

void MapViewer::gotoMap(int number)
{
    for (CTree *map : m_run->Maps)
        DeletePanels(*map);
    Edit2->setText(QString::number(number));
    setInfoOfMap(number);
    ShowMaps();
}

void MapViewer::FirstButtonClick()
{
    if (!m_run || m_run->Maps.empty())
        return;
    gotoMap(1);
}

void MapViewer::SpeedButton3Click()
{
    if (!m_run || m_run->Maps.empty())
        return;
    const int c = currentMap();
    if (c < 2)
        return;
    gotoMap(c - 1);
}

void MapViewer::SpeedButton4Click()
{
    if (!m_run || m_run->Maps.empty())
        return;
    const int c = currentMap();
    if (c >= int(m_run->Maps.size()))
        return;
    gotoMap(c + 1);
}

void MapViewer::LastButtonClick()
{
    if (!m_run || m_run->Maps.empty())
        return;
    gotoMap(int(m_run->Maps.size()));
}

void MapViewer::ScaleBarChange()
{
    if (!m_run || m_run->Maps.empty())
        return;
    m_run->MapZoom = float(ScaleBar->value() * 0.1);
    const int n = int(m_run->Maps.size());
    const int c = currentMap();
    if (c >= 1 && c <= n) {
        const QSize sheet = layoutSheet();
        for (const lamira::LayoutPlace &place :
             lamira::layoutPlaces(m_run->ViewMode, sheet.width(), sheet.height())) {
            const int k = c + place.step;
            if (k <= n)
                LayoutPanels(*m_run->Maps[size_t(k - 1)], place.dx, place.dy);
        }
    }
    fitDrawingArea();
}

void MapViewer::CountButtonClick()
{
    if (!m_countForm)
        return;
    m_countForm->move(CountButton->mapToGlobal(QPoint(0, 57)));
    m_countForm->exec();
}

void MapViewer::chooseViewMode(int viewMode)
{
    if (!m_run)
        return;
    m_run->ViewMode = viewMode;
    ShowMaps();
}

void MapViewer::ComboBox1Change()
{
    if (!m_run)
        return;
    deletePanelsOfStore();
    m_run->Maps.clear();
    const int index = ComboBox1->currentIndex();
    if (ComboBox1->currentText() == AllMaterials)
        m_run->RebuildMaps();
    else if (index >= 0 && index < m_run->MaterialCount())
        m_run->RebuildMaps(index);
    emit showTabRequested();
    Edit2->setText(QStringLiteral("1"));
    m_run->ViewMode = 1;
    setInfoOfMap(1);
    ShowMaps();
}

void MapViewer::EditorButtonClick()
{
    if (!m_run || !m_editorForm || m_run->MaterialCount() == 0)
        return;
    for (CTree *map : m_run->Maps)
        DeletePanels(*map);
    // The editor works on one material: "Все" gives way to the first.
    if (ComboBox1->currentText() == AllMaterials)
        ComboBox1->setCurrentIndex(0);
    const int slot = ComboBox1->currentIndex();
    if (slot < 0 || slot >= m_run->MaterialCount()) {
        ShowMaps();
        return;
    }
    m_editorForm->prepare(*m_run, slot);
    m_editorForm->exec();
}

void MapViewer::showFirstMap()
{
    if (!m_run)
        return;
    Edit2->setText(QStringLiteral("1"));
    setZoomToOne();
    setInfoOfMap(1);
    ShowMaps();
    emit showTabRequested();
}

// ---- the note ----

QString MapViewer::noteText(const CTree &node)
{
    const QString size = QStringLiteral("%1 x %2").arg(node.Width).arg(node.Height);
    switch (lamira::nodeKind(node)) {
    case lamira::NodeKind::Sheet:
        return {};
    case lamira::NodeKind::FreeArea:
        return QStringLiteral("Остаток ") + size;
    case lamira::NodeKind::Detail:
        break;
    }
    const QString name = node.Item ? fromUtf8(node.Item->Name) : QString();
    return name.isEmpty() ? size : name + QLatin1Char(' ') + size;
}

void MapViewer::MapPanelMouseDown(MapPanel &panel, QMouseEvent &event)
{
    delete NotePanel;
    QWidget *mainWindow = window();
    auto *note = new QLabel(mainWindow);
    note->setObjectName(QStringLiteral("NotePanel"));
    note->setAttribute(Qt::WA_TransparentForMouseEvents);
    note->setStyleSheet(QStringLiteral("QLabel { background: #ffff00; color: black; border: 1px "
                                       "solid black; padding: 1px 4px; }"));
    if (panel.node())
        note->setText(noteText(*panel.node()));
    note->adjustSize();
    note->move(mainWindow->mapFromGlobal(event.globalPosition().toPoint()) - QPoint(0, 10));
    note->show();
    note->raise();
    NotePanel = note;
    if (panel.node()) {
        Label1->setText(fromUtf8(panel.node()->InfoText()));
        Label1->setToolTip(Label1->text());
    }
}

void MapViewer::MapPanelMouseUp(MapPanel &, QMouseEvent &)
{
    delete NotePanel;
}
