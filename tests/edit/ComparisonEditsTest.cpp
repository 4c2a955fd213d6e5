#include "edit/ComparisonEdits.h"

#include "edit/SpectrumEdits.h"
#include "io/DataFile.h"
#include "model/ComparisonSet.h"
#include "model/ModelTestSupport.h"
#include "model/Ratings.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>

namespace velmora {
namespace {

using test::SameData;

BandSet RandomBands(std::mt19937& random)
{
    return random() % 2 ? BandSet::Third : BandSet::Octave;
}

/** A set of one to six spectra of either band set, some hidden, following the model's band set. */
ComparisonSet RandomSet(std::mt19937& random, const TSpectrumModel& model)
{
    std::uniform_real_distribution<float> level(-20.0f, 130.0f);
    ComparisonSet set;
    const int count = 1 + static_cast<int>(random() % 6);
    for (int i = 0; i < count; ++i) {
        BandLevels levels{};
        for (float& value : levels)
            value = level(random);
        if (random() % 10 == 0)
            levels[random() % 9] = std::nanf("");
        set.Add("p" + std::to_string(i) + ".snd", levels, RandomBands(random),
                static_cast<int>(random() % 2));
        set.SetShown(static_cast<std::size_t>(i), random() % 4 != 0);
    }
    set.FollowBands(BandSetOf(model));
    return set;
}

bool SameLevelBits(float a, float b)
{
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

TEST(ComparisonEdits, AverageAndMakeEditedRevertBitForBitAndRedoAsTheyDid)
{
    std::mt19937 random(29);
    int applied = 0;
    for (int run = 0; run < 300; ++run) {
        TSpectrumModel model = test::RandomModel(random, false);
        const ComparisonSet set = RandomSet(random, model);
        const MeanKind kind = run % 2 ? MeanKind::Energetic : MeanKind::Arithmetic;
        const SetAverage average = AverageOfShown(set, kind);
        std::unique_ptr<EditCommand> edits[] = {MakeAverageEdit(model, average, set.Bands()),
                                                MakeEditedFromSetEdit(model, set, random() % set.Size())};
        for (std::unique_ptr<EditCommand>& edit : edits) {
            if (!edit) {
                EXPECT_EQ(average.count, 0u);
                continue;
            }
            ++applied;
            const TSpectrumModel before = model;
            edit->Apply(model);
            const TSpectrumModel after = model;
            EXPECT_TRUE(IsConsistent(model));
            EXPECT_EQ(model.Nodes.Current, before.Nodes.Current);
            for (int k = 0; k < kBandSlots; ++k)
                EXPECT_TRUE(SameLevelBits(model.OtherLevels[k], before.OtherLevels[k]));
            edit->Revert(model);
            EXPECT_TRUE(SameData(model, before)) << edit->Text() << " run " << run;
            EXPECT_EQ(model.Results, before.Results);
            edit->Apply(model);
            EXPECT_TRUE(SameData(model, after)) << edit->Text() << " run " << run;
            edit->Revert(model);
        }
    }
    EXPECT_GT(applied, 400);
}

TEST(ComparisonEdits, TheAverageIsTheMeanAsADataFileKeepsItAndWhatVelmoraCalcWrites)
{
    std::mt19937 random(31);
    for (int run = 0; run < 100; ++run) {
        TSpectrumModel model = test::RandomModel(random, false);
        ComparisonSet set = RandomSet(random, model);
        set.SetShown(0, true);
        const MeanKind kind = run % 2 ? MeanKind::Energetic : MeanKind::Arithmetic;
        const SetAverage average = AverageOfShown(set, kind);
        const int bands = BandCountOf(model);
        const BandLevels mean = MeanLevels(set.ShownLevels(), bands, kind);
        EXPECT_EQ(average.count, set.ShownCount());
        EXPECT_EQ(average.dataType, MeanDataType(set.ShownDataTypes()));
        EXPECT_EQ(average.note.rfind(
                      kind == MeanKind::Energetic ? "energetic mean of p" : "arithmetic mean of p", 0),
                  0u);

        // velmora-calc average writes the mean into a data file, which is read back as this.
        TSpectrumModel written = model;
        for (int k = 0; k < bands; ++k)
            written.Nodes.Node[k].Y = mean[k];
        TSpectrumModel read;
        InitModel(read);
        LoadDataText(read, DataFileText(written));
        MakeAverageEdit(model, average, set.Bands())->Apply(model);
        for (int k = 0; k < bands; ++k) {
            EXPECT_TRUE(SameLevelBits(average.levels[k], FileLevel(mean[k])));
            if (std::isfinite(mean[k])) {
                EXPECT_TRUE(SameLevelBits(model.Nodes.Node[k].Y, read.Nodes.Node[k].Y)) << k;
            }
        }
        EXPECT_EQ(model.Nodes.DataType, average.dataType);
        EXPECT_EQ(MakeAverageEdit(model, average, set.Bands()), nullptr) << "already the average";
    }
}

TEST(ComparisonEdits, TheSetConvertsAFileOfTheOtherBandSetAsTheBandCommandsDo)
{
    std::mt19937 random(37);
    for (int run = 0; run < 50; ++run) {
        for (BandSet from : {BandSet::Octave, BandSet::Third}) {
            const BandSet to = from == BandSet::Octave ? BandSet::Third : BandSet::Octave;
            TSpectrumModel file = test::RandomModel(random, false);
            if (BandSetOf(file) != from)
                MakeBandSetEdit(file, from)->Apply(file);
            ComparisonSet set;
            set.FollowBands(to);
            set.Add("file.snd", EditedLevels(file), from, file.Nodes.DataType);
            MakeBandSetEdit(file, to)->Apply(file);
            for (int k = 0; k < BandCountOf(to); ++k)
                EXPECT_TRUE(SameLevelBits(set[0].levels[k], file.Nodes.Node[k].Y)) << k;
        }
    }
}

TEST(ComparisonEdits, NothingToAverageOrMakeEditedMakesNoEdit)
{
    TSpectrumModel model = test::Spectrum(BandSet::Octave, 50.0f);
    ComparisonSet set;
    EXPECT_EQ(MakeAverageEdit(model, AverageOfShown(set, MeanKind::Energetic), set.Bands()), nullptr);
    BandLevels fifty{};
    for (int k = 0; k < 9; ++k)
        fifty[k] = 50.0f;
    set.Add("same.snd", fifty, BandSet::Octave, PressureLevels);
    EXPECT_EQ(MakeEditedFromSetEdit(model, set, 0), nullptr) << "the edited spectrum is that already";
    EXPECT_EQ(MakeEditedFromSetEdit(model, set, 1), nullptr);
    // A set not yet following the edited spectrum's band set would put its levels on other bands.
    fifty[3] = 60.0f;
    set.Add("other.snd", fifty, BandSet::Octave, AttenuationLevels);
    EXPECT_EQ(MakeEditedFromSetEdit(test::Spectrum(BandSet::Third, 50.0f), set, 1), nullptr);
    EXPECT_EQ(AverageOfShown(set, MeanKind::Arithmetic).note, "arithmetic mean of same.snd, other.snd");
}

} // namespace
} // namespace velmora
