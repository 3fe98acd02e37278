#include "maps_ui/mapedit.h"

#include "cutting/cutrun.h"

#include <algorithm>
#include <unordered_set>

namespace lamira {

namespace {

bool contains(const std::vector<Detail *> &list, const Detail *d)
{
    return std::find(list.begin(), list.end(), d) != list.end();
}

} // namespace

MapEdit::MapEdit(CutRun &run, int slot)
    : m_run(run), m_slot(slot), m_material(run.MapStore.Slot(slot).Material)
{
    m_savedRunDetails = run.RunDetails;
    m_savedUncutDetails = run.UncutDetails;
    std::unordered_set<Detail *> seen;
    auto save = [this, &seen](Detail *d) {
        if (d && seen.insert(d).second)
            m_saved.push_back({d, d->Width, d->Height, d->IsPlaced});
    };
    for (Detail *d : run.RunDetails)
        save(d);
    for (Detail *d : run.UncutDetails)
        save(d);
    std::vector<Detail *> placed;
    for (const auto &map : run.MapStore.Slot(slot).Maps)
        map->CollectDetails(placed);
    for (Detail *d : placed)
        save(d);

    const size_t n = run.Maps.size();
    for (size_t i = 0; i < n; ++i) {
        CTree &map = *run.Maps[i];
        if (map.Material != m_material)
            continue;
        map.Hint =
            std::to_string(i + 1) + " из " + std::to_string(n) + " , материал : " + map.Material;
        for (int c = 0; c < map.Count; ++c) {
            std::unique_ptr<CTree> copy = map.Clone(nullptr);
            copy->Count = 1;
            EditorMaps.push_back(std::move(copy));
        }
    }
}

MapEdit::~MapEdit() = default;

std::vector<Detail *> MapEdit::TakeUncutDetails()
{
    std::vector<Detail *> taken;
    std::vector<Detail *> &uncut = m_run.UncutDetails;
    for (auto it = uncut.begin(); it != uncut.end();) {
        if ((*it)->Material == m_material) {
            taken.push_back(*it);
            it = uncut.erase(it);
        } else {
            ++it;
        }
    }
    for (Detail *d : taken) {
        if (!contains(m_run.RunDetails, d))
            m_run.RunDetails.push_back(d);
    }
    return taken;
}

float MapEdit::StripScale(int stripHeight) const
{
    // The material's own largest sheet: the run's view value belongs to the
    // last material cut, whose sheets may be lower.
    int height = m_run.MapStore.Slot(m_slot).MaxSheetHeight;
    for (const auto &copy : EditorMaps)
        height = std::max(height, copy->Height);
    if (height <= 0)
        return 0;
    return float(stripHeight - 25) / float(height);
}

float MapEdit::EditorScale(int areaWidth, int areaHeight) const
{
    float scale = 1;
    auto fit = [&](int width, int height) {
        if (width > 0 && height > 0)
            scale = std::min({scale, float(areaWidth - 5) / float(width),
                              float(areaHeight - 5) / float(height)});
    };
    for (const auto &copy : EditorMaps)
        fit(copy->Width, copy->Height);
    for (const CTree *copy : {UpperMap.get(), LowerMap.get()}) {
        if (copy)
            fit(copy->Width, copy->Height);
    }
    if (EditorMaps.empty() && !UpperMap && !LowerMap) {
        // No sheet left to show: loose pieces at the scale of the material's
        // largest sheet rather than a millimetre per pixel.
        const MaterialSlot &s = m_run.MapStore.Slot(m_slot);
        fit(s.MaxSheetWidth, s.MaxSheetHeight);
    }
    return std::max(scale, 0.0f);
}

bool MapEdit::Fits(const CTree &area, const Detail &detail)
{
    if (area.Width < detail.Width)
        return false;
    if (area.Parent)
        return area.Height >= detail.Height;
    return area.Height >= detail.Height + area.Saw;
}

CTree *MapEdit::WorkCopyOf(const CTree &node) const
{
    const CTree *root = &node.Root();
    if (root == UpperMap.get())
        return UpperMap.get();
    if (root == LowerMap.get())
        return LowerMap.get();
    return nullptr;
}

bool MapEdit::Drop(CTree &area, Detail &detail, CTree *from)
{
    // Only a free leaf takes a detail: placing on an inner node would cut
    // its subtree loose.
    if (!area.Free || !area.IsLeaf() || !Fits(area, detail))
        return false;
    detail.IsPlaced = false;
    if (from)
        from->RemoveDetail(&detail);
    area.Fill({&detail});
    return true;
}

void MapEdit::TakeOff(Detail &detail, CTree &copy, PanelHook *hook)
{
    copy.RemoveDetail(&detail, hook);
    copy.Collapse(hook);
}

void MapEdit::Apply(const std::vector<Detail *> &loose)
{
    OwnedMaps maps;
    for (auto &copy : EditorMaps) {
        if (!copy->IsEmpty())
            maps.push_back(std::move(copy));
    }
    EditorMaps.clear();
    for (auto *work : {&UpperMap, &LowerMap}) {
        if (*work && !(*work)->IsEmpty())
            maps.push_back(std::move(*work));
        work->reset();
    }
    for (Detail *d : loose) {
        d->DragPanel = nullptr;
        m_run.UncutDetails.push_back(d);
        // An uncut detail is one of the run's details, as the run leaves them.
        if (!contains(m_run.RunDetails, d))
            m_run.RunDetails.push_back(d);
    }
    m_run.MapStore.ReplaceMaps(m_slot, std::move(maps));
    m_applied = true;
}

void MapEdit::Cancel()
{
    for (const SavedDetail &s : m_saved) {
        s.detail->Width = s.width;
        s.detail->Height = s.height;
        s.detail->IsPlaced = s.placed;
        s.detail->DragPanel = nullptr;
    }
    m_run.RunDetails = m_savedRunDetails;
    m_run.UncutDetails = m_savedUncutDetails;
}

void MapEdit::Finish()
{
    EditorMaps.clear();
    UpperMap.reset();
    LowerMap.reset();
    for (const SavedDetail &s : m_saved)
        s.detail->DragPanel = nullptr;
    // Sorting and merging stay within the material: with "Все" in the
    // filter Maps holds every material, and maps of different materials
    // must never become one.
    OwnedMaps &maps = m_run.MapStore.Slot(m_slot).Maps;
    SortMaps(maps);
    MergeMaps(maps);
    m_run.RebuildMaps(m_slot);
}

} // namespace lamira
