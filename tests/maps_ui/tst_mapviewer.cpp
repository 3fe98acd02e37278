#include "maps_ui/countform.h"
#include "maps_ui/mapcolours.h"
#include "maps_ui/mapgeometry.h"
#include "maps_ui/mappanel.h"
#include "maps_ui/maprenderer.h"
#include "maps_ui/mapviewer.h"
#include "runfixture.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollArea>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include <memory>

using lamira::CTree;
using lamira::MapPanel;
using lamira::test::RunFixture;

namespace {

MapPanel *panel(const CTree *node)
{
    return node ? static_cast<MapPanel *>(node->Panel) : nullptr;
}

QString infoOf(const CTree *map)
{
    return QString::fromStdString(map->InfoText());
}

} // namespace

class MapViewerTest final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void viewerGeometry_data();
    void viewerGeometry();
    void showRunScalesAndDrawsMapOne();
    void layoutPlaces_data();
    void layoutPlaces();
    void layoutSixOnMapFiveOfSeven();
    void layoutSpacingCoversTheWidestMapShown();
    void scaleBarEnds();
    void navigationLimits();
    void buttonsWithoutARunDoNothing();
    void aNewRunDropsThePanelsOfTheOld();
    void filterResetsTheView();
    void mapScale_data();
    void mapScale();
    void countFormModes_data();
    void countFormModes();
    void countFormRelease();
    void noteWhileAButtonIsHeld_data();
    void noteWhileAButtonIsHeld();
    void recolour();
    void colourSettings_data();
    void colourSettings();
    void drawMapShowsKindsAndCuts();

private:
    void show(int width = 1200, int height = 900);

    std::unique_ptr<RunFixture> m_f;
    std::unique_ptr<MapViewer> m_viewer;
};

void MapViewerTest::init()
{
    m_f = std::make_unique<RunFixture>();
    m_viewer = std::make_unique<MapViewer>();
}

void MapViewerTest::cleanup()
{
    m_viewer.reset();
    m_f.reset();
}

// Viewer of 1200 x 900: the drawing area is 1200 x 800, so sheets of
// 2800 x 2070 get the scale 4 (2800 / 900 = 3, 2070 / 500 = 4).
void MapViewerTest::show(int width, int height)
{
    m_viewer->resize(width, height);
    m_viewer->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_viewer.get()));
    m_viewer->showRun(m_f->run);
}

void MapViewerTest::viewerGeometry_data()
{
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("dx");
    QTest::addColumn<float>("scale");
    QTest::addColumn<float>("zoom");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("sheet at scale 4")
        << 10 << 2800 << 2070 << 0 << 4.0f << 1.0f << QRect(2, 2, 700, 517);
    QTest::newRow("zoom 0") << 10 << 2800 << 2070 << 0 << 4.0f << 0.0f << QRect(0, 0, 0, 0);
    QTest::newRow("zoom 2") << 10 << 2800 << 2070 << 0 << 4.0f << 2.0f << QRect(5, 5, 1400, 1035);
    QTest::newRow("second column")
        << 10 << 2800 << 2070 << 2900 << 4.0f << 1.0f << QRect(727, 2, 700, 517);
    QTest::newRow("leaf truncated")
        << 1014 << 997 << 1 << 0 << 3.0f << 1.0f << QRect(338, 3, 332, 0);
}

void MapViewerTest::viewerGeometry()
{
    QFETCH(int, left);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, dx);
    QFETCH(float, scale);
    QFETCH(float, zoom);
    QFETCH(QRect, expected);
    CTree node;
    node.Left = left;
    node.Top = 10;
    node.Width = width;
    node.Height = height;
    QCOMPARE(lamira::viewerRect(node, dx, 0, scale, zoom), expected);
}

