#include "cli/jobjson.h"
#include "maps_ui/dropframe.h"
#include "maps_ui/editorform.h"
#include "maps_ui/mapedit.h"
#include "maps_ui/mappanel.h"
#include "maps_ui/mapviewer.h"
#include "messagerecorder.h"
#include "modal.h"
#include "runfixture.h"

#include <QComboBox>
#include <QDropEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QTest>

#include <memory>

using lamira::CTree;
using lamira::Detail;
using lamira::MapPanel;
using lamira::OwnedMaps;
using lamira::test::MessageRecorder;
using lamira::test::RunFixture;

namespace {

MapPanel *panel(const CTree *node)
{
    return node ? static_cast<MapPanel *>(node->Panel) : nullptr;
}

MapPanel *piece(const Detail *d)
{
    return static_cast<MapPanel *>(d->DragPanel);
}

void dropOn(TEditorForm &editor, int area, const QMimeData &data)
{
    QDropEvent event(QPointF(20, 20), Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    if (area == 0)
        editor.Panel3DragDrop(event);
    else
        editor.Panel7DragDrop(event);
}

// Drags the strip picture of the copy standing at `index` in the strip.
void dragCopy(TEditorForm &editor, size_t index, int area)
{
    std::unique_ptr<QMimeData> data(
        MapPanel::dragData(panel(editor.edit()->EditorMaps.at(index).get())));
    dropOn(editor, area, *data);
}

void click(QWidget *w, Qt::MouseButton button = Qt::LeftButton, QPoint at = QPoint(2, 2))
{
    QVERIFY(w);
    QTest::mouseClick(w, button, {}, at);
}

QByteArray resultOf(const lamira::CutRun &run)
{
    return QJsonDocument(lamira::CutResultJson(run)).toJson();
}

struct DetailState
{
    const Detail *detail;
    int width;
    int height;
    bool placed;
    bool operator==(const DetailState &) const = default;
};

// Every record the run can reach, with what an edit may change in it.
std::vector<DetailState> detailStates(const lamira::CutRun &run)
{
    std::vector<Detail *> all = run.RunDetails;
    all.insert(all.end(), run.UncutDetails.begin(), run.UncutDetails.end());
    for (const auto &slot : run.MapStore.Slots()) {
        for (const auto &map : slot.Maps)
            map->CollectDetails(all);
    }
    std::vector<DetailState> out;
    for (const Detail *d : all)
        out.push_back({d, d->Width, d->Height, d->IsPlaced});
    return out;
}

lamira::CutJob::Row row(const std::string &material, int width, int height, int quantity,
                        bool texture, const std::string &name)
{
    lamira::CutJob::Row r;
    r.Name = name;
    r.Width = width;
    r.Height = height;
    r.Quantity = quantity;
    r.ProductQuantity = 1;
    r.Material = material;
    r.Texture = texture;
    return r;
}

// Two materials cut for real; ЛДСП keeps one detail too large for its
// sheets, which the editor shows as a loose piece.
lamira::CutJob twoMaterialJob()
{
    lamira::CutJob job;
    job.ListColor = 14151930;
    job.DetailColor = 15116910;
    job.RestColor = 9886870;
    job.EditorColor = 5294335;
    job.FonColor = 8421504;
    job.OddVisible = true;
    lamira::CutJob::Material chipboard;
    chipboard.Name = "ЛДСП";
    chipboard.Saw = 4;
    chipboard.Allow2000 = true;
    lamira::CutJob::Material mdf;
    mdf.Name = "МДФ";
    mdf.Saw = 4;
    mdf.Allow1000 = true;
    job.Materials = {chipboard, mdf};
    job.Rows = {row("ЛДСП", 1900, 700, 3, false, "Бок"), row("ЛДСП", 700, 500, 5, false, "Полка"),
                row("ЛДСП", 3000, 2500, 1, true, "Щит"), row("МДФ", 600, 400, 4, false, "Фасад")};
    return job;
}

} // namespace

class EditorFormTest final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void form();
    void openingWithAllMaterialsTakesTheFirst();
    void workAreasTakeStripPictures();
    void threeSheetsApplyUnchanged();
    void dropLoosePieceOnAnAreaOfItsSize();
    void emptySheetRefusesADetailWithoutRoomForTheSaw();
    void turningTwiceRestoresTheCaption();
    void rightButtonCancelsAMove();
    void selectAndJoin();
    void carriedLoosePieceIsKeptOnApply();
    void cancelLeavesTheRunsResultsIdentical();
    void applyingLeavesOtherMaterialsAlone();

private:
    void open(int slot = 0);

