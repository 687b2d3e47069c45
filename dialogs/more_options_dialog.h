#pragma once
// Control ids and the spontaneous-rate scale of the "More options" dialog.

namespace MoreOptionsIds {
enum : int {
    kSurroundEdit = 1006,
    kSurroundUpDown = 1007,
    kGammaEdit = 1008,
    kGammaUpDown = 1036,
    kCellTypeList = 1011,
    kRateEdit = 1020,
    kRateUpDown = 1021,
    kSaturatingCheck = 1040,
    kHalfMaxEdit = 1022,
    kHalfMaxUpDown = 1023,
    kHashCheck = 1041,
};
}  // namespace MoreOptionsIds

// The rate up-down: positions 0..9 are tenths of a hertz below 1 Hz, 10..110
// are whole hertz from 1 to 101.
float RateFromCode(int position);
int RateCode(float rate);
