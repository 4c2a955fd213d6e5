#include "model/ContourFit.h"

#include "model/LimitTolerance.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>

namespace velmora {

namespace {

/** The most bands a fit compares; the ratings compare 16 at most. */
constexpr std::size_t kMostBands = 32;

} // namespace

double HighestMeetingPosition(std::span<const double> data, std::span<const double> shape, double sumLimit,
                              double bandLimit)
{
    const std::size_t count = std::min({data.size(), shape.size(), kMostBands});
    // headroom[j]: how far band j lies above the contour at position 0; touch: the whole position
    // at which the contour first meets the data from below.
    std::array<double, kMostBands> headroom{};
    double lowest = std::numeric_limits<double>::infinity();
    for (std::size_t j = 0; j < count; ++j) {
        headroom[j] = data[j] - shape[j];
        lowest = std::min(lowest, headroom[j]);
    }
    const double touch = std::floor(lowest);
    for (std::size_t j = 0; j < count; ++j)
        headroom[j] -= touch;

    // At `touch` nothing lies below the contour. Each dB higher puts the band that touches it
    // (less than 1 dB clear) further below by a whole dB, so the lower of the two limits plus 2 dB
    // fails both rules even with the tolerance. Between the two, halving finds the last that meets.
    const auto meets = [&](double offset) {
        double sum = 0.0;
        for (std::size_t j = 0; j < count; ++j) {
            const double below = offset - headroom[j];
            if (below > bandLimit)
                return false;
            sum += std::max(below, 0.0);
        }
        return sum <= sumLimit + kLimitTolerance;
    };
    double meeting = 0.0;
    double failing = std::floor(std::min(sumLimit, bandLimit)) + 2.0;
    while (failing - meeting > 1.0) {
        const double middle = std::floor((meeting + failing) / 2.0);
        (meets(middle) ? meeting : failing) = middle;
    }
    return touch + meeting;
}

double ShortfallSum(std::span<const double> data, std::span<const double> shape, double position)
{
    double sum = 0.0;
    for (std::size_t j = 0; j < std::min(data.size(), shape.size()); ++j)
        sum += std::max(position + shape[j] - data[j], 0.0);
    return sum;
}

} // namespace velmora
