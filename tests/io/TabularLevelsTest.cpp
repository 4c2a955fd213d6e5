#include "io/TabularLevels.h"

#include "entry/NumberText.h"
#include "model/Bands.h"
#include "support/Tolerance.h"
#include "support/Utf16Bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

using namespace velmora;
using namespace velmora::test;

namespace {

/** Levels are decimal text read into doubles; written with two decimals they come back to rounding. */
constexpr double kReadTolerance = 1e-9;

/** n different levels, so that a level shifted to another band shows. */
std::vector<double> Ramp(int n, double first = 40.5)
{
    std::vector<double> levels;
    for (int k = 0; k < n; ++k)
        levels.push_back(first + 1.25 * k);
    return levels;
}

/** The levels with two decimals and the given decimal mark, between separators. */
std::string Join(const std::vector<double>& levels, const std::string& separator, char mark = '.')
{
    std::string text;
    for (const double level : levels) {
        std::string number = FixedText(level, 2);
        std::replace(number.begin(), number.end(), '.', mark);
        text += (text.empty() ? "" : separator) + number;
    }
    return text;
}

using Bands = std::vector<std::pair<int, double>>;

struct Accepted {
    std::string text;
    bool labelled;
    std::vector<double> levels; // unlabelled, in band order
    Bands rows;                 // labelled: band and level in the order read
};

struct Refused {
    std::string text;
    int line;
    const char* words; // the message must hold them
};

} // namespace

TEST(TabularLevels, ReadsEveryAcceptedLayout)
{
    const std::vector<double> nine = Ramp(9);
    const std::vector<double> all = Ramp(27, -10.0);
    // clang-format off
    const Accepted cases[] = {
        // Unlabelled: columns and rows, headers, label columns, units, decimal commas, line ends.
        {"\xEF\xBB\xBF" "Level (dB)\r\n" + Join(nine, "\r\n") + "\r\n", false, nine, {}},
        {Join(all, "\t"), false, all, {}},
        {Join(nine, ";", ','), false, nine, {}},
        {Join(all, "\n\n", ','), false, all, {}},
        // A decimal comma on some levels only, near a band frequency ("62,5" by 63 Hz).
        {"Level\n60\n61\n62,5\n63\n64\n65\n66\n67\n68\n", false, {60, 61, 62.5, 63, 64, 65, 66, 67, 68}, {}},
        {Join(nine, " dB(A)   ") + " dB", false, nine, {}},
        {"Level\t" + Join(nine, "\t") + "\t\t\r", false, nine, {}},
        // Labelled, in any order, in every separator and frequency spelling.
        {"Frequency (Hz),Level (dB)\n1000,45.5\n63,40\n", true, {}, {{13, 45.5}, {1, 40}}},
        {"1 kHz\t1\n1k25\t2\n1.6k\t3\n2000 Hz\t4\n2.5KHZ\t5\n"
         "12.5 kHz\t6\n16k\t7\n20000hz\t8\n50\t9\n", true, {},
         {{13, 1}, {14, 2}, {15, 3}, {16, 4}, {17, 5}, {24, 6}, {25, 7}, {26, 8}, {0, 9}}},
        {"63 Hz  45.5 dB(A)\r125 Hz  \xE2\x88\x92" "3 dB\r250 Hz 1e-400\r", true, {},
         {{1, 45.5}, {4, -3}, {7, 0}}},
        {"Frequency (Hz)\tEdited (dB)\tOther (dB)\tA\tB\tC\tD\tResult\n"
         "250\t50.0\t40.0\t41.4\t42\t43\t44\tNR 35\n63\t45.0\t35.0\t36\t37\t38\t39\t\n", true, {},
         {{7, 50}, {1, 45}}},
        {"Frequency\t63 Hz\t125 Hz\t250 Hz\nLevel\t45\t50\t55,5\n", true, {}, {{1, 45}, {4, 50}, {7, 55.5}}},
        {"63\t125\n45\t50", true, {}, {{1, 45}, {4, 50}}},
        // Two frequencies over two levels near bands: a "Hz" label makes them a row, else pairs.
        {"Hz;1000;2000\ndB;80;75\n", true, {}, {{13, 80}, {16, 75}}},
        {"1000;80\n2000;75\n", true, {}, {{13, 80}, {16, 75}}},
        // Thousands marks, quoted cells, exact centre frequencies, empty leading columns, one pair.
        {"Freq;Level\n1.000;45,5\n12,500;30\n", true, {}, {{13, 45.5}, {24, 30}}},
        {"\"Hz\",\"dB\"\n\"2,000\",\"50\"\n\"1,25 kHz\",\"1e1\"\n", true, {}, {{16, 50}, {14, 10}}},
        {"1995.3 60\n1258.9 58", true, {}, {{16, 60}, {14, 58}}},
        {"\t63\t45\t\t\n\t125\t50\t\t\n", true, {}, {{1, 45}, {4, 50}}},
        {"1000 45", true, {}, {{13, 45}}},
        {"1000,45\n2000,50", true, {}, {{13, 45}, {16, 50}}},
        {"63 45,5\n125 50,25", true, {}, {{1, 45.5}, {4, 50.25}}},
        // UTF-16, as some Windows editors save a table, with non-ASCII letters in its header.
        {Utf16Bytes(u"Fr\u00E9quence;Niveau \u2013 dB\r\n1 kHz;45,5\r\n63;40\r\n", false, true), true, {},
         {{13, 45.5}, {1, 40}}},
        {Utf16Bytes(u"1 kHz\t45,5\n63\t40", true, false), true, {}, {{13, 45.5}, {1, 40}}},
    };
    // clang-format on
    for (const Accepted& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 80));
        TabularLevels read;
        TabularError error;
        if (!ReadTabularLevels(c.text, read, error)) {
            ADD_FAILURE() << error.message;
            continue;
        }
        EXPECT_EQ(read.labelled, c.labelled);
        ASSERT_EQ(read.levels.size(), c.levels.size());
        ASSERT_EQ(read.rows.size(), c.rows.size());
        for (std::size_t k = 0; k < c.levels.size(); ++k)
            EXPECT_TRUE(Near(read.levels[k], c.levels[k], kReadTolerance)) << "level " << k;
        for (std::size_t k = 0; k < c.rows.size(); ++k) {
            EXPECT_EQ(read.rows[k].band, c.rows[k].first) << "row " << k;
            EXPECT_TRUE(Near(read.rows[k].level, c.rows[k].second, kReadTolerance)) << "row " << k;
        }
    }
}

