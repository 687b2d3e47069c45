// The anti-aliased ring of the receptive-field outlines: two pixels wide,
// each pixel blended toward the drawing colour by how many of its 25
// sub-samples fall between the radii r and r + 2.
//
// Only the rows of each column that the ring can reach are examined (a bound
// with a safety margin; the coverage itself is always counted sample by
// sample), so a ring of any radius costs about its perimeter, not its area.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "model/numeric.h"
#include "render/frame_buffer.h"
#include "render/frame_buffer_pixels.h"

namespace {

struct Ring {
    float cx, cy;
    float inner2, outer2;  // r² and (r + 2)²
    double margin;         // rows of slack around the analytic bounds
};

int32_t Coverage(const Ring& ring, int64_t x, int64_t y)
{
    int32_t count = 0;
    for (int32_t i = 0; i < 5; ++i) {
        const float ddx = (static_cast<float>(x) + 0.2f * static_cast<float>(i)) - ring.cx;
        for (int32_t j = 0; j < 5; ++j) {
            const float ddy = (static_cast<float>(y) + 0.2f * static_cast<float>(j)) - ring.cy;
            const float d2 = ddx * ddx + ddy * ddy;
            if (d2 >= ring.inner2 && d2 <= ring.outer2) ++count;
        }
    }
    return count;
}

// Up to two ascending row ranges of column x, within [top, bottom], outside
// which no sample of the column can lie on the ring. Returns how many.
int32_t RowSpans(const Ring& ring, int64_t x, int64_t top, int64_t bottom, int64_t spans[2][2])
{
    // From the column as the samples see it (a float), so both agree.
    const double left = static_cast<double>(static_cast<float>(x)) - ring.cx;
    const double right = left + 0.8;
    const double nearest = (left <= 0.0 && right >= 0.0) ? 0.0 : std::min(left * left, right * right);
    const double farthest = std::max(left * left, right * right);
    const double outerRoom = static_cast<double>(ring.outer2) - nearest;
    // Sideways alone the column is beyond the outer circle, rounding included.
    if (nearest > static_cast<double>(ring.outer2) * (1.0 + 1e-5) + 1.0) return 0;
    const double reach = std::sqrt(std::max(0.0, outerRoom)) + ring.margin;
    const double hole = std::sqrt(std::max(0.0, static_cast<double>(ring.inner2) - farthest)) - ring.margin;

    const int64_t outerTop = std::max<int64_t>(top, TruncInt(std::floor(ring.cy - reach - 1.0)));
    const int64_t outerBottom = std::min<int64_t>(bottom, TruncInt(std::ceil(ring.cy + reach)));
    if (outerTop > outerBottom) return 0;
    if (hole <= 1.0) {
        spans[0][0] = outerTop;
        spans[0][1] = outerBottom;
        return 1;
    }
    // Rows wholly inside the hole: every sample row y .. y + 0.8 within it.
    const int64_t holeTop = TruncInt(std::ceil(ring.cy - hole));
    const int64_t holeBottom = TruncInt(std::floor(ring.cy + hole - 1.0));
    int32_t n = 0;
    if (outerTop <= std::min(outerBottom, holeTop - 1)) {
        spans[n][0] = outerTop;
        spans[n][1] = std::min(outerBottom, holeTop - 1);
        ++n;
    }
    if (std::max(outerTop, holeBottom + 1) <= outerBottom) {
        spans[n][0] = std::max(outerTop, holeBottom + 1);
        spans[n][1] = outerBottom;
        ++n;
    }
    return n;
}

// Pixels examined when looking for the last covered pixel outside the image;
// past this the pen stays at the last covered pixel inside it.
constexpr int64_t kPenSearchBudget = int64_t{1} << 20;

// The last covered pixel in column-then-row order.
struct Pen {
    bool found = false;
    int64_t x = 0, y = 0;
};

// Blends pixel (x, y) toward the drawing colour by count of 25.
void BlendPixel(int64_t x, int64_t y, int32_t count)
{
    const uint32_t target = frameBuffer.colour;
    const float coverage = static_cast<float>(count) / 25.0f;
    const uint32_t old = ReadPixel(static_cast<int32_t>(x), static_cast<int32_t>(y));
    const auto blend = [coverage, old, target](int32_t shift) {
        const int32_t from = (old >> shift) & 0xFF, to = (target >> shift) & 0xFF;
        return static_cast<uint32_t>(static_cast<float>(from) + static_cast<float>(to - from) * coverage) << shift;
    };
    PutPixel(x, y, blend(0) | blend(8) | blend(16));
}

// Draws the ring's pixels inside the image; returns the last one covered.
Pen BlendRing(const Ring& ring, int64_t first, int64_t last, int64_t top, int64_t bottom)
{
    const int64_t w = frameBuffer.width, h = frameBuffer.height;
    Pen pen;
    int64_t spans[2][2];
    for (int64_t x = std::max<int64_t>(first, 0); x <= std::min(last, w - 1); ++x) {
        const int32_t n = RowSpans(ring, x, std::max<int64_t>(top, 0), std::min(bottom, h - 1), spans);
        for (int32_t s = 0; s < n; ++s) {
            for (int64_t y = spans[s][0]; y <= spans[s][1]; ++y) {
                const int32_t count = Coverage(ring, x, y);
                if (count == 0) continue;
                BlendPixel(x, y, count);
                pen = {true, x, y};
            }
        }
    }
    return pen;
}

// The last covered pixel of the whole box, which may lie outside the image:
// searched backwards from the box's end, down to the last covered pixel
// already found inside, within a budget.
Pen SearchPenOutside(const Ring& ring, int64_t first, int64_t last, int64_t top, int64_t bottom, Pen pen)
{
    int64_t examined = 0;
    int64_t spans[2][2];
    for (int64_t x = last; x >= first; --x) {
        if (pen.found && x < pen.x) return pen;
        const int32_t n = RowSpans(ring, x, top, bottom, spans);
        for (int32_t s = n - 1; s >= 0; --s) {
            for (int64_t y = spans[s][1]; y >= spans[s][0]; --y) {
                if (pen.found && x == pen.x && y <= pen.y) return pen;
                if (++examined > kPenSearchBudget) return pen;
                if (Coverage(ring, x, y) > 0) return {true, x, y};
            }
        }
        if (++examined > kPenSearchBudget) return pen;
    }
    return pen;
}

}  // namespace

void DrawRing(float radius)
{
    if (!(radius > 0.0f)) return;  // also NaN
    const float cx = static_cast<float>(frameBuffer.penX);
    const float cy = static_cast<float>(frameBuffer.penY);
    const int64_t first = TruncInt(cx - 2.0f - radius), last = TruncInt(2.0f + radius + cx);
    const int64_t top = TruncInt(cy - 2.0f - radius), bottom = TruncInt(2.0f + radius + cy);
    if (last < first) return;
    const float outer = radius + 2.0f;
    const Ring ring{cx, cy, radius * radius, outer * outer, 2.0 + 1e-5 * outer};
    if (!std::isfinite(ring.outer2)) return;  // no sample can be that far from the centre

    Pen pen = BlendRing(ring, first, last, top, bottom);
    // The pen ends on the last covered pixel in column-then-row order.
    if (last >= frameBuffer.width || bottom >= frameBuffer.height || !pen.found)
        pen = SearchPenOutside(ring, first, last, top, bottom, pen);
    if (pen.found) {
        frameBuffer.penX = static_cast<int32_t>(pen.x);
        frameBuffer.penY = static_cast<int32_t>(pen.y);
    }
}
