#pragma once

#include "edit/EditCommand.h"
#include "model/SpectrumAverage.h"

#include <cstddef>
#include <memory>
#include <string>

namespace velmora {

class ComparisonSet;
struct TSpectrumModel;

/** The mean of the comparison set's shown spectra, ready to become the edited spectrum. */
struct SetAverage {
    /**
     * Per band of the set's band set: the mean (MeanLevels), kept as a data file keeps levels
     * (FileLevel), so that the average saved, or written by velmora-calc average, reads back the same.
     */
    BandLevels levels{};
    /** MeanDataType of the shown spectra. */
    int dataType = 0;
    /** What was averaged, for the legend: "energetic mean of a.snd, b.snd, c.snd". */
    std::string note;
    /** How many spectra were averaged; 0 when none shows. */
    std::size_t count = 0;
};

/** The mean of the set's shown spectra, in the set's order. */
SetAverage AverageOfShown(const ComparisonSet& set, MeanKind kind);

/**
 * The average made the edited spectrum, levels and data type, as one edit ("Average"); the other
 * spectrum stays. Null when nothing was averaged, when the model's band set is not the set's the
 * average was taken in (bands), or when the edited spectrum already is the average.
 */
std::unique_ptr<EditCommand> MakeAverageEdit(const TSpectrumModel& model, const SetAverage& average,
                                             BandSet bands);

/**
 * Spectrum i of the set made the edited spectrum, levels and data type, as one edit ("Make
 * Edited"). Null for no such spectrum, a set in another band set than the model's, or no change.
 */
std::unique_ptr<EditCommand> MakeEditedFromSetEdit(const TSpectrumModel& model, const ComparisonSet& set,
                                                   std::size_t i);

} // namespace velmora
