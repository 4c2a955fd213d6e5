#include "model/SpectrumAverage.h"

#include "model/SpectrumModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace velmora {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

std::vector<const BandLevels*> Pointers(const std::vector<BandLevels>& spectra)
{
    std::vector<const BandLevels*> pointers;
    for (const BandLevels& spectrum : spectra)
        pointers.push_back(&spectrum);
    return pointers;
}

/** The plain formulas in long double, whose range reaches 10^4932: levels of a few thousand dB stay exact. */
long double PlainEnergetic(const std::vector<BandLevels>& spectra, int k)
{
    long double sum = 0.0L;
    for (const BandLevels& spectrum : spectra)
        sum += std::pow(10.0L, static_cast<long double>(spectrum[k]) / 10.0L);
    return 10.0L * std::log10(sum / static_cast<long double>(spectra.size()));
}

long double PlainArithmetic(const std::vector<BandLevels>& spectra, int k)
{
    long double sum = 0.0L;
    for (const BandLevels& spectrum : spectra)
        sum += spectrum[k];
    return sum / static_cast<long double>(spectra.size());
}

TEST(SpectrumAverage, MeansMatchThePlainFormulasFromVeryLowToVeryHighLevels)
{
    // Ordinary levels, levels whose energies underflow a double, levels whose energies overflow
    // one, and spreads far wider than any measurement.
    const struct {
        float low;
        float high;
    } ranges[] = {
        {-20.0f, 140.0f}, {-4000.0f, -3100.0f}, {3100.0f, 4000.0f}, {-4000.0f, 4000.0f}, {55.0f, 55.5f}};
    std::minstd_rand random(20240611);
    for (const auto& range : ranges) {
        std::uniform_real_distribution<float> level(range.low, range.high);
        for (int trial = 0; trial < 200; ++trial) {
            const int bands = trial % 2 == 0 ? 9 : 27;
            std::vector<BandLevels> spectra(1 + random() % 12);
            for (BandLevels& spectrum : spectra)
                for (int k = 0; k < bands; ++k)
                    spectrum[k] = level(random);
            const BandLevels energetic = MeanLevels(Pointers(spectra), bands, MeanKind::Energetic);
            const BandLevels arithmetic = MeanLevels(Pointers(spectra), bands, MeanKind::Arithmetic);
            for (int k = 0; k < bands; ++k) {
                // A float holds a level to about 1 part in 2^23, however large.
                const auto near = [](long double expected) {
                    return std::max(2e-4L, std::fabs(expected) * 3e-7L);
                };
                const long double e = PlainEnergetic(spectra, k);
                const long double a = PlainArithmetic(spectra, k);
                EXPECT_NEAR(energetic[k], e, near(e)) << range.low << " trial " << trial << " band " << k;
                EXPECT_NEAR(arithmetic[k], a, near(a)) << range.low << " trial " << trial << " band " << k;
            }
            for (int k = bands; k < kBandSlots; ++k)
                EXPECT_EQ(energetic[k], 0.0f);
        }
    }
}

TEST(SpectrumAverage, ExtremeAndNonFiniteLevels)
{
    constexpr float kMax = std::numeric_limits<float>::max();
    const struct {
        std::vector<float> levels;
        float energetic;
        float arithmetic;
    } cases[] = {
        // Equal levels of any size are their own mean.
        {{kMax, kMax, kMax}, kMax, kMax},
        {{-kMax, -kMax}, -kMax, -kMax},
        {{1e-30f, 1e-30f}, 1e-30f, 1e-30f},
        // The loud one's energy is all there is; half of it is 3 dB down.
        {{1e30f, -1e30f}, 1e30f, 0.0f},
        {{60.0f, 60.0f, 60.0f, 60.0f}, 60.0f, 60.0f},
        // -inf carries no energy, so it halves the mean energy; it has no arithmetic mean.
        {{-kInf, 63.0103f}, 60.0f, kNaN},
        {{-kInf, -kInf}, -kInf, kNaN},
        {{kInf, 60.0f}, kNaN, kNaN},
        {{kNaN, 60.0f}, kNaN, kNaN},
    };
    for (const auto& c : cases) {
        std::vector<BandLevels> spectra(c.levels.size());
        for (std::size_t i = 0; i < c.levels.size(); ++i)
            spectra[i][0] = c.levels[i];
        const float energetic = EnergeticMean(Pointers(spectra), 1)[0];
        const float arithmetic = ArithmeticMean(Pointers(spectra), 1)[0];
        for (const auto& [got, expected] :
             {std::pair{energetic, c.energetic}, std::pair{arithmetic, c.arithmetic}}) {
            if (std::isnan(expected))
                EXPECT_TRUE(std::isnan(got)) << c.levels.front() << " gives " << got;
            else if (std::isinf(expected) || expected == kMax || expected == -kMax)
                EXPECT_EQ(got, expected) << c.levels.front();
            else
                EXPECT_NEAR(got, expected, std::fabs(expected) * 1e-6 + 1e-4) << c.levels.front();
        }
    }
    // No spectra, or a band count outside the slots, give zeros and read nothing beyond the slots.
    const std::vector<BandLevels> none;
    EXPECT_EQ(EnergeticMean(Pointers(none), 27), BandLevels{});
    const std::vector<BandLevels> one(1, BandLevels{});
    EXPECT_EQ(ArithmeticMean(Pointers(one), -3), BandLevels{});
    EXPECT_EQ(EnergeticMean(Pointers(one), 1000), BandLevels{});
}

TEST(SpectrumAverage, DataTypeOfTheMeanIsTheSpectrasOwnWhenTheyAgree)
{
    const struct {
        std::vector<int> types;
        int expected;
    } cases[] = {
        {{}, PressureLevels},
        {{AttenuationLevels, AttenuationLevels}, AttenuationLevels},
        {{PowerLevels}, PowerLevels},
        {{PowerLevels, PressureLevels}, PressureLevels},
        {{CorrectionFactors, AttenuationLevels}, PressureLevels},
        {{7, 7}, PressureLevels},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MeanDataType(c.types), c.expected) << c.types.size();
}

} // namespace
} // namespace velmora
