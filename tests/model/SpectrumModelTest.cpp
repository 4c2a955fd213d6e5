#include "model/SpectrumModel.h"

#include "model/ModelTestSupport.h"
#include "model/Ratings.h"

#include <cmath>
#include <functional>

namespace velmora {
namespace {

TEST(SpectrumModel, ConsistencyHoldsForEveryReachableModelAndNoDamagedOne)
{
    for (BandSet set : {BandSet::Octave, BandSet::Third}) {
        TSpectrumModel model = test::Spectrum(set, 50.0f);
        EXPECT_TRUE(IsConsistent(model));
        model.Nodes.Current = -1;
        EXPECT_TRUE(IsConsistent(model)) << "no current node";
    }
    TSpectrumModel startUp;
    InitModel(startUp);
    EXPECT_FALSE(IsConsistent(startUp)) << "no nodes before the graph is set up";
    SetupSpectrum(startUp, true);
    EXPECT_TRUE(IsConsistent(startUp));

    const std::function<void(TSpectrumModel&)> damages[] = {
        [](TSpectrumModel& m) { m.BandStep = 2; },
        [](TSpectrumModel& m) { m.Nodes.Count = 27; },
        [](TSpectrumModel& m) { m.Nodes.Node[4].X += 1.0f; },
        [](TSpectrumModel& m) { m.Nodes.Node[0].X = std::nanf(""); },
        [](TSpectrumModel& m) { m.Nodes.Current = 9; },
        [](TSpectrumModel& m) { m.Nodes.DataType = 4; },
        [](TSpectrumModel& m) { m.OtherDataType = -1; },
        [](TSpectrumModel& m) { m.HighlightMode = 9; },
    };
    for (std::size_t i = 0; i < std::size(damages); ++i) {
        TSpectrumModel model = test::Spectrum(BandSet::Octave, 50.0f);
        damages[i](model);
        EXPECT_FALSE(IsConsistent(model)) << "damage " << i;
    }
}

} // namespace
} // namespace velmora
