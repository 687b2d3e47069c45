// The frames the web edition must reproduce: a grating over a complex cell, drawn by the native core at fixed
// records and clock readings, then the same after ten more ticks of a drag. The file it writes (to
// TESSALINE_REFERENCE_FRAME) is what the browser check compares the page's frame and canvas with, pixel by pixel.
#include <cstdio>
#include <cstdlib>

#include "sim/start_up.h"
#include "test_support.h"

TEST(WebReference, GratingOverComplexCellFrame)
{
    constexpr int32_t kW = 640, kH = 480;
    StartUpEngine(kW, kH, 12345, true);
    PlaceNewReceptiveField(Complex);
    SetStimulusType(Grating);
    OnPointerMove(300, 250 + 36);
    OnLeftButtonDown();
    for (int64_t t : {1000, 1020, 1040}) SceneTickAt(t);

    const PresentedFrame frame = LatestFrame();
    ASSERT_EQ(std::pair(frame.width, frame.height), std::pair(kW, kH));
    // Grey far from the field; grating bars of both signs under the pointer.
    EXPECT_EQ(frame.pixels[(kH - 5) * kW + 5] & 0xFFFFFFu, ts::kGrey);
    uint32_t darkest = 255, lightest = 0;
    for (int32_t x = 260; x < 340; ++x) {
        const uint32_t green = (frame.pixels[250 * kW + x] >> 8) & 0xFFu;
        darkest = std::min(darkest, green), lightest = std::max(lightest, green);
    }
    EXPECT_LT(darkest, 40u);
    EXPECT_GT(lightest, 215u);

    // Written only when asked for, so that one run writes it while the browser check may read it.
    const char* path = std::getenv("TESSALINE_REFERENCE_FRAME");
    if (path == nullptr) return;
    std::FILE* out = std::fopen(path, "wb");
    ASSERT_NE(out, nullptr);
    const int32_t size[2] = {kW, kH};
    std::fwrite(size, sizeof size, 1, out);
    std::fwrite(frame.pixels, sizeof(uint32_t), static_cast<size_t>(kW) * kH, out);
    for (int32_t k = 0; k < 10; ++k) {
        OnPointerMove(300 + 7 * k, 286 + 3 * k);
        SceneTickAt(1060 + 20 * k);
    }
    std::fwrite(LatestFrame().pixels, sizeof(uint32_t), static_cast<size_t>(kW) * kH, out);
    EXPECT_EQ(std::fclose(out), 0);
}
