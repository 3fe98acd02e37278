#pragma once

#include <string>

namespace lamira {

// One free area of a map, as the reports list it.
struct Residual
{
    int Width = 0;
    int Height = 0;
    std::string Material;
    int Number = 0; // numbered by the report
    int Count = 1;  // equal residuals this record stands for
};

} // namespace lamira
