#include "io/LevelsImport.h"

#include "io/TabularLevels.h"
#include "model/ModelTestSupport.h"
#include "model/SpectrumOperations.h"
#include "model/StoredLevel.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

using namespace velmora;

namespace {

/** Every band and every other level different, so a level put in the wrong slot shows. */
TSpectrumModel Distinct(BandSet set)
{
    TSpectrumModel model = test::Spectrum(set, 0.0f);
    for (int k = 0; k < model.Nodes.Count; ++k) {
        model.Nodes.Node[k].Y = 20.0f + 1.5f * static_cast<float>(k);
        model.OtherLevels[k] = 10.0f - 0.75f * static_cast<float>(k);
    }
    return model;
}

std::string Column(int count, double first, const char* separator = "\r\n")
{
    std::string text;
    for (int k = 0; k < count; ++k)
        text += std::to_string(first + k) + separator;
    return text;
}

} // namespace

TEST(LevelsImport, SetsTheListedBandsAndSwitchesTheBandSetWhereTheLevelsNeedIt)
{
    struct Case {
        const char* name;
        BandSet start;
        std::string text;
        LevelsImport result;
        BandSet end;
        std::map<int, float> expected; // Hz -> level; every other band as the reference has it
    };
    std::map<int, float> octaveRamp, thirdRamp;
    for (int k = 0; k < 9; ++k)
        octaveRamp[static_cast<int>(BandFrequency[kOctaveBandStart + kOctaveBandStep * k])] = 60.0f + k;
    for (int k = 0; k < 27; ++k)
        thirdRamp[static_cast<int>(BandFrequency[k])] = 40.0f + k;
    const Case cases[] = {
        {"9 in octaves", BandSet::Octave, Column(9, 60), LevelsImport::Levels, BandSet::Octave, octaveRamp},
        {"27 in thirds", BandSet::Third, Column(27, 40, "\t"), LevelsImport::Levels, BandSet::Third,
         thirdRamp},
        {"27 in octaves", BandSet::Octave, Column(27, 40, ";"), LevelsImport::BandSet, BandSet::Third,
         thirdRamp},
        {"9 in thirds", BandSet::Third, Column(9, 60, " "), LevelsImport::BandSet, BandSet::Octave,
         octaveRamp},
        {"octave rows in octaves",
         BandSet::Octave,
         "Hz;dB\r\n1000;60\r\n63;45,5\r\n",
         LevelsImport::Levels,
         BandSet::Octave,
         {{1000, 60.0f}, {63, 45.5f}}},
        {"octave rows in thirds",
         BandSet::Third,
         "63 40\n16k 30\n",
         LevelsImport::Levels,
         BandSet::Third,
         {{63, 40.0f}, {16000, 30.0f}}},
        {"a third-octave row in octaves",
         BandSet::Octave,
         "1 kHz\t61\n1k25\t50\n",
         LevelsImport::BandSet,
         BandSet::Third,
         {{1000, 61.0f}, {1250, 50.0f}}},
        {"the end bands",
         BandSet::Octave,
         "20000,12.25\n50,80\n",
         LevelsImport::BandSet,
         BandSet::Third,
         {{20000, 12.25f}, {50, 80.0f}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TabularLevels levels;
        TabularError error;
        ASSERT_TRUE(ReadTabularLevels(c.text, levels, error)) << error.message;

        TSpectrumModel model = Distinct(c.start);
        // The reference: the band-set command's conversion, then the levels listed.
        TSpectrumModel reference = model;
        if (c.end != c.start) {
            c.end == BandSet::Third ? ConvertToThirdOctave(reference) : ConvertToFullOctave(reference);
            reference.Nodes.Count = BandCountOf(reference);
        }
        for (int k = 0; k < reference.Nodes.Count; ++k) {
            const auto listed =
                c.expected.find(static_cast<int>(BandFrequency[BandIndexOfSlot(reference, k)]));
            if (listed != c.expected.end())
                reference.Nodes.Node[k].Y = listed->second;
        }

        EXPECT_EQ(ImportLevels(model, levels), c.result);
        ASSERT_EQ(BandSetOf(model), c.end);
        for (int k = 0; k < BandCountOf(model); ++k) {
            EXPECT_EQ(model.Nodes.Node[k].Y, reference.Nodes.Node[k].Y) << "slot " << k;
            EXPECT_EQ(model.OtherLevels[k], reference.OtherLevels[k]) << "slot " << k;
        }
    }
}

TEST(LevelsImport, AModelInNeitherBandSetIsLeftAlone)
{
    TabularLevels levels;
    TabularError error;
    ASSERT_TRUE(ReadTabularLevels(Column(9, 60), levels, error));
    TSpectrumModel model = Distinct(BandSet::Octave);
    model.BandStep = 2;
    const TSpectrumModel before = model;
    EXPECT_EQ(ImportLevels(model, levels), LevelsImport::Refused);
    EXPECT_EQ(model.Nodes.Node[0].Y, before.Nodes.Node[0].Y);
    EXPECT_EQ(model.BandStep, 2);
}
