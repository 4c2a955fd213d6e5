#include "edit/LevelsPaste.h"

#include "graph/Draw2D.h"
#include "io/TabularLevels.h"
#include "model/ModelTestSupport.h"
#include "model/Ratings.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

class CountingSurface : public Draw2DClass
{
public:
    void Redraw() override { ++redraws; }
    int redraws = 0;
};

TabularLevels Read(const std::string& text)
{
    TabularLevels levels;
    TabularError error;
    EXPECT_TRUE(ReadTabularLevels(text, levels, error)) << error.message;
    return levels;
}

TEST(LevelsPaste, RecalculatesAndRedrawsOnceAndRebuildsTheGraphOnlyForANewBandSet)
{
    struct Case {
        const char* text;
        int count;
        int current; // the current node afterwards
    };
    // In octaves with node 4 current: levels alone keep the current node; 27 levels rebuild.
    const Case cases[] = {
        {"1000\t70\n", 9, 4},
        {"80\n81\n82\n83\n84\n85\n86\n87\n88\n", 9, 4},
        {"1250 70\n", 27, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TSpectrumModel model = test::Spectrum(BandSet::Octave, 30.0f);
        model.Nodes.Current = 4;
        CountingSurface surface;
        test::RecordingView view;
        ASSERT_TRUE(PasteLevels(model, surface, &view, Read(c.text)));
        EXPECT_EQ(surface.redraws, 1);
        EXPECT_EQ(model.Nodes.Count, c.count);
        EXPECT_EQ(model.Nodes.Current, c.current);
        EXPECT_TRUE(IsConsistent(model));
        // The ratings are those of the new levels.
        TSpectrumModel fresh = model;
        Recalculate(fresh, nullptr);
        EXPECT_EQ(model.WeightedLevel, fresh.WeightedLevel);
        EXPECT_EQ(model.NR, fresh.NR);
        EXPECT_NE(view.result, "untouched");
    }

    TSpectrumModel damaged = test::Spectrum(BandSet::Octave, 30.0f);
    damaged.BandStart = 40;
    CountingSurface surface;
    EXPECT_FALSE(PasteLevels(damaged, surface, nullptr, Read("1000 70")));
    EXPECT_EQ(surface.redraws, 0);
}

} // namespace
} // namespace velmora
