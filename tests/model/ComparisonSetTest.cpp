#include "model/ComparisonSet.h"

#include "model/ModelTestSupport.h"
#include "model/SpectrumModel.h"

#include <gtest/gtest.h>

#include <random>

namespace velmora {
namespace {

BandLevels Levels(int bands, float start, float step)
{
    BandLevels levels{};
    for (int k = 0; k < bands; ++k)
        levels[k] = start + step * static_cast<float>(k);
    return levels;
}

TEST(ComparisonSet, SpectraTakeUniqueNamesAndTheFirstFreeStyle)
{
    ComparisonSet set;
    const BandLevels levels = Levels(9, 50.0f, 1.0f);
    EXPECT_EQ(set.Add("/m/a.snd", levels, BandSet::Octave, PressureLevels), 0);
    EXPECT_EQ(set.Add("/n/a.snd", levels, BandSet::Octave, 9), 1);
    EXPECT_EQ(set.Add("b.snd", levels, BandSet::Octave, AttenuationLevels), 2);
    EXPECT_EQ(set[0].name, "a.snd");
    EXPECT_EQ(set[1].name, "a.snd (2)");
    EXPECT_EQ(set[1].dataType, PressureLevels) << "no data type counts as pressure levels";
    EXPECT_EQ(set[2].name, "b.snd");

    // A removed spectrum's style goes to the next one added; the others keep theirs.
    ASSERT_TRUE(set.Remove(1));
    EXPECT_FALSE(set.Remove(5));
    EXPECT_EQ(set.Add("c.snd", levels, BandSet::Octave, PressureLevels), 2);
    EXPECT_EQ(set[0].style, 0);
    EXPECT_EQ(set[1].style, 2);
    EXPECT_EQ(set[2].style, 1);
    EXPECT_EQ(set.Add("d.snd", levels, BandSet::Unknown, PressureLevels), -1);

    // Every change counts up the revision that tells a drawing of the set it is out of date.
    const std::uint64_t revision = set.Revision();
    EXPECT_TRUE(set.SetShown(1, false));
    EXPECT_FALSE(set.SetShown(1, false));
    EXPECT_EQ(set.Revision(), revision + 1);
    EXPECT_EQ(set.ShownLevels(), (std::vector<const BandLevels*>{&set[0].levels, &set[2].levels}));
    EXPECT_EQ(set.ShownDataTypes(), (std::vector<int>{PressureLevels, PressureLevels}));
    set.FollowBands(BandSet::Octave);
    set.FollowBands(BandSet::Unknown);
    EXPECT_EQ(set.Revision(), revision + 1) << "following the set in force, or none, changes nothing";

    while (set.Size() < ComparisonSet::kMaxSpectra)
        set.Add("x.snd", levels, BandSet::Octave, PressureLevels);
    EXPECT_EQ(set.Add("y.snd", levels, BandSet::Octave, PressureLevels), -1);
    EXPECT_EQ(set.Size(), ComparisonSet::kMaxSpectra);
    EXPECT_EQ(set[ComparisonSet::kMaxSpectra - 1].name, "x.snd (97)");
}

TEST(ComparisonSet, FollowingTheBandSetConvertsFromTheFilesOwnLevelsAndRatesThem)
{
    std::minstd_rand random(7);
    std::uniform_real_distribution<float> level(20.0f, 90.0f);
    for (int trial = 0; trial < 20; ++trial) {
        ComparisonSet set;
        BandLevels octaves{};
        BandLevels thirds{};
        for (int k = 0; k < 27; ++k) {
            thirds[k] = level(random);
            if (k < 9)
                octaves[k] = level(random);
        }
        set.Add("octaves.snd", octaves, BandSet::Octave, PressureLevels);
        set.Add("thirds.snd", thirds, BandSet::Third, AttenuationLevels);
        EXPECT_FALSE(set[0].Converted(set.Bands()));
        EXPECT_TRUE(set[1].Converted(set.Bands()));

        // There and back many times: each time from the file's levels, so nothing drifts.
        for (int round = 0; round < 3; ++round) {
            set.FollowBands(BandSet::Third);
            EXPECT_EQ(set[0].levels, ConvertBandLevels(octaves, BandSet::Octave, BandSet::Third));
            EXPECT_EQ(set[1].levels, thirds);
            set.FollowBands(BandSet::Octave);
            EXPECT_EQ(set[0].levels, octaves);
            EXPECT_EQ(set[1].levels, ConvertBandLevels(thirds, BandSet::Third, BandSet::Octave));
        }
        for (const ComparedSpectrum& spectrum : set.Spectra()) {
            const SpectrumRatings rated = RateSpectrum(std::span(spectrum.levels.data(), 9), 1, 3);
            EXPECT_EQ(spectrum.ratings.weighted, rated.weighted);
            EXPECT_EQ(spectrum.ratings.bandCount, 9);
        }
    }
}

TEST(ComparisonSet, TheEditedNoteHoldsWhileTheEditedSpectrumIsWhatItWasMadeFor)
{
    ComparisonSet set;
    TSpectrumModel model = test::Spectrum(BandSet::Octave, 55.0f);
    BandLevels levels{};
    for (int k = 0; k < 9; ++k)
        levels[k] = 55.0f;
    EXPECT_EQ(set.EditedNote(model), "");
    set.SetEditedNote("energetic mean of a.snd", levels, PressureLevels);
    EXPECT_EQ(set.EditedNote(model), "energetic mean of a.snd");

    TSpectrumModel other = model;
    other.Nodes.Node[4].Y = 55.1f;
    EXPECT_EQ(set.EditedNote(other), "") << "a level changed";
    other = model;
    other.Nodes.DataType = AttenuationLevels;
    EXPECT_EQ(set.EditedNote(other), "") << "the data type changed";
    EXPECT_EQ(set.EditedNote(test::Spectrum(BandSet::Third, 55.0f)), "") << "the band set changed";
    // A slot beyond the bands is no part of the spectrum.
    other = model;
    other.Nodes.Node[20].Y = 99.0f;
    EXPECT_EQ(set.EditedNote(other), "energetic mean of a.snd");
}

} // namespace
} // namespace velmora
