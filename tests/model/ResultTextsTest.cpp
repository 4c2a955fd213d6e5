#include "model/ResultTexts.h"
#include "model/ModelTestSupport.h"
#include "model/Ratings.h"

#include <limits>

namespace velmora {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

TEST(ResultTextsTest, ResultTextByDataType)
{
    TSpectrumModel model = test::Spectrum(BandSet::Octave, 0.0f);
    model.Ratings.weighted = {61.94, 62.31, -0.04, 69.07};
    model.Ratings.noise.NR = 56.26;
    model.Ratings.transmission.STC = -1.0;
    const char* const levels = " dBA: 61.9, dBB: 62.3, dBC: -0.0, dBD: 69.1, NR: 56.3";
    const char* const stc = " Sound Transmission Class (STC): -1.0";
    const std::pair<int, const char*> cases[] = {{PressureLevels, levels},
                                                 {PowerLevels, levels},
                                                 {AttenuationLevels, stc},
                                                 {CorrectionFactors, " Correction Factor Graph"},
                                                 {4, stc},
                                                 {-1, stc}};
    for (const auto& [type, text] : cases) {
        model.Nodes.DataType = type;
        EXPECT_EQ(ResultText(model), text) << type;
    }

    model.Ratings.weighted = {kNaN, kInf, -kInf, 1e30f};
    model.Nodes.DataType = PressureLevels;
    EXPECT_EQ(ResultText(model), " dBA: -, dBB: -, dBC: -, dBD: 1000000015047466219876688855040.0, NR: 56.3");
}

TEST(ResultTextsTest, StatusTextOfTheCurrentNode)
{
    TSpectrumModel model = test::Spectrum(BandSet::Octave, 0.0f);
    struct Case {
        int current;
        TNode node;
        const char* text;
    };
    const Case cases[] = {
        {4, {BandAbscissa(1000), 42.34f}, " 1000Hz = 42.3dB"},
        {0, {BandAbscissa(63), -3.96f}, " 63Hz = -4.0dB"},
        {2, {BandAbscissa(250), kNaN}, " 250Hz = -dB"},
        {2, {kInf, 10.0f}, " -Hz = 10.0dB"},
        {-1, {}, ""},
        {9, {}, ""},
    };
    for (const Case& c : cases) {
        if (c.current >= 0)
            model.Nodes.Node[c.current] = c.node;
        model.Nodes.Current = c.current;
        EXPECT_EQ(StatusText(model), c.text) << c.current;
    }
}

} // namespace
} // namespace velmora
