#include "entry/NumberText.h"
#include "model/AstmTransmissionClass.h"
#include "model/Bands.h"
#include "model/EnlargedAdaptationTerms.h"
#include "model/ImpactInsulationClass.h"
#include "model/ImpactSoundRating.h"
#include "model/NoiseCriterion.h"
#include "model/NoiseRating.h"
#include "model/SoundReduction.h"
#include "model/TransmissionClass.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

namespace velmora {
namespace {

using Levels = std::array<float, kBandSlots>;

/** Every number a page's examples can show, computed from one spectrum, as the page writes it. */
std::string Computed(const std::string& field, const Levels& levels, int start, int step, int decimals)
{
    const SoundReductionRating rw = RateSoundReduction(levels, start, step);
    const EnlargedAdaptationTerms terms = RateEnlargedAdaptationTerms(levels, start, step, rw.Rw);
    const AstmTransmissionRating e413 = RateAstmTransmissionClass(levels, start, step);
    const ImpactSoundRating ln = RateImpactSound(levels, start, step);
    const ImpactInsulationRating iic = RateImpactInsulationClass(levels, start, step);
    const NoiseCriterionRating nc = RateNoiseCriterion(levels, start, step);
    if (field == "NC")
        return NoiseCriterionText(nc);
    const std::map<std::string, double> values = {
        {"Rw", rw.Rw},
        {"C", rw.C},
        {"Ctr", rw.Ctr},
        {"RwSum", rw.deviationSum},
        {"C50_3150", terms.C50_3150},
        {"C50_5000", terms.C50_5000},
        {"C100_5000", terms.C100_5000},
        {"Ctr50_3150", terms.Ctr50_3150},
        {"Ctr50_5000", terms.Ctr50_5000},
        {"Ctr100_5000", terms.Ctr100_5000},
        {"STC", RateTransmissionClass(levels, start, step).STC},
        {"STCE413", e413.STC},
        {"E413Sum", e413.deficiencySum},
        {"Lnw", ln.Lnw},
        {"CI", ln.CI},
        {"LnwSum", ln.deviationSum},
        {"IIC", iic.IIC},
        {"IICSum", iic.deficiencySum},
        {"NCBand", nc.governingBand >= 0 ? BandFrequency[nc.governingBand] : NAN},
        {"SIL", nc.SIL},
        {"NR", RateNoise(levels, start, step).NR},
    };
    const auto value = values.find(field);
    return value == values.end() ? "no such field " + field : FixedText(value->second, decimals);
}

std::string Unescaped(std::string text)
{
    for (const auto& [entity, character] : {std::pair{"&gt;", ">"}, std::pair{"&lt;", "<"}})
        for (std::size_t at; (at = text.find(entity)) != std::string::npos;)
            text.replace(at, std::string(entity).size(), character);
    return text;
}

TEST(HelpExamplesTest, TheRatingPagesShowWhatTheFunctionsCompute)
{
    // A page marks each example spectrum's row of levels with data-levels="name" (its band set and
    // first band given too) and each number computed from it with data-check="name:field".
    const std::regex row(
        R"re(<tr data-levels="(\w+)" data-set="(third|octave)" data-first="(\d+)">(.*?)</tr>)re");
    const std::regex cell(R"re(<td[^>]*>(-?[0-9.]+)</td>)re");
    const std::regex check(R"re(data-check="(\w+):(\w+)">([^<]+)<)re");
    for (const char* page : {"insulation.html", "impact.html", "roomnoise.html"}) {
        std::ifstream file(std::string(VELMORA_HELP_DIR) + "/" + page);
        ASSERT_TRUE(file) << page;
        std::stringstream text;
        text << file.rdbuf();
        const std::string html = text.str();

        struct Spectrum {
            Levels levels;
            int start, step;
        };
        std::map<std::string, Spectrum> spectra;
        for (auto it = std::sregex_iterator(html.begin(), html.end(), row); it != std::sregex_iterator();
             ++it) {
            Spectrum spectrum{};
            spectrum.levels.fill(NAN); // a band the page does not show is not there
            const bool third = (*it)[2] == "third";
            spectrum.start = third ? kThirdBandStart : kOctaveBandStart;
            spectrum.step = third ? kThirdBandStep : kOctaveBandStep;
            int band = 0;
            while (BandFrequency[band] != std::stof((*it)[3]))
                ++band;
            int slot = (band - spectrum.start) / spectrum.step;
            const std::string cells = (*it)[4];
            for (auto c = std::sregex_iterator(cells.begin(), cells.end(), cell); c != std::sregex_iterator();
                 ++c)
                spectrum.levels[slot++] = std::stof((*c)[1]);
            spectra[(*it)[1]] = spectrum;
        }
        int checked = 0;
        for (auto it = std::sregex_iterator(html.begin(), html.end(), check); it != std::sregex_iterator();
             ++it) {
            const auto spectrum = spectra.find((*it)[1]);
            ASSERT_NE(spectrum, spectra.end()) << page << ": no levels for " << (*it)[1];
            const std::string shown = Unescaped((*it)[3]);
            const std::size_t point = shown.find('.');
            const int decimals = point == std::string::npos ? 0 : static_cast<int>(shown.size() - point - 1);
            const Spectrum& s = spectrum->second;
            EXPECT_EQ(Computed((*it)[2], s.levels, s.start, s.step, decimals), shown)
                << page << ", " << (*it)[1] << ":" << (*it)[2];
            ++checked;
        }
        EXPECT_GE(checked, 10) << page << ": the examples must be marked to be checked";
    }
}

} // namespace
} // namespace velmora