TEST(TabularLevels, RefusesWithLineAndReasonAndKeepsTheOutput)
{
    const std::string nineWithNote = "45\n50\n55\nn/a\n" + Join(Ramp(6), "\n");
    // clang-format off
    const Refused cases[] = {
        {"", 0, "No levels found."},
        {"Frequency\tLevel\r\n\r\n", 0, "No levels found."},
        {std::string(kMaxTabularBytes + 1, ' '), 0, "larger than 1 MiB"},
        {std::string("63\t45\0", 6), 0, "NUL"},
        {Join(Ramp(12), "\n"), 0, "12 levels fit neither"},
        {"45", 0, "1 level fits neither"},
        {"63\t45\n1100\t50", 2, "Line 2: 1100 Hz is not a band frequency."},
        {"1,100\t45", 1, "not a band frequency"},
        {"abc\t45\n63\t40", 1, "\"abc\" is not a band frequency"},
        {"31.5\t40\n63\t45", 1, "31.5 Hz is outside"},
        {"63\t40\n25 kHz\t45", 2, "outside"},
        {"63\t45\n125\tabc", 2, "Line 2: \"abc\" is not a level."},
        {Join(Ramp(9), " Hz\n"), 1, "is not a level"},
        {"63\t45\n1k\t50\n63 Hz\t50", 3, "listed twice (first on line 1)"},
        {"63\tnan", 1, "finite"},
        {"63\t-1e39", 1, "too large"},
        {"63\t1e400", 1, "too large"},
        {"63;45,5\n125;", 2, "has no level"},
        {nineWithNote, 4, "\"n/a\" is not a level"},
        {"63\t125\t250\n45\t50", 2, "2 levels for 3 frequencies"},
        {"63;125;250\n50;55", 2, "2 levels for 3 frequencies"},
        {"Hz;63;125;250\ndB;80;75;70\ndB;50;55;60", 3, "a second row of levels"},
        {"45\t\t" + Join(Ramp(8), "\t"), 1, "empty cell"},
    };
    // clang-format on
    for (const Refused& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 80));
        TabularLevels read;
        read.levels = {1.0};
        TabularError error;
        EXPECT_FALSE(ReadTabularLevels(c.text, read, error));
        EXPECT_EQ(error.line, c.line);
        EXPECT_NE(error.message.find(c.words), std::string::npos) << error.message;
        EXPECT_EQ(read.levels, std::vector<double>{1.0}) << "a refused text changes nothing";
        EXPECT_TRUE(read.rows.empty());
    }
    TabularLevels read;
    TabularError error;
    std::string largest = Join(Ramp(9), "\n");
    largest.resize(kMaxTabularBytes, ' ');
    EXPECT_TRUE(ReadTabularLevels(largest, read, error)) << "1 MiB exactly is still read";
}

