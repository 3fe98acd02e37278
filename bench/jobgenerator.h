#pragma once

#include "cutting/cutjob.h"

#include <cstdint>

namespace lamira {

// A furniture-like cut job of exactly `copies` detail copies over three
// materials (cabinet sides, shelves, doors, plinths, backs, drawer parts),
// the same for the same seed.
CutJob GenerateFurnitureJob(int copies, std::uint32_t seed);

} // namespace lamira
