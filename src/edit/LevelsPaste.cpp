#include "edit/LevelsPaste.h"

#include "edit/GraphSetup.h"
#include "graph/Draw2D.h"
#include "io/LevelsImport.h"
#include "model/Ratings.h"

namespace velmora {

bool PasteLevels(TSpectrumModel& model, Draw2DClass& surface, ResultView* view, const TabularLevels& levels)
{
    switch (ImportLevels(model, levels)) {
    case LevelsImport::Refused:
        return false;
    case LevelsImport::BandSet:
        // New nodes and a new abscissa range: the view is fitted to them as a band-set command does.
        SetupGraph(model, surface, view, false);
        break;
    case LevelsImport::Levels:
        // The view and the current node stay, as after any level edit.
        Recalculate(model, view);
        break;
    }
    surface.Redraw();
    return true;
}

} // namespace velmora
