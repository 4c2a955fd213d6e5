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

} // namespace velmora
