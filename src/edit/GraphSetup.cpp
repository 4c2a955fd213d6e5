#include "edit/GraphSetup.h"

#include "graph/Draw2D.h"
#include "model/Ratings.h"
#include "model/SpectrumModel.h"
#include "model/SpectrumOperations.h"

namespace velmora {

void SetupGraph(TSpectrumModel& model, Draw2DClass& surface, bool zeroLevels)
{
    surface.SetSnap(0.1f, 0.1f);
    surface.SetGridStep(8.0f, 10.0f);
    surface.SetMargins(3.0f, 0.1f, 0.1f, 1.1f);
    surface.SetXRange(BandAbscissa(BandFrequency[0]), BandAbscissa(BandFrequency[kBandCount - 1]));
    surface.SetYRange(model.MinLevel, model.MaxLevel);
    surface.ViewCommand(ViewFit, false);
    SetupSpectrum(model, zeroLevels);
}

void SetGraphExtents(TSpectrumModel& model, Draw2DClass& surface, float minLevel, float maxLevel,
                     float increment)
{
    StoreGraphExtents(model, minLevel, maxLevel, increment);
    SetupGraph(model, surface, false);
}

int ShowHighlight(TSpectrumModel& model, Draw2DClass& surface, int mode)
{
    if (mode == HighlightResults)
        CalcResults(model);
    const int shown = ToggleHighlight(model, mode);
    StoreWeightedResults(model);
    surface.Redraw();
    return shown;
}

} // namespace velmora
