#pragma once

namespace velmora {

/** The two families of ratings: those of levels (data types 0 and 1) and those of attenuations (type 2). */
enum class RatingFamily { Levels, Attenuation };

/**
 * The reference curves the graph can draw, one for each rating that moves a curve or reads a
 * family of curves: NR and NC, Ln,w and IIC of levels, STC, STC (E413) and Rw of attenuations.
 */
enum class RatingCurve : int { None, NR, NC, Lnw, IIC, STC, AstmSTC, Rw };

/** The curves from NR to Rw, in the order the panel and the menu list them; None is not among them. */
inline constexpr RatingCurve kRatingCurves[] = {RatingCurve::NR,  RatingCurve::NC,  RatingCurve::Lnw,
                                                RatingCurve::IIC, RatingCurve::STC, RatingCurve::AstmSTC,
                                                RatingCurve::Rw};

/** The family of a data type: attenuations for type 2, levels for any other. */
RatingFamily FamilyOf(int dataType);

/** The family whose spectra the curve's rating rates: levels for NR to IIC, attenuations for the rest. */
RatingFamily FamilyOfCurve(RatingCurve curve);

/** True for the data types that are rated: levels (0, 1) and attenuations (2); correction factors (3) are
 * not. */
bool IsRatedDataType(int dataType);

/** True when the curve's rating rates spectra of dataType; never for None or an unrated type. */
bool CurveRatesDataType(RatingCurve curve, int dataType);

} // namespace velmora
