#pragma once
#include "ui/geometry.h"
#include <cstdint>
#include <vector>

// The one-pixel-high rectangles that cover every pixel of a picture other than the transparent
// colour, found row by row as runs. `pixels` holds width x height colour values, rows top-down.
// A picture without a transparent pixel yields one run per row (its whole rectangle); a picture
// made only of the transparent colour yields none.
std::vector<Rect> OpaqueRuns(const std::vector<uint32_t>& pixels, int32_t width, int32_t height,
                             uint32_t transparent);
