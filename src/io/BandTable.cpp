#include "io/BandTable.h"

#include "model/Bands.h"
#include "model/SpectrumCombination.h"
#include "model/SpectrumModel.h"
#include "model/StoredLevel.h"
#include "model/Weighting.h"

#include <array>
#include <charconv>
#include <cmath>
#include <vector>

namespace velmora {

namespace {

constexpr std::array<const char*, 8> kHeader = {"Frequency (Hz)", "Edited (dB)", "Other (dB)", "A (dB)",
                                                "B (dB)",         "C (dB)",      "D (dB)",     "Result (dB)"};

/**
 * The shortest fixed-point text that reads back as the same float: the model holds single
 * precision, so more digits would only show the binary rounding ("45.299999").
 */
std::string CellText(float value)
{
    if (!std::isfinite(value))
        return "-";
    // 39 digits before the point are the most a float can need.
    std::array<char, 64> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
    return std::string(buffer.data(), result.ptr);
}

std::vector<std::array<std::string, kHeader.size()>> Rows(const TSpectrumModel& model)
{
    std::vector<std::array<std::string, kHeader.size()>> rows;
    const int bands = BandCountOf(model);
    for (int k = 0; k < bands; ++k) {
        const int band = BandIndexOfSlot(model, k);
        const float level = model.Nodes.Node[k].Y;
        auto& row = rows.emplace_back();
        row[0] = CellText(BandFrequency[band]);
        row[1] = CellText(level);
        row[2] = CellText(model.OtherLevels[k]);
        // In single precision, as the weighting overlay and velmora-calc bands add them.
        for (std::size_t w = 0; w < BandWeighting.size(); ++w)
            row[3 + w] = CellText(level + BandWeighting[w][band]);
        row[7] = CellText(ToStoredLevel(
            CombinedLevel(model.Nodes.DataType, model.OtherDataType, level, model.OtherLevels[k])));
    }
    return rows;
}

} // namespace

std::string BandTableText(const TSpectrumModel& model)
{
    std::string text;
    const auto line = [&text](const auto& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i)
            (text += i == 0 ? "" : "\t") += cells[i];
        text += '\n';
    };
    line(kHeader);
    for (const auto& row : Rows(model))
        line(row);
    return text;
}

std::string BandTableHtml(const TSpectrumModel& model)
{
    std::string html = "<html><body><table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">\n<tr>";
    for (const char* name : kHeader)
        (html += "<th>") += std::string(name) + "</th>";
    html += "</tr>\n";
    for (const auto& row : Rows(model)) {
        html += "<tr>";
        for (const std::string& cell : row)
            (html += "<td align=\"right\">") += cell + "</td>";
        html += "</tr>\n";
    }
    html += "</table></body></html>\n";
    return html;
}

} // namespace velmora
