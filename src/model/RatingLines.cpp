#include "model/RatingLines.h"

#include "entry/NumberText.h"
#include "model/ComparisonTable.h"
#include "model/RatingAdvice.h"
#include "model/SpectrumRatings.h"
#include "model/Weighting.h"

#include <cmath>

namespace velmora {

namespace {

/** "54 (-2; -6)": a whole rating with its terms in brackets; "-" when the rating is not finite. */
std::string WithTerms(double rating, std::initializer_list<double> terms)
{
    if (!std::isfinite(rating))
        return "-";
    std::string text = ComparisonNumber(rating, 0) + " (";
    const char* separator = "";
    for (double term : terms) {
        text += separator + ComparisonNumber(term, 0);
        separator = "; ";
    }
    return text + ")";
}

/** The band of a weighting that carries the most energy: the one whose weighted level is highest. */
int LoudestBand(const SpectrumRatings& ratings, int w)
{
    int loudest = -1;
    double highest = -INFINITY;
    for (int k = 0; k < ratings.bandCount; ++k) {
        const double level = ratings.bands[k].weighted[w];
        if (std::isfinite(level) && level > highest) {
            highest = level;
            loudest = ratings.bands[k].band;
        }
    }
    return std::isfinite(ratings.weighted[w]) ? loudest : -1;
}

/** The band whose value of a rating is largest and above 0; -1 when none is. */
template <typename Value> int LargestBand(const SpectrumRatings& ratings, Value value)
{
    int found = -1;
    double largest = 0.0;
    for (int k = 0; k < ratings.bandCount; ++k) {
        const double v = value(ratings.bands[k]);
        if (v > largest) {
            largest = v;
            found = ratings.bands[k].band;
        }
    }
    return found;
}

void LevelLines(const SpectrumRatings& r, std::vector<RatingLine>& lines)
{
    static constexpr const char* kWeighted[] = {"dBA", "dBB", "dBC", "dBD"};
    for (int w = WeightA; w <= WeightD; ++w)
        lines.push_back({kWeighted[w], ComparisonNumber(r.weighted[w], 1), LoudestBand(r, w), ""});
    lines.push_back(
        {"NR", ComparisonNumber(r.noise.NR, 1), GoverningBand(r, RatingCurve::NR), "", RatingCurve::NR});
    const std::string nc = NoiseCriterionText(r.nc);
    lines.push_back({"NC", nc.starts_with("NC ") ? nc.substr(3) : nc, GoverningBand(r, RatingCurve::NC), "",
                     RatingCurve::NC});
    lines.push_back(
        {"SIL", ComparisonNumber(r.nc.SIL, 1), -1, "", RatingCurve::None, RatingGroup::Main, true});
    lines.push_back({"Ln,w (CI)", WithTerms(r.impact.Lnw, {r.impact.CI}), GoverningBand(r, RatingCurve::Lnw),
                     NextImpactSoundRatingAdvice(r.impact), RatingCurve::Lnw, RatingGroup::Impact});
    lines.push_back({"CI,50-2500", ComparisonNumber(r.impact.CI50_2500, 0), -1, "", RatingCurve::None,
                     RatingGroup::Impact, true});
    lines.push_back({"IIC", ComparisonNumber(r.iic.IIC, 0), GoverningBand(r, RatingCurve::IIC),
                     NextImpactInsulationClassAdvice(r.iic), RatingCurve::IIC, RatingGroup::Impact});
}

void AttenuationLines(const SpectrumRatings& r, std::vector<RatingLine>& lines)
{
    lines.push_back({"STC", ComparisonNumber(r.transmission.STC, 0), GoverningBand(r, RatingCurve::STC),
                     NextTransmissionClassAdvice(r.transmission), RatingCurve::STC});
    lines.push_back({"STC (E413)", ComparisonNumber(r.astm.STC, 0), GoverningBand(r, RatingCurve::AstmSTC),
                     NextAstmTransmissionClassAdvice(r.astm), RatingCurve::AstmSTC});
    const SoundReductionRating& rw = r.reduction;
    lines.push_back({"Rw (C; Ctr)", WithTerms(rw.Rw, {rw.C, rw.Ctr}), GoverningBand(r, RatingCurve::Rw),
                     NextSoundReductionAdvice(rw), RatingCurve::Rw});
    const EnlargedAdaptationTerms& terms = r.enlarged;
    const std::pair<const char*, double> enlarged[] = {
        {"C50-3150", terms.C50_3150},     {"C50-5000", terms.C50_5000},
        {"C100-5000", terms.C100_5000},   {"Ctr50-3150", terms.Ctr50_3150},
        {"Ctr50-5000", terms.Ctr50_5000}, {"Ctr100-5000", terms.Ctr100_5000},
    };
    for (const auto& [name, value] : enlarged)
        lines.push_back(
            {name, ComparisonNumber(value, 0), -1, "", RatingCurve::None, RatingGroup::Main, true});
}

} // namespace

int GoverningBand(const SpectrumRatings& ratings, RatingCurve curve)
{
    switch (curve) {
    case RatingCurve::NR:
        return ratings.noise.governingBand;
    case RatingCurve::NC:
        return ratings.nc.governingBand;
    case RatingCurve::Lnw:
        return std::isfinite(ratings.impact.Lnw) ? ratings.impact.governingBand : -1;
    case RatingCurve::IIC:
        return ratings.iic.governingBand;
    case RatingCurve::STC: {
        const TransmissionClassRating& stc = ratings.transmission;
        if (stc.bandCount == 0)
            return -1;
        return stc.nextRuleBand >= 0
                   ? stc.nextRuleBand
                   : LargestBand(ratings, [](const BandBreakdown& band) { return band.stcDeficiency; });
    }
    case RatingCurve::AstmSTC:
        return ratings.astm.governingBand;
    case RatingCurve::Rw:
        return LargestBand(ratings, [](const BandBreakdown& band) { return band.rwDeviation; });
    case RatingCurve::None:
        break;
    }
    return -1;
}

std::vector<RatingLine> RatingLines(const SpectrumRatings& ratings, RatingFamily family)
{
    std::vector<RatingLine> lines;
    if (family == RatingFamily::Levels)
        LevelLines(ratings, lines);
    else
        AttenuationLines(ratings, lines);
    return lines;
}

std::string BandName(int band)
{
    if (band < 0 || band >= kBandCount)
        return "-";
    return FixedText(BandFrequency[band], 0) + " Hz";
}

} // namespace velmora
