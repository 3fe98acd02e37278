#pragma once

#include "cutting/materialslot.h"

#include <vector>

namespace lamira {

// The maps of a cut run, one slot per material that produced maps, in the
// order the materials were cut. The slots own their maps; the run's Maps and
// the viewer's material filter are views built from here.
class MaterialMapStore
{
public:
    void Clear() { m_slots.clear(); }
    int MaterialCount() const { return int(m_slots.size()); }

    // Files a material's maps in the next slot and returns the slot.
    MaterialSlot &File(MaterialSlot slot);

    MaterialSlot &Slot(int index) { return m_slots.at(size_t(index)); }
    const MaterialSlot &Slot(int index) const { return m_slots.at(size_t(index)); }
    const std::vector<MaterialSlot> &Slots() const { return m_slots; }

    // Index of the slot of that material (exact, case-sensitive), or -1.
    int Find(const std::string &material) const;

    // Puts new maps in place of one slot's maps (the editor's apply); the old
    // maps are deleted. The slot's statistics stay those of the run.
    void ReplaceMaps(int index, OwnedMaps maps);

    // The maps of every slot, slot after slot ("Все" in the filter)...
    std::vector<CTree *> View() const;
    // ...or of one slot only (one material chosen in the filter).
    std::vector<CTree *> View(int index) const;

private:
    std::vector<MaterialSlot> m_slots;
};

} // namespace lamira
