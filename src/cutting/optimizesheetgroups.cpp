#include "cutting/cutrun.h"

namespace lamira {

namespace {

// Maps of one sheet size, consecutive in the sorted list.
struct SheetGroup
{
    size_t begin = 0;
    size_t end = 0;
    int Width = 0;
    int Height = 0;
    size_t size() const { return end - begin; }
};

// A replacement for the material's maps: freshly cut maps followed by the
// maps of every group but one.
struct Candidate
{
    OwnedMaps fresh;
    size_t excluded = 0; // the group whose maps it re-cut
};

bool higherClass(int height)
{
    return height == 1250 || height == 1500 || height == 2000;
}

} // namespace

void CutRun::OptimizeSheetGroups(OwnedMaps &maps)
{
    constexpr size_t Batch = 15;
    constexpr int Iterations = 1000;

    for (int iteration = 0; iteration < Iterations; ++iteration) {
        SortMaps(maps);
        std::vector<SheetGroup> groups;
        for (size_t i = 0; i < maps.size(); ++i) {
            const CTree &root = *maps[i];
            if (groups.empty() || root.Width != groups.back().Width ||
                root.Height != groups.back().Height)
                groups.push_back(SheetGroup{i, i, root.Width, root.Height});
            groups.back().end = i + 1;
        }
        size_t small = groups.size();
        for (size_t g = 0; g < groups.size(); ++g) {
            if (groups[g].size() < Batch) {
                small = g;
                break;
            }
        }
        if (small == groups.size())
            return;
        if (groups.size() == 1) {
            message("Программе не удается получить группу из 15 листов");
            return;
        }
        const SheetGroup &S = groups[small];
        // All details of a material carry the same flags; the first map's
        // detail speaks for them.
        const CTree &first = *maps[S.begin];
        const Detail *probe = first.Piece ? first.Piece->Item : nullptr;
        auto admits = [probe](int height) { return probe && allowsHeight(*probe, height); };

        std::vector<Candidate> candidates;
        auto recut = [&](size_t source, int width, int height, Resort resort) {
            RunSheetWidth = width;
            RunSheetHeight = height;
            for (size_t i = groups[source].begin; i < groups[source].end; ++i)
                maps[i]->ReleaseDetails();
            std::vector<Detail *> work;
            for (Detail *d : RunDetails) {
                if (!d->IsPlaced)
                    work.push_back(d);
            }
            Candidate &c = candidates.emplace_back();
            c.excluded = source;
            buildMaps(work, c.fresh, resort, {});
        };

        // Moves of the small group onto a larger size.
        for (size_t t = 0; t < groups.size(); ++t) {
            const SheetGroup &T = groups[t];
            if (t == small)
                continue;
            const bool height = T.Height == S.Height ||
                                (T.Height > S.Height && higherClass(T.Height) && admits(T.Height));
            if (height && T.Width >= S.Width)
                recut(small, T.Width, T.Height, Resort::Exchange);
        }
        // Moves of smaller sizes onto the small group's size.
        for (size_t g = 0; g < groups.size(); ++g) {
            const SheetGroup &G = groups[g];
            if (g == small)
                continue;
            const bool height = G.Height == S.Height ||
                                (G.Height < S.Height && higherClass(S.Height) && admits(S.Height));
            if (height && G.Width < S.Width)
                recut(g, S.Width, S.Height, Resort::Stable);
        }
        if (candidates.empty())
            return;

        // Sheet area of the candidate list from its second map on; the first
        // built wins ties, and even one no better than the start replaces it.
        double bestArea = 3e9;
        size_t best = 0;
        std::vector<CTree *> list;
        for (size_t c = 0; c < candidates.size(); ++c) {
            list = MapView(candidates[c].fresh);
            for (size_t g = 0; g < groups.size(); ++g) {
                if (g == candidates[c].excluded)
                    continue;
                for (size_t i = groups[g].begin; i < groups[g].end; ++i)
                    list.push_back(maps[i].get());
            }
            const double area = SeriesArea(list);
            if (area < bestArea) {
                bestArea = area;
                best = c;
            }
        }

        Candidate &chosen = candidates[best];
        OwnedMaps next = std::move(chosen.fresh);
        for (size_t g = 0; g < groups.size(); ++g) {
            if (g == chosen.excluded)
                continue;
            for (size_t i = groups[g].begin; i < groups[g].end; ++i)
                next.push_back(std::move(maps[i]));
        }
        maps = std::move(next);
    }
}

} // namespace lamira