    std::unique_ptr<RunFixture> m_f;
    std::unique_ptr<TEditorForm> m_editor;
    std::unique_ptr<MessageRecorder> m_messages;
};

void EditorFormTest::init()
{
    m_f = std::make_unique<RunFixture>();
    m_editor = std::make_unique<TEditorForm>();
    m_messages = std::make_unique<MessageRecorder>();
}

void EditorFormTest::cleanup()
{
    m_editor.reset();
    m_f.reset();
    m_messages.reset();
}

void EditorFormTest::open(int slot)
{
    m_editor->prepare(m_f->run, slot);
    m_editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_editor.get()));
}

void EditorFormTest::form()
{
    QCOMPARE(m_editor->windowTitle(), QString("Редактор карт раскроя"));
    QCOMPARE(m_editor->OKButton->text(), QString("Применить изменения и выйти"));
    QCOMPARE(m_editor->CancelButton->text(), QString("Отменить изменения и выйти"));
    QCOMPARE(m_editor->HorizontalButton->text(), QString("Соединить остатки по горизонтали"));
    QCOMPARE(m_editor->VertikalButton->text(), QString("Соединить остатки по вертикали"));
    QCOMPARE(m_editor->Panel3->geometry(), QRect(1, 121, 560, 250));
    QCOMPARE(m_editor->Panel7->geometry(), QRect(1, 376, 560, 250));
    QCOMPARE(m_editor->Panel4->geometry(), QRect(568, 120, 449, 505));
    QCOMPARE(m_editor->DrawPanel->height(), 112);
    QVERIFY(m_editor->Panel3->acceptDrops());
    QVERIFY(m_editor->Panel7->acceptDrops());
}

void EditorFormTest::openingWithAllMaterialsTakesTheFirst()
{
    Detail &a = m_f->detail("А", 1000, 500, "ЛДСП");
    OwnedMaps maps;
    maps.push_back(RunFixture::sheet(2800, 2070, 4, {&a}, 3));
    m_f->file("ЛДСП", std::move(maps));
    m_f->fileMaps("МДФ", 2);
    MapViewer viewer;
    viewer.resize(1200, 900);
    viewer.show();
    viewer.showRun(m_f->run);
    viewer.setEditorForm(m_editor.get());
    viewer.ScaleBar->setValue(15);
    QCOMPARE(viewer.ComboBox1->currentText(), QString("Все"));

    int copies = -1;
    std::string material;
    std::vector<int> lefts;
    QString hint;
    lamira::test::whenModal([&](QWidget *) {
        copies = int(m_editor->edit()->EditorMaps.size());
        material = m_editor->edit()->material();
        for (const auto &copy : m_editor->edit()->EditorMaps)
            lefts.push_back(panel(copy.get())->x());
        hint = panel(m_editor->edit()->EditorMaps[0]->Piece.get())->toolTip();
        m_editor->CancelButton->click();
    });
    viewer.EditorButtonClick();

    QCOMPARE(material, std::string("ЛДСП"));
    QCOMPARE(viewer.ComboBox1->currentText(), QString("ЛДСП"));
    QCOMPARE(copies, 3);
    // Strip pictures from offset 3, each 20 pixels after the one before:
    // 87 / 2070 pixels per millimetre, the sheet 117 pixels long.
    const int width = int(2800 * double(87.0f / 2070.0f));
    QCOMPARE(lefts, (std::vector<int>{3, 3 + width + 20, 3 + 2 * (width + 20)}));
    QCOMPARE(hint, QString("1 из 3 , материал : ЛДСП"));
    // Back on map 1 of the edited material at zoom 1.0.
    QCOMPARE(m_f->run.Maps, m_f->run.MapStore.View(0));
    QCOMPARE(viewer.Edit2->text(), QString("1"));
    QCOMPARE(viewer.ScaleBar->value(), 10);
    QCOMPARE(m_f->run.MapZoom, 1.0f);
    QVERIFY(panel(m_f->run.Maps[0]));
    QCOMPARE(m_f->run.Maps[0]->Count, 3);
    QVERIFY(!m_editor->isVisible());
    QVERIFY(!m_editor->edit());
}

