#include "model/SpectrumModel.h"

#include "graph/Draw2D.h"
#include "model/Ratings.h"

#include <cmath>

namespace velmora {

void InitModel(TSpectrumModel& model)
{
    // The record's member defaults are the start-up state.
    model = TSpectrumModel{};
}

void InitNodeList(TNodeList& list)
{
    list = TNodeList{};
}

void SetupGraph(TSpectrumModel& model, Draw2DClass& surface, ResultView* view, bool zeroLevels)
{
    surface.SetSnap(0.1f, 0.1f);
    surface.SetGridStep(8.0f, 10.0f);
    surface.SetMargins(3.0f, 0.1f, 0.1f, 1.1f);
    surface.SetXRange(BandAbscissa(BandFrequency[0]), BandAbscissa(BandFrequency[kBandCount - 1]));
    surface.SetYRange(model.MinLevel, model.MaxLevel);
    surface.ViewCommand(ViewFit, false);

    TNodeList& nodes = model.Nodes;
    const int bands = BandCount(model.BandStart, model.BandStep);
    for (int k = 0; k < bands; ++k) {
        nodes.Node[k].X = BandAbscissa(BandFrequency[BandIndexOfSlot(model, k)]);
        if (zeroLevels)
            nodes.Node[k].Y = 0.0f;
    }
    nodes.Count = bands;
    nodes.Current = 0;

    Recalculate(model, view);
}

GraphExtents GetGraphExtents(const TSpectrumModel& model)
{
    return {model.MinLevel, model.MaxLevel, model.LevelIncrement};
}

void SetGraphExtents(TSpectrumModel& model, Draw2DClass& surface, ResultView* view, float minLevel,
                     float maxLevel, float increment)
{
    if (std::isfinite(minLevel))
        model.MinLevel = minLevel;
    if (std::isfinite(maxLevel))
        model.MaxLevel = maxLevel;

    // The level grid steps from MinLevel by the increment: a step that is not positive would never
    // reach the top, and a tiny one would draw lines without end.
    const double span = std::fabs(static_cast<double>(model.MaxLevel) - model.MinLevel);
    if (std::isfinite(increment) && increment > 0.0f && span / increment <= kMaxLevelLines)
        model.LevelIncrement = increment;

    SetupGraph(model, surface, view, false);
}

bool ValidNode(const TSpectrumModel& model, int i)
{
    return i >= 0 && i < model.Nodes.Count;
}

TNode GetNode(const TSpectrumModel& model, int i)
{
    return ValidNode(model, i) ? model.Nodes.Node[i] : TNode{};
}

void SetNodeLevel(TSpectrumModel& model, int i, float level)
{
    if (ValidNode(model, i))
        model.Nodes.Node[i].Y = level;
}

bool AppendNode(TSpectrumModel& model, float x, float y)
{
    TNodeList& nodes = model.Nodes;
    if (nodes.Count >= kBandSlots)
        return false;
    nodes.Node[nodes.Count] = {x, y};
    nodes.Current = nodes.Count;
    ++nodes.Count;
    return true;
}

} // namespace velmora
