#pragma once

#include "edit/EditCommand.h"
#include "model/Bands.h"

#include <memory>

namespace velmora {

struct SpectrumData;
struct TSpectrumModel;
struct TabularLevels;

/**
 * The whole-spectrum edits, each made from the model as it stands when the user asks for it. A
 * maker returns null when the edit would do nothing, so that no empty step is ever recorded.
 */

/** Exchanges the edited and the other spectrum, levels and data types ("Swap Spectra"). */
std::unique_ptr<EditCommand> MakeSwapEdit();

/** Reads the edited levels as data type 0 to 3 ("Data Type"); null for the type in force or no type. */
std::unique_ptr<EditCommand> MakeDataTypeEdit(const TSpectrumModel& model, int dataType);

/**
 * Takes the results the overlay shows (modes 1 to 5) over as the edited levels ("Apply Calculated
 * Results"): the levels and Results are exchanged, a level data type becomes pressure levels, the
 * ratings follow the new levels, and Results keeps the levels exchanged out (so that applying
 * combined results twice swaps back) or, under a weighting overlay, the new levels weighted. Null
 * in any other mode.
 */
std::unique_ptr<EditCommand> MakeApplyResultsEdit(const TSpectrumModel& model);

/**
 * Converts both spectra to the band set asked for ("Full Octave Bands", "Third Octave Bands") and
 * rebuilds the nodes, node 0 current. Null when the model already shows that set or shows neither.
 */
std::unique_ptr<EditCommand> MakeBandSetEdit(const TSpectrumModel& model, BandSet target);

/** Every edited level to 0 dB, node 0 current ("Reset to Zero"). */
std::unique_ptr<EditCommand> MakeResetEdit(const TSpectrumModel& model);

/**
 * Levels read from a table (ImportLevels: a band-set switch included) as one edit named text
 * ("Paste Levels", "Import Levels"). Null when the model shows neither band set.
 */
std::unique_ptr<EditCommand> MakeLevelsEdit(const TSpectrumModel& model, const TabularLevels& levels,
                                            const std::string& text);

/**
 * The edited data set to after as one edit named text, for edits that work the new data out from
 * more than the model ("Average", "Make Edited"). Null when after holds what the model holds, bit
 * for bit.
 */
std::unique_ptr<EditCommand> MakeSpectrumDataEdit(const TSpectrumModel& model, const SpectrumData& after,
                                                  std::string text);

} // namespace velmora