void EditorFormTest::workAreasTakeStripPictures()
{
    m_f->fileMaps("ЛДСП", 3);
    open();
    auto &strip = m_editor->edit()->EditorMaps;
    CTree *first = strip[0].get();
    CTree *second = strip[1].get();
    CTree *third = strip[2].get();
    const int secondLeft = panel(second)->x();

    dragCopy(*m_editor, 1, 0);
    QCOMPARE(m_editor->edit()->UpperMap.get(), second);
    QCOMPARE(int(strip.size()), 2);
    QCOMPARE(panel(second)->parentWidget(), m_editor->Panel3);
    QCOMPARE(panel(second)->geometry().size(), QSize(int(2800 * double(m_editor->EditorScale)),
                                                     int(2070 * double(m_editor->EditorScale))));
    // The picture after it moved into its place.
    QCOMPARE(panel(third)->x(), secondLeft);
    QCOMPARE(panel(third->Piece.get())->x(), panel(third)->x());

    dragCopy(*m_editor, 0, 0);
    QCOMPARE(m_editor->edit()->UpperMap.get(), first);
    // The copy that was there went back to the end of the strip.
    QCOMPARE(strip.back().get(), second);
    QCOMPARE(panel(second)->parentWidget(), m_editor->DrawPanel->widget());
    QCOMPARE(panel(second)->x(), panel(third)->x() + panel(third)->width() + 20);

    // Something that is no strip picture: only the area's copy goes back.
    QMimeData text;
    text.setText("file:///tmp/x");
    dropOn(*m_editor, 1, text);
    QVERIFY(!m_editor->edit()->LowerMap);
    QCOMPARE(int(strip.size()), 2);
    dropOn(*m_editor, 0, text);
    QVERIFY(!m_editor->edit()->UpperMap);
    QCOMPARE(strip.back().get(), first);
}

void EditorFormTest::threeSheetsApplyUnchanged()
{
    Detail &a = m_f->detail("А", 1000, 500);
    OwnedMaps maps;
    maps.push_back(RunFixture::sheet(2800, 2070, 4, {&a}, 3));
    m_f->file("ЛДСП", std::move(maps));
    open();
    QCOMPARE(int(m_editor->edit()->EditorMaps.size()), 3);
    dragCopy(*m_editor, 0, 0);
    dragCopy(*m_editor, 0, 1);
    click(m_editor->OKButton);

    QVERIFY(!m_editor->isVisible());
    const OwnedMaps &result = m_f->run.MapStore.Slot(0).Maps;
    QCOMPARE(int(result.size()), 1);
    QCOMPARE(result[0]->Count, 3);
    // The applied copies carry no editor panels.
    QVERIFY(!result[0]->Panel);
    QVERIFY(!result[0]->Piece->Panel);
}

