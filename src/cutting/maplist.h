#pragma once

#include "cutting/ctree.h"

#include <memory>
#include <vector>

namespace lamira {

// A list of maps that owns its roots (a material's maps while they are cut,
// a slot of the material map store, the editor's copies).
using OwnedMaps = std::vector<std::unique_ptr<CTree>>;

// Orders maps by root Height, largest first, then by root Width, largest
// first; maps of equal size keep their order.
void SortMaps(std::vector<CTree *> &maps);
void SortMaps(OwnedMaps &maps);

// Shortens sheets whose free ends are long: within each run of maps of one
// size, every map of a run under 30 maps loses the smallest free tail of the
// run; of a larger run the 15 maps with the longest tails lose the 15th
// longest tail and form a size of their own, and the pass repeats. No sheet
// is shortened to 1250 mm or less. Leaves the list sorted as SortMaps does.
void ShortenSheets(std::vector<CTree *> &maps);
void ShortenSheets(OwnedMaps &maps);

// Merges identical layouts (SameLayout): the first map's Count grows by one
// per later duplicate, and the duplicates are deleted. Detail records are not
// touched. Run after SortMaps, after an edit as after a cut.
void MergeMaps(OwnedMaps &maps);

// Sum of the sheet areas (root Width x Height) from the second map on: a
// list that fits on one sheet scores 0, whatever the sheet's size. The cut
// passes choose between alternative lists of a pool's maps by it.
double SeriesArea(const std::vector<CTree *> &maps);
double SeriesArea(const OwnedMaps &maps);

// Non-owning view of an owning list, in the same order.
std::vector<CTree *> MapView(const OwnedMaps &maps);

} // namespace lamira
