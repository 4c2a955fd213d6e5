#include "io/BandTable.h"

#include "io/TabularLevels.h"
#include "model/ModelTestSupport.h"
#include "model/SpectrumCombination.h"
#include "model/StoredLevel.h"
#include "model/Weighting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

using namespace velmora;

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

/** A cell read back as the model's float; the cells are written to read back exactly. */
float CellValue(const std::string& cell)
{
    return ToStoredLevel(std::strtod(cell.c_str(), nullptr));
}

} // namespace

TEST(BandTable, EveryCellReadsBackAsTheModelsValueAndTheTableReadsBackAsLevels)
{
    // Values with long binary expansions and extremes of a float, so that a cell printed short of
    // the model's precision, or in an exponent, shows.
    const float awkward[] = {45.3f, -0.1f, 1e-7f, 123456.79f, 3.0e38f, 0.0f, 99.95f, 1.0f / 3.0f};
    for (const BandSet set : {BandSet::Octave, BandSet::Third}) {
        SCOPED_TRACE(set == BandSet::Third ? "third" : "octave");
        TSpectrumModel model = test::Spectrum(set, 0.0f);
        model.Nodes.DataType = PowerLevels;
        for (int k = 0; k < model.Nodes.Count; ++k) {
            model.Nodes.Node[k].Y = awkward[k % std::size(awkward)] + static_cast<float>(k);
            model.OtherLevels[k] = 30.0f - 1.1f * static_cast<float>(k);
        }
        const TSpectrumModel before = model;

        const std::string text = BandTableText(model);
        const auto rows = Cells(text);
        ASSERT_EQ(static_cast<int>(rows.size()), model.Nodes.Count + 1);
        EXPECT_EQ(rows[0].front(), "Frequency (Hz)");
        for (int k = 0; k < model.Nodes.Count; ++k) {
            const auto& row = rows[k + 1];
            ASSERT_EQ(row.size(), 8u);
            const int band = BandIndexOfSlot(model, k);
            const float y = model.Nodes.Node[k].Y;
            EXPECT_EQ(CellValue(row[0]), BandFrequency[band]);
            EXPECT_EQ(CellValue(row[1]), y) << row[1];
            EXPECT_EQ(CellValue(row[2]), model.OtherLevels[k]) << row[2];
            for (int w = 0; w < 4; ++w)
                EXPECT_EQ(CellValue(row[3 + w]), y + BandWeighting[w][band]) << row[3 + w];
            EXPECT_EQ(CellValue(row[7]),
                      ToStoredLevel(CombinedLevel(PowerLevels, PressureLevels, y, model.OtherLevels[k])));
            for (const std::string& cell : row)
                EXPECT_EQ(cell.find_first_of(",e"), std::string::npos) << cell << ": no comma, no exponent";
        }

        // Pasted back, the table gives frequency and edited level, band for band, exactly.
        TabularLevels read;
        TabularError error;
        ASSERT_TRUE(ReadTabularLevels(text, read, error)) << error.message;
        ASSERT_TRUE(read.labelled);
        ASSERT_EQ(static_cast<int>(read.rows.size()), model.Nodes.Count);
        for (int k = 0; k < model.Nodes.Count; ++k) {
            EXPECT_EQ(read.rows[k].band, BandIndexOfSlot(model, k));
            EXPECT_EQ(ToStoredLevel(read.rows[k].level), model.Nodes.Node[k].Y);
        }

        // The HTML table holds the same cells.
        const std::string html = BandTableHtml(model);
        const std::regex cell("<t[dh][^>]*>([^<]*)</t[dh]>");
        std::vector<std::string> htmlCells;
        for (auto it = std::sregex_iterator(html.begin(), html.end(), cell); it != std::sregex_iterator();
             ++it)
            htmlCells.push_back((*it)[1]);
        std::vector<std::string> textCells;
        for (const auto& row : rows)
            textCells.insert(textCells.end(), row.begin(), row.end());
        EXPECT_EQ(htmlCells, textCells);
        EXPECT_NE(html.find("<table"), std::string::npos);

        EXPECT_EQ(before.Results, model.Results) << "the results are computed aside";
    }
}

TEST(BandTable, LevelsThatAreNotFiniteAreADash)
{
    TSpectrumModel model = test::Spectrum(BandSet::Octave, 50.0f);
    model.Nodes.Node[2].Y = std::numeric_limits<float>::infinity();
    model.OtherLevels[4] = std::numeric_limits<float>::quiet_NaN();
    const auto rows = Cells(BandTableText(model));
    EXPECT_EQ(rows[3], (std::vector<std::string>{"250", "-", "0", "-", "-", "-", "-", "-"}));
    EXPECT_EQ(rows[5][2], "-");
    EXPECT_EQ(rows[5][7], "-") << "a NaN other level combines to NaN";
}
