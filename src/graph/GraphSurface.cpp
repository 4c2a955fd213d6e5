#include "graph/GraphSurface.h"

#include "graph/SpectrumPlot.h"

namespace velmora {

void GraphSurface::Redraw()
{
    Clear(kButtonFace);
    DrawGraph(m_model, *this, m_set, &m_layer);
    if (Control)
        Control->RepaintNow();
}

} // namespace velmora
