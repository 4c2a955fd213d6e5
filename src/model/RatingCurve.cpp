#include "model/RatingCurve.h"

namespace velmora {

namespace {

/** The data type of attenuations; the levels are 0 and 1, correction factors 3. */
constexpr int kAttenuationType = 2;

} // namespace

RatingFamily FamilyOf(int dataType)
{
    return dataType == kAttenuationType ? RatingFamily::Attenuation : RatingFamily::Levels;
}

RatingFamily FamilyOfCurve(RatingCurve curve)
{
    switch (curve) {
    case RatingCurve::STC:
    case RatingCurve::AstmSTC:
    case RatingCurve::Rw:
        return RatingFamily::Attenuation;
    default:
        return RatingFamily::Levels;
    }
}

bool IsRatedDataType(int dataType)
{
    return dataType >= 0 && dataType <= kAttenuationType;
}

bool CurveRatesDataType(RatingCurve curve, int dataType)
{
    return curve != RatingCurve::None && IsRatedDataType(dataType) &&
           FamilyOfCurve(curve) == FamilyOf(dataType);
}

} // namespace velmora
