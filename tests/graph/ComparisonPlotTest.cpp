#include "graph/ComparisonPlot.h"

#include "edit/NodeEditing.h"
#include "graph/GraphFixture.h"
#include "graph/SpectrumPlot.h"
#include "model/ComparisonSet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>
#include <tuple>

namespace velmora {
namespace {

using test::RecordingCanvas;

struct ComparisonPlot : test::GraphFixture {
    void SetUp() override
    {
        GraphFixture::SetUp();
        BandLevels octaves{};
        BandLevels thirds{};
        for (int k = 0; k < 27; ++k) {
            thirds[k] = 40.0f + static_cast<float>(k);
            if (k < 9)
                octaves[k] = 70.0f - 2.0f * static_cast<float>(k);
        }
        set.Add("/m/a.snd", octaves, BandSet::Octave, PressureLevels);
        set.Add("/m/b.snd", octaves, BandSet::Octave, PressureLevels);
        set.Add("/m/c.snd", thirds, BandSet::Third, PressureLevels);
        set.SetShown(1, false);
    }

    /** Lines drawn with the pen of spectrum i's style: its curve and its legend sample. */
    int LinesInStyleOf(std::size_t i) const
    {
        const CurveStyle style = ComparisonStyle(set[i].style);
        int count = 0;
        for (const auto& pen : canvas.linePens)
            count += pen.colour == style.colour && pen.style == style.pen ? 1 : 0;
        return count;
    }

    /** Lines in any colour of the set's spectra. */
    int LinesOfTheSet() const
    {
        int count = 0;
        for (std::size_t i = 0; i < set.Size(); ++i)
            for (const auto& pen : canvas.linePens)
                count += pen.colour == ComparisonStyle(set[i].style).colour ? 1 : 0;
        return count;
    }

    void Forget()
    {
        canvas.lines.clear();
        canvas.linePens.clear();
        canvas.texts.clear();
        canvas.fills.clear();
    }

    ComparisonSet set;
};

TEST(ComparisonStyles, EveryStyleTellsFromTheOthersInGreyAndNeighboursInEverything)
{
    std::set<std::pair<PenStyle, MarkerShape>> grey;
    std::set<Colour> colours;
    for (int i = 0; i < kCurveStyleCount; ++i) {
        const CurveStyle style = ComparisonStyle(i);
        EXPECT_TRUE(grey.insert({style.pen, style.marker}).second) << "style " << i << " repeats one in grey";
        colours.insert(style.colour);
        const CurveStyle next = ComparisonStyle(i + 1);
        EXPECT_NE(style.colour, next.colour) << i;
        EXPECT_NE(style.pen, next.pen) << i;
        EXPECT_NE(style.marker, next.marker) << i;
        // The edited and the other spectrum's colours, and the background's, stay theirs.
        for (Colour taken : {kCyan, kRed, kWhite, kGrey, kButtonFace})
            EXPECT_NE(style.colour, taken) << i;
        EXPECT_FALSE(StyleDescription(style).empty());
    }
    EXPECT_EQ(colours.size(), static_cast<std::size_t>(kCurveColours));
    const auto same = [](const CurveStyle& a, const CurveStyle& b) {
        return std::tie(a.colour, a.pen, a.marker) == std::tie(b.colour, b.pen, b.marker);
    };
    EXPECT_TRUE(same(ComparisonStyle(kCurveStyleCount), ComparisonStyle(0)));
    EXPECT_TRUE(same(ComparisonStyle(-3), ComparisonStyle(0)));
}

TEST_F(ComparisonPlot, ShownSpectraAreDrawnInTheirStylesAndNamedInTheLegend)
{
    set.FollowBands(BandSet::Octave);
    DrawGraph(model, surface, &set);
    // Eight segments over the nine octaves in the spectrum's pattern, and one legend sample; its
    // markers are solid. (The first style is solid, markers and all.)
    EXPECT_EQ(LinesInStyleOf(2), 9);
    EXPECT_EQ(LinesInStyleOf(1), 0) << "a hidden spectrum is not drawn";
    const std::vector<std::string> texts = Texts();
    const std::vector<std::string> legend(texts.end() - 4, texts.end());
    EXPECT_EQ(legend, (std::vector<std::string>{"Edited", "Other", "a.snd", "c.snd (from third octaves)"}));

    // The set lies under the other and the edited spectrum, which are drawn after it (the
    // edited one in exclusive-or mode); the set itself is drawn in copy mode.
    std::size_t lastOfSet = 0;
    std::size_t lastRed = 0;
    std::size_t lastXor = 0;
    for (std::size_t i = 0; i < canvas.linePens.size(); ++i) {
        const RecordingCanvas::Pen& pen = canvas.linePens[i];
        if (pen.colour == ComparisonStyle(set[2].style).colour) {
            lastOfSet = i;
            EXPECT_EQ(pen.mode, RasterMode::Copy);
        }
        lastRed = pen.colour == kRed ? i : lastRed;
        lastXor = pen.mode == RasterMode::Xor ? i : lastXor;
    }
    EXPECT_LT(lastOfSet, lastRed);
    EXPECT_LT(lastOfSet, lastXor);
}

TEST_F(ComparisonPlot, TheLegendSitsInsideTheFramesTopRightAndItsRowsAreHit)
{
    set.FollowBands(BandSet::Octave);
    const std::vector<LegendRow> rows = LegendLayout(set, "energetic mean of a.snd", surface);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].text, "Edited: energetic mean of a.snd");
    EXPECT_EQ(rows[0].kind, LegendRow::Edited);
    EXPECT_EQ(rows[1].kind, LegendRow::Other);
    EXPECT_EQ(rows[2].spectrum, 0);
    EXPECT_EQ(rows[3].spectrum, 2);
    const Pixel corner = PixelOf(surface.WorldMax.x, surface.WorldMax.y);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_LT(rows[i].right, corner.first);
        EXPECT_GT(rows[i].top, corner.second);
        EXPECT_EQ(rows[i].left, rows[0].left);
        if (i > 0) {
            EXPECT_EQ(rows[i].top, rows[i - 1].bottom);
        }
    }
    const LegendRow* hit = LegendRowAt(rows, rows[3].left + 1, rows[3].bottom - 1);
    ASSERT_NE(hit, nullptr);
    EXPECT_EQ(hit->spectrum, 2);
    EXPECT_EQ(LegendRowAt(rows, rows[3].left - 1, rows[3].top), nullptr);

    // A long name is cut; with nothing shown and no note there is no legend, with a note one
    // for the two spectra.
    EXPECT_EQ(LegendLayout(set, std::string(100, 'x'), surface)[0].text.size(), kLegendTextLength);
    set.SetAllShown(false);
    EXPECT_TRUE(LegendLayout(set, "", surface).empty());
    EXPECT_EQ(LegendLayout(set, "a.snd", surface).size(), 2u);
}

