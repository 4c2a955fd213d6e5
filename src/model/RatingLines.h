#pragma once

#include <string>
#include <vector>

namespace velmora {

struct SpectrumRatings;

/** The two families of ratings: those of levels (data types 0 and 1) and those of attenuations (type 2). */
enum class RatingFamily { Levels, Attenuation };

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
};

/** The family of a data type: attenuations for type 2, levels for any other. */
RatingFamily FamilyOf(int dataType);

/** The ratings of a family, in the order the panel lists them, read from the one ratings value. */
std::vector<RatingLine> RatingLines(const SpectrumRatings& ratings, RatingFamily family);

/** "500 Hz" for a band index, "-" for -1 or any index that is no band. */
std::string BandName(int band);

} // namespace velmora