void MapViewerTest::showRunScalesAndDrawsMapOne()
{
    lamira::Detail &side = m_f->detail("Бок", 1000, 500);
    lamira::OwnedMaps maps;
    maps.push_back(RunFixture::sheet(2800, 2070, 4, {&side}));
    m_f->file("ЛДСП", std::move(maps));
    m_f->fileMaps("МДФ", 2);
    m_f->run.MaxSheetWidth = 2800;
    m_f->run.MaxSheetHeight = 2070;
    show();

    QCOMPARE(m_f->run.MapScale, 4.0f);
    QCOMPARE(m_f->run.MapZoom, 1.0f);
    QCOMPARE(m_f->run.ViewMode, 1);
    QCOMPARE(m_viewer->Edit2->text(), QString("1"));
    QCOMPARE(m_viewer->ScaleBar->value(), 10);
    QCOMPARE(m_viewer->ComboBox1->count(), 3);
    QCOMPARE(m_viewer->ComboBox1->itemText(0), QString("ЛДСП"));
    QCOMPARE(m_viewer->ComboBox1->itemText(1), QString("МДФ"));
    QCOMPARE(m_viewer->ComboBox1->currentText(), QString("Все"));
    QVERIFY(!m_viewer->ComboBox1->isEditable());
    QCOMPARE(m_viewer->StaticText6->text(), QString("Общий процент заполнения листов : 87.34 %"));
    QCOMPARE(m_viewer->Label1->text(), infoOf(m_f->run.Maps[0]));

    CTree *map = m_f->run.Maps[0];
    QCOMPARE(m_viewer->panelOf(*map), panel(map));
    QCOMPARE(panel(map)->parentWidget(), m_viewer->DrawPanel->widget());
    QCOMPARE(panel(map)->geometry(), QRect(2, 2, 700, 517));
    QCOMPARE(panel(map)->colour(), QColor(250, 240, 215));
    // The detail at the corner, the free areas right of and under it.
    QCOMPARE(panel(map->Piece.get())->geometry(), QRect(2, 2, 250, 125));
    QCOMPARE(panel(map->Piece.get())->colour(), QColor(110, 170, 230));
    QCOMPARE(panel(map->Piece.get())->caption(), QString("1000 x 500"));
    QCOMPARE(panel(map->Right.get())->geometry(), QRect(253, 2, 449, 517));
    QCOMPARE(panel(map->Right.get())->colour(), QColor(150, 220, 150));
    QCOMPARE(panel(map->Right.get())->caption(), QString("Остаток"));
    QCOMPARE(panel(map->Below.get())->geometry(), QRect(2, 128, 250, 391));
    // Only map 1 is drawn, and the inner root has a panel only as the sheet.
    QVERIFY(!panel(m_f->run.Maps[1]));
    // The sheet lies under its leaves.
    QVERIFY(m_viewer->DrawPanel->widget()->children().indexOf(panel(map)) <
            m_viewer->DrawPanel->widget()->children().indexOf(panel(map->Piece.get())));
}

void MapViewerTest::layoutPlaces_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QList<QPoint>>("offsets"); // in step order
    const int w = 2800, h = 2070;
    QTest::newRow("1x1") << 1 << "1x1" << QList<QPoint>{{0, 0}};
    QTest::newRow("2x1") << 2 << "2x1" << QList<QPoint>{{0, 0}, {w + 100, 0}};
    QTest::newRow("3x1") << 3 << "3x1" << QList<QPoint>{{0, 0}, {w + 100, 0}, {2 * w + 200, 0}};
    QTest::newRow("1x2") << 4 << "1x2" << QList<QPoint>{{0, 0}, {0, h + 100}};
    QTest::newRow("2x2") << 5 << "2x2"
                         << QList<QPoint>{{0, 0}, {w + 100, 0}, {0, h + 100}, {w + 100, h + 100}};
    QTest::newRow("3x2") << 6 << "3x2"
                         << QList<QPoint>{{0, 0},       {w + 100, 0},       {2 * w + 200, 0},
                                          {0, h + 100}, {w + 100, h + 100}, {2 * w + 200, h + 100}};
}

