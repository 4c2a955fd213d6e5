#include "io/BandTable.h"

#include "entry/NumberText.h"
#include "model/Bands.h"
#include "model/SpectrumCombination.h"
#include "model/SpectrumModel.h"
#include "model/StoredLevel.h"
#include "model/Weighting.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace velmora {

namespace {

constexpr std::array<const char*, 8> kHeader = {"Frequency (Hz)", "Edited (dB)", "Other (dB)", "A (dB)",
                                                "B (dB)",         "C (dB)",      "D (dB)",     "Result (dB)"};

/** decimalPoint when a spreadsheet can take it for one, else ".". */
std::string_view UsableDecimalPoint(std::string_view decimalPoint)
{
    // One UTF-8 character of two to four bytes has no ASCII byte, so it cannot break a cell,
    // the HTML or the number it stands in.
    const bool nonAscii = decimalPoint.size() >= 2 && decimalPoint.size() <= 4 &&
                          std::all_of(decimalPoint.begin(), decimalPoint.end(),
                                      [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    return decimalPoint == "," || nonAscii ? decimalPoint : ".";
}

/**
 * value as the window shows it: fixed notation with the given decimals, "-" when it is not
 * finite, and without the sign of a value that rounds to zero.
 */
std::string CellText(double value, int decimals, std::string_view decimalPoint)
{
    if (!std::isfinite(value))
        return "-";
    std::string text = FixedTextWithoutNegativeZero(value, decimals);
    if (const std::size_t point = text.find('.'); point != std::string::npos)
        text.replace(point, 1, decimalPoint);
    return text;
}

} // namespace

BandTableCells BandTable(const TSpectrumModel& model, std::string_view decimalPoint)
{
    const std::string_view point = UsableDecimalPoint(decimalPoint);
    const auto level = [point](double value) { return CellText(value, 1, point); };
    BandTableCells table{{kHeader.begin(), kHeader.end()}, {}};
    const int bands = BandCountOf(model);
    for (int k = 0; k < bands; ++k) {
        const int band = BandIndexOfSlot(model, k);
        const float y = model.Nodes.Node[k].Y;
        auto& row = table.rows.emplace_back(kHeader.size());
        row[0] = CellText(BandFrequency[band], 0, point);
        row[1] = level(y);
        row[2] = level(model.OtherLevels[k]);
        // As the ratings panel weights each band.
        for (int w = WeightA; w <= WeightD; ++w)
            row[3 + w] = level(WeightedBandLevel(y, band, w));
        // As the results overlay stores the combination.
        row[7] = level(
            ToStoredLevel(CombinedLevel(model.Nodes.DataType, model.OtherDataType, y, model.OtherLevels[k])));
    }
    return table;
}

std::string BandTableText(const TSpectrumModel& model, std::string_view decimalPoint)
{
    std::string text;
    const auto line = [&text](const auto& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i)
            (text += i == 0 ? "" : "\t") += cells[i];
        text += '\n';
    };
    const BandTableCells table = BandTable(model, decimalPoint);
    line(table.header);
    for (const auto& row : table.rows)
        line(row);
    return text;
}

std::string BandTableHtml(const TSpectrumModel& model, std::string_view decimalPoint)
{
    std::string html = "<html><body><table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">\n<tr>";
    const BandTableCells table = BandTable(model, decimalPoint);
    for (const std::string& name : table.header)
        (html += "<th>") += name + "</th>";
    html += "</tr>\n";
    for (const auto& row : table.rows) {
        html += "<tr>";
        for (const std::string& cell : row)
            (html += "<td align=\"right\">") += cell + "</td>";
        html += "</tr>\n";
    }
    html += "</table></body></html>\n";
    return html;
}

} // namespace velmora
