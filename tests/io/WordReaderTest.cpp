#include "io/WordReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace velmora;

namespace {

/** What a numeric read of text gives, and the word the word loop meets after it. */
struct NumberCase {
    const char* text;
    bool reads;
    double value;
    const char* nextWord;
};

std::string NextWordOf(WordReader& reader)
{
    std::string_view word;
    return reader.NextWord(word) ? std::string(word) : std::string();
}

std::vector<std::string> Words(std::string_view text)
{
    WordReader reader(text);
    std::vector<std::string> words;
    for (std::string_view word; reader.NextWord(word);)
        words.emplace_back(word);
    return words;
}

} // namespace

TEST(WordReader, SplitsAtAnyWhiteSpaceAndAfter255Bytes)
{
    using Texts = std::vector<std::string>;
    EXPECT_EQ(Words(" Bands:\t1\r\n3\v\fx "), (Texts{"Bands:", "1", "3", "x"}));
    EXPECT_EQ(Words(""), Texts{});
    EXPECT_EQ(Words(" \r\n\t"), Texts{});
    EXPECT_EQ(Words(std::string("a\0b \xe9t\xe9", 7)), (Texts{std::string("a\0b", 3), "\xe9t\xe9"}))
        << "NUL and 8-bit bytes belong to words";
    EXPECT_EQ(Words(std::string(600, 'a')),
              (Texts{std::string(255, 'a'), std::string(255, 'a'), std::string(90, 'a')}));
}

TEST(WordReader, ReadsIntegersAsDecimalDigitsWithinThirtyTwoBits)
{
    // clang-format off
    const NumberCase cases[] = {
        {"42", true, 42, ""},
        {" \r\n -17 x", true, -17, "x"},
        {"+7", true, 7, ""},
        {"12abc", true, 12, "abc"},
        {"3.5", true, 3, ".5"},
        {"0x10", true, 0, "x10"},
        {"2147483647", true, 2147483647, ""},
        {"-2147483648", true, -2147483648.0, ""},
        {"2147483648", false, 0, "2147483648"},
        {"-99999999999999999999999", false, 0, "-99999999999999999999999"},
        {"-", false, 0, "-"},
        {"+-3", false, 0, "+-3"},
        {"abc", false, 0, "abc"},
        {"", false, 0, ""},
    };
    // clang-format on
    for (const NumberCase& c : cases) {
        SCOPED_TRACE(c.text);
        WordReader reader(c.text);
        int value = -99;
        EXPECT_EQ(reader.ReadInteger(value), c.reads);
        EXPECT_EQ(value, c.reads ? static_cast<int>(c.value) : -99);
        EXPECT_EQ(NextWordOf(reader), c.nextWord);
    }
}

TEST(WordReader, ReadsDecimalsThatAFiniteFloatHolds)
{
    // clang-format off
    const NumberCase cases[] = {
        {"45.5dB", true, 45.5, "dB"},
        {"  .5", true, 0.5, ""},
        {"5.", true, 5, ""},
        {"-.25e1", true, -2.5, ""},
        {"+1E+2x", true, 100, "x"},
        {"2e", true, 2, "e"},
        {"2e-", true, 2, "e-"},
        {"1.5.5", true, 1.5, ".5"},
        {"3,5", true, 3, ",5"},
        {"0.5x1", true, 0.5, "x1"},
        {"3.4e38", true, 3.4e38, ""},
        {"1e-50", true, 0, ""},
        {"-1e-400", true, 0, ""},
        {"0.000001e-399x", true, 0, "x"},
        {"3.4028235e38", true, 3.4028234663852886e38, ""},
        {"0x5", true, 0, "x5"},
        {".", false, 0, "."},
        {"-.e5", false, 0, "-.e5"},
        {"e5", false, 0, "e5"},
        {"nan", false, 0, "nan"},
        {"-inf", false, 0, "-inf"},
        {"INFINITY", false, 0, "INFINITY"},
        {"0x1p3", true, 0, "x1p3"},
        {"3.4028236e38", false, 0, "3.4028236e38"},
        {"1e39", false, 0, "1e39"},
        {"-3.5e38", false, 0, "-3.5e38"},
        {"1e400", false, 0, "1e400"},
        {"", false, 0, ""},
    };
    // clang-format on
    for (const NumberCase& c : cases) {
        SCOPED_TRACE(c.text);
        WordReader reader(c.text);
        float value = -99.0f;
        EXPECT_EQ(reader.ReadDecimal(value), c.reads);
        // Both sides are the float nearest the same decimal, so they compare exactly.
        EXPECT_EQ(value, c.reads ? static_cast<float>(c.value) : -99.0f);
        EXPECT_EQ(NextWordOf(reader), c.nextWord);
    }
}
