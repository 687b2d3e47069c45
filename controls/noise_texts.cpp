#include "controls/noise_texts.h"

#include "model/file_numbers.h"

namespace {

std::string Whole(int32_t low, int32_t high) { return "a whole number from " + std::to_string(low) + " to " + std::to_string(high); }
std::string Real(float low, float high) { return "a number from " + ShortestRealText(low) + " to " + ShortestRealText(high); }

}  // namespace

std::string NoiseSettingsMessage(const NoiseSettings& s)
{
    switch (CheckNoiseSettings(s)) {
    case NoiseFine: return "";
    case NoiseBadKind: return "The noise must be sparse noise or white noise.";
    case NoiseBadColumns: return "The grid's columns must be " + Whole(kNoiseGridLow, kNoiseGridHigh) + ".";
    case NoiseBadRows: return "The grid's rows must be " + Whole(kNoiseGridLow, kNoiseGridHigh) + ".";
    case NoiseBadSquare:
        return "A square's size must be " + Real(kNoiseSquareLow, kNoiseSquareHigh) + " degrees.";
    case NoiseBadFrame: return NoiseFrameMsMessage();
    case NoiseBadLit:
        return "The squares lit in each frame must be " + Whole(kNoiseLitLow, NoiseSquares(s)) +
               " (the squares of the grid).";
    case NoiseBadContrast: return "The noise's contrast must be " + Real(kNoiseContrastLow, kNoiseContrastHigh) + ".";
    }
    return "";
}

std::string NoiseFrameMsMessage()
{
    return "A frame must last " + Whole(kNoiseFrameTicksLow * 20, kNoiseFrameTicksHigh * 20) +
           " milliseconds, in steps of 20.";
}

std::string NoiseSeedMessage() { return "The seed must be a whole number from 0 to 4294967295."; }

const char* NoiseKindName(int32_t kind) { return kind == WhiteNoiseKind ? "white-noise" : "sparse-noise"; }
