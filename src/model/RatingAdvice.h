#pragma once

#include <string>

namespace velmora {

struct TransmissionClassRating;
struct SoundReductionRating;

/**
 * What the next STC class needs, in one line: "STC 48 needs 3.4 dB less deficiency in total;
 * 400 Hz must rise 1.2 dB". The total is what the deficiencies of the next class exceed the sum
 * limit by, rounded up to a tenth so that doing what it says is enough (the sum must stay below the
 * limit); each band that the next class would catch by the per-band limit is named with its rise.
 * When neither keeps the next class out, it lies above where the search starts: the line says
 * which level the highest band needs. "-" when the rating is not finite or rated no band.
 */
std::string NextTransmissionClassAdvice(const TransmissionClassRating& rating);

/**
 * What the next Rw needs: "Rw 55 needs 2.3 dB less unfavourable deviation in total", the excess
 * rounded up to a tenth. "-" when the spectrum is not rated.
 */
std::string NextSoundReductionAdvice(const SoundReductionRating& rating);

struct AstmTransmissionRating;
struct ImpactInsulationRating;
struct ImpactSoundRating;

/**
 * What the next STC (E413) class needs: "STC (E413) 52 needs 3 dB less deficiency in total; 400 Hz
 * must rise 1 dB". The total is what the next class's deficiencies exceed their limit by (the sum
 * may reach the limit), in whole dB as the rating counts them; each band the per-band limit would
 * catch is named with the whole-dB rise of its level as given that is enough there
 * (AstmBand::nextShortfall). "-" when the spectrum is not rated.
 */
std::string NextAstmTransmissionClassAdvice(const AstmTransmissionRating& rating);

/**
 * What the next IIC needs, worded as for STC (E413) with the bands falling instead of rising:
 * "IIC 53 needs 2 dB less deficiency in total; 250 Hz must fall 1 dB". "-" when not rated.
 */
std::string NextImpactInsulationClassAdvice(const ImpactInsulationRating& rating);

/**
 * What the next (lower) Ln,w needs: "Ln,w 78 needs 1.5 dB less unfavourable deviation in total",
 * the excess rounded up to a tenth only where it exceeds that tenth by more than 0.001 dB, so that
 * an excess of exactly 1.2 dB held as 1.20000076 reads 1.2. "-" when the spectrum is not rated.
 */
std::string NextImpactSoundRatingAdvice(const ImpactSoundRating& rating);

} // namespace velmora
