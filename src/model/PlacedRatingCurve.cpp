#include "model/PlacedRatingCurve.h"

#include "entry/NumberText.h"
#include "model/AstmTransmissionClass.h"
#include "model/ImpactInsulationClass.h"
#include "model/ImpactSoundRating.h"
#include "model/LimitTolerance.h"
#include "model/NoiseCriterion.h"
#include "model/NoiseRating.h"
#include "model/RatingLines.h"
#include "model/SoundReduction.h"
#include "model/SpectrumRatings.h"
#include "model/TransmissionClass.h"

#include <cmath>
#include <cstddef>

namespace velmora {

namespace {

/**
 * Adds a point for each of a rating's first count bands at which the curve has a level:
 * level(band index) gives the curve's level, shortfall(band, curve level) how far the band falls
 * short of it (NaN or below 0 counting as 0).
 */
template <typename Bands, typename Level, typename Shortfall>
void PlaceOn(PlacedRatingCurve& placed, const Bands& bands, int count, Level level, Shortfall shortfall)
{
    for (int j = 0; j < count && placed.count < kBandCount; ++j) {
        const double at = level(bands[j].band);
        if (!std::isfinite(at))
            continue;
        RatingCurvePoint& point = placed.points[static_cast<std::size_t>(placed.count++)];
        point.band = bands[j].band;
        point.level = at;
        point.rated = bands[j].level;
        // A band within the tolerance of its curve is on it, not short of it.
        const double amount = shortfall(bands[j], at);
        point.shortfall = amount > kLimitTolerance ? amount : 0.0;
    }
}

/** How far a rating's band falls short, as the rating keeps it: a deficiency or a deviation. */
constexpr auto kDeficiency = [](const auto& band, double) { return band.deficiency; };
constexpr auto kDeviation = [](const auto& band, double) { return band.deviation; };
/** A rating read off the highest curve any band reaches leaves no band above its curve. */
constexpr auto kNoShortfall = [](const auto&, double) { return 0.0; };

std::string Whole(const char* name, double rating, const char* what)
{
    return std::string(name) + " " + FixedText(rating, 0) + " " + what;
}

void PlaceNoiseCriterion(const NoiseCriterionRating& nc, PlacedRatingCurve& placed)
{
    double value = nc.NC;
    switch (nc.state) {
    case NoiseCriterionState::Rated:
        placed.label = "NC " + FixedText(nc.NC, 1) + " curve";
        break;
    case NoiseCriterionState::AboveFamily:
        value = kHighestNoiseCriterion;
        placed.label = ">NC-70: the NC-70 curve";
        break;
    case NoiseCriterionState::BelowFamily:
        value = kLowestNoiseCriterion;
        placed.label = "<NC-15: the NC-15 curve";
        break;
    case NoiseCriterionState::NotRated:
        return;
    }
    PlaceOn(
        placed, nc.bands, nc.bandCount, [&](int band) { return NoiseCriterionCurveLevel(value, band); },
        [](const NoiseCriterionBand& band, double at) { return band.level - at; });
}

} // namespace

PlacedRatingCurve PlaceRatingCurve(const SpectrumRatings& ratings, RatingCurve curve, int bandStart,
                                   int bandStep)
{
    PlacedRatingCurve placed;
    placed.curve = curve;
    switch (curve) {
    case RatingCurve::NR: {
        const double nr = ratings.noise.NR;
        PlaceOn(
            placed, ratings.noise.bands, ratings.noise.bandCount,
            [&](int band) { return NoiseRatingCurveLevel(nr, band); }, kNoShortfall);
        placed.label = "NR " + FixedText(nr, 1) + " curve";
        break;
    }
    case RatingCurve::NC:
        PlaceNoiseCriterion(ratings.nc, placed);
        break;
    case RatingCurve::Lnw: {
        const double lnw = ratings.impact.Lnw;
        PlaceOn(
            placed, ratings.impact.bands, ratings.impact.bandCount,
            [&](int band) { return ImpactReferenceLevel(lnw, band, bandStart, bandStep); }, kDeviation);
        placed.label = Whole("Ln,w", lnw, "reference curve");
        break;
    }
    case RatingCurve::IIC: {
        const double iic = ratings.iic.IIC;
        PlaceOn(
            placed, ratings.iic.bands, ratings.iic.bandCount,
            [&](int band) { return ImpactInsulationContourLevel(iic, band); }, kDeficiency);
        placed.label = Whole("IIC", iic, "contour");
        break;
    }
    case RatingCurve::STC: {
        // -1 says that no contour passes: there is no contour to show.
        const double stc = ratings.transmission.STC;
        if (!(stc >= 0.0))
            break;
        PlaceOn(
            placed, ratings.transmission.bands, ratings.transmission.bandCount,
            [&](int band) { return StcContourLevel(stc, BandFrequency[static_cast<std::size_t>(band)]); },
            kDeficiency);
        placed.label = Whole("STC", stc, "contour");
        break;
    }
    case RatingCurve::AstmSTC: {
        const double stc = ratings.astm.STC;
        PlaceOn(
            placed, ratings.astm.bands, ratings.astm.bandCount,
            [&](int band) { return AstmTransmissionContourLevel(stc, band); }, kDeficiency);
        placed.label = Whole("STC (E413)", stc, "contour");
        break;
    }
    case RatingCurve::Rw: {
        const double rw = ratings.reduction.Rw;
        PlaceOn(
            placed, ratings.reduction.bands, ratings.reduction.bandCount,
            [&](int band) { return SoundReductionReferenceLevel(rw, band, bandStart, bandStep); },
            kDeviation);
        placed.label = Whole("Rw", rw, "reference curve");
        break;
    }
    case RatingCurve::None:
        break;
    }
    if (placed.count == 0) {
        placed.label.clear();
        return placed;
    }
    placed.governingBand = GoverningBand(ratings, curve);
    return placed;
}

} // namespace velmora
