#pragma once

#include "model/RatingCurve.h"

#include <string>
#include <vector>

namespace velmora {

struct SpectrumRatings;

/** Where the panel lists a rating: with the rest, or among the impact ratings, which fold together. */
enum class RatingGroup { Main, Impact };

/** One rating as every text of the program shows it: the panel, the report and velmora-calc explain. */
struct RatingLine {
    /** "dBA", "NR", "NC", "SIL", "Ln,w (CI)", "CI,50-2500", "IIC", "STC", "STC (E413)", "Rw (C; Ctr)",
     * "C50-3150", ... */
    std::string name;
    /** The number as shown: "61.9", "52", "54 (-2; -6)", ">NC-70"; "-" when the spectrum or its band set is
     * not rated. */
    std::string value;
    /** Band index of the band that governs the rating, -1 when none does. */
    int governingBand = -1;
    /** What the next class needs ("Rw 55 needs 2.3 dB less unfavourable deviation in total"); empty
     * for a rating without classes, "-" when not rated. */
    std::string advice;
    /** The rating's reference curve, None for a rating without one. */
    RatingCurve curve = RatingCurve::None;
    RatingGroup group = RatingGroup::Main;
    /**
     * A number that goes with the ratings before it rather than rating on its own (SIL, CI,50-2500,
     * the enlarged-range terms): no band governs it and it has no classes.
     */
    bool term = false;
};

/** The ratings of a family, in the order the panel lists them, read from the one ratings value. */
std::vector<RatingLine> RatingLines(const SpectrumRatings& ratings, RatingFamily family);

/**
 * Band index of the band that governs the rating whose curve is curve, as its line gives it: the
 * band on the highest NR curve or NC curve, the band the next class's per-band limit catches
 * first (STC, STC (E413), IIC), else the one furthest on the wrong side of the curve; -1 when
 * none does, when the rating is not rated, and for None.
 */
int GoverningBand(const SpectrumRatings& ratings, RatingCurve curve);

/** "500 Hz" for a band index, "-" for -1 or any index that is no band. */
std::string BandName(int band);

} // namespace velmora
