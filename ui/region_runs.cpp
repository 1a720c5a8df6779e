#include "ui/region_runs.h"
#include <cstddef>

std::vector<Rect> OpaqueRuns(const std::vector<uint32_t>& pixels, int32_t width, int32_t height,
                             uint32_t transparent) {
    std::vector<Rect> runs;
    if (width <= 0 || height <= 0 ||
        static_cast<uint64_t>(pixels.size()) <
            static_cast<uint64_t>(width) * static_cast<uint64_t>(height))
        return runs;
    for (int32_t y = 0; y < height; ++y) {
        const uint32_t* row = pixels.data() + static_cast<size_t>(y) * width;
        int32_t start = -1;
        for (int32_t x = 0; x < width; ++x) {
            const bool opaque = row[x] != transparent;
            if (opaque && start < 0)
                start = x;
            if (!opaque && start >= 0) {
                runs.push_back({start, y, x, y + 1});
                start = -1;
            }
        }
        if (start >= 0)
            runs.push_back({start, y, width, y + 1});
    }
    return runs;
}