void EditorFormTest::dropLoosePieceOnAnAreaOfItsSize()
{
    // 1004 x 400, saw 4, a detail 400 x 400: the area right of it is 600 x 400.
    Detail &a = m_f->detail("А", 400, 400);
    Detail &shelf = m_f->detail("Полка", 600, 400);
    Detail &wide = m_f->detail("Бок", 601, 400);
    OwnedMaps maps;
    maps.push_back(RunFixture::sheet(1004, 400, 4, {&a}));
    m_f->file("ЛДСП", std::move(maps));
    m_f->run.UncutDetails = {&wide, &shelf};
    m_f->run.RunDetails = {&a, &wide, &shelf};
    open();
    dragCopy(*m_editor, 0, 0);
    CTree *copy = m_editor->edit()->UpperMap.get();
    CTree *area = copy->Right.get();
    QCOMPARE(m_editor->looseDetails(), (std::vector<Detail *>{&wide, &shelf}));
    QVERIFY(m_f->run.UncutDetails.empty());
    QCOMPARE(piece(&shelf)->caption(), QString("600X400"));
    QCOMPARE(piece(&shelf)->colour(), QColor(255, 200, 80));

    click(piece(&wide));
    QCOMPARE(m_editor->DraggedPanel.data(), piece(&wide));
    QCOMPARE(m_editor->Info->text(), QString("Имя : Бок  Длина :601  Ширина :400"));
    click(panel(area));
    QCOMPARE(m_messages->texts(), QStringList{"Не умещается"});
    QVERIFY(area->IsLeaf());
    QCOMPARE(m_editor->DraggedPanel.data(), piece(&wide));

    // Picking another piece sends the first one home.
    const QPoint home = QPoint(10, 10);
    click(piece(&shelf));
    QCOMPARE(piece(&wide)->parentWidget(), m_editor->Panel4->widget());
    QCOMPARE(piece(&wide)->pos(), home);
    click(panel(area));
    QCOMPARE(m_messages->texts().size(), 1);
    QVERIFY(area->Piece);
    QCOMPARE(area->Piece->Item, &shelf);
    QCOMPARE(area->Piece->Width, 600);
    QCOMPARE(area->Piece->Height, 400);
    QVERIFY(!area->Right && !area->Below);
    QVERIFY(shelf.IsPlaced);
    QVERIFY(!shelf.DragPanel);
    QVERIFY(!m_editor->DraggedPanel);
    QCOMPARE(m_editor->looseDetails(), std::vector<Detail *>{&wide});
    // The work area shows the new layout.
    QVERIFY(panel(area->Piece.get()));
    QCOMPARE(panel(area->Piece.get())->parentWidget(), m_editor->Panel3);

    click(m_editor->OKButton);
    QCOMPARE(m_f->run.UncutDetails, std::vector<Detail *>{&wide});
    QCOMPARE(m_f->run.MapStore.Slot(0).Maps[0]->Right->Piece->Item, &shelf);
}

void EditorFormTest::emptySheetRefusesADetailWithoutRoomForTheSaw()
{
    Detail &a = m_f->detail("А", 700, 500);
    Detail &high = m_f->detail("Бок", 500, 1000);
    OwnedMaps maps;
    maps.push_back(RunFixture::sheet(2000, 1000, 4, {&a}));
    m_f->file("ЛДСП", std::move(maps));
    m_f->run.UncutDetails = {&high};
    open();
    dragCopy(*m_editor, 0, 1);
    CTree *copy = m_editor->edit()->LowerMap.get();

    // The only detail goes to the list area: the copy is one free sheet.
    click(panel(copy->Piece.get()));
    QCOMPARE(m_editor->DragSource.data(), panel(copy->Piece.get()));
    QCOMPARE(panel(copy->Piece.get())->colour(), QColor(255, 200, 80));
    click(m_editor->Panel4->viewport(), Qt::LeftButton, QPoint(200, 300));
    QVERIFY(copy->IsLeaf());
    QCOMPARE(panel(copy)->caption(), QString("2000X1000"));
    QCOMPARE(panel(copy)->colour(), QColor(150, 220, 150));
    QCOMPARE(piece(&a)->parentWidget(), m_editor->Panel4->widget());
    QCOMPARE(piece(&a)->pos(), QPoint(200, 300));
    QCOMPARE(piece(&a)->caption(), QString("700X500"));
    QVERIFY(!a.IsPlaced);

    click(piece(&high));
    click(panel(copy));
    QCOMPARE(m_messages->texts(), QStringList{"Не умещается"});
    QVERIFY(copy->IsLeaf());
    QCOMPARE(m_editor->carriedDetail(), &high);

    // A copy left empty is not among the maps after applying.
    click(m_editor->OKButton);
    QVERIFY(m_f->run.MapStore.Slot(0).Maps.empty());
    QCOMPARE(m_f->run.UncutDetails, (std::vector<Detail *>{&high, &a}));
}

