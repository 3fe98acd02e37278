#include "cutting/materialmapstore.h"

namespace lamira {

MaterialSlot &MaterialMapStore::File(MaterialSlot slot)
{
    m_slots.push_back(std::move(slot));
    return m_slots.back();
}

int MaterialMapStore::Find(const std::string &material) const
{
    for (size_t i = 0; i < m_slots.size(); ++i) {
        if (m_slots[i].Material == material)
            return int(i);
    }
    return -1;
}

void MaterialMapStore::ReplaceMaps(int index, OwnedMaps maps)
{
    Slot(index).Maps = std::move(maps);
}

std::vector<CTree *> MaterialMapStore::View() const
{
    std::vector<CTree *> view;
    for (const MaterialSlot &slot : m_slots) {
        for (const auto &map : slot.Maps)
            view.push_back(map.get());
    }
    return view;
}

std::vector<CTree *> MaterialMapStore::View(int index) const
{
    return MapView(Slot(index).Maps);
}

} // namespace lamira
