#include "edit/SpectrumCommands.h"

#include "edit/GraphSetup.h"
#include "graph/Draw2D.h"
#include "model/Ratings.h"
#include "model/SpectrumModel.h"
#include "model/SpectrumOperations.h"

namespace velmora {

void SwapSpectra(TSpectrumModel& model, Draw2DClass& surface, ResultView* view)
{
    SwapSpectrumLevels(model);
    Recalculate(model, view);
    surface.Redraw();
}

void ApplyResults(TSpectrumModel& model, Draw2DClass& surface, ResultView* view)
{
    ApplyCalculatedResults(model);
    // The levels changed, so the ratings and both lines follow them. The results stay as they
    // were applied (so that applying combined results twice swaps back); a weighting overlay
    // shows the new levels weighted.
    const auto results = model.Results;
    Recalculate(model, view);
    model.Results = results;
    StoreWeightedResults(model);
    surface.Redraw();
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

void ToFullOctave(TSpectrumModel& model, Draw2DClass& surface, ResultView* view)
{
    if (ConvertToFullOctave(model))
        SetupGraph(model, surface, view, false);
}

void ToThirdOctave(TSpectrumModel& model, Draw2DClass& surface, ResultView* view)
{
    if (ConvertToThirdOctave(model))
        SetupGraph(model, surface, view, false);
}

void ResetToZero(TSpectrumModel& model, Draw2DClass& surface, ResultView* view)
{
    SetupGraph(model, surface, view, true);
}

bool ChangeDataType(TSpectrumModel& model, Draw2DClass& surface, ResultView* view, int dataType)
{
    if (!SetDataType(model, dataType))
        return false;
    Recalculate(model, view);
    // Only the combined results depend on the data types; every other picture stays right.
    if (model.HighlightMode == HighlightResults)
        surface.Redraw();
    return true;
}

} // namespace velmora
