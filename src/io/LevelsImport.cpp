#include "io/LevelsImport.h"

#include "io/TabularLevels.h"
#include "model/Bands.h"
#include "model/SpectrumModel.h"
#include "model/SpectrumOperations.h"
#include "model/StoredLevel.h"

#include <algorithm>

namespace velmora {

namespace {

bool IsOctaveBand(int band)
{
    return band >= kOctaveBandStart && (band - kOctaveBandStart) % kOctaveBandStep == 0;
}

/** Switches the model to the set asked for; false when it already shows it. */
bool SwitchTo(TSpectrumModel& model, BandSet wanted)
{
    if (BandSetOf(model) == wanted)
        return false;
    return wanted == BandSet::Third ? ConvertToThirdOctave(model) : ConvertToFullOctave(model);
}

} // namespace

LevelsImport ImportLevels(TSpectrumModel& model, const TabularLevels& levels)
{
    const BandSet shown = BandSetOf(model);
    if (shown == BandSet::Unknown)
        return LevelsImport::Refused;

    if (!levels.labelled) {
        const int count = static_cast<int>(levels.levels.size());
        const BandSet wanted = count == BandCount(kThirdBandStart, kThirdBandStep)     ? BandSet::Third
                               : count == BandCount(kOctaveBandStart, kOctaveBandStep) ? BandSet::Octave
                                                                                       : BandSet::Unknown;
        if (wanted == BandSet::Unknown)
            return LevelsImport::Refused;
        const bool switched = SwitchTo(model, wanted);
        for (int k = 0; k < count; ++k)
            model.Nodes.Node[k].Y = ToStoredLevel(levels.levels[k]);
        return switched ? LevelsImport::BandSet : LevelsImport::Levels;
    }

    const auto valid = [](const BandLevel& row) { return row.band >= 0 && row.band < kBandCount; };
    if (levels.rows.empty() || !std::all_of(levels.rows.begin(), levels.rows.end(), valid))
        return LevelsImport::Refused;
    const bool needsThirds = std::any_of(levels.rows.begin(), levels.rows.end(),
                                         [](const BandLevel& row) { return !IsOctaveBand(row.band); });
    const bool switched = needsThirds && SwitchTo(model, BandSet::Third);
    for (const BandLevel& row : levels.rows) {
        const int slot = (row.band - model.BandStart) / model.BandStep;
        model.Nodes.Node[slot].Y = ToStoredLevel(row.level);
    }
    return switched ? LevelsImport::BandSet : LevelsImport::Levels;
}

} // namespace velmora