void EditorFormTest::turningTwiceRestoresTheCaption()
{
    m_f->fileMaps("ЛДСП", 1);
    Detail &grained = m_f->detail("Фасад", 600, 400, "ЛДСП", true);
    m_f->run.UncutDetails = {&grained};
    open();
    MapPanel *p = piece(&grained);
    const QSize size = p->size();
    click(p, Qt::RightButton);
    QCOMPARE(m_messages->texts(), QStringList{"Деталь имеет текстуру"});
    QCOMPARE(p->caption(), QString("400X600"));
    QCOMPARE(p->size(), size.transposed());
    QCOMPARE(grained.Width, 400);
    click(p, Qt::RightButton);
    QCOMPARE(p->caption(), QString("600X400"));
    QCOMPARE(p->size(), size);
    QCOMPARE(grained.Width, 600);
    QCOMPARE(m_messages->texts().size(), 2);
}

void EditorFormTest::rightButtonCancelsAMove()
{
    m_f->fileMaps("ЛДСП", 1);
    Detail &loose = m_f->detail("Полка", 600, 400, "ЛДСП");
    m_f->run.UncutDetails = {&loose};
    open();
    dragCopy(*m_editor, 0, 0);
    CTree *copy = m_editor->edit()->UpperMap.get();
    MapPanel *source = panel(copy->Piece.get());

    click(source);
    QVERIFY(m_editor->DraggedPanel);
    QCOMPARE(m_editor->DraggedPanel->parentWidget(), m_editor.get());
    click(m_editor->Panel3, Qt::RightButton, QPoint(550, 240));
    QVERIFY(!m_editor->DraggedPanel);
    QVERIFY(!m_editor->DragSource);
    QCOMPARE(source->colour(), QColor(110, 170, 230));
    QCOMPARE(copy->Piece->Item->DragPanel, nullptr);
    QVERIFY(!copy->Piece->Free);

    const QPoint home = piece(&loose)->pos();
    click(piece(&loose));
    QCOMPARE(piece(&loose)->parentWidget(), m_editor.get());
    // The right button on a free area cancels as well.
    click(panel(copy->Right.get()), Qt::RightButton);
    QCOMPARE(piece(&loose)->parentWidget(), m_editor->Panel4->widget());
    QCOMPARE(piece(&loose)->pos(), home);
    QVERIFY(!m_editor->DraggedPanel);
}

void EditorFormTest::selectAndJoin()
{
    // 2000 x 1000, saw 4: A 500 x 1000 at the corner; right of it B 500 x 600
    // with a free area 500 x 396 below it and 992 x 1000 right of it.
    Detail &a = m_f->detail("А", 500, 1000, "ЛДСП", true);
    Detail &b = m_f->detail("Б", 500, 600, "ЛДСП", true);
    OwnedMaps maps;
    maps.push_back(RunFixture::sheet(2000, 1000, 4, {&a, &b}));
    m_f->file("ЛДСП", std::move(maps));
    open();
    dragCopy(*m_editor, 0, 0);
    CTree *copy = m_editor->edit()->UpperMap.get();
    CTree *bNode = copy->Right->Piece.get();
    QCOMPARE(bNode->Item, &b);

    click(panel(bNode));
    click(m_editor->Panel4->viewport(), Qt::LeftButton, QPoint(20, 200));
    QVERIFY(bNode->Free);

    click(panel(bNode));
    QCOMPARE(m_editor->SelectedPanel.data(), panel(bNode));
    QVERIFY(panel(bNode)->isLowered());
    QCOMPARE(panel(bNode)->colour(), QColor(Qt::yellow));
    click(panel(bNode));
    QVERIFY(!m_editor->SelectedPanel);
    QVERIFY(!panel(bNode)->isLowered());
    QCOMPARE(panel(bNode)->colour(), QColor(150, 220, 150));

    // Nothing selected: the buttons change nothing.
    click(m_editor->VertikalButton);
    QCOMPARE(bNode->Height, 600);

    click(panel(bNode));
    click(m_editor->HorizontalButton); // the free area to the right is higher
    QCOMPARE(bNode->Width, 500);
    QVERIFY(!m_editor->SelectedPanel);
    click(panel(bNode));
    click(m_editor->VertikalButton);
    QCOMPARE(bNode->Height, 1000);
    QVERIFY(!copy->Right->Below);
    QVERIFY(!m_editor->SelectedPanel);
    QCOMPARE(panel(bNode)->height(), int(1000 * m_editor->EditorScale));
}

