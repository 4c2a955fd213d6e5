#include "model/Ratings.h"

#include "model/SpectrumCombination.h"
#include "model/SpectrumModel.h"
#include "model/StoredLevel.h"
#include "model/Weighting.h"

namespace velmora {

const std::array<float, 9> SafeExposureLevel = {103.0f, 96.0f, 91.0f, 87.0f, 85.0f,
                                                83.0f,  83.0f, 81.0f, 79.0f};

void Recalculate(TSpectrumModel& model)
{
    model.Ratings = RateSpectrum(EditedLevels(model), model.BandStart, model.BandStep);
    for (int w = WeightA; w <= WeightD; ++w)
        model.WeightedLevel[w] = ToStoredLevel(model.Ratings.weighted[w]);
    model.STC = ToStoredLevel(model.Ratings.transmission.STC);
    model.NR = ToStoredLevel(model.Ratings.noise.NR);
    StoreResults(model);
}

void CalcResults(TSpectrumModel& model)
{
    const int bands = BandCountOf(model);
    for (int k = 0; k < bands; ++k) {
        const double combined = CombinedLevel(model.Nodes.DataType, model.OtherDataType,
                                              model.Nodes.Node[k].Y, model.OtherLevels[k]);
        model.Results[k] = ToStoredLevel(combined);
    }
}

void StoreResults(TSpectrumModel& model)
{
    // Modes 6 to 8 draw fixed curves; Results keeps what the last level-dependent overlay left.
    if (model.HighlightMode > HighlightResults)
        return;
    CalcResults(model);
    StoreWeightedResults(model);
}

void StoreWeightedResults(TSpectrumModel& model)
{
    const int mode = model.HighlightMode;
    if (mode < HighlightA || mode > HighlightD)
        return;
    const int bands = BandCountOf(model);
    for (int k = 0; k < bands; ++k) {
        const double weighted = WeightedBandLevel(model.Nodes.Node[k].Y, BandIndexOfSlot(model, k), mode - 1);
        model.Results[k] = ToStoredLevel(weighted);
    }
}

void SetupSpectrum(TSpectrumModel& model, bool zeroLevels)
{
    SetupNodes(model, zeroLevels);
    Recalculate(model);
}

} // namespace velmora