void MapViewerTest::layoutPlaces()
{
    QFETCH(int, mode);
    QFETCH(QString, caption);
    QFETCH(QList<QPoint>, offsets);
    const auto places = lamira::layoutPlaces(mode, 2800, 2070);
    QCOMPARE(int(places.size()), int(offsets.size()));
    for (size_t i = 0; i < places.size(); ++i) {
        QCOMPARE(places[i].step, int(i));
        QCOMPARE(QPoint(places[i].dx, places[i].dy), offsets[qsizetype(i)]);
    }
    QCOMPARE(lamira::viewModeCaption(mode), caption);
}

void MapViewerTest::layoutSixOnMapFiveOfSeven()
{
    m_f->fileMaps("ЛДСП", 7);
    show();
    m_viewer->LastButtonClick();
    m_viewer->SpeedButton3Click();
    m_viewer->SpeedButton3Click();
    QCOMPARE(m_viewer->Edit2->text(), QString("5"));
    m_viewer->chooseViewMode(6);

    QCOMPARE(m_viewer->CountButton->text(), QString("3x2"));
    const auto &maps = m_f->run.Maps;
    for (int i = 0; i < 4; ++i)
        QVERIFY2(!panel(maps[size_t(i)]), qPrintable(QString("map %1").arg(i + 1)));
    // Maps 5, 6 and 7 in the first row; the second row stays empty.
    QCOMPARE(panel(maps[4])->geometry(), QRect(2, 2, 700, 517));
    QCOMPARE(panel(maps[5])->geometry(), QRect(727, 2, 700, 517));
    QCOMPARE(panel(maps[6])->geometry(), QRect(1452, 2, 700, 517));
    // The drawing scrolls to hold the whole row.
    QVERIFY(m_viewer->DrawPanel->widget()->width() >= 1452 + 700);
    QVERIFY(m_viewer->DrawPanel->widget()->height() < 1000);
}

// The run's MaxSheetWidth belongs to the last material; with every material
// shown, the maps of a wider one must not lie over each other.
void MapViewerTest::layoutSpacingCoversTheWidestMapShown()
{
    m_f->fileMaps("ЛДСП", 1, 2800, 2070);
    m_f->fileMaps("МДФ", 1, 1500, 1000);
    QCOMPARE(m_f->run.MaxSheetWidth, 1500);
    show();
    m_f->run.MapScale = 4;
    m_viewer->chooseViewMode(2);
    QCOMPARE(panel(m_f->run.Maps[1])->x(), (2800 + 100 + 10) / 4);
}

void MapViewerTest::scaleBarEnds()
{
    m_f->fileMaps("ЛДСП", 3);
    show();
    CTree *map = m_f->run.Maps[0];
    CTree *detail = map->Piece.get();
    const QRect sheetAt10 = panel(map)->geometry();
    const QRect detailAt10 = panel(detail)->geometry();

    m_viewer->ScaleBar->setValue(0);
    for (const CTree *n : {map, detail, map->Right.get(), map->Below.get()})
        QCOMPARE(panel(n)->size(), QSize(0, 0));

    m_viewer->ScaleBar->setValue(20);
    QCOMPARE(m_f->run.MapZoom, 2.0f);
    QCOMPARE(panel(map)->width(), 2 * sheetAt10.width());
    QVERIFY(qAbs(panel(map)->height() - 2 * sheetAt10.height()) <= 1);
    QCOMPARE(panel(detail)->width(), 2 * detailAt10.width());
    QCOMPARE(panel(detail)->x(), 5);
    // Zooming only moves and resizes: map 2 had no panels and gets none.
    QVERIFY(!panel(m_f->run.Maps[1]));
    QVERIFY(m_viewer->DrawPanel->widget()->width() >= 1400);
}

