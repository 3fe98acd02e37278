#pragma once

#include "cutting/maplist.h"

#include <memory>
#include <string>
#include <vector>

namespace lamira {

class CutRun;
class PanelHook;
struct Detail;

// One session of the map editor on the maps of one material, without any
// widget: the working copies (one per physical sheet), the two work areas,
// the fit test and drop, and what applying and dropping the edit do to the
// run's results.
//
// The copies share the Detail records with the run's maps, so an edit
// changes those records (turns, placed flags) while it goes on; Cancel puts
// back the records and the detail lists as they were when the session
// began, so that a dropped edit leaves the run's results unchanged.
class MapEdit
{
public:
    // Opens the session on the material of the store's slot: every map of
    // run.Maps of that material gets the hint "i из n , материал : M" (i its
    // 1-based place in Maps, n the number of maps there) and gives Count
    // copies, each with Count 1, to EditorMaps in Maps order.
    MapEdit(CutRun &run, int slot);
    MapEdit(const MapEdit &) = delete;
    MapEdit &operator=(const MapEdit &) = delete;
    ~MapEdit();

    CutRun &run() const { return m_run; }
    int slot() const { return m_slot; }
    const std::string &material() const { return m_material; }

    OwnedMaps EditorMaps; // the strip, left to right
    std::unique_ptr<CTree> UpperMap;
    std::unique_ptr<CTree> LowerMap;

    // The material's entries of UncutDetails, in list order: they leave
    // UncutDetails (every one of them) and are in RunDetails once each. They
    // become the loose pieces of the list area.
    std::vector<Detail *> TakeUncutDetails();

    // Pixels per millimetre of the strip pictures: the strip's height less
    // 25 over the largest sheet height of the material.
    float StripScale(int stripHeight) const;
    // Pixels per millimetre of the work areas and loose pieces: the largest
    // scale at which every copy fits an area of that size less 5 pixels, and
    // never above 1.
    float EditorScale(int areaWidth, int areaHeight) const;

    // A detail fits a free area without turning; the sheet of an empty copy
    // needs the saw width below the detail as well.
    static bool Fits(const CTree &area, const Detail &detail);
    // The work-area copy (UpperMap or LowerMap) that holds the node, if any.
    CTree *WorkCopyOf(const CTree &node) const;
    // Puts the detail on the free leaf `area` (at its corner, splitting it)
    // if it fits; when `from` is given the detail is first taken off that
    // copy. False, and nothing changed, if it does not fit.
    bool Drop(CTree &area, Detail &detail, CTree *from);
    // Takes the detail off the copy into the list area; a copy left without
    // details becomes one free sheet.
    static void TakeOff(Detail &detail, CTree &copy, PanelHook *hook);

    // Applies the edit: the material's maps are replaced by every copy that
    // is not empty (strip order, then the upper and the lower work area) and
    // the details of the list area go back to the end of UncutDetails. The
    // copies' panels must be gone.
    void Apply(const std::vector<Detail *> &loose);
    bool applied() const { return m_applied; }
    // Drops the edit: the records and the detail lists as before the session.
    void Cancel();
    // The end of every session: the material's maps sorted and identical
    // layouts merged (never with another material's), and Maps showing the
    // material's maps.
    void Finish();

private:
    struct SavedDetail
    {
        Detail *detail;
        int width;
        int height;
        bool placed;
    };

    CutRun &m_run;
    int m_slot;
    std::string m_material;
    bool m_applied = false;
    std::vector<SavedDetail> m_saved;
    std::vector<Detail *> m_savedRunDetails;
    std::vector<Detail *> m_savedUncutDetails;
};

} // namespace lamira
