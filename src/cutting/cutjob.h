#pragma once

#include <string>
#include <vector>

namespace lamira {

// Limits that keep a job within what the cutter handles sanely: lengths in
// millimetres, saw width, and the number of Detail records a job may make.
// Job files and jobs read from the database are held to them alike.
inline constexpr int MaxJobLength = 100000;
inline constexpr int MaxJobSaw = 1000;
inline constexpr long long MaxJobCopies = 100000;

// Everything a cut run reads: the settings that matter to it, the materials
// bank and the marked detail rows. The GUI fills it from the database, the
// headless cutter from a job file.
struct CutJob
{
    // Every detail keeps its orientation (the texture setting).
    bool TextureAll = false;

    // Display settings passed through to the run's parameters for the viewer
    // and the reports; they do not affect cutting.
    int ListColor = 0;
    int DetailColor = 0;
    int RestColor = 0;
    int EditorColor = 0;
    int FonColor = 0;
    bool OddVisible = false;
    int OddSize = 0;

    // One entry of the materials bank.
    struct Material
    {
        std::string Name;
        int Saw = 0; // saw width, mm
        bool Allow1000 = false;
        bool Allow1250 = false;
        bool Allow1500 = false;
        bool Allow2000 = false;
    };
    std::vector<Material> Materials;

    // One marked detail row: from an order (table Detail) or from the
    // products bank (table DetailBank).
    enum class Source
    {
        Order,
        Bank
    };
    struct Row
    {
        Source From = Source::Order;
        std::string Name;
        int Width = 0;  // length, mm
        int Height = 0; // width across the sheet, mm
        int Quantity = 0;
        int ProductQuantity = 0; // quantity of the row's product
        std::string Material;
        bool Texture = false;
    };
    // In job order; the run reads order rows before bank rows, as the two
    // database selects return them.
    std::vector<Row> Rows;
};

} // namespace lamira