void MapViewerTest::navigationLimits()
{
    m_f->fileMaps("ЛДСП", 3);
    show();
    const auto &maps = m_f->run.Maps;
    m_viewer->SpeedButton3Click();
    QCOMPARE(m_viewer->Edit2->text(), QString("1"));
    QVERIFY(panel(maps[0]));

    QTest::mouseClick(m_viewer->SpeedButton4, Qt::LeftButton);
    QCOMPARE(m_viewer->Edit2->text(), QString("2"));
    QVERIFY(!panel(maps[0]));
    QVERIFY(panel(maps[1]));
    QCOMPARE(m_viewer->Label1->text(), infoOf(maps[1]));

    QTest::mouseClick(m_viewer->LastButton, Qt::LeftButton);
    QCOMPARE(m_viewer->Edit2->text(), QString("3"));
    m_viewer->SpeedButton4Click();
    QCOMPARE(m_viewer->Edit2->text(), QString("3"));
    QVERIFY(panel(maps[2]));
    QCOMPARE(m_viewer->Label1->text(), infoOf(maps[2]));

    // The buttons step one map whatever the layout shows.
    m_viewer->chooseViewMode(5);
    m_viewer->FirstButtonClick();
    m_viewer->SpeedButton4Click();
    QCOMPARE(m_viewer->Edit2->text(), QString("2"));
    QVERIFY(!panel(maps[0]));
    QVERIFY(panel(maps[1]) && panel(maps[2]));
}

void MapViewerTest::buttonsWithoutARunDoNothing()
{
    m_viewer->show();
    for (QToolButton *b : {m_viewer->FirstButton, m_viewer->SpeedButton3, m_viewer->SpeedButton4,
                           m_viewer->LastButton, m_viewer->EditorButton})
        QTest::mouseClick(b, Qt::LeftButton);
    m_viewer->ScaleBar->setValue(3);
    m_viewer->ComboBox1Change();
    m_viewer->ShowMaps();
    QVERIFY(m_viewer->DrawPanel->widget()->findChildren<MapPanel *>().isEmpty());

    // A run with no maps left (every map of the material emptied by an edit).
    m_f->fileMaps("ЛДСП", 0);
    show();
    m_viewer->SpeedButton4Click();
    m_viewer->LastButtonClick();
    m_viewer->ScaleBar->setValue(20);
    QCOMPARE(m_viewer->Edit2->text(), QString("1"));
    QVERIFY(m_viewer->Label1->text().isEmpty());
}

// The maps of the last run are gone when the next run shows; the viewer
// must never read them through its old panels.
void MapViewerTest::aNewRunDropsThePanelsOfTheOld()
{
    m_f->fileMaps("ЛДСП", 2);
    show();
    auto next = std::make_unique<RunFixture>();
    next->fileMaps("МДФ", 1);
    m_f.reset();
    m_viewer->showRun(next->run);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const auto panels = m_viewer->DrawPanel->widget()->findChildren<MapPanel *>();
    QCOMPARE(panels.size(), 4); // the sheet, its detail and two free areas
    for (MapPanel *p : panels)
        QCOMPARE(&p->node()->Root(), next->run.Maps[0]);

    m_viewer->forgetRun();
    next.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(m_viewer->DrawPanel->widget()->findChildren<MapPanel *>().isEmpty());
    QCOMPARE(m_viewer->ComboBox1->count(), 0);
    m_viewer->LastButtonClick();
    m_viewer->ScaleBar->setValue(4);
    m_f = std::make_unique<RunFixture>(); // for cleanup
}

void MapViewerTest::filterResetsTheView()
{
    m_f->fileMaps("ЛДСП", 3);
    m_f->fileMaps("МДФ", 2);
    show();
    m_viewer->LastButtonClick();
    m_viewer->chooseViewMode(5);
    QCOMPARE(int(m_f->run.Maps.size()), 5);

    m_viewer->ComboBox1->setCurrentIndex(1);
    emit m_viewer->ComboBox1->activated(1);
    QCOMPARE(m_f->run.Maps, m_f->run.MapStore.View(1));
    QCOMPARE(m_viewer->Edit2->text(), QString("1"));
    QCOMPARE(m_f->run.ViewMode, 1);
    QCOMPARE(m_viewer->CountButton->text(), QString("1x1"));
    QVERIFY(panel(m_f->run.Maps[0]));
    QVERIFY(!panel(m_f->run.Maps[1]));
    // No panel of the other material stays.
    for (const auto &map : m_f->run.MapStore.Slot(0).Maps)
        QVERIFY(!panel(map.get()));
    QCOMPARE(m_viewer->Label1->text(), infoOf(m_f->run.Maps[0]));

    m_viewer->ComboBox1->setCurrentIndex(2);
    emit m_viewer->ComboBox1->activated(2);
    QCOMPARE(m_f->run.Maps, m_f->run.MapStore.View());
}

