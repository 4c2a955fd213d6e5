#include "edit/GraphSetup.h"

#include "graph/Draw2D.h"
#include "graph/SpectrumPlot.h"
#include "model/Ratings.h"
#include "model/SpectrumModel.h"
#include "model/SpectrumOperations.h"

namespace velmora {

void SetupGraph(TSpectrumModel& model, Draw2DClass& surface, bool zeroLevels)
{
    SetUpSpectrumView(model, surface);
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
