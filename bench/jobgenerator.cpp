#include "jobgenerator.h"

#include <algorithm>
#include <random>

namespace lamira {

namespace {

struct Archetype
{
    const char *name;
    int minLength, maxLength; // along the sheet
    int minWidth, maxWidth;   // across the sheet
    int material;             // index into the bank below
    double textureChance;
};

// Typical cabinet and wardrobe parts.
const Archetype Parts[] = {
    {"Бок", 700, 2400, 300, 600, 0, 0.5},    {"Полка", 400, 1200, 250, 580, 0, 0.2},
    {"Крышка", 500, 1600, 300, 600, 0, 0.4}, {"Дно", 400, 1200, 300, 580, 0, 0.1},
    {"Цоколь", 400, 2400, 80, 150, 0, 0.0},  {"Планка", 300, 1800, 50, 120, 0, 0.0},
    {"Фасад", 300, 2200, 150, 600, 1, 0.7},  {"Дверь", 700, 2300, 300, 600, 1, 0.8},
    {"Стенка", 500, 2000, 300, 900, 2, 0.0}, {"Ящик", 300, 800, 100, 250, 2, 0.0},
};

} // namespace

CutJob GenerateFurnitureJob(int copies, std::uint32_t seed)
{
    std::mt19937 rng(seed);
    auto uniform = [&rng](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(rng);
    };
    CutJob job;
    job.Materials = {
        {"ЛДСП Белый 16", 4, true, true, true, true},
        {"ЛДСП Дуб сонома 16", 4, false, true, false, true},
        {"ДВП 4", 3, true, true, false, false},
    };
    int made = 0;
    while (made < copies) {
        const Archetype &a = Parts[uniform(0, int(std::size(Parts)) - 1)];
        CutJob::Row row;
        row.From = uniform(0, 3) == 0 ? CutJob::Source::Bank : CutJob::Source::Order;
        row.Name = a.name;
        // Workshops cut to whole millimetres, often to round sizes.
        row.Width = uniform(a.minLength, a.maxLength) / 2 * 2;
        row.Height = uniform(a.minWidth, a.maxWidth) / 2 * 2;
        row.Material = job.Materials[size_t(a.material)].Name;
        row.Texture = std::uniform_real_distribution<double>(0, 1)(rng) < a.textureChance;
        row.ProductQuantity = uniform(1, 3);
        row.Quantity = std::max(1, std::min(uniform(1, 4), (copies - made) / row.ProductQuantity));
        if (row.Quantity * row.ProductQuantity > copies - made) {
            row.ProductQuantity = 1;
            row.Quantity = copies - made;
        }
        made += row.Quantity * row.ProductQuantity;
        job.Rows.push_back(row);
    }
    return job;
}

} // namespace lamira
