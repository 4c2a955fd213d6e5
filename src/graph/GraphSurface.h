#pragma once

#include "graph/Draw2D.h"

namespace velmora {

struct TSpectrumModel;

/** The drawing surface of the one model: its Redraw clears the area and draws the whole graph. */
class GraphSurface : public Draw2DClass
{
public:
    explicit GraphSurface(const TSpectrumModel& model) : m_model(model) {}

    /** Clears to the button face, draws the graph for the model and repaints the control at once. */
    void Redraw() override;

private:
    const TSpectrumModel& m_model;
};

} // namespace velmora
