#include "tests/fuzz/fuzz_input.h"
#include "ui/region_runs.h"
#include <cstring>

// A picture of any size claim over whatever pixels there are: runs stay inside the picture.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 8)
        return 0;
    int16_t width = 0;
    int16_t height = 0;
    uint32_t transparent = 0;
    std::memcpy(&width, data, 2);
    std::memcpy(&height, data + 2, 2);
    std::memcpy(&transparent, data + 4, 4);
    std::vector<uint32_t> pixels((size - 8) / 4);
    if (!pixels.empty())
        std::memcpy(pixels.data(), data + 8, pixels.size() * 4);
    for (const Rect& run : OpaqueRuns(pixels, width, height, transparent))
        FUZZ_CHECK(run.left >= 0 && run.right <= width && run.top >= 0 && run.bottom <= height &&
                   run.left < run.right);
    return 0;
}
