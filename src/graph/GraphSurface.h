#pragma once

#include "graph/ComparisonPlot.h"
#include "graph/Draw2D.h"

namespace velmora {

class ComparisonSet;
struct TSpectrumModel;

/**
 * The drawing surface of the one model: its Redraw clears the area and draws the whole graph, with
 * the comparison set it was given kept in a layer of the canvas (ComparisonLayer).
 */
class GraphSurface : public Draw2DClass
{
public:
    explicit GraphSurface(const TSpectrumModel& model) : m_model(model) {}

    /** Clears to the button face, draws the graph for the model and repaints the control at once. */
    void Redraw() override;

    /** The set drawn with the graph from now on; null for none. The set must outlive the surface. */
    void SetComparison(const ComparisonSet* set) { m_set = set; }
    const ComparisonSet* Comparison() const { return m_set; }
    const ComparisonLayer& Layer() const { return m_layer; }

private:
    const TSpectrumModel& m_model;
    const ComparisonSet* m_set = nullptr;
    ComparisonLayer m_layer;
};

} // namespace velmora
