#pragma once

namespace velmora {

struct TSpectrumModel;
struct TabularLevels;

/** What ImportLevels did to the model. */
enum class LevelsImport {
    /** Nothing: the model's band set is neither of the two (only a damaged model has one). */
    Refused,
    /** Edited levels set within the band set in use. */
    Levels,
    /** The band set was switched first, then the edited levels set; the nodes need rebuilding. */
    BandSet,
};

/**
 * The model half of pasting or importing levels read by ReadTabularLevels: sets edited levels,
 * nothing else (no recalculation, no drawing).
 *
 * - A plain list of 9 levels is the octave set and 27 the third-octave set; when the model shows
 *   the other set, it is switched to the list's one first (ConvertToFullOctave or
 *   ConvertToThirdOctave, which carry the other spectrum over), then every band takes its level.
 * - Levels given band by band are set in the set in use; bands not listed keep their level. When
 *   a listed band is a third-octave band outside the octave set while octaves are shown, the
 *   model is switched to third octaves first, so the unlisted bands take the converted levels.
 *
 * Levels are stored in single precision (ToStoredLevel; the reader has already refused any
 * beyond the range of a float). On BandSet the caller rebuilds the nodes (SetupNodes or
 * SetupGraph keeping the levels); on Levels a recalculation is enough.
 */
LevelsImport ImportLevels(TSpectrumModel& model, const TabularLevels& levels);

} // namespace velmora