TEST(TabularLevels, AFrequencyRowOverALevelRowReadsWhateverTheLevels)
{
    // Levels that are also band frequencies, or close to one, must not turn the rows into pairs.
    std::vector<double> firstLevels = {62.5, 49, 51, 78, 82, 98, 102};
    firstLevels.insert(firstLevels.end(), BandFrequency.begin(), BandFrequency.begin() + kBandCount);
    for (const int step : {kOctaveBandStep, kThirdBandStep}) {
        const int start = step == kOctaveBandStep ? kOctaveBandStart : kThirdBandStart;
        std::string frequencies = "Hz";
        for (int band = start; band < kBandCount; band += step)
            frequencies += ";" + FixedText(BandFrequency[band], 0);
        for (const double first : firstLevels) {
            std::vector<double> levels = Ramp(BandCount(start, step), 30.25);
            levels[0] = first;
            const std::string text = frequencies + "\ndB;" + Join(levels, ";") + "\n";
            SCOPED_TRACE(text);
            TabularLevels read;
            TabularError error;
            ASSERT_TRUE(ReadTabularLevels(text, read, error)) << error.message;
            ASSERT_TRUE(read.labelled);
            ASSERT_EQ(read.rows.size(), levels.size());
            for (std::size_t k = 0; k < levels.size(); ++k) {
                EXPECT_EQ(read.rows[k].band, start + static_cast<int>(k) * step);
                EXPECT_TRUE(Near(read.rows[k].level, levels[k], kReadTolerance));
            }
        }
    }
}

TEST(TabularLevels, TheProgramsBandTableReadsBack)
{
    for (const int step : {kOctaveBandStep, kThirdBandStep}) {
        const int start = step == kOctaveBandStep ? kOctaveBandStart : kThirdBandStart;
        std::string table = "Frequency (Hz)\tEdited (dB)\tOther (dB)\tA\tB\tC\tD\tResult\r\n";
        for (int band = start; band < kBandCount; band += step) {
            const double level = -20.0 + 3.7 * band;
            table += FixedText(BandFrequency[band], 0) + "\t" + FixedText(level, 1) + "\t" +
                     FixedText(level - 10.0, 1) + "\t1.0\t2.0\t3.0\t4.0\t\r\n";
        }
        TabularLevels read;
        TabularError error;
        ASSERT_TRUE(ReadTabularLevels(table, read, error)) << error.message;
        ASSERT_TRUE(read.labelled);
        ASSERT_EQ(static_cast<int>(read.rows.size()), BandCount(start, step));
        for (int k = 0; k < BandCount(start, step); ++k) {
            const int band = start + k * step;
            EXPECT_EQ(read.rows[k].band, band);
            EXPECT_EQ(read.rows[k].line, k + 2);
            EXPECT_TRUE(Near(read.rows[k].level, -20.0 + 3.7 * band, kPrintedTenth));
        }
    }
}

TEST(TabularLevels, EveryBandReadsInEverySpellingAndNothingBetweenBands)
{
    for (int band = 0; band < kBandCount; ++band) {
        const double hz = BandFrequency[band];
        std::string kilo = FixedText(hz / 1000.0, 3);
        kilo.erase(kilo.find_last_not_of('0') + 1);
        if (kilo.back() == '.')
            kilo.pop_back();
        std::string infix = kilo;
        const std::size_t point = infix.find('.');
        if (point == std::string::npos)
            infix += 'k';
        else
            infix[point] = 'k';
        const std::string whole = FixedText(hz, 0);
        for (const std::string& text :
             {whole, whole + " Hz", whole + "HZ", kilo + "k", kilo + " kHz", infix}) {
            EXPECT_EQ(BandOfFrequencyText(text), band) << text;
        }
        if (band + 1 < kBandCount) {
            EXPECT_EQ(BandOfFrequencyText(FixedText(std::sqrt(hz * BandFrequency[band + 1]), 1)), -1);
        }
    }
    for (const char* outside : {"31.5", "40 Hz", "25k", "", "dB", "45 dB", "1e400", "nan"})
        EXPECT_EQ(BandOfFrequencyText(outside), -1) << outside;
}
