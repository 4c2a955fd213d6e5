// Reads arbitrary bytes as pasted or opened tabular levels and checks that whatever comes back is
// something the window can apply: bands in range, no band twice, levels a float can hold, or a
// message to show.
#include "io/TabularLevels.h"
#include "model/Bands.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

namespace {

using namespace velmora;

bool StorableLevel(double level)
{
    return std::isfinite(level) && std::fabs(level) <= std::numeric_limits<float>::max();
}

bool Holds(const TabularLevels& levels, std::size_t lines)
{
    if (!levels.labelled) {
        if (levels.levels.size() != 9 && levels.levels.size() != static_cast<std::size_t>(kBandCount))
            return false;
        for (const double level : levels.levels)
            if (!StorableLevel(level))
                return false;
        return levels.rows.empty();
    }
    if (levels.rows.empty() || !levels.levels.empty())
        return false;
    std::array<bool, kBandCount> listed{};
    for (const BandLevel& row : levels.rows) {
        if (row.band < 0 || row.band >= kBandCount || listed[row.band] || !StorableLevel(row.level))
            return false;
        if (row.line < 1 || static_cast<std::size_t>(row.line) > lines)
            return false;
        listed[row.band] = true;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // Every line end starts a line, CR LF counting once; the last line may have none.
    std::size_t lines = 1;
    for (std::size_t i = 0; i < size; ++i)
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == size || text[i + 1] != '\n')))
            ++lines;

    TabularLevels levels;
    TabularError error;
    if (ReadTabularLevels(text, levels, error)) {
        if (!Holds(levels, lines))
            __builtin_trap();
    } else if (error.message.empty() || error.line < 0 || static_cast<std::size_t>(error.line) > lines) {
        __builtin_trap();
    }
    const int band = BandOfFrequencyText(text.substr(0, 64));
    if (band < -1 || band >= kBandCount)
        __builtin_trap();
    return 0;
}
