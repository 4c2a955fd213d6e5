#include "model/RatingLines.h"

#include "model/ModelTestSupport.h"
#include "model/Ratings.h"
#include "model/SpectrumRatings.h"

#include <limits>

namespace velmora {
namespace {

std::vector<std::string> Names(const std::vector<RatingLine>& lines)
{
    std::vector<std::string> names;
    for (const RatingLine& line : lines)
        names.push_back(line.name);
    return names;
}

const RatingLine& Line(const std::vector<RatingLine>& lines, const std::string& name)
{
    for (const RatingLine& line : lines)
        if (line.name == name)
            return line;
    static const RatingLine none;
    ADD_FAILURE() << name;
    return none;
}

TEST(RatingLinesTest, EachFamilyListsItsRatingsAsTheRatingsValueHoldsThem)
{
    EXPECT_EQ(FamilyOf(AttenuationLevels), RatingFamily::Attenuation);
    for (int type : {PressureLevels, PowerLevels, CorrectionFactors})
        EXPECT_EQ(FamilyOf(type), RatingFamily::Levels);

    // The ISO 717-2 bare floor, in the third octaves from 100 Hz.
    TSpectrumModel floor = test::Spectrum(BandSet::Third, 40.0f);
    for (int j = 0; j < 16; ++j)
        floor.Nodes.Node[3 + j].Y = test::kBareFloor[j];
    Recalculate(floor);
    const std::vector<RatingLine> levels = RatingLines(floor.Ratings, RatingFamily::Levels);
    EXPECT_EQ(Names(levels), (std::vector<std::string>{"dBA", "dBB", "dBC", "dBD", "NR", "NC", "SIL",
                                                       "Ln,w (CI)", "CI,50-2500", "IIC"}));
    EXPECT_EQ(Line(levels, "Ln,w (CI)").value, "79 (-11)");
    EXPECT_EQ(Line(levels, "Ln,w (CI)").advice.rfind("Ln,w 78 needs ", 0), 0u);

    // The ISO 717 reference curve as a wall: Rw 54 (C -2; Ctr -6), no band governing past the limit.
    TSpectrumModel wall = test::Spectrum(BandSet::Third, 0.0f);
    for (int j = 0; j < 16; ++j)
        wall.Nodes.Node[3 + j].Y = static_cast<float>(test::kRwCurve[j]);
    Recalculate(wall);
    const std::vector<RatingLine> attenuation = RatingLines(wall.Ratings, RatingFamily::Attenuation);
    EXPECT_EQ(Names(attenuation).front(), "STC");
    EXPECT_EQ(Line(attenuation, "Rw (C; Ctr)").value, "54 (-2; -6)");
    EXPECT_EQ(Line(attenuation, "Rw (C; Ctr)").advice,
              "Rw 55 needs 16.0 dB less unfavourable deviation in total");
    EXPECT_EQ(Line(attenuation, "STC").value,
              std::to_string(static_cast<int>(wall.Ratings.transmission.STC)));

    // A governing band is always a band of the set; a rating without a number has none.
    TSpectrumModel broken = wall;
    broken.Nodes.Node[10].Y = std::numeric_limits<float>::quiet_NaN();
    Recalculate(broken);
    for (RatingFamily family : {RatingFamily::Levels, RatingFamily::Attenuation})
        for (const TSpectrumModel* model : {&floor, &wall, &broken})
            for (const RatingLine& line : RatingLines(model->Ratings, family)) {
                EXPECT_TRUE(line.governingBand == -1 || BandName(line.governingBand) != "-") << line.name;
                if (line.value == "-") {
                    EXPECT_EQ(line.governingBand, -1) << line.name;
                }
            }
    EXPECT_EQ(Line(RatingLines(broken.Ratings, RatingFamily::Attenuation), "Rw (C; Ctr)").value, "-");
    EXPECT_EQ(BandName(10), "500 Hz");
    EXPECT_EQ(BandName(-1), "-");
}

} // namespace
} // namespace velmora
