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

} // namespace

std::string NextTransmissionClassAdvice(const TransmissionClassRating& rating)
{
    if (!std::isfinite(rating.STC) || rating.bandCount == 0)
        return "-";
    const double next = rating.STC + 1.0;
    std::string text = Class("STC", next) + " needs ";
    std::string rises;
    for (int j = 0; j < rating.bandCount; ++j) {
        const StcBand& band = rating.bands[j];
        if (!(band.nextRise > 0.0))
            continue;
        rises += rises.empty() ? "" : ", ";
        rises += FixedText(BandFrequency[band.band], 0) + " Hz must rise " + Shortfall(band.nextRise, false) +
                 " dB";
    }
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
    if (!std::isfinite(rating.Rw) || !std::isfinite(rating.nextClassExcess))
        return "-";
    return Class("Rw", rating.Rw + 1.0) + " needs " + Shortfall(rating.nextClassExcess, false) +
           " dB less unfavourable deviation in total";
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
    std::string moves;
    for (int j = 0; j < fit.bandCount; ++j) {
        const AstmBand& band = fit.bands[j];
        if (!(band.nextShortfall > 0.0))
            continue;
        moves += moves.empty() ? "" : ", ";
        moves += FixedText(BandFrequency[band.band], 0) + " Hz must " + verb + " " +
                 FixedText(band.nextShortfall, 0) + " dB";
    }
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
    if (!std::isfinite(rating.Lnw) || !std::isfinite(rating.nextClassExcess))
        return "-";
    return Class("Ln,w", rating.Lnw - 1.0) + " needs " + Shortfall(rating.nextClassExcess, false) +
           " dB less unfavourable deviation in total";
}

} // namespace velmora
