#include "model/AstmTransmissionClass.h"

namespace velmora {

namespace {

/** The compared bands start at 125 Hz. */
constexpr int kFirstBand = 4;

constexpr std::array<double, kAstmBands> kContour = {-16, -13, -10, -7, -4, -1, 0, 1, 2, 3, 4, 4, 4, 4, 4, 4};

} // namespace

AstmTransmissionRating RateAstmTransmissionClass(std::span<const float> levels, int bandStart, int bandStep)
{
    AstmTransmissionRating rating;
    static_cast<AstmContourFit&>(rating) =
        FitAstmContour(levels, bandStart, bandStep, kFirstBand, kContour, AstmDeficientSide::Below);
    rating.STC = rating.contourAt500;
    return rating;
}

double AstmTransmissionContourLevel(double stc, int band)
{
    return AstmContourLevel(kContour, kFirstBand, stc, band);
}

} // namespace velmora
