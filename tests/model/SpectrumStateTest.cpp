#include "model/SpectrumState.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

using namespace velmora;

namespace {

TEST(SpectrumStateTest, CaptureAndRestoreKeepEveryBit)
{
    TSpectrumModel model;
    InitModel(model);
    model.BandStart = kThirdBandStart;
    model.BandStep = kThirdBandStep;
    SetupNodes(model, true);
    // Levels whose bits a numeric round trip would lose: a NaN payload, -0, infinity, a denormal.
    const float specials[] = {std::bit_cast<float>(0x7fc01234u), -0.0f,
                              std::numeric_limits<float>::infinity(),
                              std::numeric_limits<float>::denorm_min(), 63.125f};
    for (int k = 0; k < kBandSlots; ++k) {
        model.Nodes.Node[k].Y = specials[k % 5];
        model.OtherLevels[k] = specials[(k + 1) % 5];
        model.Results[k] = specials[(k + 2) % 5];
    }
    model.Nodes.Current = 4;
    model.Nodes.DataType = AttenuationLevels;
    model.OtherDataType = CorrectionFactors;
    model.Reserved = -7;
    const TSpectrumModel original = model;
    const SpectrumState state = CaptureSpectrum(model);

    TSpectrumModel other;
    InitModel(other);
    other.MinLevel = 20.0f;
    other.HighlightMode = HighlightNR;
    RestoreSpectrum(other, state);
    EXPECT_TRUE(IdenticalStates(CaptureSpectrum(other), state));
    EXPECT_EQ(std::memcmp(&other.Nodes, &original.Nodes, sizeof original.Nodes), 0);
    EXPECT_EQ(std::memcmp(&other.OtherLevels, &original.OtherLevels, sizeof original.OtherLevels), 0);
    EXPECT_EQ(other.MinLevel, 20.0f) << "the view is no part of the state";
    EXPECT_EQ(other.HighlightMode, HighlightNR);
}

TEST(SpectrumStateTest, OnlyTheSpectraCountAsAChange)
{
    TSpectrumModel model;
    InitModel(model);
    SetupNodes(model, true);
    const SpectrumState base = CaptureSpectrum(model);
    struct Case {
        const char* name;
        void (*change)(SpectrumState&);
        bool sameSpectra;
    };
    const Case cases[] = {
        {"current node", [](SpectrumState& s) { s.Nodes.Current = 5; }, true},
        {"results", [](SpectrumState& s) { s.Results[2] = 9.0f; }, true},
        {"level", [](SpectrumState& s) { s.Nodes.Node[2].Y = 0.1f; }, false},
        {"level to -0", [](SpectrumState& s) { s.Nodes.Node[2].Y = -0.0f; }, false},
        {"other level", [](SpectrumState& s) { s.OtherLevels[8] = 1.0f; }, false},
        {"unused slot", [](SpectrumState& s) { s.OtherLevels[29] = 1.0f; }, false},
        {"data type", [](SpectrumState& s) { s.Nodes.DataType = PowerLevels; }, false},
        {"other data type", [](SpectrumState& s) { s.OtherDataType = PowerLevels; }, false},
        {"band set", [](SpectrumState& s) { s.BandStart = kThirdBandStart; }, false},
        {"count", [](SpectrumState& s) { s.Nodes.Count = 8; }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SpectrumState changed = base;
        c.change(changed);
        EXPECT_EQ(SameSpectra(base, changed), c.sameSpectra);
        EXPECT_EQ(SameSpectra(changed, base), c.sameSpectra);
        EXPECT_FALSE(IdenticalStates(base, changed));
    }
    SpectrumState nan = base;
    nan.Nodes.Node[0].Y = std::numeric_limits<float>::quiet_NaN();
    EXPECT_TRUE(SameSpectra(nan, nan)) << "a NaN level equals itself";
}

} // namespace