TEST_F(ComparisonPlot, TheLayerKeepsTheSetUntilTheSetTheLegendOrTheViewChanges)
{
    set.FollowBands(BandSet::Octave);
    canvas.keepsLayer = true;
    ComparisonLayer layer;
    DrawGraph(model, surface, &set, &layer);
    EXPECT_EQ(layer.Renders(), 1);
    EXPECT_EQ(canvas.layersBegun, 1);
    EXPECT_EQ(canvas.layersComposed, 1);

    Forget();
    DrawGraph(model, surface, &set, &layer);
    EXPECT_EQ(layer.Renders(), 1);
    EXPECT_EQ(canvas.layersComposed, 2);
    EXPECT_EQ(LinesOfTheSet(), 0) << "a full redraw composes the layer";

    const std::function<void()> changes[] = {
        [&] { set.SetShown(1, true); },
        [&] { surface.Offset.x += 3.0f; },
        [&] { surface.Scale.y *= 1.1f; },
        [&] {
            BandLevels levels{};
            set.SetEditedNote("mean", levels, PressureLevels);
            for (int k = 0; k < 9; ++k)
                model.Nodes.Node[k].Y = 0.0f;
        },
        [&] { set.FollowBands(BandSet::Third); },
    };
    int renders = 1;
    for (const auto& change : changes) {
        change();
        DrawGraph(model, surface, &set, &layer);
        EXPECT_EQ(layer.Renders(), ++renders);
        DrawGraph(model, surface, &set, &layer);
        EXPECT_EQ(layer.Renders(), renders);
    }

    // A canvas that keeps no layer (a vector picture) is drawn on every time.
    RecordingCanvas picture;
    surface.SetCanvas(&picture, &control);
    DrawGraph(model, surface, &set, &layer);
    DrawGraph(model, surface, &set, &layer);
    EXPECT_EQ(layer.Renders(), renders + 2);
    EXPECT_EQ(picture.layersComposed, 0);
}

TEST_F(ComparisonPlot, ADragStepDrawsNoneOfTheSet)
{
    set.FollowBands(BandSet::Octave);
    canvas.keepsLayer = true;
    ComparisonLayer layer;
    DrawGraph(model, surface, &set, &layer);
    SelectNode(model, surface, 4);
    Forget();
    const int begun = canvas.layersBegun;
    const int composed = canvas.layersComposed;
    const TPoint2D node = surface.WorldToPixel(model.Nodes.Node[4].X, 0.0f);
    for (int step = 0; step < 20; ++step)
        DragCurrentNode(model, surface, static_cast<int>(node.x), 40 + 7 * step);
    EXPECT_FALSE(canvas.lines.empty()) << "the node and its segments moved";
    EXPECT_EQ(LinesOfTheSet(), 0);
    EXPECT_TRUE(canvas.texts.empty());
    EXPECT_EQ(canvas.layersBegun, begun);
    EXPECT_EQ(canvas.layersComposed, composed);
    EXPECT_EQ(layer.Renders(), 1);
}

} // namespace
} // namespace velmora
