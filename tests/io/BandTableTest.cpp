#include "io/BandTable.h"

#include "io/TabularLevels.h"
#include "model/ModelTestSupport.h"
#include "model/SpectrumCombination.h"
#include "model/StoredLevel.h"
#include "model/Weighting.h"
#include "support/Tolerance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

using namespace velmora;
using velmora::test::Near;

namespace {

std::vector<std::vector<std::string>> Cells(const std::string& text)
{
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string>& row = rows.emplace_back();
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, '\t');)
            row.push_back(cell);
    }
    return rows;
}

/** A cell's number, its decimal separator read as a point. */
double CellValue(std::string cell, const std::string& decimalPoint)
{
    if (const std::size_t at = cell.find(decimalPoint); at != std::string::npos)
        cell.replace(at, decimalPoint.size(), ".");
    return std::strtod(cell.c_str(), nullptr);
}

} // namespace

TEST(BandTable, CellsAreTheWindowsNumbersInTheDesktopsSeparatorAndReadBack)
{
    // Values whose single-precision sums print as noise ("14.799999") unrounded, halves, a value
    // that rounds to -0.0 and extremes of a float.
    const float awkward[] = {40.0f, 45.3f, -0.04f, 1e-7f, 123456.79f, 3.0e38f, 99.95f, 1.0f / 3.0f, 0.25f};
    for (const std::string point : {".", ","}) {
        for (const BandSet set : {BandSet::Octave, BandSet::Third}) {
            SCOPED_TRACE((set == BandSet::Third ? "third, '" : "octave, '") + point + "'");
            TSpectrumModel model = test::Spectrum(set, 0.0f);
            model.Nodes.DataType = PowerLevels;
            for (int k = 0; k < model.Nodes.Count; ++k) {
                model.Nodes.Node[k].Y =
                    awkward[k % std::size(awkward)] + static_cast<float>(k / std::size(awkward));
                model.OtherLevels[k] = 30.0f - 1.1f * static_cast<float>(k);
            }
            const TSpectrumModel before = model;

            const std::string text = BandTableText(model, point);
            const auto rows = Cells(text);
            ASSERT_EQ(static_cast<int>(rows.size()), model.Nodes.Count + 1);
            EXPECT_EQ(rows[0].front(), "Frequency (Hz)");
            // Fixed notation, no digit grouping: whole hertz, levels to one decimal.
            const std::regex hertz("[0-9]+");
            const std::regex level("-?[0-9]+" + std::string(point == "." ? "\\." : ",") + "[0-9]");
            for (int k = 0; k < model.Nodes.Count; ++k) {
                const auto& row = rows[k + 1];
                ASSERT_EQ(row.size(), 8u);
                const int band = BandIndexOfSlot(model, k);
                const double y = model.Nodes.Node[k].Y;
                EXPECT_TRUE(std::regex_match(row[0], hertz)) << row[0];
                EXPECT_EQ(CellValue(row[0], point), BandFrequency[band]);
                const double shown[] = {
                    y,
                    model.OtherLevels[k],
                    y + BandWeighting[0][band],
                    y + BandWeighting[1][band],
                    y + BandWeighting[2][band],
                    y + BandWeighting[3][band],
                    ToStoredLevel(CombinedLevel(PowerLevels, PressureLevels, static_cast<float>(y),
                                                model.OtherLevels[k])),
                };
                for (int c = 1; c < 8; ++c) {
                    EXPECT_TRUE(std::regex_match(row[c], level)) << row[c];
                    EXPECT_NE(row[c], "-0" + point + "0");
                    // Half a tenth, and the float's own step for values too large for tenths.
                    EXPECT_TRUE(Near(CellValue(row[c], point), shown[c - 1],
                                     test::kPrintedTenth * (1 + 1e-9) + std::fabs(shown[c - 1]) * 1e-7))
                        << row[c];
                }
            }

            // Pasted back, the table gives frequency and edited level band for band, as shown.
            TabularLevels read;
            TabularError error;
            ASSERT_TRUE(ReadTabularLevels(text, read, error)) << error.message;
            ASSERT_TRUE(read.labelled);
            ASSERT_EQ(static_cast<int>(read.rows.size()), model.Nodes.Count);
            for (int k = 0; k < model.Nodes.Count; ++k) {
                EXPECT_EQ(read.rows[k].band, BandIndexOfSlot(model, k));
                EXPECT_EQ(read.rows[k].level, CellValue(rows[k + 1][1], point)) << rows[k + 1][1];
            }

            // The HTML table holds the same cells.
            const std::string html = BandTableHtml(model, point);
            const std::regex cell("<t[dh][^>]*>([^<]*)</t[dh]>");
            std::vector<std::string> htmlCells;
            for (auto it = std::sregex_iterator(html.begin(), html.end(), cell); it != std::sregex_iterator();
                 ++it)
                htmlCells.push_back((*it)[1]);
            std::vector<std::string> textCells;
            for (const auto& row : rows)
                textCells.insert(textCells.end(), row.begin(), row.end());
            EXPECT_EQ(htmlCells, textCells);

            EXPECT_EQ(before.Results, model.Results) << "the results are computed aside";
        }
    }
}

TEST(BandTable, LevelsThatAreNotFiniteAreADashAndOddSeparatorsAPoint)
{
    TSpectrumModel model = test::Spectrum(BandSet::Octave, 50.25f);
    model.Nodes.Node[2].Y = std::numeric_limits<float>::infinity();
    model.OtherLevels[4] = std::numeric_limits<float>::quiet_NaN();
    const auto rows = Cells(BandTableText(model));
    EXPECT_EQ(rows[3], (std::vector<std::string>{"250", "-", "0.0", "-", "-", "-", "-", "-"}));
    EXPECT_EQ(rows[5][2], "-");
    EXPECT_EQ(rows[5][7], "-") << "a NaN other level combines to NaN";

    // The Arabic decimal separator is taken; what could break a cell or the HTML is not.
    EXPECT_EQ(Cells(BandTableText(model, "\xD9\xAB"))[1][1], "50\xD9\xAB"
                                                             "2");
    for (const char* odd : {"", "1", "<", "\t", "..", "-", ",,", "\xD9"})
        EXPECT_EQ(Cells(BandTableText(model, odd))[1][1], "50.2") << '"' << odd << '"';
}
