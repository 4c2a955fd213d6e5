#include "edit/ComparisonEdits.h"

#include "edit/SpectrumEdits.h"
#include "io/DataFile.h"
#include "model/ComparisonSet.h"
#include "model/SpectrumModel.h"

namespace velmora {

namespace {

/** Levels and data type as the edited spectrum's, in the model's own band set; null for no change. */
std::unique_ptr<EditCommand> MakeEditedLevelsEdit(const TSpectrumModel& model, BandSet bands,
                                                  const BandLevels& levels, int dataType, std::string text)
{
    if (bands == BandSet::Unknown || BandSetOf(model) != bands)
        return nullptr;
    SpectrumData after = model;
    // The nodes stand on the bands of the set, whatever a damaged file left in them.
    const int count = BandCountOf(bands);
    for (int k = 0; k < count; ++k)
        after.Nodes.Node[k] = {BandAbscissa(BandFrequency[BandIndexOfSlot(model, k)]), levels[k]};
    after.Nodes.Count = count;
    after.Nodes.DataType = dataType;
    return MakeSpectrumDataEdit(model, after, std::move(text));
}

} // namespace

SetAverage AverageOfShown(const ComparisonSet& set, MeanKind kind)
{
    SetAverage average;
    const std::vector<const BandLevels*> shown = set.ShownLevels();
    average.count = shown.size();
    if (shown.empty())
        return average;
    const int count = BandCountOf(set.Bands());
    average.levels = MeanLevels(shown, count, kind);
    for (int k = 0; k < count; ++k)
        average.levels[k] = FileLevel(average.levels[k]);
    average.dataType = MeanDataType(set.ShownDataTypes());
    average.note = kind == MeanKind::Energetic ? "energetic mean of " : "arithmetic mean of ";
    std::string separator;
    for (const ComparedSpectrum& spectrum : set.Spectra()) {
        if (!spectrum.shown)
            continue;
        average.note += separator + spectrum.name;
        separator = ", ";
    }
    return average;
}

std::unique_ptr<EditCommand> MakeAverageEdit(const TSpectrumModel& model, const SetAverage& average,
                                             BandSet bands)
{
    if (average.count == 0)
        return nullptr;
    return MakeEditedLevelsEdit(model, bands, average.levels, average.dataType, "Average");
}

std::unique_ptr<EditCommand> MakeEditedFromSetEdit(const TSpectrumModel& model, const ComparisonSet& set,
                                                   std::size_t i)
{
    if (i >= set.Size())
        return nullptr;
    return MakeEditedLevelsEdit(model, set.Bands(), set[i].levels, set[i].dataType, "Make Edited");
}

} // namespace velmora
