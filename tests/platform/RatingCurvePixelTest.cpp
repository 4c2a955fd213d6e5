#include "graph/RatingCurvePlot.h"

#include "edit/GraphSetup.h"
#include "graph/GraphSurface.h"
#include "graph/RecordingCanvas.h"
#include "model/Ratings.h"
#include "model/SpectrumModel.h"
#include "platform/ImageCanvas.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace velmora {
namespace {

constexpr int kWidth = 446;
constexpr int kHeight = 313;
constexpr int k500Hz = 10;
constexpr int k1000Hz = 13;

/** Where a curve must pass: at a band, at a level read from the ratings value. */
struct Passing {
    int band;
    double level;
};

/** The program's graph of a third-octave spectrum of a data type, with one rating curve shown. */
struct CurvePlot {
    CurvePlot(int type, RatingCurve curve, float (*level)(int), int ratio)
        : canvas(QSize(kWidth * ratio, kHeight * ratio)), control(kWidth * ratio, kHeight * ratio)
    {
        canvas.setPixelRatio(ratio);
        InitModel(model);
        model.BandStart = kThirdBandStart;
        model.BandStep = kThirdBandStep;
        surface.SetCanvas(&canvas, &control);
        SetupGraph(model, surface, true);
        for (int k = 0; k < kBandCount; ++k)
            model.Nodes.Node[k].Y = level(k);
        model.Nodes.DataType = type;
        model.ShownCurve = curve;
        Recalculate(model);
        surface.Redraw();
    }

    /** True when a pixel of the curve's colour lies within two pixels of the world point. */
    bool CurveNear(int band, double level) const
    {
        const TPoint2D p = surface.WorldToPixel(BandAbscissa(BandFrequency[band]), static_cast<float>(level));
        const int reach = 2 * canvas.PixelScale();
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx) {
                const QPoint at(static_cast<int>(p.x) + dx, static_cast<int>(p.y) + dy);
                if (canvas.image().valid(at) && canvas.image().pixel(at) == ImageCanvas::toRgb(kDarkGreen))
                    return true;
            }
        return false;
    }

    ImageCanvas canvas;
    test::FixedControl control;
    TSpectrumModel model;
    GraphSurface surface{model};
};

/** A wall rising with frequency, 20 dB proud at 500 Hz: the airborne curves lie well under it there. */
float Wall(int k)
{
    return 20.0f + 2.0f * static_cast<float>(k) + (k == k500Hz ? 20.0f : 0.0f);
}

/** An impact spectrum with a 25 dB hollow at 500 Hz: the impact curves lie well over it there. */
float Floor(int k)
{
    return 65.0f - 0.5f * static_cast<float>(k) - (k == k500Hz ? 25.0f : 0.0f);
}

/**
 * Room noise falling with frequency, 12 dB up in the 250 Hz octave, which sets NR and NC: its
 * octave level lies some 5 dB over its bands, where the NC curve touches it.
 */
float Noise(int k)
{
    return 70.0f - 2.5f * static_cast<float>(k) + (k >= 6 && k <= 8 ? 12.0f : 0.0f);
}

TEST(RatingCurvePixels, EachCurvePassesThroughItsRatingInTheBitmap)
{
    const struct {
        const char* name;
        int type;
        RatingCurve curve;
        float (*level)(int);
        std::function<Passing(const SpectrumRatings&)> passing;
    } cases[] = {
        {"STC (E413) at 500 Hz", AttenuationLevels, RatingCurve::AstmSTC, Wall,
         [](const SpectrumRatings& r) {
             return Passing{k500Hz, r.astm.STC};
         }},
        {"Rw at 500 Hz", AttenuationLevels, RatingCurve::Rw, Wall,
         [](const SpectrumRatings& r) {
             return Passing{k500Hz, r.reduction.Rw};
         }},
        {"STC's contour at 500 Hz", AttenuationLevels, RatingCurve::STC, Wall,
         [](const SpectrumRatings& r) {
             return Passing{k500Hz, r.bands[k500Hz].stcContour};
         }},
        {"Ln,w at 500 Hz", PressureLevels, RatingCurve::Lnw, Floor,
         [](const SpectrumRatings& r) {
             return Passing{k500Hz, r.impact.Lnw};
         }},
        {"110 - IIC at 500 Hz", PowerLevels, RatingCurve::IIC, Floor,
         [](const SpectrumRatings& r) {
             return Passing{k500Hz, 110.0 - r.iic.IIC};
         }},
        // NR curves lie at their rating at 1 kHz; NC touches the governing octave's level.
        {"NR at 1000 Hz", PressureLevels, RatingCurve::NR, Noise,
         [](const SpectrumRatings& r) {
             return Passing{k1000Hz, r.noise.NR};
         }},
        {"NC at the governing octave", PressureLevels, RatingCurve::NC, Noise,
         [](const SpectrumRatings& r) {
             return Passing{r.nc.governingBand, r.nc.bands[(r.nc.governingBand - 1) / 3].level};
         }},
    };
    for (int ratio : {1, 2})
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << c.name << ", ratio " << ratio);
            const CurvePlot plot(c.type, c.curve, c.level, ratio);
            const Passing at = c.passing(plot.model.Ratings);
            ASSERT_TRUE(std::isfinite(at.level));
            // Far enough from the node there that no other figure mixes into the curve's pixels.
            ASSERT_GT(std::fabs(at.level - plot.model.Nodes.Node[at.band].Y), 4.0);
            EXPECT_TRUE(plot.CurveNear(at.band, at.level));
            EXPECT_FALSE(plot.CurveNear(at.band, at.level + 6.0)) << "a line, not a smear";

            // The same graph for a data type the rating does not rate shows no curve at all.
            const int other =
                FamilyOfCurve(c.curve) == RatingFamily::Levels ? AttenuationLevels : PressureLevels;
            const CurvePlot unrated(other, c.curve, c.level, ratio);
            const CurvePlot none(other, RatingCurve::None, c.level, ratio);
            EXPECT_TRUE(unrated.canvas.image() == none.canvas.image());
        }
}

TEST(RatingCurvePixels, DrawnAgainTheCurveLeavesTheGraphAsWithoutIt)
{
    // The press of a node drag takes the curve off this way; only its label stays, in the corner.
    for (int ratio : {1, 2})
        for (RatingCurve curve : kRatingCurves) {
            SCOPED_TRACE(testing::Message() << static_cast<int>(curve) << ", ratio " << ratio);
            const bool levels = FamilyOfCurve(curve) == RatingFamily::Levels;
            const int type = levels ? PressureLevels : AttenuationLevels;
            CurvePlot plot(type, curve, levels ? Noise : Wall, ratio);
            const CurvePlot none(type, RatingCurve::None, levels ? Noise : Wall, ratio);
            const QImage shown = plot.canvas.image();
            DrawRatingCurve(plot.model, plot.surface);
            // Leave out the top right corner, where the label stays.
            const QRect label(0, 0, 200 * ratio, 25 * ratio);
            QImage left = plot.canvas.image().copy(0, label.height(), shown.width(), shown.height());
            EXPECT_TRUE(left == none.canvas.image().copy(0, label.height(), shown.width(), shown.height()));
            EXPECT_FALSE(shown == none.canvas.image());
        }
}

} // namespace
} // namespace velmora
