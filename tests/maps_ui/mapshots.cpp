// Pictures of the maps tab and the map editor for a job file, for looking at
// them (not a test):
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/lamira-mapshots JOB.json OUTDIR
// writes maps-1x1.png, maps-2x2.png, maps-zoom.png, countform.png, editor-select.png, editor.png.

#include "cli/jobjson.h"
#include "cutting/cutrun.h"
#include "maps_ui/countform.h"
#include "maps_ui/dropframe.h"
#include "maps_ui/editorform.h"
#include "maps_ui/mapedit.h"
#include "maps_ui/mappanel.h"
#include "maps_ui/mapviewer.h"
#include "maps_ui/treewalk.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSlider>
#include <QTest>

#include <cstdio>

namespace {

bool save(QWidget &w, const QString &path)
{
    QTest::qWait(200);
    const bool ok = w.grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

lamira::MapPanel *panel(const lamira::CTree *node)
{
    return static_cast<lamira::MapPanel *>(node->Panel);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: lamira-mapshots JOB.json OUTDIR\n");
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    lamira::CutJob job = lamira::ReadCutJob(file.readAll());
    // The colours of a new database.
    job.ListColor = 14151930;
    job.DetailColor = 15116910;
    job.RestColor = 9886870;
    job.EditorColor = 5294335;
    job.FonColor = 8421504;
    job.OddVisible = true;
    lamira::CutRun run;
    lamira::NullProgress progress;
    if (run.Run(job, progress) != lamira::CutOutcome::Done)
        return 1;
    const QDir out(QString::fromLocal8Bit(argv[2]));

    MapViewer viewer;
    viewer.resize(1280, 940);
    viewer.show();
    if (!QTest::qWaitForWindowExposed(&viewer))
        return 1;
    viewer.showRun(run);
    save(viewer, out.filePath("maps-1x1.png"));
    viewer.chooseViewMode(5);
    save(viewer, out.filePath("maps-2x2.png"));
    viewer.chooseViewMode(1);
    viewer.ScaleBar->setValue(20);
    // Hold the mouse on a detail: the note shows.
    if (run.Maps[0]->Piece)
        QTest::mousePress(panel(run.Maps[0]->Piece.get()), Qt::LeftButton, {}, QPoint(20, 20));
    save(viewer, out.filePath("maps-zoom.png"));
    viewer.hide();

    TCountForm count;
    count.show();
    count.FormMouseMove(120, 60);
    save(count, out.filePath("countform.png"));
    count.close();

    TEditorForm editor;
    editor.prepare(run, 0);
    editor.resize(1280, 1000);
    editor.show();
    if (!QTest::qWaitForWindowExposed(&editor))
        return 1;
    auto drag = [&editor](int area) {
        auto &strip = editor.edit()->EditorMaps;
        if (!strip.empty())
            editor.putIntoWorkArea(area, quintptr(panel(strip.front().get())));
    };
    drag(0);
    drag(1);
    // A free area selected in the lower copy, a loose piece carried.
    if (lamira::CTree *lower = editor.edit()->LowerMap.get()) {
        lamira::CTree *free = nullptr;
        lamira::forEachNode(*lower, [&free](lamira::CTree &n) {
            if (!free && n.Parent && n.Free && n.IsLeaf() && n.Width > 300 && n.Height > 300)
                free = &n;
        });
        if (free)
            QTest::mouseClick(panel(free), Qt::LeftButton, {}, QPoint(3, 3));
    }
    save(editor, out.filePath("editor-select.png"));
    if (!editor.looseDetails().empty()) {
        auto *piece = static_cast<lamira::MapPanel *>(editor.looseDetails().front()->DragPanel);
        QTest::mouseClick(piece, Qt::LeftButton, {}, QPoint(2, 2));
        editor.CarriedPieceMouseMove(editor.Panel7->mapToGlobal(QPoint(420, 60)));
    }
    save(editor, out.filePath("editor.png"));
    editor.reject();
    return 0;
}
