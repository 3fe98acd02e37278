#pragma once

#include "cutting/cutrun.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace lamira::test {

// A cut run's results made by hand: details, maps filled from lists of
// details, one slot per material, the colours of a new database.
class RunFixture
{
public:
    RunFixture()
    {
        run.ListColor = 14151930;   // 250, 240, 215
        run.DetailColor = 15116910; // 110, 170, 230
        run.RestColor = 9886870;    // 150, 220, 150
        run.EditorColor = 5294335;  // 255, 200, 80
        run.FonColor = 8421504;     // 128, 128, 128
        run.OddVisible = true;
    }

    Detail &detail(const std::string &name, int width, int height,
                   const std::string &material = "ЛДСП", bool texture = false)
    {
        Detail &d = m_details.emplace_back();
        d.Name = name;
        d.Width = width;
        d.Height = height;
        d.Material = material;
        d.Texture = texture;
        return d;
    }

    // A sheet of the material with the details placed by one Fill, in list
    // order; they must all fit.
    static std::unique_ptr<CTree> sheet(int width, int height, int saw,
                                        const std::vector<Detail *> &details, int count = 1)
    {
        auto map = CTree::NewSheet(
            width, height, saw, details.empty() ? std::string("ЛДСП") : details.front()->Material);
        map->Fill(details);
        map->Count = count;
        return map;
    }

    // Files the maps as the next material and rebuilds Maps ("Все").
    MaterialSlot &file(const std::string &material, OwnedMaps maps)
    {
        MaterialSlot slot;
        slot.Material = material;
        for (const auto &m : maps) {
            m->Material = material;
            slot.MaxSheetWidth = std::max(slot.MaxSheetWidth, m->Width);
            slot.MaxSheetHeight = std::max(slot.MaxSheetHeight, m->Height);
        }
        slot.FillPercent = 87.345;
        slot.Maps = std::move(maps);
        run.MaxSheetWidth = slot.MaxSheetWidth;
        run.MaxSheetHeight = slot.MaxSheetHeight;
        MaterialSlot &filed = run.MapStore.File(std::move(slot));
        run.RebuildMaps();
        return filed;
    }

    // n maps of one size, each with one detail of its own, as one material.
    MaterialSlot &fileMaps(const std::string &material, int n, int width = 2800, int height = 2070)
    {
        OwnedMaps maps;
        for (int i = 0; i < n; ++i) {
            Detail &d = detail("Деталь " + std::to_string(i + 1), 1000 + 10 * i, 500, material);
            run.RunDetails.push_back(&d);
            maps.push_back(sheet(width, height, 4, {&d}));
        }
        return file(material, std::move(maps));
    }

    CutRun run;

private:
    std::deque<Detail> m_details;
};

} // namespace lamira::test