void MapViewerTest::mapScale_data()
{
    QTest::addColumn<QSize>("area");
    QTest::addColumn<float>("scale");
    QTest::newRow("height decides") << QSize(1200, 800) << 4.0f;
    QTest::newRow("width decides") << QSize(800, 2000) << 5.0f;
    // At 300 pixels or less the formula would divide by zero or less.
    QTest::newRow("tiny area") << QSize(250, 300) << 28.0f;
    // A drawing area larger than the sheet gives 1, never 0.
    QTest::newRow("huge area") << QSize(4000, 3000) << 1.0f;
}

void MapViewerTest::mapScale()
{
    QFETCH(QSize, area);
    QFETCH(float, scale);
    QCOMPARE(lamira::mapScaleFor(2800, 2070, area), scale);
}

void MapViewerTest::countFormModes_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<int>("mode");
    QTest::newRow("first cell") << QPoint(0, 0) << 1;
    QTest::newRow("column 1 edge") << QPoint(92, 79) << 1;
    QTest::newRow("column 2") << QPoint(93, 10) << 2;
    QTest::newRow("column 3 edge") << QPoint(262, 10) << 3;
    QTest::newRow("row 2") << QPoint(10, 80) << 4;
    QTest::newRow("2x2") << QPoint(100, 100) << 5;
    QTest::newRow("3x2") << QPoint(200, 166) << 6;
    QTest::newRow("right of the grid") << QPoint(263, 10) << 0;
    QTest::newRow("below the grid") << QPoint(10, 167) << 0;
    QTest::newRow("left of the form") << QPoint(-5, 10) << 0;
    QTest::newRow("above the form") << QPoint(10, -5) << 0;
}

void MapViewerTest::countFormModes()
{
    QFETCH(QPoint, at);
    QFETCH(int, mode);
    QCOMPARE(TCountForm::modeAt(at.x(), at.y()), mode);
}

void MapViewerTest::countFormRelease()
{
    m_f->fileMaps("ЛДСП", 4);
    show();
    TCountForm form;
    QCOMPARE(form.size(), QSize(255, 140));
    QCOMPARE(form.findChildren<QWidget *>().size(), 24);
    m_viewer->setCountForm(&form);

    form.show();
    QTest::mouseMove(&form, QPoint(120, 60));
    QTest::mouseRelease(&form, Qt::LeftButton, {}, QPoint(300, 50));
    QVERIFY(!form.isVisible());
    QCOMPARE(m_f->run.ViewMode, 1);
    QCOMPARE(m_viewer->CountButton->text(), QString("1x1"));

    form.show();
    QTest::mouseRelease(&form, Qt::LeftButton, {}, QPoint(100, 100));
    QVERIFY(!form.isVisible());
    QCOMPARE(m_f->run.ViewMode, 5);
    QCOMPARE(m_viewer->CountButton->text(), QString("2x2"));
    for (int i = 0; i < 4; ++i)
        QVERIFY(panel(m_f->run.Maps[size_t(i)]));
    m_viewer->setCountForm(nullptr);
}

void MapViewerTest::noteWhileAButtonIsHeld_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("text");
    QTest::newRow("detail") << "piece"
                            << "Бок 720 x 560";
    QTest::newRow("free area") << "right"
                               << "Остаток 2076 x 2070";
    QTest::newRow("sheet") << "root"
                           << "";
}

