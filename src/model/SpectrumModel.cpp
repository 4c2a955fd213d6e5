#include "model/SpectrumModel.h"

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

void SetupNodes(TSpectrumModel& model, bool zeroLevels)
{
    TNodeList& nodes = model.Nodes;
    const int bands = BandCountOf(model);
    for (int k = 0; k < bands; ++k) {
        nodes.Node[k].X = BandAbscissa(BandFrequency[BandIndexOfSlot(model, k)]);
        if (zeroLevels)
            nodes.Node[k].Y = 0.0f;
    }
    nodes.Count = bands;
    nodes.Current = 0;
}

GraphExtents GetGraphExtents(const TSpectrumModel& model)
{
    return {model.MinLevel, model.MaxLevel, model.LevelIncrement};
}

void StoreGraphExtents(TSpectrumModel& model, float minLevel, float maxLevel, float increment)
{
    if (std::isfinite(minLevel))
        model.MinLevel = minLevel;
    if (std::isfinite(maxLevel))
        model.MaxLevel = maxLevel;

    // An increment the data file would write as 0.00 could not be read back.
    if (std::isfinite(increment) && increment >= kMinLevelIncrement)
        model.LevelIncrement = increment;
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

bool IsConsistent(const TSpectrumModel& model)
{
    const TNodeList& nodes = model.Nodes;
    if (BandSetOf(model) == BandSet::Unknown || nodes.Count != BandCountOf(model))
        return false;
    for (int k = 0; k < nodes.Count; ++k) {
        if (nodes.Node[k].X != BandAbscissa(BandFrequency[BandIndexOfSlot(model, k)]))
            return false;
    }
    return (nodes.Current == -1 || ValidNode(model, nodes.Current)) && IsDataType(nodes.DataType) &&
           IsDataType(model.OtherDataType) && model.HighlightMode >= HighlightNone &&
           model.HighlightMode <= HighlightNR && model.ShownCurve >= RatingCurve::None &&
           model.ShownCurve <= RatingCurve::Rw;
}

std::array<float, kBandSlots> EditedLevels(const TSpectrumModel& model)
{
    std::array<float, kBandSlots> levels{};
    for (int k = 0; k < kBandSlots; ++k)
        levels[k] = model.Nodes.Node[k].Y;
    return levels;
}

} // namespace velmora
