#include "model/SpectrumOperations.h"

#include "model/Interpolate.h"
#include "model/SpectrumModel.h"
#include "model/StoredLevel.h"

#include <array>
#include <utility>

namespace velmora {

namespace {

constexpr int kOctaves = 9;

float BandAbscissaOf(int band)
{
    return BandAbscissa(BandFrequency[band]);
}

/** Level of a third-octave band on the line through two octave centre bands and their levels. */
float OnOctaveLine(int band, int lowCentre, int highCentre, float low, float high)
{
    return ToStoredLevel(
        Interpolate(BandAbscissaOf(band), BandAbscissaOf(lowCentre), BandAbscissaOf(highCentre), low, high));
}

/**
 * Rewrites nine octave levels, slots 0 to 8 of levelAt, as the 27 third-octave levels: each
 * octave centre keeps its level and the bands between two centres lie on the straight line
 * through them against log frequency; 50 Hz and 20 kHz extend the first and last lines.
 */
template <typename LevelAt> void SpreadOctavesToThirds(LevelAt levelAt)
{
    std::array<float, kOctaves> octave{};
    for (int m = 0; m < kOctaves; ++m)
        octave[m] = levelAt(m);

    for (int m = 0; m + 1 < kOctaves; ++m) {
        const int i = kOctaveBandStart + kOctaveBandStep * m;
        const int next = i + kOctaveBandStep;
        levelAt(i) = octave[m];
        levelAt(next) = octave[m + 1];
        for (int band = i + 1; band < next; ++band)
            levelAt(band) = OnOctaveLine(band, i, next, octave[m], octave[m + 1]);
    }

    const int firstCentre = kOctaveBandStart;
    const int lastCentre = kOctaveBandStart + kOctaveBandStep * (kOctaves - 1);
    levelAt(0) = OnOctaveLine(0, firstCentre, firstCentre + kOctaveBandStep, octave[0], octave[1]);
    levelAt(kBandCount - 1) = OnOctaveLine(kBandCount - 1, lastCentre - kOctaveBandStep, lastCentre,
                                           octave[kOctaves - 2], octave[kOctaves - 1]);
}

} // namespace

void SwapSpectrumLevels(TSpectrumModel& model)
{
    const int bands = BandCountOf(model);
    for (int k = 0; k < bands; ++k) {
        TNode& node = model.Nodes.Node[k];
        node.X = BandAbscissaOf(BandIndexOfSlot(model, k));
        std::swap(node.Y, model.OtherLevels[k]);
    }
    std::swap(model.Nodes.DataType, model.OtherDataType);
}

void ApplyCalculatedResults(TSpectrumModel& model)
{
    const int bands = BandCountOf(model);
    for (int k = 0; k < bands; ++k)
        std::swap(model.Nodes.Node[k].Y, model.Results[k]);
    // Combined or weighted levels are pressure levels; attenuations and corrections stay what they are.
    if (model.Nodes.DataType == PressureLevels || model.Nodes.DataType == PowerLevels)
        model.Nodes.DataType = PressureLevels;
}

int ToggleHighlight(TSpectrumModel& model, int mode)
{
    model.HighlightMode = model.HighlightMode == mode ? HighlightNone : mode;
    return model.HighlightMode;
}

bool ConvertToFullOctave(TSpectrumModel& model)
{
    if (BandSetOf(model) != BandSet::Third)
        return false;
    // Slot m is written only after slot 3m + 1 >= m has been read, so the copy can run in place.
    for (int m = 0; m < kOctaves; ++m) {
        const int centre = kOctaveBandStart + kOctaveBandStep * m;
        model.Nodes.Node[m].Y = model.Nodes.Node[centre].Y;
        model.OtherLevels[m] = model.OtherLevels[centre];
    }
    model.BandStep = kOctaveBandStep;
    model.BandStart = kOctaveBandStart;
    return true;
}

bool ConvertToThirdOctave(TSpectrumModel& model)
{
    if (BandSetOf(model) != BandSet::Octave)
        return false;
    SpreadOctavesToThirds([&model](int k) -> float& { return model.OtherLevels[k]; });
    SpreadOctavesToThirds([&model](int k) -> float& { return model.Nodes.Node[k].Y; });
    model.BandStep = kThirdBandStep;
    model.BandStart = kThirdBandStart;
    return true;
}

bool SetDataType(TSpectrumModel& model, int dataType)
{
    if (!IsDataType(dataType) || dataType == model.Nodes.DataType)
        return false;
    model.Nodes.DataType = dataType;
    return true;
}

} // namespace velmora
