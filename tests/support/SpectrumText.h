#pragma once

#include "io/DataFile.h"
#include "model/Ratings.h"
#include "model/SpectrumModel.h"

#include <string>

namespace velmora::test {

/** The data-file text of a fresh octave-band spectrum whose first band is at level dB. */
inline std::string SpectrumText(float level)
{
    TSpectrumModel model;
    InitModel(model);
    SetupSpectrum(model, true);
    model.Nodes.Node[0].Y = level;
    return DataFileText(model);
}

} // namespace velmora::test
