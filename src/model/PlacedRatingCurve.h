#pragma once

#include "model/Bands.h"
#include "model/RatingCurve.h"

#include <array>
#include <limits>
#include <string>

namespace velmora {

struct SpectrumRatings;

/** One point of a placed reference curve. */
struct RatingCurvePoint {
    /** Band index into BandFrequency. */
    int band = 0;
    /** The curve's level here, dB. */
    double level = std::numeric_limits<double>::quiet_NaN();
    /** The level the rating compares with the curve here, dB: the band's level, or for NC its octave's level.
     */
    double rated = std::numeric_limits<double>::quiet_NaN();
    /**
     * How far rated lies on the wrong side of the curve, dB, as the rating counts it: a deficiency
     * below an airborne contour, a deviation above an impact curve (in whole dB for the ASTM
     * ratings, which round the levels first); 0 where the band does not fall short or is not rated.
     */
    double shortfall = 0.0;
};

/** A rating's reference curve moved to where it rates a spectrum; empty (count 0) when nothing is drawn. */
struct PlacedRatingCurve {
    RatingCurve curve = RatingCurve::None;
    /** The curve's points from low to high frequency; only the first count are set. */
    std::array<RatingCurvePoint, kBandCount> points{};
    int count = 0;
    /** Band index of the band that governs the rating (GoverningBand); -1 when none does. */
    int governingBand = -1;
    /** What the curve is, for its label on the graph: "STC (E413) 52 contour", "NC 46.3 curve". */
    std::string label;
};

/**
 * The reference curve of a rating placed where it rates the spectrum whose ratings are given, in
 * the bands of the set (bandStart, bandStep) that the rating compares:
 * - NR: the NR curve at the spectrum's NR, in every band of the set;
 * - NC: the curve of the NC value, interpolated between the NC curves as the value is, at the
 *   octaves 63 Hz to 8000 Hz, so that it passes through the governing octave's level; above the
 *   family the NC-70 curve, below it the NC-15 curve;
 * - Ln,w and Rw: the reference curve moved to the rating; IIC and STC (E413): the contour at the
 *   rating; STC: Velmora's contour at the rating, 125 Hz to 5000 Hz.
 * Empty for None, for a rating that is not rated (or an STC of -1, which rates nothing), and for
 * a band set the rating does not know. Shortfalls come from the ratings' own band values.
 */
PlacedRatingCurve PlaceRatingCurve(const SpectrumRatings& ratings, RatingCurve curve, int bandStart,
                                   int bandStep);

} // namespace velmora
