#include "model/SpectrumOperations.h"

#include "graph/Draw2D.h"
#include "model/Interpolate.h"
#include "model/Ratings.h"
#include "model/SpectrumModel.h"
#include "model/StoredLevel.h"

#include <array>
#include <utility>

namespace velmora {

namespace {

constexpr int kOctaves = 9;

bool IsThirdOctaveSet(const TSpectrumModel& model)
{
    return model.BandStart == kThirdBandStart && model.BandStep == kThirdBandStep;
}

bool IsFullOctaveSet(const TSpectrumModel& model)
{
    return model.BandStart == kOctaveBandStart && model.BandStep == kOctaveBandStep;
}

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

void SwapSpectra(TSpectrumModel& model, Draw2DClass& surface, ResultView* view)
{
    const int bands = BandCount(model.BandStart, model.BandStep);
    for (int k = 0; k < bands; ++k) {
        TNode& node = model.Nodes.Node[k];
        node.X = BandAbscissaOf(BandIndexOfSlot(model, k));
        std::swap(node.Y, model.OtherLevels[k]);
    }
    std::swap(model.Nodes.DataType, model.OtherDataType);
    Recalculate(model, view);
    surface.Redraw();
}

void ApplyCalculatedResults(TSpectrumModel& model)
{
    const int bands = BandCount(model.BandStart, model.BandStep);
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

void ToFullOctave(TSpectrumModel& model, Draw2DClass& surface, ResultView* view)
{
    if (!IsThirdOctaveSet(model))
        return;
    // Slot m is written only after slot 3m + 1 >= m has been read, so the copy can run in place.
    for (int m = 0; m < kOctaves; ++m) {
        const int centre = kOctaveBandStart + kOctaveBandStep * m;
        model.Nodes.Node[m].Y = model.Nodes.Node[centre].Y;
        model.OtherLevels[m] = model.OtherLevels[centre];
    }
    model.BandStep = kOctaveBandStep;
    model.BandStart = kOctaveBandStart;
    SetupGraph(model, surface, view, false);
}

void ToThirdOctave(TSpectrumModel& model, Draw2DClass& surface, ResultView* view)
{
    if (!IsFullOctaveSet(model))
        return;
    SpreadOctavesToThirds([&model](int k) -> float& { return model.OtherLevels[k]; });
    SpreadOctavesToThirds([&model](int k) -> float& { return model.Nodes.Node[k].Y; });
    model.BandStep = kThirdBandStep;
    model.BandStart = kThirdBandStart;
    SetupGraph(model, surface, view, false);
}

void ResetToZero(TSpectrumModel& model, Draw2DClass& surface, ResultView* view)
{
    SetupGraph(model, surface, view, true);
}

bool ChangeDataType(TSpectrumModel& model, Draw2DClass& surface, ResultView* view, int dataType)
{
    if (dataType < PressureLevels || dataType > CorrectionFactors || dataType == model.Nodes.DataType)
        return false;
    model.Nodes.DataType = dataType;
    Recalculate(model, view);
    // Only the combined results depend on the data types; every other picture stays right.
    if (model.HighlightMode == HighlightResults)
        surface.Redraw();
    return true;
}

} // namespace velmora
