#include "model/NoiseRating.h"

#include "entry/NumberText.h"
#include "model/Interpolate.h"
#include "model/ModelTestSupport.h"
#include "model/Ratings.h"
#include "model/ResultTexts.h"

#include <cmath>
#include <random>

namespace velmora {
namespace {

using test::SetBandLevel;
using test::Spectrum;

/** The rating of one band written out plainly, every logarithm taken in double. */
double ReferenceBandRating(int band, double level)
{
    const int octave = (band - 1) / 3;
    double a = NRLevel100[octave];
    double s = NRSlope10[octave];
    if (band % 3 != 1) {
        const int low = std::min(std::max(octave, 0), 7);
        const double x = std::log10(static_cast<double>(BandFrequency[band]));
        const double x0 = std::log10(static_cast<double>(BandFrequency[1 + 3 * low]));
        const double x1 = std::log10(static_cast<double>(BandFrequency[4 + 3 * low]));
        a = Interpolate(x, x0, x1, NRLevel100[low], NRLevel100[low + 1]);
        s = Interpolate(x, x0, x1, NRSlope10[low], NRSlope10[low + 1]);
    }
    return 100.0 + (level - a) / (0.1 * s);
}

TEST(NoiseRating, EveryBandRatesAsThePlainFormulaAndTheHighestGoverns)
{
    std::minstd_rand random(11);
    for (BandSet set : {BandSet::Octave, BandSet::Third}) {
        for (int run = 0; run < 300; ++run) {
            TSpectrumModel model = Spectrum(set, 0.0f);
            for (int k = 0; k < model.Nodes.Count; ++k) // tenths of a dB, as the pointer snaps
                model.Nodes.Node[k].Y = static_cast<float>(static_cast<int>(random() % 1500) / 10.0);
            const NoiseRatingResult rating = RateNoise(EditedLevels(model), model.BandStart, model.BandStep);
            ASSERT_EQ(rating.bandCount, model.Nodes.Count);
            double highest = 0.0;
            for (int k = 0; k < rating.bandCount; ++k) {
                const NoiseRatingBand& band = rating.bands[k];
                ASSERT_EQ(band.band, BandIndexOfSlot(model, k));
                const double expected = ReferenceBandRating(band.band, model.Nodes.Node[k].Y);
                EXPECT_NEAR(band.rating, expected, 1e-12 * std::fabs(expected))
                    << band.band << " run " << run;
                highest = std::max(highest, expected);
            }
            EXPECT_NEAR(rating.NR, highest, 1e-12 * highest);
            ASSERT_GE(rating.governingBand, 0);
            EXPECT_EQ(rating.NR,
                      rating.bands[(rating.governingBand - model.BandStart) / model.BandStep].rating);
        }
    }
}

TEST(NoiseRating, TheHeadlineShowsWhatTheGoverningBandShows)
{
    // 160 Hz lies between the 125 Hz and 250 Hz curves: its rating at 89.5 dB is 79.1499993, which
    // a single-precision copy holds as 79.1500015 and would print 79.2. Every text reads the one
    // value, on the grid of levels a user can enter, in both band sets.
    for (BandSet set : {BandSet::Third, BandSet::Octave}) {
        TSpectrumModel model = Spectrum(set, 0.0f);
        for (int tenths = 0; tenths <= 1200; ++tenths) {
            for (int k = 0; k < model.Nodes.Count; ++k)
                model.Nodes.Node[k].Y = k == 1 ? static_cast<float>(tenths / 10.0) : 0.0f;
            Recalculate(model);
            const SpectrumRatings& ratings = model.Ratings;
            const int governing = ratings.noise.governingBand;
            ASSERT_GE(governing, 0);
            const std::string cell =
                FixedText(ratings.bands[(governing - model.BandStart) / model.BandStep].noiseRating, 1);
            ASSERT_NE(ResultText(model).find("NR: " + cell), std::string::npos) << ResultText(model);
        }
    }
    TSpectrumModel model = Spectrum(BandSet::Third, 0.0f);
    SetBandLevel(model, 160.0f, 89.5f);
    Recalculate(model);
    EXPECT_NE(ResultText(model).find("NR: 79.1"), std::string::npos) << ResultText(model);

    // A level that is not finite rates nothing.
    model.Nodes.Node[5].Y = std::nanf("");
    const NoiseRatingResult rating = RateNoise(EditedLevels(model), model.BandStart, model.BandStep);
    EXPECT_TRUE(std::isnan(rating.bands[5].rating));
}

} // namespace
} // namespace velmora