void MapViewerTest::noteWhileAButtonIsHeld()
{
    QFETCH(QString, node);
    QFETCH(QString, text);
    lamira::Detail &side = m_f->detail("Бок", 720, 560);
    lamira::OwnedMaps maps;
    maps.push_back(RunFixture::sheet(2800, 2070, 4, {&side}, 2));
    m_f->file("ЛДСП", std::move(maps));
    show();
    CTree *map = m_f->run.Maps[0];
    CTree *target = node == "piece" ? map->Piece.get() : node == "right" ? map->Right.get() : map;
    m_viewer->Label1->clear();

    QTest::mousePress(panel(target), Qt::RightButton, {}, QPoint(1, 1));
    QVERIFY(m_viewer->NotePanel);
    QCOMPARE(m_viewer->NotePanel->text(), text);
    QCOMPARE(m_viewer->NotePanel->parentWidget(), m_viewer->window());
    const QPoint click = panel(target)->mapTo(m_viewer->window(), QPoint(1, 1));
    QCOMPARE(m_viewer->NotePanel->pos(), click - QPoint(0, 10));
    QCOMPARE(m_viewer->Label1->text(), infoOf(map));
    QVERIFY(m_viewer->Label1->text().startsWith("Количество: 2 шт."));

    QTest::mouseRelease(panel(target), Qt::RightButton, {}, QPoint(1, 1));
    QVERIFY(!m_viewer->NotePanel);
}

void MapViewerTest::recolour()
{
    m_f->fileMaps("ЛДСП", 1);
    show();
    m_f->run.DetailColor = 0x0000FF; // red in the settings' byte order
    m_f->run.RestColor = 0xFF0000;
    m_f->run.FonColor = 0x000000;
    m_viewer->applyColours();
    CTree *map = m_f->run.Maps[0];
    QCOMPARE(panel(map->Piece.get())->colour(), QColor(255, 0, 0));
    QCOMPARE(panel(map->Right.get())->colour(), QColor(0, 0, 255));
    QCOMPARE(panel(map)->colour(), QColor(250, 240, 215));
    QCOMPARE(m_viewer->DrawPanel->viewport()->palette().color(QPalette::Window), QColor(0, 0, 0));
}

void MapViewerTest::colourSettings_data()
{
    QTest::addColumn<int>("setting");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("ListColor") << 14151930 << QColor(250, 240, 215);
    QTest::newRow("DetailColor") << 15116910 << QColor(110, 170, 230);
    QTest::newRow("RestColor") << 9886870 << QColor(150, 220, 150);
    QTest::newRow("EditorColor") << 5294335 << QColor(255, 200, 80);
    QTest::newRow("FonColor") << 8421504 << QColor(128, 128, 128);
    QTest::newRow("red") << 255 << QColor(255, 0, 0);
}

void MapViewerTest::colourSettings()
{
    QFETCH(int, setting);
    QFETCH(QColor, colour);
    QCOMPARE(lamira::colourFromSetting(setting), colour);
    QCOMPARE(lamira::settingFromColour(colour), setting);
}

void MapViewerTest::drawMapShowsKindsAndCuts()
{
    // 2000 x 1000, saw 4: a detail 1000 x 1000 and the free area right of it
    // (996 x 1000, from x = 1014); drawn at half size.
    RunFixture f;
    lamira::Detail &d = f.detail("Дно", 1000, 1000);
    auto map = RunFixture::sheet(2000, 1000, 4, {&d});
    const lamira::MapColours colours = lamira::MapColours::fromRun(f.run);
    QImage image(1100, 600, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        lamira::MapDrawOptions options;
        options.DetailSizes = false;
        lamira::drawMap(painter, QRectF(50, 50, 1000, 500), *map, colours, options);
    }
    QCOMPARE(image.pixelColor(100, 100), colours.Detail);
    QCOMPARE(image.pixelColor(800, 100), colours.Rest);
    // The saw cut between them shows the sheet: x = 50 + (1010 - 10) / 2.
    QCOMPARE(image.pixelColor(551, 300), colours.Sheet);
    QCOMPARE(image.pixelColor(20, 20), QColor(Qt::white));
    QCOMPARE(image.pixelColor(1060, 300), QColor(Qt::white));
}

QTEST_MAIN(MapViewerTest)
#include "tst_mapviewer.moc"