void EditorFormTest::carriedLoosePieceIsKeptOnApply()
{
    m_f->fileMaps("ЛДСП", 1);
    Detail &loose = m_f->detail("Полка", 600, 400, "ЛДСП");
    m_f->run.UncutDetails = {&loose};
    open();
    click(piece(&loose));
    QVERIFY(m_editor->DraggedPanel);
    click(m_editor->OKButton);
    QCOMPARE(m_f->run.UncutDetails, std::vector<Detail *>{&loose});
    QVERIFY(!loose.DragPanel);
}

void EditorFormTest::cancelLeavesTheRunsResultsIdentical()
{
    lamira::NullProgress progress;
    QCOMPARE(m_f->run.Run(twoMaterialJob(), progress), lamira::CutOutcome::Done);
    QCOMPARE(m_f->run.MaterialCount(), 2);
    QCOMPARE(int(m_f->run.UncutDetails.size()), 1);
    const QByteArray before = resultOf(m_f->run);
    const auto detailsBefore = detailStates(m_f->run);
    const auto runDetails = m_f->run.RunDetails;
    const auto uncutDetails = m_f->run.UncutDetails;

    open(0);
    QVERIFY(m_f->run.UncutDetails.empty());
    Detail *big = m_editor->looseDetails().at(0);
    click(piece(big), Qt::RightButton); // turned in its record
    dragCopy(*m_editor, 0, 0);
    CTree *copy = m_editor->edit()->UpperMap.get();
    Detail *moved = copy->Piece->Item;
    click(panel(copy->Piece.get()));
    click(m_editor->Panel4->viewport(), Qt::LeftButton, QPoint(100, 300));
    click(piece(moved), Qt::RightButton);
    QVERIFY(!moved->IsPlaced);
    QVERIFY(detailStates(m_f->run) != detailsBefore);

    click(m_editor->CancelButton);
    QVERIFY(!m_editor->isVisible());
    QCOMPARE(resultOf(m_f->run), before);
    QCOMPARE(detailStates(m_f->run), detailsBefore);
    QCOMPARE(m_f->run.RunDetails, runDetails);
    QCOMPARE(m_f->run.UncutDetails, uncutDetails);
    for (const DetailState &s : detailsBefore)
        QVERIFY(!s.detail->DragPanel);
}

void EditorFormTest::applyingLeavesOtherMaterialsAlone()
{
    lamira::NullProgress progress;
    QCOMPARE(m_f->run.Run(twoMaterialJob(), progress), lamira::CutOutcome::Done);
    const QJsonObject before = lamira::CutResultJson(m_f->run);
    std::vector<CTree *> otherMaps = m_f->run.MapStore.View(1);

    open(0);
    dragCopy(*m_editor, 0, 0);
    CTree *copy = m_editor->edit()->UpperMap.get();
    Detail *moved = copy->Piece->Item;
    click(panel(copy->Piece.get()));
    click(m_editor->Panel4->viewport(), Qt::LeftButton, QPoint(100, 300));
    click(m_editor->OKButton);

    const QJsonObject after = lamira::CutResultJson(m_f->run);
    const QJsonArray materialsBefore = before.value("materials").toArray();
    const QJsonArray materialsAfter = after.value("materials").toArray();
    QCOMPARE(materialsAfter.at(1), materialsBefore.at(1));
    QVERIFY(materialsAfter.at(0) != materialsBefore.at(0));
    QCOMPARE(m_f->run.MapStore.View(1), otherMaps);
    // The edited material's uncut details: the large one, then the one taken
    // off the sheet.
    QCOMPARE(int(m_f->run.UncutDetails.size()), 2);
    QCOMPARE(m_f->run.UncutDetails.back(), moved);
    QCOMPARE(m_f->run.Maps, m_f->run.MapStore.View(0));
}

QTEST_MAIN(EditorFormTest)
#include "tst_editorform.moc"
