#include "model/RatingAdvice.h"

#include "entry/NumberText.h"
#include "model/AstmTransmissionClass.h"
#include "model/Bands.h"
#include "model/ImpactInsulationClass.h"
#include "model/ImpactSoundRating.h"
#include "model/LimitTolerance.h"
#include "model/SoundReduction.h"
#include "model/TransmissionClass.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <span>

namespace velmora {

namespace {

/**
 * A shortfall in dB with one decimal, rounded up so that making it good is enough, and never
 * "0.0". A strict shortfall must be more than made good (a sum that must stay below its limit),
 * so a whole number of tenths rounds up to the next tenth. Within kLimitTolerance of a tenth the
 * amount is that tenth: levels in tenths held as floats make an exact 1.2 dB come out as
 * 1.20000076, which asks for 1.2, not 1.3.
 */
std::string Shortfall(double amount, bool strict)
{
    constexpr double kTenthsTolerance = kLimitTolerance * 10.0;
    const double tenths = strict ? std::floor(amount * 10.0 + kTenthsTolerance) + 1.0
                                 : std::ceil(amount * 10.0 - kTenthsTolerance);
    return FixedText(std::max(1.0, tenths) / 10.0, 1);
}

std::string Class(const char* name, double rating)
{
    return std::string(name) + " " + FixedText(rating, 0);
}

/**
 * The bands the next class's per-band limit catches, as "400 Hz must rise 1.2 dB, 500 Hz must rise
 * 2.0 dB": each band whose amount is above 0, moved by verb ("rise" or "fall") by text(amount).
 */
template <typename Band>
std::string BandMoves(std::span<const Band> bands, double Band::*amount, const char* verb,
                      std::string (*text)(double))
{
    std::string moves;
    for (const Band& band : bands) {
        if (!(band.*amount > 0.0))
            continue;
        moves += moves.empty() ? "" : ", ";
        moves +=
            FixedText(BandFrequency[band.band], 0) + " Hz must " + verb + " " + text(band.*amount) + " dB";
    }
    return moves;
}

/**
 * What the next class of a rating by unfavourable deviations needs: "Rw 55 needs 2.3 dB less
 * unfavourable deviation in total"; "-" when the rating or the excess is not finite.
 */
std::string NextDeviationClassAdvice(const char* name, double rating, double next, double excess)
{
    if (!std::isfinite(rating) || !std::isfinite(excess))
        return "-";
    return Class(name, next) + " needs " + Shortfall(excess, false) +
           " dB less unfavourable deviation in total";
}

} // namespace

std::string NextTransmissionClassAdvice(const TransmissionClassRating& rating)
{
    if (!std::isfinite(rating.STC) || rating.bandCount == 0)
        return "-";
    const double next = rating.STC + 1.0;
    std::string text = Class("STC", next) + " needs ";
    const std::string rises =
        BandMoves(std::span(rating.bands.data(), static_cast<std::size_t>(rating.bandCount)),
                  &StcBand::nextRise, "rise", [](double rise) { return Shortfall(rise, false); });
    // The sum must stay below its limit, so meeting it exactly is still too much.
    const double excess = rating.nextDeficiencySum - rating.sumLimit;
    if (excess >= -kLimitTolerance) {
        text += Shortfall(excess, true) + " dB less deficiency in total";
        if (!rises.empty())
            text += "; " + rises;
        return text;
    }
    if (!rises.empty())
        return Class("STC", next) + ": " + rises;
    // Nothing in the bands keeps it out: the search starts 10 dB above the highest level.
    return text + "a band at " + FixedText(next - 10.0, 0) + " dB or more";
}

std::string NextSoundReductionAdvice(const SoundReductionRating& rating)
{
    return NextDeviationClassAdvice("Rw", rating.Rw, rating.Rw + 1.0, rating.nextClassExcess);
}

namespace {

/**
 * The next class of an ASTM contour rating: what its deficiencies exceed the limit by and which
 * bands must move (verb "rise" or "fall") by how much, in whole decibels as the rating counts them.
 */
std::string NextAstmClassAdvice(const AstmContourFit& fit, const std::string& nextClass, const char* verb)
{
    if (fit.bandCount == 0 || !std::isfinite(fit.nextDeficiencySum))
        return "-";
    const std::string moves =
        BandMoves(std::span(fit.bands.data(), static_cast<std::size_t>(fit.bandCount)),
                  &AstmBand::nextShortfall, verb, [](double shortfall) { return FixedText(shortfall, 0); });
    const double excess = fit.nextDeficiencySum - fit.sumLimit;
    if (excess > 0.0)
        return nextClass + " needs " + FixedText(excess, 0) + " dB less deficiency in total" +
               (moves.empty() ? "" : "; " + moves);
    // Only the next class's failing shows here; levels so large that a dB is lost in them give none.
    return moves.empty() ? "-" : nextClass + ": " + moves;
}

} // namespace

std::string NextAstmTransmissionClassAdvice(const AstmTransmissionRating& rating)
{
    return NextAstmClassAdvice(rating, Class("STC (E413)", rating.STC + 1.0), "rise");
}

std::string NextImpactInsulationClassAdvice(const ImpactInsulationRating& rating)
{
    return NextAstmClassAdvice(rating, Class("IIC", rating.IIC + 1.0), "fall");
}

std::string NextImpactSoundRatingAdvice(const ImpactSoundRating& rating)
{
    return NextDeviationClassAdvice("Ln,w", rating.Lnw, rating.Lnw - 1.0, rating.nextClassExcess);
}

} // namespace velmora
