#pragma once

#include <cmath>

namespace lamira {

// x rounded to a multiple of 10^d, ties to even, in double precision:
// nearbyint(x / 10^d) * 10^d. Shown percentages use d = -2, metres d = -3.
inline double RoundTo(double x, int d)
{
    const double unit = std::pow(10.0, d);
    return std::nearbyint(x / unit) * unit;
}

} // namespace lamira
