#include "edit/GraphSetup.h"

#include "graph/Draw2D.h"
#include "model/SpectrumModel.h"

namespace velmora {

void SetupGraph(TSpectrumModel& model, Draw2DClass& surface, ResultView* view, bool zeroLevels)
{
    surface.SetSnap(0.1f, 0.1f);
    surface.SetGridStep(8.0f, 10.0f);
    surface.SetMargins(3.0f, 0.1f, 0.1f, 1.1f);
    surface.SetXRange(BandAbscissa(BandFrequency[0]), BandAbscissa(BandFrequency[kBandCount - 1]));
    surface.SetYRange(model.MinLevel, model.MaxLevel);
    surface.ViewCommand(ViewFit, false);
    SetupSpectrum(model, view, zeroLevels);
}

void SetGraphExtents(TSpectrumModel& model, Draw2DClass& surface, ResultView* view, float minLevel,
                     float maxLevel, float increment)
{
    StoreGraphExtents(model, minLevel, maxLevel, increment);
    SetupGraph(model, surface, view, false);
}

} // namespace velmora
