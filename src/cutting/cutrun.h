#pragma once

#include "cutting/cutjob.h"
#include "cutting/detail.h"
#include "cutting/materialmapstore.h"
#include "cutting/progress.h"
#include "cutting/stripselect.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace lamira {

enum class CutOutcome
{
    Done,         // maps were made; Maps holds them
    NothingToCut, // no material produced maps ("Нечего кроить")
    Cancelled,    // the user stopped the run; the state is left as it was
};

// One cut run from the job's marked rows to filed cutting maps, and the
// results the viewer, the editor and the reports read until the next run.
//
// Run() goes material by material: one Detail record per copy, fit test,
// orientation and height classes (PrepareDetails), group cutting at up to
// 40 sheet lengths (CutGroups), then the pass sequence, statistics, merging
// and filing (Consolidate). The steps are public so that they can be driven
// one by one; each works on the current material's maps and RunDetails.
//
// Progress goes to the Progress given to Run; cancel is honoured after every
// map and after every sheet length, and ends the run silently. Message-box
// texts go to the message callback at the moment they arise and are kept in
// Messages in order.
class CutRun
{
public:
    using MessageSink = std::function<void(const std::string &)>;
    enum class StripSearch
    {
        Fast,
        Reference
    };

    CutRun() = default;
    CutRun(const CutRun &) = delete;
    CutRun &operator=(const CutRun &) = delete;

    // Replaces every result of an earlier run with those of this job.
    CutOutcome Run(const CutJob &job, Progress &progress, MessageSink onMessage = {});

    // --- results ---------------------------------------------------------
    // After the run: every map, material after material (a view of the
    // store). After a cancel: the maps of the material being cut so far.
    std::vector<CTree *> Maps;
    MaterialMapStore MapStore;
    int MaterialCount() const { return MapStore.MaterialCount(); }
    // Sets Maps from the store: every material (slot < 0, "Все" in the
    // material filter) or one slot. Call after MapStore.ReplaceMaps.
    void RebuildMaps(int slot = -1) { Maps = slot < 0 ? MapStore.View() : MapStore.View(slot); }
    // The current material's fitting details; after the run those of the
    // last material found in the bank, followed by UncutDetails.
    std::vector<Detail *> RunDetails;
    // Details no allowed sheet takes and details of materials missing from
    // the bank, in the order they were met.
    std::vector<Detail *> UncutDetails;
    // The details of the group or pool being cut.
    std::vector<Detail *> GroupDetails;
    // Distinct materials of the job in order of first appearance.
    std::vector<std::string> RunMaterials;
    std::vector<std::string> Messages;

    // --- run parameters ----------------------------------------------------
    int SawWidth = 0;
    bool TextureAll = false;
    int ListColor = 0;
    int DetailColor = 0;
    int RestColor = 0;
    int EditorColor = 0;
    int FonColor = 0;
    bool OddVisible = false;
    int OddSize = 0;
    int RunSheetWidth = 0;
    int RunSheetHeight = 0;

    // --- view values of the maps tab -------------------------------------
    // Largest root Width and Height among the maps of the last material
    // filed; the layouts of the maps tab and the report pages are spaced
    // and scaled by them.
    int MaxSheetWidth = 0;
    int MaxSheetHeight = 0;
    // Millimetres of sheet per pixel, set by the viewer from the size of its
    // drawing area when it shows the run.
    float MapScale = 1;
    // Zoom factor of the maps tab (its scale bar's position x 0.1).
    float MapZoom = 1;
    // How many maps the tab shows side by side: 1 to 6.
    int ViewMode = 1;

    // Which strip search builds the sheets; both give the same maps.
    StripSearch Search = StripSearch::Fast;

    // --- the steps of one material ---------------------------------------
    // Turns, classifies (SheetHeight) and sorts RunDetails for cutting.
    void PrepareDetails();
    // Cuts RunDetails group by group and appends the chosen maps to `maps`.
    // False when cancelled.
    bool CutGroups(OwnedMaps &maps, Progress &progress);
    // Re-cuts the maps used below 50 % on one common height at every length
    // from just above the longest pooled detail to 6000 mm in steps of 20 mm.
    // False when cancelled.
    bool OptimizeMaps(OwnedMaps &maps, Progress &progress);
    // Regroups sheet sizes towards batches of 15 equal sheets.
    void OptimizeSheetGroups(OwnedMaps &maps);
    // The pass sequence, statistics, merging and filing of the material's
    // maps into the next slot of MapStore. False when cancelled.
    bool Consolidate(OwnedMaps &maps, Progress &progress);

private:
    enum class Resort
    {
        Stable,
        Exchange
    };
    // When a series of sheet lengths moves RunSheetWidth on by its step.
    enum class Advance
    {
        AfterEach,  // the first length is RunSheetWidth itself
        BeforeEach, // RunSheetWidth itself is never tried
    };
    using AfterMap = std::function<bool(size_t detailsLeft)>;

    // Builds maps of RunSheetWidth x RunSheetHeight from the working list
    // until it is empty; afterMap returns false to cancel.
    bool buildMaps(std::vector<Detail *> &work, OwnedMaps &out, Resort resort,
                   const AfterMap &afterMap);
    bool cutGroup(int number, OwnedMaps &maps, Progress &progress);
    // Cuts GroupDetails once at each of `lengths` sheet lengths of
    // RunSheetHeight, RunSheetWidth moving by `step`, and appends the series
    // with the least SeriesArea to `maps` (ties go to the shorter length).
    // The caller sets up and starts the progress display; here the second bar
    // follows the maps of a length, the first the lengths done, and the
    // display is finished. False when cancelled.
    bool cutLengths(int lengths, int step, Advance advance, OwnedMaps &maps, Progress &progress);
    void selectStrip(const std::vector<Detail *> &work);
    void message(const std::string &text);
    Detail &newRecord(const CutJob::Row &row, const CutJob::Material *bank, int rowNo, int copies);
    void collectRows(const CutJob &job, const std::string &material, const CutJob::Material *bank);

    MessageSink m_onMessage;
    std::deque<Detail> m_records; // every Detail of the run, at stable addresses
    OwnedMaps m_materialMaps;     // the material being cut
    StripSelector m_selector;
    std::vector<char> m_flags;
    std::vector<Detail *> m_scratch;
    std::vector<Detail *> m_merge;
};

} // namespace lamira
