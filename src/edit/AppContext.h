#pragma once

#include "entry/ExpressionParser.h"
#include "graph/GraphSurface.h"
#include "io/Settings.h"
#include "model/ComparisonSet.h"
#include "model/SpectrumModel.h"

#include <memory>

namespace velmora {

/**
 * The program-wide objects, each exactly once: the spectrum model, the spectra compared with it,
 * the drawing surface, the expression evaluator and the settings store. Windows reach them through
 * the one context they are given.
 */
struct AppContext {
    /** Takes the model's start-up defaults; the surface starts unattached and unfitted. */
    explicit AppContext(std::unique_ptr<SettingsStore> settings);

    TSpectrumModel Model;
    /** Not part of the edited data: no undo step and no data file holds it. */
    ComparisonSet Comparison;
    GraphSurface Surface{Model};
    ExpressionParser Parser;
    std::unique_ptr<SettingsStore> Settings;
};

} // namespace velmora
