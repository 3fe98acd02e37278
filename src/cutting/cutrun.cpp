#include "cutting/cutrun.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace lamira {

namespace {

constexpr int SheetHeights[] = {1000, 1250, 1500, 2000};

bool allowed(const CutJob::Material *bank, int height)
{
    if (!bank)
        return false;
    switch (height) {
    case 1000:
        return bank->Allow1000;
    case 1250:
        return bank->Allow1250;
    case 1500:
        return bank->Allow1500;
    case 2000:
        return bank->Allow2000;
    }
    return false;
}

// Some allowed sheet height takes the detail, turned if it may be turned.
bool fitsSomeSheet(const Detail &d)
{
    for (int s : {2000, 1500, 1250, 1000}) {
        if (allowsHeight(d, s) && (d.Height <= s || (!d.Texture && d.Width <= s)))
            return true;
    }
    return false;
}

int classify(const Detail &d)
{
    for (int s : SheetHeights) {
        if (d.Height <= s && allowsHeight(d, s))
            return s;
    }
    return 0;
}

void turn(Detail &d)
{
    std::swap(d.Width, d.Height);
}

} // namespace

void CutRun::message(const std::string &text)
{
    Messages.push_back(text);
    if (m_onMessage)
        m_onMessage(text);
}

Detail &CutRun::newRecord(const CutJob::Row &row, const CutJob::Material *bank, int rowNo,
                          int copies)
{
    Detail &d = m_records.emplace_back();
    d.Name = row.Name;
    d.Width = row.Width;
    d.Height = row.Height;
    d.Material = row.Material;
    d.Texture = row.Texture || TextureAll;
    d.AreaM2 = int(double(row.Width) * row.Height * 0.000001);
    d.RowNo = rowNo;
    d.Quantity = copies;
    d.Allow1000 = allowed(bank, 1000);
    d.Allow1250 = allowed(bank, 1250);
    d.Allow1500 = allowed(bank, 1500);
    d.Allow2000 = allowed(bank, 2000);
    return d;
}

void CutRun::collectRows(const CutJob &job, const std::string &material,
                         const CutJob::Material *bank)
{
    // Order rows first, then bank rows, each in job order; RowNo counts every
    // row of the material, also a row that gives no copies. Details of a
    // material missing from the bank get no row number.
    int rowNo = 1;
    for (CutJob::Source source : {CutJob::Source::Order, CutJob::Source::Bank}) {
        for (const CutJob::Row &row : job.Rows) {
            if (row.From != source || row.Material != material)
                continue;
            // A row needs a positive quantity and a product with a positive
            // quantity to give copies.
            const std::int64_t copies = row.Quantity > 0 && row.ProductQuantity > 0
                                            ? std::int64_t(row.Quantity) * row.ProductQuantity
                                            : 0;
            const int total = int(std::min<std::int64_t>(copies, INT32_MAX));
            for (std::int64_t c = 0; c < copies; ++c) {
                Detail &d = newRecord(row, bank, bank ? rowNo : 0, total);
                if (bank && fitsSomeSheet(d))
                    RunDetails.push_back(&d);
                else
                    UncutDetails.push_back(&d);
            }
            ++rowNo;
        }
    }
}

void CutRun::PrepareDetails()
{
    // A side above 2000 mm can only lie along the sheet.
    for (Detail *d : RunDetails) {
        if (d->Height > 2000 && d->Width <= 2000)
            turn(*d);
    }
    // Turn a detail when the waste beside it across the sheet its length
    // would need is, weighed by the extent along that strip, no larger than
    // the waste across the sheet its present width needs.
    for (Detail *d : RunDetails) {
        if (d->Texture || d->Height > 2000)
            continue;
        int needed = 2000;
        for (int s : SheetHeights) {
            if (s >= d->Height) {
                needed = s;
                break;
            }
        }
        for (int c : SheetHeights) {
            const std::int64_t wasteNow = std::int64_t(needed - d->Height) * d->Width;
            const std::int64_t wasteTurned = std::int64_t(c - d->Width) * d->Height;
            if (d->Width <= c && wasteNow >= wasteTurned && allowsHeight(*d, c)) {
                turn(*d);
                break;
            }
        }
    }
    auto byHeight = [](const Detail *a, const Detail *b) { return a->Height > b->Height; };
    auto byWidth = [](const Detail *a, const Detail *b) { return a->Width > b->Width; };
    std::stable_sort(RunDetails.begin(), RunDetails.end(), byHeight);

    for (Detail *d : RunDetails) {
        d->SheetHeight = classify(*d);
        if (d->SheetHeight)
            continue;
        if (!d->Texture) {
            turn(*d);
            d->SheetHeight = classify(*d);
        }
        if (!d->SheetHeight)
            message("Деталь не подходит по размерам");
    }

    std::stable_sort(RunDetails.begin(), RunDetails.end(), byHeight);
    for (auto start = RunDetails.begin(); start != RunDetails.end();) {
        auto end = std::find_if(start, RunDetails.end(), [start](const Detail *d) {
            return d->SheetHeight != (*start)->SheetHeight;
        });
        std::stable_sort(start, end, byWidth);
        start = end;
    }
}

CutOutcome CutRun::Run(const CutJob &job, Progress &progress, MessageSink onMessage)
{
    m_onMessage = std::move(onMessage);
    Maps.clear();
    MapStore.Clear();
    m_materialMaps.clear();
    RunDetails.clear();
    UncutDetails.clear();
    GroupDetails.clear();
    RunMaterials.clear();
    Messages.clear();
    m_records.clear();
    MaxSheetWidth = 0;
    MaxSheetHeight = 0;

    TextureAll = job.TextureAll;
    ListColor = job.ListColor;
    DetailColor = job.DetailColor;
    RestColor = job.RestColor;
    EditorColor = job.EditorColor;
    FonColor = job.FonColor;
    OddVisible = job.OddVisible;
    OddSize = job.OddSize;

    for (CutJob::Source source : {CutJob::Source::Order, CutJob::Source::Bank}) {
        for (const CutJob::Row &row : job.Rows) {
            if (row.From == source && std::find(RunMaterials.begin(), RunMaterials.end(),
                                                row.Material) == RunMaterials.end())
                RunMaterials.push_back(row.Material);
        }
    }

    for (const std::string &material : RunMaterials) {
        const CutJob::Material *bank = nullptr;
        for (const CutJob::Material &entry : job.Materials) {
            if (entry.Name == material) {
                bank = &entry;
                break;
            }
        }
        if (!bank) {
            message("Материала '" + material +
                    "' нет в банке материалов,детали с данным материалом будут нераскроены");
            collectRows(job, material, nullptr);
            continue;
        }
        SawWidth = bank->Saw;
        RunDetails.clear();
        m_materialMaps.clear();
        Maps.clear();
        collectRows(job, material, bank);
        if (RunDetails.empty())
            continue;
        PrepareDetails();
        if (!CutGroups(m_materialMaps, progress) || !Consolidate(m_materialMaps, progress)) {
            // Whatever the material had when it was stopped stays inspectable.
            Maps = MapView(m_materialMaps);
            return CutOutcome::Cancelled;
        }
    }

    Maps = MapStore.View();
    RunDetails.insert(RunDetails.end(), UncutDetails.begin(), UncutDetails.end());
    if (Maps.empty()) {
        message("Нечего кроить");
        return CutOutcome::NothingToCut;
    }
    return CutOutcome::Done;
}

} // namespace lamira
