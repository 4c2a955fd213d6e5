#pragma once

#include <span>

namespace velmora {

/**
 * The highest whole position p of a contour that lies at p + shape[j] dB in band j such that the
 * amounts by which data[j] lie below it sum to no more than sumLimit (within kLimitTolerance)
 * and none is more than bandLimit (+inf for no per-band rule). data and shape hold the same number
 * of finite values, at least one; sumLimit and bandLimit are at least 0.
 *
 * A rating whose contour must lie above the data rather than below it flips the signs of data and
 * shape, and then of the position. Every position from the one where the contour touches the data
 * down meets the limits, so the search takes a handful of trials whatever the levels, and each
 * trial works on the data less that touching position: exact for data on the 0.1 dB grid, and
 * never stalled by huge levels, where the position is as exact as a double holds it.
 */
double HighestMeetingPosition(std::span<const double> data, std::span<const double> shape, double sumLimit,
                              double bandLimit);

/** Sum over the bands of how far data[j] lies below position + shape[j] (0 where it does not), dB. */
double ShortfallSum(std::span<const double> data, std::span<const double> shape, double position);

} // namespace velmora
