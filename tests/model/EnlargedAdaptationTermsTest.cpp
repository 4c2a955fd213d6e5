#include "model/EnlargedAdaptationTerms.h"

#include "model/ModelTestSupport.h"
#include "model/SoundReduction.h"

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace velmora {
namespace {

using test::RandomTenths;
using test::TenthsSpectrum;

// Source spectra from 50 Hz to 5000 Hz; the 3150 Hz pink spectrum stops after 19 bands.
const std::vector<double> kPink3150 = {-40, -36, -33, -29, -26, -23, -21, -19, -17, -15,
                                       -13, -12, -11, -10, -9,  -9,  -9,  -9,  -9};
const std::vector<double> kPink5000 = {-41, -37, -34, -30, -27, -24, -22, -20, -18, -16, -14,
                                       -13, -12, -11, -10, -10, -10, -10, -10, -10, -10};
const std::vector<double> kTraffic = {-25, -23, -21, -20, -20, -18, -16, -15, -14, -13, -12,
                                      -11, -9,  -8,  -9,  -10, -11, -13, -15, -16, -18};

/** X - Rw summed plainly over bands first to last (band indices) of the source spectrum. */
double PlainTerm(const TenthsSpectrum& s, double rw, const std::vector<double>& source, int first, int last)
{
    double energy = 0;
    for (int band = first; band <= last; ++band)
        energy += std::pow(10.0, (source[band] - s.tenths[band] / 10.0) / 10.0);
    return std::round(-10 * std::log10(energy) - rw);
}

/** The terms in the order the struct holds them. */
std::vector<double> Terms(const EnlargedAdaptationTerms& t)
{
    return {t.C50_3150, t.C50_5000, t.C100_5000, t.Ctr50_3150, t.Ctr50_5000, t.Ctr100_5000};
}

TEST(EnlargedAdaptationTermsTest, WorkedExample)
{
    const std::vector<float> r = {18.7f, 19.2f, 20.0f, 20.4f, 16.3f, 17.7f, 22.6f, 22.4f, 22.7f, 24.8f, 26.6f,
                                  28.0f, 30.5f, 31.8f, 32.5f, 33.4f, 33.0f, 31.0f, 25.5f, 26.8f, 29.2f};
    const SoundReductionRating rating = RateSoundReduction(r, 0, 1);
    EXPECT_EQ(rating.Rw, 30);
    EXPECT_EQ(rating.C, -2);
    EXPECT_EQ(rating.Ctr, -3);
    EXPECT_NEAR(rating.deviationSum, 31.8, 1e-4);
    const EnlargedAdaptationTerms terms = RateEnlargedAdaptationTerms(r, 0, 1, rating.Rw);
    EXPECT_EQ(terms.C50_5000, -2) << "X = 28.212";
    EXPECT_EQ(terms.Ctr50_5000, -4) << "X = 26.355";
}

TEST(EnlargedAdaptationTermsTest, MatchTheirDefinitionOverManySpectra)
{
    std::minstd_rand random(41);
    for (int run = 0; run < 3000; ++run) {
        const TenthsSpectrum s = RandomTenths(random, -200 + run % 50 * 30, 1 + run % 70 * 20);
        const double rw = RateSoundReduction(s.levels, 0, 1).Rw;
        const std::vector<double> expected = {
            PlainTerm(s, rw, kPink3150, 0, 18), PlainTerm(s, rw, kPink5000, 0, 20),
            PlainTerm(s, rw, kPink5000, 3, 20), PlainTerm(s, rw, kTraffic, 0, 18),
            PlainTerm(s, rw, kTraffic, 0, 20),  PlainTerm(s, rw, kTraffic, 3, 20)};
        const std::vector<double> terms = Terms(RateEnlargedAdaptationTerms(s.levels, 0, 1, rw));
        EXPECT_EQ(terms, expected) << "run " << run;
        for (double term : terms)
            EXPECT_FALSE(std::signbit(term) && term == 0) << "-0 would print with a sign";
    }
}

TEST(EnlargedAdaptationTermsTest, EachTermNeedsItsOwnRangeOnly)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* what;
        int start, step, size, slot;
        float value;
        double rw;
        std::vector<bool> finite; // in the order of Terms()
    };
    const Case cases[] = {
        {"all there", 0, 1, 27, 0, 40, 50, {true, true, true, true, true, true}},
        {"NaN at 63 Hz", 0, 1, 27, 1, NAN, 50, {false, false, true, false, false, true}},
        {"+inf at 4000 Hz", 0, 1, 27, 19, INFINITY, 50, {true, false, false, true, false, false}},
        {"levels end at 3150 Hz", 0, 1, 19, 0, 40, 50, {true, false, false, true, false, false}},
        {"no Rw", 0, 1, 27, 0, 40, nan, {false, false, false, false, false, false}},
        {"octaves", 1, 3, 9, 0, 40, 50, {false, false, false, false, false, false}},
        {"a band far down counts in full", 0, 1, 27, 0, -1e30f, 50, {true, true, true, true, true, true}},
        {"a band far up adds nothing", 0, 1, 27, 20, 3e38f, 50, {true, true, true, true, true, true}},
    };
    for (const Case& c : cases) {
        std::vector<float> levels(c.size, 40.0f);
        levels[c.slot] = c.value;
        const std::vector<double> terms = Terms(RateEnlargedAdaptationTerms(levels, c.start, c.step, c.rw));
        for (std::size_t i = 0; i < terms.size(); ++i)
            EXPECT_EQ(std::isfinite(terms[i]), c.finite[i]) << c.what << ", term " << i;
    }
    // A band out of a term's range changes nothing in it, however far it lies from the rest.
    std::vector<float> levels(27, 40.0f);
    const double c100 = RateEnlargedAdaptationTerms(levels, 0, 1, 40).C100_5000;
    levels[0] = -1e30f;
    EXPECT_EQ(RateEnlargedAdaptationTerms(levels, 0, 1, 40).C100_5000, c100);
}

} // namespace
} // namespace velmora
