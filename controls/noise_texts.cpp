#include "controls/noise_texts.h"

#include "model/file_numbers.h"

#include "language/catalog.h"

namespace {

// The ranges' ends as a form shows numbers: the decimal mark of the
// language in force (the command line keeps English and the point).
std::string Real(float v) { return LocalNumber(ShortestRealText(v)); }
std::string Whole(int32_t v) { return std::to_string(v); }

}  // namespace

// One template a sentence, so a translation may order it as its language does.
std::string NoiseSettingsMessage(const NoiseSettings& s)
{
    switch (CheckNoiseSettings(s)) {
    case NoiseFine: return "";
    case NoiseBadKind: return Tr("The noise must be sparse noise or white noise.");
    case NoiseBadColumns:
        return TrArgs("The grid's columns must be a whole number from %1 to %2.",
                      {Whole(kNoiseGridLow), Whole(kNoiseGridHigh)});
    case NoiseBadRows:
        return TrArgs("The grid's rows must be a whole number from %1 to %2.",
                      {Whole(kNoiseGridLow), Whole(kNoiseGridHigh)});
    case NoiseBadSquare:
        return TrArgs("A square's size must be a number from %1 to %2 degrees.",
                      {Real(kNoiseSquareLow), Real(kNoiseSquareHigh)});
    case NoiseBadFrame: return NoiseFrameMsMessage();
    case NoiseBadLit:
        return TrArgs("The squares lit in each frame must be a whole number from %1 to %2 (the squares of the grid).",
                      {Whole(kNoiseLitLow), Whole(NoiseSquares(s))});
    case NoiseBadContrast:
        return TrArgs("The noise's contrast must be a number from %1 to %2.",
                      {Real(kNoiseContrastLow), Real(kNoiseContrastHigh)});
    }
    return "";
}

std::string NoiseFrameMsMessage()
{
    return TrArgs("A frame must last a whole number from %1 to %2 milliseconds, in steps of 20.",
                  {Whole(kNoiseFrameTicksLow * 20), Whole(kNoiseFrameTicksHigh * 20)});
}

std::string NoiseSeedMessage() { return Tr("The seed must be a whole number from 0 to 4294967295."); }

const char* NoiseKindName(int32_t kind) { return kind == WhiteNoiseKind ? "white-noise" : "sparse-noise"; }
